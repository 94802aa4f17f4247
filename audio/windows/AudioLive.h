#pragma once
// What the live audio windows share in talking to the device: block requests
// answered to the window, the reading of an answer line and the hand-back of
// the link when the window closes.

#include <string>
#include <vector>

class ILinkAnswerSink;
class QString;

namespace audiolive {
// Hands the lines to the device link as one block request answered to
// `reply`; false when there is no link or it refused the block.
bool SendBlock(const std::vector<std::string>& lines, ILinkAnswerSink* reply, bool expectAnswers = true);
// Sends one line as it stands (no path shorthand) for the bound document.
void SendLine(const std::string& line);
// An answer line's key (the text before the first blank with every `prefix`
// removed) and value (the text after it). False for a line without a blank
// and for the device's "?" of a key or line it did not understand.
bool SplitAnswer(const std::string& line, const std::string& prefix, std::string* key, std::string* value);
// A typed value as it may travel: UTF-8 without control characters.
std::string LineValue(const QString& text);
// Returns the link to online when the block request of `own` (a closing
// window) still holds it; the request of another window goes on.
void ReleaseLink(const ILinkAnswerSink* own);
}  // namespace audiolive
