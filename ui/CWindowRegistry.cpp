#include "ui/CWindowRegistry.h"

#include <algorithm>
#include <cassert>

namespace {
std::vector<CWindowRegistry::Entry>& Table()
{
    static std::vector<CWindowRegistry::Entry> entries;
    return entries;
}
}  // namespace

bool CWindowRegistry::Register(const QString& name, Factory create)
{
    auto& entries = Table();
    const auto same = [&](const Entry& e) { return e.name == name; };
    assert(std::none_of(entries.begin(), entries.end(), same));
    if (std::none_of(entries.begin(), entries.end(), same))
        entries.push_back({name, std::move(create)});
    return true;
}

const std::vector<CWindowRegistry::Entry>& CWindowRegistry::Entries()
{
    return Table();
}
