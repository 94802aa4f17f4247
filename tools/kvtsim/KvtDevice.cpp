#include "KvtDevice.h"

#include "KvtTables.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <vector>

namespace kvtsim {

namespace {
std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return std::string(s.substr(b, e - b));
}

bool IsOnOff(const std::string& upper)
{
    return upper == "ON" || upper == "OFF";
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Comma-separated numbers and ranges ("1-3,7"); "0" when there are none.
bool IsClockDate(const std::string& path)
{
    return path == "/CLOCK/MAIN/DATE" || path == "/CLOCK/DCF/DATE";
}

// A date in the given form ("d.m.yyyy", or "m/d/yyyy" for the US form) as
// day, month and year; false when the text is no such date.
bool ReadDate(const std::string& text, bool us, int& day, int& month, int& year)
{
    const char separator = us ? '/' : '.';
    int parts[3] = {0, 0, 0};
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t start = at;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && at - start < 4)
            parts[i] = parts[i] * 10 + (text[at++] - '0');
        const size_t digits = at - start;
        if (digits == 0 || (i < 2 && digits > 2) || (i == 2 && digits != 4))
            return false;
        if (i < 2 && (at >= text.size() || text[at++] != separator))
            return false;
    }
    if (at != text.size())
        return false;
    day = us ? parts[1] : parts[0];
    month = us ? parts[0] : parts[1];
    year = parts[2];
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 &&
           day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string RangeText(const std::vector<int>& numbers)
{
    std::string text;
    for (size_t i = 0; i < numbers.size();) {
        size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        if (!text.empty())
            text += ",";
        text += std::to_string(numbers[i]);
        if (j > i)
            text += "-" + std::to_string(numbers[j]);
        i = j + 1;
    }
    return text.empty() ? "0" : text;
}

constexpr char kEtx = 0x03;
constexpr char kBackspace = 0x08;
constexpr char kDelete = 0x7f;
const char* const kLoaderPrompt = "* FLASHBOOT>";
}  // namespace

KvtDevice::KvtDevice(DeviceConfig config)
    : m_config(std::move(config))
    , m_values(DefaultValues())
    , m_events(m_config.events.begin(), m_config.events.end())
{
    m_mode = m_config.startInBoot ? Mode::BootLoader : Mode::System;
    m_protected = !m_config.password.empty();
    m_password = m_config.password;
}

std::map<std::string, std::string> KvtDevice::DefaultValues()
{
    return {
        {"/COMM/ECHO", "ON"},
        {"/COMM/PROMPT", "ON"},
        {"/COMM/MODEM/INIT", "ATZ"},
        {"/CLOCK/DATEFORMAT", "GERMAN"},
        {"/MACRO/LOCK", "OFF"},
        {"/MACRO/BOOT", "0"},  // no macro runs at power-up or power-down
        {"/MACRO/SHUT", "0"},
        {"/SERVICE/ACCESS/DATE", "01.01.2004"},
        {"/SERVICE/ACCESS/TIME", "12:00:00"},
        {"/SERVICE/NETSCAN", "OFF"},
        {"/FAULT/ACTIVE", "NONE"},  // no fault source is active
    };
}

void KvtDevice::SetValue(const std::string& path, const std::string& value)
{
    const std::string key = Upper(path);
    m_values[key] = value;
    if (key == "/COMM/ECHO")
        m_echo = Upper(value) == "ON";
    else if (key == "/COMM/PROMPT")
        m_prompt = Upper(value) == "ON";
}

std::string KvtDevice::Value(const std::string& path) const
{
    const auto it = m_values.find(Upper(path));
    return it == m_values.end() ? std::string() : it->second;
}

