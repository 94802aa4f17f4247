#include "service/EventFile.h"

#include <filesystem>

namespace eventfile {

std::string NameOf(const std::string& projectPath)
{
    return projectPath + ".events";
}

std::string LegacyNameOf(const std::string& projectPath)
{
    if (projectPath.size() < 4)
        return {};
    std::string ext = projectPath.substr(projectPath.size() - 4);
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (ext != ".qlx")
        return {};
    return projectPath.substr(0, projectPath.size() - 4) + ".events";
}

std::string Prepare(const std::string& projectPath, std::string* error)
{
    namespace fs = std::filesystem;
    const std::string name = NameOf(projectPath);
    const std::string legacy = LegacyNameOf(projectPath);
    std::error_code ec;
    if (legacy.empty() || fs::exists(name, ec) || !fs::is_regular_file(legacy, ec))
        return name;
    fs::rename(legacy, name, ec);
    if (ec) {
        ec.clear();
        fs::copy_file(legacy, name, ec);
        if (ec && error)
            *error = ec.message();
    }
    return name;
}

}  // namespace eventfile
