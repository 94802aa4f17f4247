#pragma once
// Reading numbers from value texts the way the audio objects take them:
// a leading integer as atoi does, an integer as "%d" does, a float as atof
// does; all without undefined behaviour on overflow.

#include <cstdint>
#include <optional>
#include <string>

namespace audiotext {

// Leading integer after optional blanks and sign; 0 when there is none.
// Values beyond the 32-bit range are limited to it.
int32_t LeadingInt(const std::string& text);
// As "%d": the integer after optional white space and sign; nothing when no
// digit follows.
std::optional<int32_t> ScanInt(const std::string& text);
// As "%f": the floating point number at the start; nothing when none.
std::optional<double> ScanFloat(const std::string& text);
// As atof: the number at the start, 0.0 when there is none.
inline double LeadingFloat(const std::string& text) { return ScanFloat(text).value_or(0.0); }

// The float nearest to v (limited to the float range; NaN stays NaN).
float ToFloat(double v);

// Limits v to lo..hi; a value that is not a number gives `fallback`.
float ClampFloat(double v, float lo, float hi, float fallback);

}  // namespace audiotext