bool KvtDevice::IsValidSRecord(std::string_view line)
{
    if (line.size() < 4 || (line[0] != 'S' && line[0] != 's') || !std::isdigit(static_cast<unsigned char>(line[1])))
        return false;
    const std::string_view hex = line.substr(2);
    if (hex.size() % 2 != 0)
        return false;
    unsigned sum = 0;
    std::vector<int> bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int hi = HexDigit(hex[i]), lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes.push_back(hi * 16 + lo);
    }
    if (bytes.empty() || static_cast<size_t>(bytes[0]) != bytes.size() - 1)
        return false;
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        sum += static_cast<unsigned>(bytes[i]);
    return ((sum + static_cast<unsigned>(bytes.back())) & 0xffu) == 0xffu;
}

void KvtDevice::Preload(std::string_view text)
{
    const TimePoint now = kvtsim::Clock::now();
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string line(text.substr(begin, end - begin));
        begin = end + 1;
        if (!line.empty() && m_mode == Mode::System)
            HandleSystemLine(line, now);
    }
    // What the lines would have answered is nobody's; the next line starts
    // from the top.
    m_output.clear();
    m_timed.clear();
    m_lastOutputDue = {};
    m_current = "/";
}

void KvtDevice::Receive(std::string_view bytes, TimePoint now)
{
    Tick(now);
    for (char c : bytes)
        HandleByte(c, now);
}

void KvtDevice::HandleByte(char c, TimePoint now)
{
    const bool echo = m_echo && m_mode == Mode::System && !m_silent;
    if (c == '\n') {
        // "\r\n" is one line end; a lone "\n" ends a line as well.
        if (!m_lastWasCr) {
            if (echo)
                Emit("\r\n");
            EndLine(now);
        }
        m_lastWasCr = false;
        return;
    }
    m_lastWasCr = (c == '\r');
    if (c == '\r') {
        if (echo)
            Emit("\r\n");
        EndLine(now);
        return;
    }
    if (c == kBackspace || c == kDelete) {
        if (!m_line.empty()) {
            m_line.pop_back();
            if (echo)
                Emit("\b \b");
        }
        return;
    }
    if (c == kEtx) {
        // ETX abandons the line being typed; the loader takes it as "stop".
        m_line.clear();
        if (m_mode == Mode::BootLoader && m_loader == LoaderState::Receiving)
            m_aborted = true;
        return;
    }
    m_line.push_back(c);
    if (echo)
        Emit(std::string(1, c));
}

void KvtDevice::EndLine(TimePoint now)
{
    const std::string line = m_line;
    m_line.clear();
    ++m_lineCount;
    if (!m_silent) {
        if (m_mode == Mode::System)
            HandleSystemLine(line, now);
        else
            HandleLoaderLine(line, now);
    }
    ApplyRules(now);
}

void KvtDevice::AddRule(const FaultRule& rule)
{
    // A rule for line 0 holds from the start.
    if (rule.afterLines <= 0)
        ApplyRule(rule);
    else
        m_rules.push_back(rule);
}

void KvtDevice::ApplyRules(TimePoint now)
{
    (void)now;
    for (const FaultRule& rule : m_rules) {
        if (rule.afterLines == m_lineCount)
            ApplyRule(rule);
    }
}

void KvtDevice::ApplyRule(const FaultRule& rule)
{
    {
        switch (rule.what) {
        case FaultRule::Silent:
            m_silent = true;
            break;
        case FaultRule::Talk:
            m_silent = false;
            break;
        case FaultRule::Garbage: {
            // Noise of a disturbed line: high bytes and stray characters, no
            // line end and no flow-control characters.
            std::string noise;
            for (int i = 0; i < rule.amount; ++i) {
                const unsigned char b = static_cast<unsigned char>(0x80 + (i * 37) % 0x7f);
                noise.push_back(i % 3 == 2 ? static_cast<char>('!' + i % 60) : static_cast<char>(b));
            }
            Emit(noise);
            break;
        }
        case FaultRule::Send:
            Emit(rule.text);
            break;
        case FaultRule::Hangup:
            m_actions.push_back({LinkAction::Hangup, 0});
            break;
        case FaultRule::HoldXoff:
            m_actions.push_back({LinkAction::HoldXoff, rule.amount});
            break;
        case FaultRule::ReadPace:
            m_actions.push_back({LinkAction::ReadPace, rule.amount});
            break;
        case FaultRule::Delay:
            m_config.answerDelayMs = rule.amount;
            break;
        case FaultRule::Event:
            m_events.push_back(rule.text);
            break;
        }
    }
}

