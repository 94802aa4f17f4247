#pragma once
// An audio signal: one alarm, chime or message that the central device can
// play. It names its source (a signal generator linked in at key 0, or for a
// message signal a message number), its priority and the macros the device
// runs when the signal starts (outgoing key 0) and stops (outgoing key 1).

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"
#include "model/ITextSettings.h"

// Kind ids of the signals.
namespace signalkind {
enum : uint32_t {
    Alarm = 32822,            // "Alarm"
    Chime = 32823,            // "Gong"
    Message = 32824,          // "Text"
    InternalMessage = 34538,  // "Text"
};
}

// Value keys of a signal (low 16 bits).
namespace signalkey {
enum : uint32_t {
    Priority = 1,
    MessageNumber = 2,
};
}

class CAudioSignal : public CBaseDevice, public ITextSettings {
    QL_DECLARE_SERIAL(CAudioSignal)
public:
    CAudioSignal();

    void Serialize(CArchive& ar) override;
    // Holds what a damaged or hand-made file gives beyond what the signal
    // takes (a priority beyond 1..10, a negative message number) and names it.
    int PostLoad() override;

    // Key 1: the priority ("%d"), key 2: the message number ("%d"); else empty.
    std::string GetValue(uint32_t key) const;
    // Key 1: priority from the text's leading integer (kept in 1..10 for the
    // editor's signal kinds); key 2: message number ("%d", 0 when unreadable).
    // True for keys 1 and 2.
    bool SetValue(uint32_t key, const std::string& text) override;

    // Number of the macro at outgoing key 0 (start) or 1 (stop); -1 when none.
    int32_t GetMacroNumber(int32_t key) const;

    // Builds the line of one download step (0 "INTERN", 1 "MACRO_START",
    // 2 "MACRO_STOP"; " ?" in query mode), sends it and returns it.
    std::string SendSignalLine(int step, bool shorten, bool query);
    // Three steps, one line each; a signal without a protocol path has none.
    int GetDownloadLines(int mode, int step) override;
    // Takes the device's generator (or message number) and macros; an answer
    // it cannot read is reported and changes nothing.
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Deleting: no console key keeps playing the signal by its number.
    int OnCommand(uint32_t commandId) override;

    int32_t GetPriority() const { return m_priority; }
    int32_t GetMessageNumber() const { return m_messageNumber; }

protected:
    // Links the macro with that number at outgoing key `key` (0 start, 1 stop);
    // 0 drops the link. A missing macro is reported and changes nothing.
    bool TakeMacro(int32_t key, int32_t number);
    // Links the generator (number, type) at incoming key 0; 0 drops the link.
    bool TakeGenerator(const std::string& kindWord, uint32_t generatorType, int32_t number);

    int32_t m_priority = 1;       // 1..10
    int32_t m_messageNumber = 0;  // meaningful for message signals only
};
