#pragma once
// What the service windows share in talking to the device: block requests
// answered to the window, synchronous queries, single lines, the reading of
// an answer line and the hand-back of the link when a window closes.

#include <string>
#include <vector>

class ILinkAnswerSink;

namespace servicelive {
// The most characters (line ends included) one block request may carry.
constexpr size_t kBlockLimit = 512;

// Hands the lines to the device link as one block request answered to
// `reply`; false when there is no link or it refused the block.
bool SendBlock(const std::vector<std::string>& lines, ILinkAnswerSink* reply);
// Splits the lines into blocks of at most kBlockLimit characters each, in
// order. A line that alone exceeds the limit is left out and reported in
// `tooLong`.
std::vector<std::vector<std::string>> SplitBlocks(const std::vector<std::string>& lines,
                                                  std::vector<std::string>* tooLong);
// Sends one line as it stands for the bound document.
void SendLine(const std::string& line);
// A synchronous query; the raw answer text ("" without a link).
std::string Query(const std::string& line, int waitMs);
// Several queries as one exchange; the answer lines (empty without a link).
std::vector<std::string> SendAndCollect(const std::vector<std::string>& lines);
// The serial control's output-buffer count (0 without a link).
int OutBufferCount();
// An answer line's key (the text before the first blank with every `prefix`
// removed) and value (the text after it). False for a line without a blank
// and for the value "?" (with or without the blank the device puts after it).
bool SplitAnswer(const std::string& line, const std::string& prefix, std::string* key, std::string* value);
// Returns the link to online when the block request of `own` (a closing
// window) still holds it; the request of another window goes on.
void ReleaseLink(const ILinkAnswerSink* own);
}  // namespace servicelive
