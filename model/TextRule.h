#pragma once
// The one rule for a text the user gives that the program saves in the
// project file or sends to the device: it must go there as it is shown.

#include <string>

// Why the text cannot be taken, as the message that says so and names the
// character at fault; empty when the text is taken. A text of several lines
// is one that is only kept in the project file (a description).
std::string TextRefusal(const std::string& text, bool severalLines = false);