std::string KvtDevice::ResolvePath(const std::string& word) const
{
    std::string path = Upper(word);
    if (!path.empty() && path[0] == '/')
        return path;
    // Relative to the folder of the last command.
    const size_t slash = m_current.rfind('/');
    const std::string folder = slash == std::string::npos ? "/" : m_current.substr(0, slash + 1);
    return folder + path;
}

bool KvtDevice::IsUnknownPath(const std::string& path) const
{
    for (const std::string& u : m_config.unknown)
        if (path.compare(0, u.size(), u) == 0 && (path.size() == u.size() || path[u.size()] == '/'))
            return true;
    return false;
}

void KvtDevice::HandleSystemLine(const std::string& raw, TimePoint now)
{
    // Password lines follow "/PROTECT OFF" (login) and "/PROTECT ON" (new password, twice).
    if (m_pwState != PwState::None) {
        std::string pw = raw;
        while (!pw.empty() && std::isspace(static_cast<unsigned char>(pw.back())))
            pw.pop_back();
        switch (m_pwState) {
        case PwState::Login:
            if (m_protected && pw == m_password)
                m_protected = false;
            m_pwState = PwState::None;
            break;
        case PwState::NewFirst:
            m_newPassword = pw;
            m_pwState = PwState::NewSecond;
            break;
        case PwState::NewSecond:
            if (!pw.empty() && pw == m_newPassword) {
                m_password = pw;
                m_protected = true;
            }
            m_newPassword.clear();
            m_pwState = PwState::None;
            break;
        case PwState::None:
            break;
        }
        EmitPrompt(now);
        return;
    }

    const std::string trimmed = Trim(raw);
    if (trimmed.empty() || trimmed[0] == ';') {
        EmitPrompt(now);
        return;
    }

    std::string path;
    std::string value;
    // "PATH " (a blank, then nothing) sets an empty value; "PATH" alone selects.
    bool emptyValue = false;
    if (raw[0] == ' ' || raw[0] == '\t') {
        // Continues the path of the previous command.
        path = m_current;
        value = trimmed;
    } else {
        const size_t blank = trimmed.find_first_of(" \t");
        const std::string word = trimmed.substr(0, blank);
        value = blank == std::string::npos ? std::string() : Trim(trimmed.substr(blank));
        if (word == "?") {
            path = m_current;
            value = "?";
        } else {
            path = ResolvePath(word);
            emptyValue = value.empty() && raw.find_first_of(" \t") != std::string::npos;
        }
    }

    if (m_protected && path != "/PROTECT") {
        m_current = "/PROTECT";
        Answer("/PROTECT ON\r\n", now);
        EmitPrompt(now);
        return;
    }

    const bool folder = path.size() > 1 && path.back() == '/';
    if (emptyValue && (folder || path == "/" || !ChildNames(path).empty()))
        emptyValue = false;  // a folder is selected, never set
    if ((!value.empty() || emptyValue) && IsUnknownPath(path)) {
        m_current = path;
        Answer(path + (value == "?" ? "" : " " + value) + " ? \r\n", now);
        EmitPrompt(now);
        return;
    }

    if (emptyValue) {
        m_current = path;
        SetSetting(path, value, now);
    } else if (value.empty() || folder) {
        // A bare path selects it; "/" goes back to the top.
        if (folder)
            path.pop_back();
        m_current = path.empty() ? "/" : path;
    } else if (value == "?") {
        m_current = path;
        Query(path, now);
    } else {
        m_current = path;
        SetSetting(path, value, now);
    }
    EmitPrompt(now);
}

