#pragma once
// Reading a float the way "%f" reads it (leading blanks, then the longest
// number at the start of the text), but only a finite one within the range
// of a float: "nan", "inf", "-inf" and "1e40" are no value to keep, show,
// send or turn into a whole number, from the user as from the device.

#include <array>
#include <optional>
#include <string>

std::optional<float> ScanFiniteFloat(const char* text);
inline std::optional<float> ScanFiniteFloat(const std::string& text) { return ScanFiniteFloat(text.c_str()); }

// Four whole numbers written "a,b,c,d", read the way "%d,%d,%d,%d" reads
// them (anything after the fourth is ignored), each within -limit..limit: a
// number beyond that, which "%d" would wrap or take as undefined, is no value.
std::optional<std::array<int, 4>> ScanFourInts(const char* text, int limit);
