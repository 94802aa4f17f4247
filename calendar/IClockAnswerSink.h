#pragma once
// A clock window or clock dialog that wants the device's clock answers. The
// clock object hands every "/CLOCK" answer line on to the one registered sink.

#include <string>

class IClockAnswerSink {
public:
    virtual ~IClockAnswerSink() = default;
    // One answer line, as the document handed it to the clock object.
    virtual void OnClockAnswer(const std::string& line) = 0;
};
