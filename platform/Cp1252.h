#pragma once
// Conversion between the program's UTF-8 texts and the single-byte
// Windows-1252 texts of project files and the device line.

#include <string>
#include <string_view>

std::string Cp1252ToUtf8(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
// The characters of a UTF-8 text that Windows-1252 cannot hold, each once,
// in the order they first appear ("Ω漢" for "ΩaΩ漢"); empty when the code
// page holds the whole text. A byte that starts no UTF-8 character is
// named as U+FFFD, as it would go out as '?'.
std::string Cp1252Lacks(std::string_view utf8);

// Control characters (below a blank, and DEL) end or bend a protocol line:
// no value sent to the device and no object name may carry one.
bool HasControlChars(std::string_view text);
// The text with every control character taken out.
std::string WithoutControlChars(std::string_view text);

// Why a text cannot be saved and sent as it is shown: project files and
// protocol lines hold Windows-1252, no value may carry a control character,
// and a protocol line whose value is "?", or ends in " ?", asks the device
// for its value instead of setting it.
enum class TextFault { None, ControlChar, NotInCodePage, ReadsAsQuery };
struct TextCheck {
    TextFault fault = TextFault::None;
    // The first character at fault, as UTF-8 (U+FFFD for a broken sequence),
    // and its code point; empty and 0 for a text that reads as a query.
    std::string character;
    char32_t codePoint = 0;
};
// A text of several lines (a description kept in the project file, never
// sent) may hold line breaks and tabs and is never read as a query.
TextCheck CheckText(std::string_view utf8, bool severalLines = false);
