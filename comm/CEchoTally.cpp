#include "comm/CEchoTally.h"

#include <algorithm>
#include <cstddef>

namespace {
// How far behind the oldest waiting line an echo is looked for, and how
// many lines (and characters of an unended one) are kept at most: a port
// that is written without an echo coming back (a boot loader, a device with
// its echo off) must not grow them without end.
constexpr size_t kLookAhead = 64;
constexpr size_t kMaxWaiting = 4096;
constexpr size_t kMaxPart = 4096;

std::string Trimmed(const std::string& text)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    const size_t e = text.find_last_not_of(" \t");
    return text.substr(b, e - b + 1);
}

// Splits what arrived into ended lines; the unended rest stays in `part`.
template <class Take>
void SplitLines(std::string& part, const char* bytes, size_t size, Take take)
{
    for (size_t i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            const std::string line = Trimmed(part);
            part.clear();
            if (!line.empty())
                take(line);
        } else if (part.size() < kMaxPart) {
            part += c;
        }
    }
}
}  // namespace

void CEchoTally::OnSent(const char* bytes, size_t size)
{
    SplitLines(m_outPart, bytes, size, [this](const std::string& line) { TakeSentLine(line); });
}

void CEchoTally::OnReceived(const char* bytes, size_t size)
{
    SplitLines(m_inPart, bytes, size, [this](const std::string& line) { TakeReceivedLine(line); });
}

void CEchoTally::Forget()
{
    m_waiting.clear();
    m_outPart.clear();
    m_inPart.clear();
}

void CEchoTally::TakeSentLine(const std::string& line)
{
    m_waiting.push_back({++m_sent, line});
    if (m_waiting.size() > kMaxWaiting)
        m_waiting.pop_front();
}

void CEchoTally::TakeReceivedLine(const std::string& line)
{
    const size_t look = std::min(m_waiting.size(), kLookAhead);
    for (size_t i = 0; i < look; ++i) {
        const std::string& sent = m_waiting[i].text;
        // A prompt may stand before the echo on the same line ("/PATH>").
        const size_t lead = line.size() - sent.size();
        const bool echo = line == sent || (line.size() > sent.size() && line[lead - 1] == '>' &&
                                           line.compare(lead, sent.size(), sent) == 0);
        if (!echo)
            continue;
        m_echoed = m_waiting[i].number;
        m_waiting.erase(m_waiting.begin(), m_waiting.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return;
    }
}
