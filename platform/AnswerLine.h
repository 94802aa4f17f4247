#pragma once
// Answer lines of the device, "PATH VALUE" ("FUSE/SLOT2/A/VALUE 1"), as the
// objects read them back on an upload.

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
