#include "model/DiffFile.h"

#include "model/ModelStrings.h"
#include "platform/Cp1252.h"
#include "platform/FileWriter.h"
#include "platform/StringTable.h"

#include <system_error>

namespace {
void AppendLine(const std::string& fileName, const std::string& utf8Line)
{
    int error = 0;
    if (!AppendToFile(fileName, Utf8ToCp1252(utf8Line) + "\r\n", &error).empty())
        throw std::system_error(error, std::generic_category(), "cannot write " + fileName);
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

void AppendErrText(const std::string& fileName, const std::string& text)
{
    AppendLine(fileName, text);
}
