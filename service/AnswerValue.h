#pragma once
// The value of a device answer that carries none: the echo of a query
// ("PATH ?") and the device's mark of a line it did not understand
// ("PATH ? ", with a blank after the question mark).

#include <string>

// True when `value` is a lone "?", whatever blanks or line ends follow it.
bool IsQueryMark(const std::string& value);
