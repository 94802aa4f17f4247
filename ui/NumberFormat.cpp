#include "ui/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {
struct ConvSpec {
    std::string prefix;  // literal text before the conversion, '%' still escaped
    std::string flags;   // flags, width, precision
    char conversion = 0;
    std::string suffix;  // literal text after it, further '%' escaped
};

std::string EscapeRest(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%') {
            if (i + 1 < s.size() && s[i + 1] == '%') {
                out += "%%";
                ++i;
            } else {
                out += "%%";
            }
        } else {
            out += s[i];
        }
    }
    return out;
}

ConvSpec Parse(const QString& format)
{
    const std::string f = format.toStdString();
    ConvSpec conv;
    size_t i = 0;
    while (i < f.size()) {
        if (f[i] != '%') {
            conv.prefix += f[i++];
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == '%') {
            conv.prefix += "%%";
            i += 2;
            continue;
        }
        size_t j = i + 1;
        while (j < f.size() && std::string("-+ #0123456789.").find(f[j]) != std::string::npos)
            conv.flags += f[j++];
        while (j < f.size() && std::string("hlLqjzt").find(f[j]) != std::string::npos)
            ++j;  // length modifiers are chosen by the value
        if (j < f.size()) {
            conv.conversion = f[j];
            conv.suffix = EscapeRest(f.substr(j + 1));
        }
        return conv;
    }
    return conv;
}

bool IsInt(char c)
{
    return c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X' || c == 'o' || c == 'c';
}
bool IsFloat(char c)
{
    return c == 'f' || c == 'F' || c == 'e' || c == 'E' || c == 'g' || c == 'G' || c == 'a' || c == 'A';
}

std::string Run(const std::string& fmt, long long v)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt.c_str(), v);
    return buf;
}
std::string Run(const std::string& fmt, double v)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt.c_str(), v);
    return buf;
}
}  // namespace

namespace NumberFormat {

char Conversion(const QString& format)
{
    return Parse(format).conversion;
}

bool IsFloatConversion(const QString& format)
{
    return IsFloat(Parse(format).conversion);
}

QString FormatInteger(const QString& format, long long value)
{
    const ConvSpec s = Parse(format);
    std::string out;
    if (IsInt(s.conversion) && s.conversion != 'c')
        out = Run(s.prefix + "%" + s.flags + "ll" + s.conversion + s.suffix, value);
    else if (IsFloat(s.conversion))
        out = Run(s.prefix + "%" + s.flags + s.conversion + s.suffix, static_cast<double>(value));
    else
        out = Run(s.prefix + "%lld" + s.suffix, value);
    return QString::fromStdString(out);
}

QString FormatDouble(const QString& format, double value)
{
    const ConvSpec s = Parse(format);
    std::string out;
    if (IsFloat(s.conversion))
        out = Run(s.prefix + "%" + s.flags + s.conversion + s.suffix, value);
    else if (IsInt(s.conversion) && s.conversion != 'c' && std::isfinite(value))
        out = Run(s.prefix + "%" + s.flags + "ll" + s.conversion + s.suffix, static_cast<long long>(value));
    else
        out = Run(s.prefix + "%g" + s.suffix, value);
    return QString::fromStdString(out);
}

bool ScanInteger(const QString& format, const QString& text, long long* value)
{
    const ConvSpec s = Parse(format);
    const char conv = s.conversion == 'x' || s.conversion == 'X' ? 'x' : s.conversion == 'o' ? 'o'
                      : s.conversion == 'u'                      ? 'u'
                                                                 : 'd';
    const std::string fmt = s.prefix + (conv == 'd' ? "%lld" : conv == 'u' ? "%llu" : std::string("%ll") + conv);
    const std::string t = text.toStdString();
    if (conv == 'd') {
        long long v = 0;
        if (std::sscanf(t.c_str(), fmt.c_str(), &v) != 1)
            return false;
        *value = v;
    } else {
        unsigned long long v = 0;
        if (std::sscanf(t.c_str(), fmt.c_str(), &v) != 1)
            return false;
        *value = static_cast<long long>(v);
    }
    return true;
}

}  // namespace NumberFormat
