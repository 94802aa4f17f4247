#pragma once
// Answer lines of the device, "PATH VALUE" ("FUSE/SLOT2/A/VALUE 1"), as the
// objects read them back on an upload.

#include <optional>
#include <string>

// Splits `line` at its first blank into the path and the value behind the
// blank (empty when there is no blank), and gives the key: the path without
// its first `skip` elements, from the slash that follows them
// ("FUSE/SLOT2/A/VALUE", 1 -> "/SLOT2/A/VALUE"). False, with nothing taken,
// for an echoed query (value "?"), for the device's answer to a key it does
// not know or a line it did not understand (see IsRefusedValue) and for a
// path of no more than `skip` elements.
bool ReadAnswerLine(const std::string& line, int skip, std::string& key, std::string& value);

// Whether the text after an answer's path is the device's "I did not
// understand" rather than a value: "?" alone (a key it does not know,
// "PATH ? ") or a value followed by " ?" (a line it refused, echoed as
// "PATH VALUE ? "). Blanks and line ends after it do not count.
bool IsRefusedValue(const std::string& value);

// A switch the device answers with one of two words, written as it writes
// them ("ON"/"OFF", "YES"/"NO", "TRUE"/"FALSE"): true for `on`, false for
// `off`. Every other text is no value at all, never the other state: a
// number ("1"), the word in other letters ("on": the device keeps a value as
// it was sent, and the program sends its words in capitals), another word
// ("maybe") or a word with more after it. Blanks and line ends around the
// word do not count. A reader that gets nothing keeps the project's value.
std::optional<bool> ReadFlagWord(const std::string& value, const char* on = "ON", const char* off = "OFF");