void KvtDevice::SetSetting(const std::string& path, const std::string& value, TimePoint now)
{
    const std::string word = Upper(value);
    if (path == "/COMM/ECHO" || path == "/COMM/PROMPT" || path == "/MACRO/LOCK") {
        if (!IsOnOff(word)) {
            Answer(path + " " + value + " ? \r\n", now);
            return;
        }
        m_values[path] = word;
        if (path == "/COMM/ECHO")
            m_echo = word == "ON";
        else if (path == "/COMM/PROMPT")
            m_prompt = word == "ON";
        else {
            m_locked = word == "ON";
            ++(m_locked ? m_lockOn : m_lockOff);
        }
        return;
    }
    if (path == "/PROTECT") {
        if (word == "OFF")
            m_pwState = m_protected ? PwState::Login : PwState::None;
        else if (word == "ON")
            m_pwState = PwState::NewFirst;
        else
            Answer(path + " " + value + " ? \r\n", now);
        return;
    }
    if (path == "/SERVICE/START") {
        if (word == "FASTSAVE") {
            ++m_fastSaves;
        } else if (word == "EEPCLR") {
            m_values = DefaultValues();
            m_echo = true;
            m_prompt = true;
            m_locked = false;
        } else if (word == "BOOTLOAD") {
            Schedule(now + Millis(m_config.bootEnterMs), [this] {
                m_mode = Mode::BootLoader;
                m_loader = LoaderState::Prompt;
                Emit("\r\n* FLASHBOOT V2.10\r\n");
                Emit(kLoaderPrompt);
            });
        } else {
            Answer(path + " " + value + " ? \r\n", now);
        }
        return;
    }
    if (path == "/SERVICE/NETSCAN") {
        if (!IsOnOff(word)) {
            Answer(path + " " + value + " ? \r\n", now);
            return;
        }
        m_values[path] = word;
        m_scanning = word == "ON";
        const int generation = ++m_scanGeneration;
        if (m_scanning) {
            Schedule(now + Millis(1000LL * m_config.netscanSeconds), [this, generation] {
                if (generation == m_scanGeneration) {
                    m_scanning = false;
                    m_values["/SERVICE/NETSCAN"] = "OFF";
                }
            });
        }
        return;
    }
    if (path == "/SERVICE/VER" || path == "/SERVICE/DEVICE" || path == "/EVENT/LOG/ENTRIES" ||
        path == "/EVENT/LOG/READ") {
        Answer(path + " " + value + " ? \r\n", now);  // read only
        return;
    }
    if (path == "/FAULT/STATE") {
        // Acknowledging clears the fault relay; the state itself is the device's.
        if (word != "QUIT") {
            Answer(path + " " + value + " ? \r\n", now);
            return;
        }
        m_values[path] = "FALSE";
        return;
    }
    if (IsClockDate(path)) {
        // The clock takes a date in the form it was told and keeps it day first.
        int day = 0, month = 0, year = 0;
        if (!ReadDate(value, UsDates(), day, month, year)) {
            Answer(path + " " + value + " ? \r\n", now);
            return;
        }
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", day, month, year);
        m_values[path] = buf;
        return;
    }
    if (TableOfClear(path)) {
        // "ALL" clears every entry of the tables behind the clear path.
        if (word != "ALL") {
            Answer(path + " " + value + " ? \r\n", now);
            return;
        }
        for (const DeviceTable& table : DeviceTables()) {
            if (path != table.clearPath)
                continue;
            const size_t prefixSize = std::strlen(table.prefix);
            for (auto it = m_values.lower_bound(table.prefix);
                 it != m_values.end() && it->first.compare(0, prefixSize, table.prefix) == 0;)
                it = PlaceIn(table, it->first) ? m_values.erase(it) : std::next(it);
        }
        return;
    }
    m_values[path] = value;
}

