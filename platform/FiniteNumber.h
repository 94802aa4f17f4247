#pragma once
// Reading a float the way "%f" reads it (leading blanks, then the longest
// number at the start of the text), but only a finite one within the range
// of a float: "nan", "inf", "-inf" and "1e40" are no value to keep, show,
// send or turn into a whole number, from the user as from the device.
//
// Numbers from the device and from files have a decimal point only, whatever
// the user's language. A decimal the user types may have a comma as its
// decimal mark, as a German user writes it ("12,5" is twelve and a half);
// no field takes a thousands separator, so a number with a second decimal
// mark right after it ("1.000,5", "1,000.5") is no number at all rather than
// one of another size. Nor is a time, a date or a fraction ("25:61", "12/5").

#include <array>
#include <optional>
#include <string>

// Strict: the decimal point only (device answers, files, settings).
std::optional<float> ScanFiniteFloat(const char* text);
inline std::optional<float> ScanFiniteFloat(const std::string& text) { return ScanFiniteFloat(text.c_str()); }

// What the user typed into a field that takes a decimal, written as the
// program's own numbers are: the number it starts with gets a point for its
// decimal comma ("12,5 s" gives "12.5 s"), a number followed by a second
// decimal mark, and a hexadecimal one ("0x10"), give "" (no number), any
// other text stays as it is.
std::string TypedDecimalText(const std::string& typed);
// The finite number the user's text starts with, read with the rule above.
// A zero typed with a sign ("-0,0") is zero: it is never shown or sent as "-0.0".
inline std::optional<float> ScanTypedFloat(const std::string& typed)
{
    const std::optional<float> v = ScanFiniteFloat(TypedDecimalText(typed));
    return v && *v == 0.0f ? std::optional<float>(0.0f) : v;
}

// What the user typed into a field that holds a whole number, read with the
// rule above: "12,5" is twelve and a half there too, which such a field
// cannot hold. It is no whole number at all, never 12 nor 125; nor is
// "12,0" or "1.000" (no field takes a thousands separator). A whole number
// is written in decimal digits: "1e2" (a hundred, as a decimal is written)
// and "0x10" (sixteen, in hexadecimal) are numbers no such field takes as
// typed, never read as the 1 or 0 they start with. After the digits, other
// text is no part of the number: "7x" starts with the whole number 7.
struct TypedWhole {
    enum Kind {
        Whole,     // `value` is the number, held at the ends of a long long
        Decimal,   // a number with a fraction, or in exponent or hexadecimal notation
        NoNumber,  // "", "abc", "-", "3.5,5", "nan", "1e40"
    };
    Kind kind = NoNumber;
    long long value = 0;
    bool alone = false;  // only blanks follow the number
};
TypedWhole ScanTypedWhole(const std::string& typed);
// The whole number that is all the user typed (blanks aside): nothing for a
// decimal, for no number, or for a number with more after it.
std::optional<long long> ScanTypedWholeAlone(const std::string& typed);

// Four whole numbers written "a,b,c,d", read the way "%d,%d,%d,%d" reads
// them (anything after the fourth is ignored), each within -limit..limit: a
// number beyond that, which "%d" would wrap or take as undefined, is no value.
std::optional<std::array<int, 4>> ScanFourInts(const char* text, int limit);

// A whole number standing alone (blanks around it, an optional sign), within
// min..max. Anything else is no value: "1e40", "3x", "nan", or a number that
// "%d" would wrap.
std::optional<long> ScanWholeNumber(const std::string& text, long min, long max);

// A decimal number standing alone (blanks around it, an optional sign, a
// decimal point only), finite within the range of a float. Anything else is
// no value: "-2,5", "3x", "1e40", "nan", an empty text.
std::optional<float> ScanWholeFloat(const std::string& text);
