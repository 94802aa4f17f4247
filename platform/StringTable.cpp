#include "platform/StringTable.h"

#include <cstdarg>
#include <cstdio>
#include <unordered_map>

namespace {
std::unordered_map<uint32_t, std::string>& Table()
{
    static std::unordered_map<uint32_t, std::string> table;
    return table;
}

std::vector<StringConflict>& Conflicts()
{
    static std::vector<StringConflict> conflicts;
    return conflicts;
}

StringTranslator& Translator()
{
    static StringTranslator translator;
    return translator;
}
}  // namespace

std::string LoadGermanString(uint32_t id)
{
    auto it = Table().find(id);
    return it == Table().end() ? std::string() : it->second;
}

std::string LoadStringId(uint32_t id)
{
    auto it = Table().find(id);
    if (it == Table().end())
        return {};
    if (Translator())
        return Translator()(id, it->second);
    return it->second;
}

bool HasStringId(uint32_t id)
{
    return Table().count(id) != 0;
}

void RegisterStrings(std::initializer_list<std::pair<uint32_t, const char*>> entries)
{
    for (const auto& [id, text] : entries) {
        const auto [it, added] = Table().emplace(id, text);
        if (!added && it->second != text)
            Conflicts().push_back({id, it->second, text});
    }
}

const std::vector<StringConflict>& StringTableConflicts()
{
    return Conflicts();
}

StringTranslator SetStringTranslator(StringTranslator translator)
{
    StringTranslator old = std::move(Translator());
    Translator() = std::move(translator);
    return old;
}

std::string StrFormat(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n));
        std::vsnprintf(out.data(), out.size() + 1, fmt, args);
    }
    va_end(args);
    return out;
}
