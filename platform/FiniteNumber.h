#pragma once
// Reading a float the way "%f" reads it (leading blanks, then the longest
// number at the start of the text), but only a finite one within the range
// of a float: "nan", "inf", "-inf" and "1e40" are no value to keep, show,
// send or turn into a whole number, from the user as from the device.

#include <optional>
#include <string>

std::optional<float> ScanFiniteFloat(const char* text);
inline std::optional<float> ScanFiniteFloat(const std::string& text) { return ScanFiniteFloat(text.c_str()); }
