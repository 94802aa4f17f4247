#pragma once
// A dial-up modem in front of the device: until a call is connected it is the
// modem that answers (Hayes commands: init strings, ATZ, AT&F, ATE, ATX, ATS,
// dialling with ATD, hang-up with ATH, back online with ATO); once connected
// every byte goes to the device and the device's answers come back. "+++"
// between two guard times returns to the command state with the call kept.
//
// A pseudo-terminal has no DTR line. A host drops DTR, waits and sends "ATH"
// to hang up; so in the online state an "ATH" line that comes after at least
// the guard time of silence stands for that drop (unless AT&D0 told the modem
// to ignore DTR): the call ends and the "ATH" is answered in the command state.
//
// Like the device, no I/O here: bytes in with a time, output taken out.

#include "KvtDevice.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvtsim {

// What the other end does when a number is dialled.
enum class DialResult { Connect, NoCarrier, Busy, NoDialtone, Error, None };

struct ModemConfig {
    bool enabled = false;
    // One result a dial, in order; the last one repeats (empty: Connect).
    std::vector<DialResult> dialResults;
    int dialMs = 800;                         // from ATD to the result
    int guardMs = 1000;                       // guard time of "+++" (and of the DTR stand-in)
    std::string connectText = "CONNECT 19200";
};

// "connect", "no-carrier", "busy", "no-dialtone", "error", "none".
bool ParseDialResult(const std::string& word, DialResult& result);

class KvtModem {
public:
    enum class State { Command, Dialling, Online, OnlineCommand };

    KvtModem(KvtDevice& device, ModemConfig config);

    void Receive(std::string_view bytes, TimePoint now);
    void Tick(TimePoint now);
    std::optional<TimePoint> NextDeadline() const;
    std::string TakeOutput();
    std::vector<LinkAction> TakeActions() { return m_device.TakeActions(); }

    // Inspection (tests, log).
    State GetState() const { return m_state; }
    bool HasCall() const { return m_state == State::Online || m_state == State::OnlineCommand; }
    // Every command line the modem executed, as received.
    const std::vector<std::string>& Commands() const { return m_commands; }
    const std::string& LastNumber() const { return m_number; }
    int Dials() const { return m_dials; }
    int Hangups() const { return m_hangups; }
    bool IsEchoOn() const { return m_echo; }

private:
    void CommandByte(char c, TimePoint now);
    // Returns how many bytes it took (it stops when the call ends).
    size_t OnlineBytes(std::string_view bytes, TimePoint now);
    void PullDevice();
    void ExecuteLine(const std::string& line, TimePoint now);
    void Result(const std::string& word);
    void Reset();
    void HangUp();
    std::string DialWord(DialResult result) const;

    KvtDevice& m_device;
    ModemConfig m_config;
    State m_state = State::Command;
    std::string m_output;

    // Command state.
    std::string m_line;
    bool m_lastWasCr = false;
    bool m_echo = true;
    int m_resultLevel = 4;  // ATX
    int m_dtrMode = 2;      // AT&D
    std::vector<std::string> m_commands;
    std::map<int, int> m_registers;  // ATS

    // Dialling.
    std::string m_number;
    int m_dials = 0;
    size_t m_nextResult = 0;
    std::optional<TimePoint> m_dialDue;
    DialResult m_pending = DialResult::Connect;

    // Online: guard times of "+++" and of the DTR stand-in.
    TimePoint m_lastRx {};
    int m_plusCount = 0;
    std::optional<TimePoint> m_escapeDue;
    std::string m_held;  // a possible "ATH" line after a pause, held back from the device
    int m_hangups = 0;
};

}  // namespace kvtsim
