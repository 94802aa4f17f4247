#include "model/DiffFile.h"

#include "model/ModelStrings.h"
#include "platform/Cp1252.h"
#include "platform/StringTable.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace {
void AppendLine(const std::string& fileName, const std::string& utf8Line)
{
    const std::string bytes = Utf8ToCp1252(utf8Line) + "\r\n";
    std::FILE* f = std::fopen(fileName.c_str(), "ab");
    if (f == nullptr)
        throw std::system_error(errno, std::generic_category(), "cannot open " + fileName);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed)
        throw std::system_error(written ? errno : writeErrno, std::generic_category(),
                                "cannot write " + fileName);
}
}  // namespace

void AppendErrLine(const std::string& fileName, std::string itemWord, int number, std::string value)
{
    AppendLine(fileName, itemWord + " " + std::to_string(number) + " : " + value + " " + LoadStringId(IDS_MISSING_ITEM));
}

void AppendErrMismatch(const std::string& fileName, std::string item, std::string deviceValue,
                       std::string projectValue)
{
    AppendLine(fileName, "ERROR: " + item + " >>" + deviceValue + "<< should be >>" + projectValue + "<<");
}
