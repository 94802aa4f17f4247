#pragma once
// A day programme: a named list of times of day, each starting one macro on
// the device. Entry i (0-based) keeps its time in the table and its macro as
// the outgoing link at own key i. An entry whose time lies before 1980-03-01
// is not set; a set entry keeps its time of day on 1980-03-01.
//
// The standard device uses the first 40 entries, the upgraded one all 100;
// entries beyond what the device uses keep their values but are neither
// shown, nor written, nor counted.

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/CalendarTime.h"
#include "model/CBaseDevice.h"

class CDayprog : public CBaseDevice {
    QL_DECLARE_SERIAL(CDayprog)
public:
    std::string GetHeldItem(int32_t ownKey) const override;
    bool BecomeFreeOnDevice() override;
    // A day programme without a set entry that bears a placeholder's name
    // ("5 *", "5 *_1"): the device's free entry, which has no name.
    bool IsFreeOnDeviceForm() const override;
    static constexpr uint32_t kKindId = 34119;  // "Tagesprogramm"
    static constexpr int kEntries = 100;

    // Selectors (low 16 bits of a packed entry code; the high 16 bits the entry).
    enum : int { EntryTime = 0, EntryMacro = 1, EntriesInUse = 2, AddEntry = 3, DeleteEntry = 4 };
    static constexpr int32_t Code(int entry, int selector) { return static_cast<int32_t>((entry << 16) | selector); }

    CDayprog();
    using CBaseDevice::GetDownloadLines;

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // 100 on the upgraded device, else 40 (the active document's variant).
    static int GetEntryCount();

    // Entry index 0-based in the code.
    int32_t GetEntryParam(int32_t code) const;
    std::string GetEntryText(int32_t code) const;
    // Entry number 1-based in the code (selectors 0, 1), or in `value` for
    // selector 4; numbers outside 1..count are ignored.
    void SetEntryParam(int32_t code, int32_t value);

    bool IsEntrySet(int index) const;
    int CountEntriesInUse() const;

    // Lines without the "/CAL/DAYPROG<n>" prefix.
    int GetDownloadLines(std::vector<std::string>& lines) const;
    static int GetQueryLines(std::vector<std::string>& lines);

    caltime::Time m_entries[kEntries];
};
