#include "service/AnswerValue.h"

bool IsQueryMark(const std::string& value)
{
    const size_t end = value.find_last_not_of(" \r\n");
    return end == 0 && value[0] == '?';
}
