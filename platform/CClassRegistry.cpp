#include "platform/CArchive.h"

#include <functional>
#include <map>
#include <string>

namespace {
// Built on first use, so classes registering from static objects in any
// translation unit find it ready whatever the order of initialisation.
std::map<std::string, const CRuntimeClass*, std::less<>>& Registry()
{
    static std::map<std::string, const CRuntimeClass*, std::less<>> registry;
    return registry;
}
}  // namespace

void CClassRegistry::Register(const CRuntimeClass* cls)
{
    if (cls == nullptr || cls->className == nullptr || cls->create == nullptr)
        return;
    // The first registration of a name stays: a file's class tag must always
    // lead to the same class.
    Registry().emplace(cls->className, cls);
}

const CRuntimeClass* CClassRegistry::Find(std::string_view className)
{
    const auto& registry = Registry();
    const auto it = registry.find(className);
    return it == registry.end() ? nullptr : it->second;
}
