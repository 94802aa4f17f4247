#pragma once
// The open service dialog, as the "Service" internal slot sees it: device
// answer lines routed to the slot are handed on to it.

#include <string>

class IServiceAnswerSink {
public:
    virtual ~IServiceAnswerSink() = default;
    virtual void ParseAnswer(const std::string& line) = 0;
};
