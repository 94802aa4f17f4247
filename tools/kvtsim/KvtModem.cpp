#include "KvtModem.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kvtsim {

namespace {
std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool IsPrefixOf(const std::string& part, const char* whole)
{
    return std::string_view(whole).substr(0, part.size()) == part;
}

// The number after a command letter (0 when none follows).
int Number(const std::string& s, size_t& i)
{
    int n = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && n < 100000)
        n = n * 10 + (s[i++] - '0');
    return n;
}

constexpr char kBackspace = 0x08;
constexpr char kDelete = 0x7f;
}  // namespace

bool ParseDialResult(const std::string& word, DialResult& result)
{
    const std::string w = Upper(word);
    if (w == "CONNECT")
        result = DialResult::Connect;
    else if (w == "NO-CARRIER")
        result = DialResult::NoCarrier;
    else if (w == "BUSY")
        result = DialResult::Busy;
    else if (w == "NO-DIALTONE")
        result = DialResult::NoDialtone;
    else if (w == "ERROR")
        result = DialResult::Error;
    else if (w == "NONE")
        result = DialResult::None;
    else
        return false;
    return true;
}

KvtModem::KvtModem(KvtDevice& device, ModemConfig config)
    : m_device(device)
    , m_config(std::move(config))
{
}

void KvtModem::Receive(std::string_view bytes, TimePoint now)
{
    Tick(now);
    size_t i = 0;
    while (i < bytes.size()) {
        switch (m_state) {
        case State::Command:
        case State::OnlineCommand:
            CommandByte(bytes[i++], now);
            break;
        case State::Dialling: {
            const char c = bytes[i++];
            if (c == '\n' && m_lastWasCr) {
                m_lastWasCr = false;  // the end of the dial line
                break;
            }
            // Any character stops the dialling; it is not kept.
            m_dialDue.reset();
            m_state = State::Command;
            m_lastWasCr = false;
            Result("NO CARRIER");
            break;
        }
        case State::Online:
            if (bytes[i] == '\n' && m_lastWasCr) {
                ++i;  // the end of the line that brought the call back (ATO)
                m_lastWasCr = false;
                break;
            }
            m_lastWasCr = false;
            i += OnlineBytes(bytes.substr(i), now);
            break;
        }
    }
}

void KvtModem::CommandByte(char c, TimePoint now)
{
    if (c == '\n') {
        // A line end is "\r" ("\r\n" counts once); a stray "\n" is ignored.
        m_lastWasCr = false;
        return;
    }
    m_lastWasCr = c == '\r';
    if (c == '\r') {
        if (m_echo)
            m_output += "\r\n";
        const std::string line = m_line;
        m_line.clear();
        ExecuteLine(line, now);
        return;
    }
    if (c == kBackspace || c == kDelete) {
        if (!m_line.empty()) {
            m_line.pop_back();
            if (m_echo)
                m_output += "\b \b";
        }
        return;
    }
    m_line.push_back(c);
    if (m_echo)
        m_output.push_back(c);
}

void KvtModem::ExecuteLine(const std::string& raw, TimePoint now)
{
    const std::string line = Trim(raw);
    if (line.size() < 2 || Upper(line.substr(0, 2)) != "AT")
        return;  // not a command: a modem says nothing
    m_commands.push_back(line);
    const std::string s = line.substr(2);
    size_t i = 0;
    while (i < s.size()) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i++])));
        switch (c) {
        case ' ':
            break;
        case 'D': {
            std::string number;
            for (char d : s.substr(i)) {
                if (!std::isspace(static_cast<unsigned char>(d)))
                    number.push_back(d);
            }
            if (!number.empty() && (number[0] == 'T' || number[0] == 't' || number[0] == 'P' || number[0] == 'p'))
                number.erase(0, 1);
            if (!number.empty() && number.back() == ';') {
                m_number = number.substr(0, number.size() - 1);
                Result("OK");  // dial and stay in the command state: nothing to call here
                return;
            }
            m_number = number;
            ++m_dials;
            const std::vector<DialResult>& results = m_config.dialResults;
            m_pending = results.empty() ? DialResult::Connect : results[std::min(m_nextResult, results.size() - 1)];
            ++m_nextResult;
            m_state = State::Dialling;
            if (m_pending == DialResult::None)
                m_dialDue.reset();  // rings for ever
            else
                m_dialDue = now + Millis(m_config.dialMs);
            return;
        }
        case 'Z':
            Number(s, i);
            Reset();
            break;
        case '&': {
            const char letter = i < s.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(s[i++]))) : 0;
            const int n = Number(s, i);
            if (!std::isalpha(static_cast<unsigned char>(letter))) {
                Result("ERROR");
                return;
            }
            if (letter == 'F')
                Reset();
            else if (letter == 'D')
                m_dtrMode = n;
            break;
        }
        case '\\':
        case '%': {
            if (i >= s.size() || !std::isalpha(static_cast<unsigned char>(s[i]))) {
                Result("ERROR");
                return;
            }
            ++i;
            Number(s, i);
            break;
        }
        case 'E':
            m_echo = Number(s, i) != 0;
            break;
        case 'X': {
            const int n = Number(s, i);
            if (n > 4) {
                Result("ERROR");
                return;
            }
            m_resultLevel = n;
            break;
        }
        case 'H':
            Number(s, i);
            HangUp();
            break;
        case 'O':
            Number(s, i);
            if (m_state != State::OnlineCommand) {
                Result("NO CARRIER");
                return;
            }
            m_state = State::Online;
            m_lastRx = now;
            m_plusCount = 0;
            Result(m_config.connectText);
            return;
        case 'S': {
            const int reg = Number(s, i);
            if (i < s.size() && s[i] == '=') {
                ++i;
                m_registers[reg] = Number(s, i);
            } else if (i < s.size() && s[i] == '?') {
                ++i;
                char buf[16];
                std::snprintf(buf, sizeof buf, "%03d", m_registers.count(reg) ? m_registers[reg] : 0);
                Result(buf);
            } else {
                Result("ERROR");
                return;
            }
            break;
        }
        default:
            if (!std::isalpha(static_cast<unsigned char>(c))) {
                Result("ERROR");
                return;
            }
            Number(s, i);  // any other basic command is taken
            break;
        }
    }
    Result("OK");
}

