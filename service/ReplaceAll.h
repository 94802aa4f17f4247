#pragma once
// Text replacement for the texts the service objects build from device words.

#include <string>

// Replaces every occurrence of `from` in `text` with `to`, left to right; what
// was put in is not searched again. An empty `from` changes nothing.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to);
