#pragma once
// The program's string table: texts are looked up by numeric id, never
// compared as displayed text. The German text is the source; a translator hook
// (installed by the application when English is chosen) maps it to the
// language in use.
//
// Each folder registers its own texts with a static QL_STRING_TABLE block.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using StringTranslator = std::function<std::string(uint32_t id, const std::string& german)>;

// The text of `id` in the language in use; empty when the id is unknown.
std::string LoadStringId(uint32_t id);
// The German (source) text of `id`; empty when the id is unknown.
std::string LoadGermanString(uint32_t id);
bool HasStringId(uint32_t id);
// Enters texts. An id has one text per language: the same id may be
// registered again with the same text, but a different text is a conflict; the
// first text stays and the conflict is recorded for the id test to report.
void RegisterStrings(std::initializer_list<std::pair<uint32_t, const char*>> entries);

struct StringConflict {
    uint32_t id;
    std::string kept;      // the text registered first
    std::string rejected;  // the other text
};
// The conflicts met by RegisterStrings so far.
const std::vector<StringConflict>& StringTableConflicts();
StringTranslator SetStringTranslator(StringTranslator translator);

// printf-style formatting into a std::string (for the program's "%s %d" texts).
std::string StrFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

#define QL_STRING_TABLE_CAT2(a, b) a##b
#define QL_STRING_TABLE_CAT(a, b) QL_STRING_TABLE_CAT2(a, b)
// Usage at namespace scope in a .cpp:  QL_STRING_TABLE({ {IDS_..., "Text"}, ... });
#define QL_STRING_TABLE(...)                                                      \
    namespace {                                                                   \
    struct QL_STRING_TABLE_CAT(StringTableRegistrar_, __LINE__) {                 \
        QL_STRING_TABLE_CAT(StringTableRegistrar_, __LINE__)() { RegisterStrings(__VA_ARGS__); } \
    } QL_STRING_TABLE_CAT(stringTableRegistrar_, __LINE__);                       \
    }
