#pragma once
// Number <-> text conversions of the card values, independent of the
// process locale (the protocol and the dialogs always use a decimal point).

#include <string>
#include <string_view>

namespace numtext {

// printf "%.<precision>f" without padding (the callers strip leading blanks).
std::string Fixed(double value, int precision);
// atof: leading blanks skipped, the longest number at the start, 0 when there
// is none; a value that is not finite reads as 0.
double ToDouble(std::string_view text);
// atoi: leading blanks skipped, an optional sign and the digits; 0 when there
// are none; limited to the int range.
int ToInt(std::string_view text);
// True when the text begins with a decimal digit.
bool StartsWithDigit(std::string_view text);
// True when `text` is a plain decimal number (a sign, digits, one point, and
// nothing else) that reads as `shown` at the number of decimals `shown` is
// written with: a device's value the card holds as it came.
bool SameNumber(std::string_view text, std::string_view shown);

}  // namespace numtext
