#pragma once
// The device side of the text protocol, as the designer expects the central
// device to behave: echo, prompt, settings lines stored and read back by
// queries, the path shorthand, password protection, macro lock, save and clear
// commands, the network scan, and the boot loader that takes S-records.
//
// No I/O here: bytes go in through Receive, answers come out of TakeOutput,
// time is given by the caller (so tests run without a terminal and without
// waiting). Fault behaviour (silence, garbage, hang-up, held XOFF) is driven by
// rules; the actions that concern the line itself are handed to the runner
// through TakeActions.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvtsim {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Millis = std::chrono::milliseconds;

struct DeviceTable;

struct DeviceConfig {
    // Operating-system version answered to /SERVICE/VER ?: an upgraded
    // device (the trailing "a"), which a new project is made for, with a
    // system that runs every window.
    std::string version = "V0.800a";
    std::string newVersion;            // version after a successful firmware load (empty: unchanged)
    std::string deviceId = "KVT7000";  // answer to /SERVICE/DEVICE ?
    bool startInBoot = false;          // sits in its boot loader at start
    std::string password;              // non-empty: protected at start with this password
    int bootEnterMs = 300;             // from "/SERVICE/START BOOTLOAD" to the loader prompt
    int eraseMs = 1500;                // erasing the flash after "UPDATE"
    int startMs = 300;                 // from "START" to the system's banner
    int netscanSeconds = 8;            // how long a network scan runs
    bool firmwareFails = false;        // the loader rejects every S-record stream
    int answerDelayMs = 0;             // answers (not the echo) come this much later
    std::vector<std::string> events;   // event log entries held at start, oldest first
    std::vector<std::string> unknown;  // upper-case paths the device does not know (nor what lies below them)
    // Upper-case paths whose query is answered with this value, whatever the
    // device holds (a garbled or strange answer).
    std::map<std::string, std::string> answers;
};

// What the runner must do to the line.
struct LinkAction {
    enum Kind { Hangup, HoldXoff, ReadPace };
    Kind kind;
    int ms = 0;  // HoldXoff: how long; ReadPace: characters a second
};

// A fault rule: when the `afterLines`-th line has been received, do `what`.
struct FaultRule {
    enum What { Silent, Talk, Garbage, Send, Hangup, HoldXoff, Delay, Event, ReadPace };
    int afterLines = 0;
    What what = Silent;
    int amount = 0;    // Garbage: bytes; HoldXoff, Delay: milliseconds; ReadPace: characters a second
    std::string text;  // Send: the raw bytes; Event: the entry
};

class KvtDevice {
public:
    enum class Mode { System, BootLoader };

    explicit KvtDevice(DeviceConfig config = {});

    // A rule for line 0 (or below) takes effect at once.
    void AddRule(const FaultRule& rule);
    // Presets a stored value (path upper-cased, as the device keeps it).
    void SetValue(const std::string& path, const std::string& value);
    // Takes protocol lines (ended by "\r\n", "\r" or "\n") as if received,
    // without echo, answers or prompts and without counting them for the
    // fault rules: the configuration the device holds at start.
    void Preload(std::string_view text);
    // Of every fixed table, only the entries whose number is a multiple of
    // `n` keep what they hold; every other entry is cleared. With a whole
    // configuration loaded, every n-th entry is in use and the free lists
    // are at their longest.
    void KeepEveryNth(int n);
    // What the device holds, one "PATH VALUE" line each, sorted: the free
    // numbers of every fixed table (under its clear path), the keys of the
    // entries in use that answer otherwise than a cleared entry, and every
    // other stored value that answers otherwise than a fresh device. Two
    // devices that give the same text hold the same configuration.
    std::string Holdings() const;
    // Adds an entry to the end of the event log.
    void AddEvent(const std::string& entry) { m_events.push_back(entry); }
    size_t EventsHeld() const { return m_events.size(); }

    // Bytes from the host (flow-control characters already taken out).
    void Receive(std::string_view bytes, TimePoint now);
    // Runs what has come due by `now` (delayed answers, erase, scan end).
    void Tick(TimePoint now);
    // When Tick has something to do next.
    std::optional<TimePoint> NextDeadline() const;