size_t KvtModem::OnlineBytes(std::string_view bytes, TimePoint now)
{
    const Millis guard(m_config.guardMs);
    std::string forward;
    auto flush = [&] {
        if (!forward.empty())
            m_device.Receive(forward, now);
        forward.clear();
        PullDevice();
    };
    for (size_t k = 0; k < bytes.size(); ++k) {
        const char c = bytes[k];
        const bool paused = now - m_lastRx >= guard;
        if (!m_held.empty() || (m_dtrMode != 0 && (c == 'A' || c == 'a') && paused)) {
            // Perhaps the "ATH" after a dropped DTR.
            const std::string candidate = Upper(m_held + c);
            if (candidate == "ATH\r" || candidate == "ATH0\r") {
                flush();
                const std::string command = m_held;
                m_held.clear();
                ++m_hangups;
                m_state = State::Command;
                m_escapeDue.reset();
                m_plusCount = 0;
                if (m_echo)
                    m_output += command + "\r\n";
                m_commands.push_back(command);
                Result("OK");
                m_lastWasCr = true;
                m_lastRx = now;
                return k + 1;
            }
            m_lastRx = now;
            if (IsPrefixOf(candidate, "ATH\r") || IsPrefixOf(candidate, "ATH0\r")) {
                m_held.push_back(c);
                continue;
            }
            forward += m_held;
            forward.push_back(c);
            m_held.clear();
            m_plusCount = 0;
            m_escapeDue.reset();
            continue;
        }
        // "+++" with the guard time before it (and after it, see Tick).
        if (c == '+' && m_plusCount < 3 && (m_plusCount > 0 || paused)) {
            if (++m_plusCount == 3)
                m_escapeDue = now + guard;
        } else {
            m_plusCount = 0;
            m_escapeDue.reset();
        }
        forward.push_back(c);
        m_lastRx = now;
    }
    flush();
    return bytes.size();
}

void KvtModem::Tick(TimePoint now)
{
    m_device.Tick(now);
    PullDevice();
    if (m_dialDue && now >= *m_dialDue) {
        m_dialDue.reset();
        if (m_pending == DialResult::Connect) {
            Result(m_config.connectText);
            m_state = State::Online;
            m_lastRx = now;
            m_plusCount = 0;
            m_held.clear();
            m_lastWasCr = false;
        } else {
            m_state = State::Command;
            Result(DialWord(m_pending));
        }
    }
    if (m_escapeDue && now >= *m_escapeDue && m_state == State::Online) {
        m_escapeDue.reset();
        m_plusCount = 0;
        m_state = State::OnlineCommand;
        m_line.clear();
        m_lastWasCr = false;
        Result("OK");
    }
}

std::optional<TimePoint> KvtModem::NextDeadline() const
{
    std::optional<TimePoint> next = m_device.NextDeadline();
    for (const std::optional<TimePoint>& t : {m_dialDue, m_escapeDue}) {
        if (t && (!next || *t < *next))
            next = t;
    }
    return next;
}

std::string KvtModem::TakeOutput()
{
    PullDevice();
    std::string out;
    out.swap(m_output);
    return out;
}

void KvtModem::PullDevice()
{
    // Without a call the device's output goes nowhere.
    const std::string out = m_device.TakeOutput();
    if (m_state == State::Online)
        m_output += out;
}

void KvtModem::Result(const std::string& word)
{
    m_output += "\r\n" + word + "\r\n";
}

void KvtModem::Reset()
{
    m_echo = true;
    m_resultLevel = 4;
    m_dtrMode = 2;
    m_registers.clear();
}

void KvtModem::HangUp()
{
    if (HasCall())
        ++m_hangups;
    m_state = State::Command;
    m_dialDue.reset();
    m_escapeDue.reset();
    m_plusCount = 0;
    m_held.clear();
}

std::string KvtModem::DialWord(DialResult result) const
{
    // Basic result codes (ATX0, ATX1) report a busy line and a missing dial
    // tone as "NO CARRIER"; X2 adds NO DIALTONE, X3 adds BUSY, X4 both.
    switch (result) {
    case DialResult::Busy: return m_resultLevel >= 3 ? "BUSY" : "NO CARRIER";
    case DialResult::NoDialtone: return m_resultLevel == 2 || m_resultLevel >= 4 ? "NO DIALTONE" : "NO CARRIER";
    case DialResult::Error: return "ERROR";
    case DialResult::NoCarrier:
    case DialResult::Connect:
    case DialResult::None: break;
    }
    return "NO CARRIER";
}

}  // namespace kvtsim
