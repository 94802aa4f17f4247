#pragma once
// The document's spare-amplifier table ("Havarieverstärker"): eight spare
// entries, each watching up to ten amplifiers. When a watched amplifier fails
// the central device switches its relays so that the spare takes over.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/AnswerGroup.h"
#include "model/CBaseDevice.h"

// One amplifier (or ready input) a spare stands in for.
struct SpareWatch {
    uint16_t index = 0;      // system-wide amplifier channel or ready-input number; 0 unused
    uint16_t readyFlag = 0;  // 1: the index is a ready input
    uint16_t outRelay = 0;   // output relay number; 0 none
    uint16_t inRelay = 0;    // input relay number; 0 none
};

struct SpareEntry {
    SpareWatch watch[10];
    uint16_t index = 0;      // the spare itself (as for a watch); 0 none
    uint16_t readyFlag = 0;
};

class CSpareAmp : public CBaseDevice {
    QL_DECLARE_SERIAL(CSpareAmp)
public:
    static constexpr int kEntries = 8;
    static constexpr int kWatches = 10;
    // The largest index or relay number the table holds as the download
    // writes it back ("%hd"): a 16-bit field without its sign.
    static constexpr uint16_t kMaxWord = 32767;

    CSpareAmp();

    void Serialize(CArchive& ar) override;
    // Step -1 resets the transfer and gives the step count (345): step 0
    // clears the device's table (or asks which entries are unused), steps
    // 1..344 are the 43 lines of each entry.
    int GetDownloadLines(int mode, int step) override;
    // Upload answers replace the design's values.
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Empties the table: every entry unused, every field zero (names kept).
    void Reset();
    // Entry n (0..7): its name, the kind of its spare (2 amplifier, 38 ready
    // input) and its index; true when the entry is in use.
    bool GetEntry(int n, std::string& name, uint32_t& kind, int32_t& index) const;
    // Watch j (0..9) of entry n: kind and index; true when the watch holds an
    // index or a relay.
    bool GetWatch(int j, int n, uint32_t& kind, int32_t& index) const;
    // Kind 2: the spare is channel `channel` of the amplifier numbered `number`;
    // other kinds: the ready input `number`. An entry not in use loses its watches.
    void SetEntry(int n, const std::string& name, bool inUse, uint32_t kind, int32_t number, int32_t channel);
    // Kind 2 or 38 as for SetEntry; any other kind clears the whole watch.
    void SetWatch(int j, int n, uint32_t kind, int32_t number, int32_t channel);

    bool IsEntryCleared(int n) const;        // entry n (0..7) unused
    void SetEntryCleared(int n, bool cleared);

    SpareEntry m_entries[kEntries];
    std::array<uint8_t, 8> m_cleared{};      // number set: entry n unused when number n is in it
    std::vector<std::string> m_names;        // one per entry; empty = no name
    int32_t m_clearCapability = 0;           // "SPAREAMP_CLR" taken at the start of a transfer
    int32_t m_clearAnswerSeen = 0;
    int32_t m_clearQuerySent = 0;

private:
    // The system-wide channel number of a channel of amplifier `number`; -1
    // when there is no such amplifier or it is not on the amplifier bus.
    int32_t GlobalChannel(int32_t number, int32_t channel) const;

    // An entry's or a watch's index and whether it names an amplifier
    // channel or a ready input are taken together or not at all: the index
    // and the ready-input flag held before (group: 100 * entry + watch).
    AnswerGroup<std::pair<uint16_t, uint16_t>> m_indexAnswers;
};