    std::string TakeOutput();
    std::vector<LinkAction> TakeActions();

    // Inspection (tests, log).
    Mode GetMode() const { return m_mode; }
    bool IsProtected() const { return m_protected; }
    bool IsSilent() const { return m_silent; }
    bool IsEchoOn() const { return m_echo; }
    bool IsPromptOn() const { return m_prompt; }
    std::string Value(const std::string& path) const;
    const std::string& CurrentPath() const { return m_current; }
    int LinesReceived() const { return m_lineCount; }
    int FastSaves() const { return m_fastSaves; }
    int MacroLockOnCount() const { return m_lockOn; }
    int MacroLockOffCount() const { return m_lockOff; }
    bool IsMacroLocked() const { return m_locked; }
    int RecordsReceived() const { return m_records; }
    bool IsSystemValid() const { return m_systemValid; }
    const std::string& Version() const { return m_config.version; }

    // The default values of a fresh or cleared device.
    static std::map<std::string, std::string> DefaultValues();
    // Whether an S-record line is well formed with a correct checksum.
    static bool IsValidSRecord(std::string_view line);

private:
    void HandleByte(char c, TimePoint now);
    void EndLine(TimePoint now);
    void HandleSystemLine(const std::string& line, TimePoint now);
    void HandleLoaderLine(const std::string& line, TimePoint now);
    void SetSetting(const std::string& path, const std::string& value, TimePoint now);
    void Query(const std::string& path, TimePoint now);
    void ApplyRules(TimePoint now);
    void ApplyRule(const FaultRule& rule);
    void Answer(const std::string& text, TimePoint now);
    void Emit(const std::string& text);
    void EmitPrompt(TimePoint now);
    void Schedule(TimePoint when, std::function<void()> what);
    std::string ResolvePath(const std::string& word) const;
    bool IsUnknownPath(const std::string& path) const;
    std::string Clock(bool date) const;
    // Whether the device was told to write dates in the US form (mm/dd/yyyy).
    bool UsDates() const;
    // A clock date in the device's current form, from the day-first form it
    // is kept in.
    std::string ClockDateText(const std::string& kept) const;
    // The free entries of a fixed table, as a range text ("0" when none is free).
    std::string FreeNumbers(const DeviceTable& table) const;
    // Which entries of a fixed table are in use (index = entry number).
    std::vector<bool> UsedEntries(const DeviceTable& table) const;
    // The names one level below `path` among the stored paths, comma-separated
    // ("" when nothing is stored below it).
    std::string ChildNames(const std::string& path) const;

    DeviceConfig m_config;
    Mode m_mode = Mode::System;
    std::map<std::string, std::string> m_values;
    std::string m_current = "/";  // path and key of the last command
    std::string m_line;           // line being received
    bool m_lastWasCr = false;
    bool m_echo = true;
    bool m_prompt = true;
    bool m_silent = false;
    int m_lineCount = 0;

    // Password protection.
    bool m_protected = false;
    std::string m_password;
    enum class PwState { None, Login, NewFirst, NewSecond } m_pwState = PwState::None;
    std::string m_newPassword;

    int m_fastSaves = 0;
    int m_lockOn = 0;
    int m_lockOff = 0;
    bool m_locked = false;
    bool m_scanning = false;
    int m_scanGeneration = 0;

    // Boot loader.
    enum class LoaderState { Prompt, Erasing, Receiving } m_loader = LoaderState::Prompt;
    bool m_systemValid = true;
    int m_records = 0;
    int m_badRecordLine = 0;
    bool m_aborted = false;

    struct Timed {
        TimePoint when;
        uint64_t order;
        std::function<void()> what;
    };
    std::vector<Timed> m_timed;
    uint64_t m_timedOrder = 0;
    TimePoint m_lastOutputDue {};  // delayed answers keep their order

    std::deque<std::string> m_events;  // the event log, oldest first
    std::vector<FaultRule> m_rules;
    std::string m_output;
    std::vector<LinkAction> m_actions;
};

}  // namespace kvtsim
