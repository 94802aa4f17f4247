#pragma once
// printf-style formatting and scanning of one number with a format given at
// run time (the numeric edits' formats). The conversion is matched to the
// value's type, so a format that does not fit the value never reads garbage:
// an integer conversion gets the value as a whole number, a floating-point
// conversion as a double. Text around the conversion is kept.

#include <QString>

namespace NumberFormat {
// The format's first conversion character ('d', 'f', ...); 0 when there is none.
char Conversion(const QString& format);
bool IsFloatConversion(const QString& format);
QString FormatInteger(const QString& format, long long value);
QString FormatDouble(const QString& format, double value);
// Reads a whole number with the format's surrounding text (width and
// precision are not applied when reading). False when nothing was read.
bool ScanInteger(const QString& format, const QString& text, long long* value);
}  // namespace NumberFormat
