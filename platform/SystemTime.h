#pragma once
// Setting the computer's own clock (local time). The system may refuse (the
// program lacks the privilege); the caller then tells the user the reason and
// changes nothing else. Tests install a setter of their own: they must never
// set the machine's clock.

#include <functional>
#include <string>

struct LocalTimeValue {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Sets the computer's clock; false with the system's reason when refused or
// when the value is no valid local time.
bool SetLocalSystemTime(const LocalTimeValue& value, std::string* reason);

// Why the system refused (an errno value), in the program's language.
std::string SystemTimeFailureReason(int error);

using SystemTimeSetter = std::function<bool(const LocalTimeValue& value, std::string* reason)>;
// Replaces how the clock is set (null: the system's); returns the previous setter.
SystemTimeSetter SetSystemTimeSetter(SystemTimeSetter setter);
