#include "platform/AnswerLine.h"

bool ReadAnswerLine(const std::string& line, int skip, std::string& key, std::string& value)
{
    const size_t blank = line.find(' ');
    const std::string path = line.substr(0, blank);
    std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    // The echo of a query, and the device's answer to a key it does not
    // know or a line it refused: none is a value.
    if (IsRefusedValue(rest))
        return false;
    size_t slash = std::string::npos;
    for (int i = 0; i < skip; ++i) {
        slash = path.find('/', slash == std::string::npos ? 0 : slash + 1);
        if (slash == std::string::npos)
            return false;
    }
    key = path.substr(slash == std::string::npos ? 0 : slash);
    value = std::move(rest);
    return true;
}

bool IsRefusedValue(const std::string& value)
{
    const size_t last = value.find_last_not_of(" \r\n");
    if (last == std::string::npos || value[last] != '?')
        return false;
    return last == 0 || value[last - 1] == ' ';
}

std::optional<bool> ReadFlagWord(const std::string& value, const char* on, const char* off)
{
    const size_t first = value.find_first_not_of(" \r\n");
    if (first == std::string::npos)
        return std::nullopt;
    const std::string word = value.substr(first, value.find_last_not_of(" \r\n") + 1 - first);
    if (word == on)
        return true;
    if (word == off)
        return false;
    return std::nullopt;
}
