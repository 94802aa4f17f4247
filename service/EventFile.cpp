#include "service/EventFile.h"

namespace eventfile {

std::string NameOf(const std::string& projectPath)
{
    return projectPath + ".events";
}

}  // namespace eventfile