std::string KvtDevice::FreeNumbers(const DeviceTable& table) const
{
    const std::vector<bool> used = UsedEntries(table);
    std::vector<int> free;
    for (int n = 1; n <= table.count; ++n)
        if (!used[static_cast<size_t>(n)])
            free.push_back(n);
    return RangeText(free);
}

std::vector<bool> KvtDevice::UsedEntries(const DeviceTable& table) const
{
    // An entry is used while its telling key (or, without one, any key)
    // holds something other than nothing, "OFF", 0 or its cleared value (an
    // empty value is something where the table says so).
    std::vector<bool> used(static_cast<size_t>(table.count) + 1, false);
    const size_t prefixSize = std::strlen(table.prefix);
    for (auto it = m_values.lower_bound(table.prefix);
         it != m_values.end() && it->first.compare(0, prefixSize, table.prefix) == 0; ++it) {
        const auto place = PlaceIn(table, it->first);
        if (!place || (table.usedKey && place->key != table.usedKey))
            continue;
        const std::string v = Upper(it->second);
        const char* cleared = ClearedValue(table, place->key);
        if ((v.empty() && !table.emptyIsUsed) || v == "OFF" || v == "0" || (cleared && v == Upper(cleared)))
            continue;
        used[static_cast<size_t>(place->number)] = true;
    }
    return used;
}

void KvtDevice::KeepEveryNth(int n)
{
    if (n < 1)
        return;
    for (auto it = m_values.begin(); it != m_values.end();) {
        const auto place = FindPlace(it->first);
        if (place && place->table->count > 0 && place->number % n != 0)
            it = m_values.erase(it);
        else
            ++it;
    }
}

