#include "comm/CEchoTally.h"

#include <algorithm>
#include <cstddef>

namespace {
// How far behind the oldest waiting line an echo is looked for, and how
// many lines (and characters of an unended one) are kept at most: a port
// that is written without an echo coming back (a boot loader, a device that
// fell silent) must not grow them without end.
constexpr size_t kLookAhead = 64;
constexpr size_t kMaxWaiting = 4096;
constexpr size_t kMaxPart = 4096;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& text)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    const size_t e = text.find_last_not_of(" \t");
    return text.substr(b, e - b + 1);
}

char UpperChar(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperChar(x) == UpperChar(y); });
}

// The device writes paths in capitals: "/AMP/ADR1F/NAME" answers "/AMP/ADR1f/NAME ?".
bool NamesPath(const std::string& text, const std::string& path)
{
    if (path.empty())
        return true;  // a query of a path not known here: whatever follows answers it
    if (text.size() < path.size() || !SameNoCase(text.substr(0, path.size()), path))
        return false;
    return text.size() == path.size() || IsBlank(text[path.size()]) || text[path.size()] == '/';
}

// The echo of `sent` as received: the same text, perhaps behind the prompt
// the device wrote after the line before ("/AUDIO/ALARM_VOL>" followed by
// the echo of " -20.0" or of a whole line).
bool IsEchoOf(const std::string& text, const std::string& sent)
{
    if (text == sent)
        return true;
    if (text.size() <= sent.size() || text.compare(text.size() - sent.size(), sent.size(), sent) != 0)
        return false;
    const std::string prompt = Trimmed(text.substr(0, text.size() - sent.size()));
    return !prompt.empty() && prompt.back() == '>' && prompt.find_first_of(" \t") == std::string::npos;
}

// Splits what arrived into ended lines; the unended rest stays in `part`.
// `count` runs along with every character taken.
template <class Take>
void SplitLines(std::string& part, const char* bytes, size_t size, uint64_t* count, Take take)
{
    for (size_t i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (count)
            ++*count;
        if (c == '\r' || c == '\n') {
            std::string line;
            line.swap(part);
            if (!Trimmed(line).empty())
                take(line);
        } else if (part.size() < kMaxPart) {
            part += c;
        }
    }
}
}  // namespace

void CEchoTally::OnSent(const char* bytes, size_t size)
{
    SplitLines(m_outPart, bytes, size, &m_chars, [this](const std::string& line) { TakeSentLine(line); });
}

void CEchoTally::OnReceived(const char* bytes, size_t size)
{
    SplitLines(m_inPart, bytes, size, nullptr, [this](const std::string& line) { PairReceivedLine(line); });
}

bool CEchoTally::TakeReceivedLine(const std::string& line)
{
    // What a synchronous reader left unended is not the beginning of this line.
    m_inPart.clear();
    return PairReceivedLine(line);
}

void CEchoTally::Forget()
{
    m_waiting.clear();
    m_outPart.clear();
    m_inPart.clear();
    m_answerDue = false;
}

bool CEchoTally::IsRefusal(const std::string& line)
{
    const size_t e = line.find_last_not_of("\r\n");
    if (e == std::string::npos || !IsBlank(line[e]))
        return false;
    const size_t mark = line.find_last_not_of(" \t", e);
    return mark != std::string::npos && line[mark] == '?' && (mark == 0 || IsBlank(line[mark - 1]));
}

std::optional<CEchoTally::Unechoed> CEchoTally::OldestUnechoed(uint64_t linesBefore) const
{
    for (const Waiting& w : m_waiting)
        if (w.number > linesBefore)
            return Unechoed {w.number, w.end};
    return std::nullopt;
}

void CEchoTally::TakeSentLine(const std::string& raw)
{
    const std::string text = Trimmed(raw);
    Waiting w {++m_sent, text, {}, {}, false, m_chars};
    std::string value;
    if (IsBlank(raw[0])) {
        // The path shorthand: the value of the path sent last.
        w.path = m_sentPath;
        value = text;
    } else {
        const size_t blank = text.find_first_of(" \t");
        const std::string word = text.substr(0, blank);
        value = blank == std::string::npos ? std::string() : Trimmed(text.substr(blank));
        if (word == "?") {
            w.path = m_sentPath;  // "?" alone asks the path sent last
            value = word;
        } else {
            w.path = word;
            m_sentPath = word;
        }
    }
    w.query = value == "?";
    w.whole = w.path.empty() ? text : (value.empty() ? w.path : w.path + " " + value);
    // The device echoes a line as it reads it, so the line that switches its
    // echo off comes back and the one that switches it on does not.
    const bool echoed = m_echoOn;
    if (SameNoCase(w.path, "/COMM/ECHO") && (SameNoCase(value, "ON") || SameNoCase(value, "OFF")))
        m_echoOn = SameNoCase(value, "ON");
    else if (SameNoCase(w.path, "/SERVICE/START") && SameNoCase(value, "EEPCLR"))
        m_echoOn = true;  // the device's defaults
    if (!echoed)
        return;
    m_waiting.push_back(std::move(w));
    if (m_waiting.size() > kMaxWaiting)
        m_waiting.pop_front();
}

bool CEchoTally::PairReceivedLine(const std::string& raw)
{
    const std::string text = Trimmed(raw);
    if (text.empty())
        return false;
    if (m_answerDue) {
        m_answerDue = false;
        if (NamesPath(text, m_answerPath))
            return false;  // the query's answer, though a line sent later may read the same
    }
    if (IsRefusal(raw))
        return false;
    const size_t look = std::min(m_waiting.size(), kLookAhead);
    for (size_t i = 0; i < look; ++i) {
        const Waiting& sent = m_waiting[i];
        if (!IsEchoOf(text, sent.text))
            continue;
        m_echoed = sent.number;
        m_lastEchoed = sent.whole;
        m_lastEchoedPath = sent.path;
        m_answerDue = sent.query;
        m_answerPath = sent.path;
        m_waiting.erase(m_waiting.begin(), m_waiting.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return true;
    }
    return false;
}
