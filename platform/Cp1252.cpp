#include "platform/Cp1252.h"

#include <cstdint>

namespace {
// Code points of bytes 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves
// undefined (they are kept as the C1 control of the same value).
constexpr char32_t kHigh[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int EncodeOne(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == cp)
            return 0x80 + i;
        if (kHigh[i] == 0 && cp == static_cast<char32_t>(0x80 + i))
            return 0x80 + i;
    }
    return -1;
}
}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char c : bytes) {
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            AppendUtf8(out, kHigh[c - 0x80] ? kHigh[c - 0x80] : c);
        else
            AppendUtf8(out, c);
    }
    return out;
}

namespace {
// The character at `i` of a UTF-8 text and its length in bytes; false (and
// a length of 1) for a byte that starts no whole character.
bool NextChar(std::string_view utf8, size_t i, char32_t& cp, size_t& len)
{
    const auto c = static_cast<unsigned char>(utf8[i]);
    len = 1;
    if (c < 0x80) {
        cp = c;
        return true;
    }
    if ((c & 0xE0) == 0xC0) {
        cp = c & 0x1F; len = 2;
    } else if ((c & 0xF0) == 0xE0) {
        cp = c & 0x0F; len = 3;
    } else if ((c & 0xF8) == 0xF0) {
        cp = c & 0x07; len = 4;
    } else {
        return false;  // a stray continuation byte
    }
    bool ok = i + len <= utf8.size();
    for (size_t k = 1; ok && k < len; ++k) {
        const auto cc = static_cast<unsigned char>(utf8[i + k]);
        if ((cc & 0xC0) != 0x80)
            ok = false;
        else
            cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok)
        len = 1;
    return ok;
}
}  // namespace

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        size_t len = 1;
        const int b = NextChar(utf8, i, cp, len) ? EncodeOne(cp) : -1;
        out += b < 0 ? '?' : static_cast<char>(b);
        i += len;
    }
    return out;
}

std::string Cp1252Lacks(std::string_view utf8)
{
    std::string lacks;
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        size_t len = 1;
        const bool whole = NextChar(utf8, i, cp, len);
        if (!whole || EncodeOne(cp) < 0) {
            std::string one;
            if (whole)
                one.assign(utf8.substr(i, len));
            else
                AppendUtf8(one, 0xFFFD);
            if (lacks.find(one) == std::string::npos)
                lacks += one;
        }
        i += len;
    }
    return lacks;
}

namespace {
bool IsControl(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}
}  // namespace

bool HasControlChars(std::string_view text)
{
    for (char c : text)
        if (IsControl(c))
            return true;
    return false;
}

std::string WithoutControlChars(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!IsControl(c))
            out += c;
    return out;
}

TextCheck CheckText(std::string_view utf8, bool severalLines)
{
    TextCheck check;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        size_t len = 1;
        const bool whole = NextChar(utf8, i, cp, len);
        if (!whole || EncodeOne(cp) < 0) {
            check.fault = TextFault::NotInCodePage;
            check.codePoint = whole ? cp : 0xFFFD;
            check.character = whole ? std::string(utf8.substr(i, len)) : std::string("\xEF\xBF\xBD");
            return check;
        }
        // C1 controls (U+0080..U+009F) are control characters as well,
        // although five of them have a byte in the code page.
        const bool lineBreak = cp == '\r' || cp == '\n' || cp == '\t';
        if (((len == 1 && IsControl(utf8[i])) || (cp >= 0x80 && cp <= 0x9F)) && !(severalLines && lineBreak)) {
            check.fault = TextFault::ControlChar;
            check.codePoint = cp;
            check.character = std::string(utf8.substr(i, len));
            return check;
        }
        i += len;
    }
    if (severalLines)
        return check;
    // The device reads the value after the path without its outer blanks.
    std::string_view value = utf8;
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    if (value == "?" || (value.size() >= 2 && value.substr(value.size() - 2) == " ?"))
        check.fault = TextFault::ReadsAsQuery;
    return check;
}