std::string KvtDevice::Holdings() const
{
    std::vector<std::string> lines;
    std::map<const DeviceTable*, std::vector<bool>> used;
    for (const DeviceTable& t : DeviceTables()) {
        if (t.count > 0 && TableOfClear(t.clearPath) == &t)
            lines.push_back(std::string(t.clearPath) + " " + FreeNumbers(t));
        if (t.count > 0)
            used[&t] = UsedEntries(t);
    }
    const std::map<std::string, std::string> fresh = DefaultValues();
    for (const auto& [path, value] : m_values) {
        if (const auto f = fresh.find(path); f != fresh.end() && f->second == value)
            continue;
        if (const auto place = FindPlace(path)) {
            // A free entry holds nothing anyone asks for.
            if (place->table->count > 0 && !used[place->table][static_cast<size_t>(place->number)])
                continue;
            const char* cleared = ClearedValue(*place->table, place->key);
            if (cleared && Upper(value) == Upper(cleared))
                continue;
        }
        lines.push_back(path + " " + value);
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string KvtDevice::ChildNames(const std::string& path) const
{
    const std::string prefix = path == "/" ? path : path + "/";
    std::string names;
    std::string last;
    for (auto it = m_values.lower_bound(prefix); it != m_values.end() && it->first.compare(0, prefix.size(), prefix) == 0;
         ++it) {
        const std::string rest = it->first.substr(prefix.size());
        const std::string name = rest.substr(0, rest.find('/'));
        if (name.empty() || name == last)
            continue;
        names += (names.empty() ? "" : ",") + name;
        last = name;
    }
    return names;
}

std::string KvtDevice::Clock(bool date) const
{
    const std::time_t t = std::time(nullptr);
    std::tm tm {};
    localtime_r(&t, &tm);
    char buf[32];
    if (date)
        std::strftime(buf, sizeof buf, UsDates() ? "%m/%d/%Y" : "%d.%m.%Y", &tm);
    else
        std::strftime(buf, sizeof buf, "%H:%M:%S", &tm);
    return buf;
}

bool KvtDevice::UsDates() const
{
    const auto it = m_values.find("/CLOCK/DATEFORMAT");
    return it != m_values.end() && Upper(it->second) == "US";
}

std::string KvtDevice::ClockDateText(const std::string& kept) const
{
    int day = 0, month = 0, year = 0;
    if (!UsDates() || !ReadDate(kept, false, day, month, year))
        return kept;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", month, day, year);
    return buf;
}

void KvtDevice::Query(const std::string& path, TimePoint now)
{
    std::string value;
    if (const auto fixed = m_config.answers.find(path); fixed != m_config.answers.end())
        value = fixed->second;
    else if (path == "/SERVICE/VER")
        value = m_config.version + " rel 1.00";
    else if (path == "/SERVICE/DEVICE")
        value = m_config.deviceId;
    else if (path == "/PROTECT")
        value = m_protected ? "ON" : "OFF";
    else if ((path == "/CLOCK/MAIN/TIME" || path == "/CLOCK/MAIN/DATE" || path == "/CLOCK/DCF/TIME" ||
              path == "/CLOCK/DCF/DATE" || path == "/CLOCK/SLAVE/TIME") &&
             !m_values.count(path))
        value = Clock(path.size() > 5 && path.compare(path.size() - 5, 5, "/DATE") == 0);
    else if (IsClockDate(path) && m_values.count(path))
        value = ClockDateText(m_values.at(path));
    else if ((path == "/CLOCK/DCF/RECEIVE" || path == "/CLOCK/SLAVE/OVERLOAD" || path == "/CLOCK/SLAVE/RUN" ||
              path == "/CLOCK/SLAVE/INVERT") &&
             !m_values.count(path))
        value = "OFF";
    else if (path == "/EVENT/LOG/ENTRIES")
        value = std::to_string(m_events.size());
    else if (path == "/EVENT/LOG/READ") {
        // The oldest entry leaves the log; an empty log says so.
        if (m_events.empty()) {
            value = "empty";
        } else {
            value = m_events.front();
            m_events.pop_front();
        }
    } else if (const DeviceTable* table = TableOfClear(path))
        value = FreeNumbers(*table);
    else if (const auto it = m_values.find(path); it != m_values.end())
        value = it->second;
    else if (const auto place = FindPlace(path); place && ClearedValue(*place->table, place->key))
        value = ClearedValue(*place->table, place->key);  // an entry of a fixed table that holds nothing
    else {
        // A folder answers the names below it after a blank (so that a
        // single name still reads as a list); the root answers them alone.
        const std::string children = ChildNames(path);
        if (children.empty())
            Answer(path + " ? \r\n", now);
        else
            Answer(path == "/" ? children + "\r\n" : path + "  " + children + "\r\n", now);
        return;
    }
    Answer(path + " " + value + "\r\n", now);
}

void KvtDevice::HandleLoaderLine(const std::string& raw, TimePoint now)
{
    const std::string line = Trim(raw);
    const std::string word = Upper(line);
    if (m_loader == LoaderState::Erasing)
        return;  // busy
    if (m_loader == LoaderState::Receiving) {
        if (line.empty())
            return;
        const bool endRecord = word.size() >= 2 && word[0] == 'S' && (word[1] == '7' || word[1] == '8' || word[1] == '9');
        if (!endRecord) {
            if (word[0] == 'S') {
                ++m_records;
                if (m_badRecordLine == 0 && !IsValidSRecord(line))
                    m_badRecordLine = m_records;
            } else if (m_badRecordLine == 0) {
                m_badRecordLine = m_records + 1;
            }
            return;
        }
        m_loader = LoaderState::Prompt;
        std::string verdict;
        if (m_aborted)
            verdict = "* \tERROR ABORTED\r\n";
        else if (m_records == 0)
            verdict = "* \tERROR NO DATA\r\n";
        else if (m_badRecordLine != 0 || !IsValidSRecord(line))
            verdict = "* \tERROR CHECKSUM LINE " + std::to_string(m_badRecordLine != 0 ? m_badRecordLine : m_records + 1) + "\r\n";
        else if (m_config.firmwareFails)
            verdict = "* \tERROR FLASH WRITE\r\n";
        if (verdict.empty()) {
            m_systemValid = true;
            if (!m_config.newVersion.empty())
                m_config.version = m_config.newVersion;
            Answer("* \tOK.\r\n", now);
        } else {
            Answer(verdict, now);
        }
        return;
    }

    // At the loader prompt.
    if (word.empty()) {
        Emit("\r\n");
        Emit(kLoaderPrompt);
    } else if (word == "UPDATE") {
        m_loader = LoaderState::Erasing;
        m_systemValid = false;
        m_records = 0;
        m_badRecordLine = 0;
        m_aborted = false;
        Emit("* \tERASE\r\n");
        Schedule(now + Millis(m_config.eraseMs), [this] {
            m_loader = LoaderState::Receiving;
            Emit("* \tPROG\r\n");
        });
    } else if (word == "START") {
        Schedule(now + Millis(m_config.startMs), [this] {
            if (m_systemValid) {
                m_mode = Mode::System;
                m_current = "/";
                m_echo = Upper(Value("/COMM/ECHO")) != "OFF";
                m_prompt = Upper(Value("/COMM/PROMPT")) != "OFF";
                Emit("\r\n*** KVT7000 " + m_config.version + " ***\r\n");
            } else {
                Emit("\r\n*** OPERATING SYSTEM N O T  VALID!\r\n");
                Emit(kLoaderPrompt);
            }
        });
    } else {
        Emit("* ?\r\n");
        Emit(kLoaderPrompt);
    }
}

void KvtDevice::Answer(const std::string& text, TimePoint now)
{
    if (m_config.answerDelayMs <= 0 && m_lastOutputDue <= now) {
        Emit(text);
        return;
    }
    const TimePoint due = std::max(now + Millis(m_config.answerDelayMs), m_lastOutputDue);
    m_lastOutputDue = due;
    Schedule(due, [this, text] { Emit(text); });
}

void KvtDevice::EmitPrompt(TimePoint now)
{
    // A locked (protected) interpreter shows no prompt.
    if (m_mode != Mode::System || !m_prompt || m_protected)
        return;
    const std::string prompt = m_current + ">";
    if (m_lastOutputDue > now) {
        // Keep the prompt behind a delayed answer.
        Schedule(m_lastOutputDue, [this, prompt] {
            if (m_prompt)
                Emit(prompt);
        });
        return;
    }
    Emit(prompt);
}

void KvtDevice::Emit(const std::string& text)
{
    if (!m_silent)
        m_output += text;
}

void KvtDevice::Schedule(TimePoint when, std::function<void()> what)
{
    m_timed.push_back({when, m_timedOrder++, std::move(what)});
}

void KvtDevice::Tick(TimePoint now)
{
    for (;;) {
        auto due = m_timed.end();
        for (auto it = m_timed.begin(); it != m_timed.end(); ++it) {
            if (it->when <= now && (due == m_timed.end() || it->when < due->when
                                    || (it->when == due->when && it->order < due->order)))
                due = it;
        }
        if (due == m_timed.end())
            return;
        std::function<void()> what = std::move(due->what);
        m_timed.erase(due);
        what();
    }
}

std::optional<TimePoint> KvtDevice::NextDeadline() const
{
    std::optional<TimePoint> next;
    for (const Timed& t : m_timed) {
        if (!next || t.when < *next)
            next = t.when;
    }
    return next;
}

std::string KvtDevice::TakeOutput()
{
    std::string out;
    out.swap(m_output);
    return out;
}

std::vector<LinkAction> KvtDevice::TakeActions()
{
    std::vector<LinkAction> out;
    out.swap(m_actions);
    return out;
}

}  // namespace kvtsim
