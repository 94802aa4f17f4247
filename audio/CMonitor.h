#pragma once
// The monitor matrix (one per document, number 1, path "/MONI"): a table of
// numbered entries, each naming one audio source the monitor output can be
// switched to, and a list of monitor relays (protocol indices of LMZ764 output
// contacts, 0 = none). The arrays always hold 250 entries and 50 relays; the
// standard device uses 50 entries and 20 relays of them.

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "model/AnswerGroup.h"
#include "model/CBaseDevice.h"

// MonitorSourceCode: low 16 bits the source kind, high 16 bits its number
// (for AMP_IN/AMP_OUT the bus address in bits 16-23, the channel in bits 24-31).
namespace monitorsource {
enum : uint32_t {
    Relay = 0,       // key of a relay word (SetValue/GetValue/GetValueText)
    SourceWord = 1,  // GetValueText: the entry's source word
    AddRelay = 2,    // SetValue
    AddEntry = 3,    // SetValue; GetValue: the entry's source code
    Off = 4,         // "OFF"
    In = 5,          // "IN"
    Out = 6,         // "OUT"
    Rel = 7,         // "REL"
    AmpIn = 8,       // "AMP_IN"
    AmpOut = 9,      // "AMP_OUT"
    Ext = 10,        // "EXT"
    EntryNumber = 11,   // GetValueText: the entry's number
    EntryChannel = 12,  // GetValueText: the entry's channel
};
inline constexpr uint32_t Code(uint32_t kind, uint32_t number) { return (kind & 0xFFFF) | (number << 16); }
inline constexpr uint32_t AmpCode(uint32_t kind, uint32_t address, uint32_t channel)
{
    return (kind & 0xFFFF) | ((address & 0xFF) << 16) | ((channel & 0xFF) << 24);
}
}  // namespace monitorsource

struct MonitorEntry {
    std::string source = "OFF";  // "OFF", "IN", "OUT", "REL", "AMP_IN", "AMP_OUT", "EXT"
    uint32_t number = 0;         // input/output 1..4, relay 1.., amplifier bus address; 0 for OFF/EXT
    uint32_t reserved = 0;       // always 0, kept in the file
    uint32_t channel = 1;        // amplifier channel for AMP_IN/AMP_OUT, else 1
    bool operator==(const MonitorEntry&) const = default;
};

class CMonitor : public CBaseDevice {
    QL_DECLARE_SERIAL(CMonitor)
public:
    static constexpr uint32_t kKindId = 33086;  // "Monitor"
    static constexpr int kEntryCount = 250;
    static constexpr int kRelayCount = 50;
    // The end of a transfer: two clear lines, three lines per entry, one per relay.
    static constexpr int kTransferEnd = 2 + 3 * kEntryCount + kRelayCount;
    // How long an upload waits for the device to say which relays are free.
    static constexpr std::chrono::milliseconds kRelayAnswerWait{5000};

    CMonitor();

    void Serialize(CArchive& ar) override;
    // Turns the relay links of old files into relay words; names the object "Monitor".
    int PostLoad() override;

    // Lines of the running transfer that its last step has still to send.
    int GetPendingLines() const { return static_cast<int>(m_pending.size()); }
    // Where a transfer at `step` stands on its way to kTransferEnd: the last
    // step sends its queue one line a call, and each line counts.
    int TransferProgressAt(int step) const { return step < 2 ? step : kTransferEnd - GetPendingLines(); }

    // Usable entries and relays for the active document's device variant:
    // 250/50 for the upgraded device, 50/20 for the standard one.
    static int GetMaxEntries();
    static int GetMaxRelays();

    // Low 16 bits 3: source code of entry (key >> 16); 0: relay word (key >> 16); else 0.
    uint32_t GetValue(uint32_t key) const;
    // Low 16 bits the operation, high 16 bits the 0-based index; 1 on success.
    int SetValue(uint32_t key, uint32_t value);
    // Texts for lists, the macro step and the protocol (see monitorsource).
    std::string GetValueText(uint32_t key) const;
    // The display text of a source code (as GetValueText).
    std::string GetSourceText(uint32_t code) const { return GetValueText(code); }
    // Kind 1: appends every source code an entry can take. Returns 0.
    int GetSources(int kind, std::vector<uint32_t>* list) const;

    // Download (mode 0) and upload (queries) of the table and the relays.
    // With the device's "MONI_CLR" capability free entries and relays are
    // cleared at once and left out; an upload then asks only for the others.
    int GetDownloadLines(int mode, int step) override;
    // Takes the device's entries and relays during an upload.
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    const MonitorEntry& GetEntry(int index) const { return m_entries.at(static_cast<size_t>(index)); }
    uint32_t GetRelayWord(int index) const { return m_relays.at(static_cast<size_t>(index)); }
    // The LMZ764 control pad that a relay word names; null for word 0 and
    // for a word no pad of the project names.
    const CBaseDevice* RelayPad(uint32_t word) const;

    // The source kind (4..10) of a source word; 0 when it is none of the seven.
    static uint32_t KindOfSourceWord(const std::string& word);
    // The source word of a kind 4..10; empty for other kinds.
    static std::string SourceWordOfKind(uint32_t kind);

private:
    // The relay word of the control pad with that number (0 when none).
    uint32_t RelayWordOfPad(uint32_t padNumber) const;
    // Name of the LMZ764 control pad for a relay word, else "%d *".
    std::string RelayName(uint32_t word) const;
    // Name of the last remote amplifier with that bus address, else "%d *".
    std::string AmpName(uint32_t address) const;
    void SetEntry(size_t index, uint32_t kind, uint32_t value);
    // Sends one line with the path shorthand.
    void Send(const std::string& line);
    // The answer to a relay query: relay n (1-based) holds word `value`.
    void TakeRelayAnswer(int n, const std::string& value, const std::string& diffFileName);
    // The answer to one key ("/SEL", "/IDX", "/AMPCHAN") of entry n (1-based).
    void TakeEntryAnswer(int n, const std::string& key, const std::string& value, const std::string* diffFile);

    std::array<MonitorEntry, kEntryCount> m_entries{};
    std::array<uint32_t, kRelayCount> m_relays{};

    // State of one transfer (reset at its step -1).
    bool m_clearCapability = false;
    bool m_tableAnswered = false;
    bool m_relayAnswered = false;
    bool m_relayQuerySent = false;
    std::chrono::steady_clock::time_point m_relayQueryTime{};
    std::deque<std::string> m_pending;
    // An entry's source, number and channel are taken together or not at all.
    AnswerGroup<MonitorEntry> m_answers;
};
