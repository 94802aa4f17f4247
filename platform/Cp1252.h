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
