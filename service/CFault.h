#pragma once
// The fault settings of the central device ("/FAULT"): which fault sources
// count, latching, console display and the manual fault; plus the sources the
// device last reported active (not stored).

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

// Fault source bits.
namespace faultsrc {
enum : uint32_t {
    Unknown = 0x001,
    ReadyInput = 0x002,
    Lmz = 0x004,
    Amp = 0x008,
    KvtInternal = 0x010,
    Console = 0x020,
    SpareAmp = 0x040,
    Manual = 0x080,
    AnyGroundFault = 0x100,
    ZoneMeasure = 0x200,    // upgraded device only
    ZoneGroundFault = 0x400,  // upgraded device only
};
}

class CFault : public CBaseDevice {
    QL_DECLARE_SERIAL(CFault)
public:
    // Indexes of GetFlags/SetFlags.
    enum Flag : int { Included = 0, Latch = 1, ConsoleDisplay = 2, ManualFault = 3, Active = 4 };

    // The console display: off, all consoles, or one of the 16 consoles.
    static constexpr int32_t kDisplayOff = -1;
    static constexpr int32_t kDisplayAll = 0;
    static constexpr int32_t kMaxDisplayConsole = 16;

    CFault();

    void Serialize(CArchive& ar) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    int GetDownloadLines(int mode, int step) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // Texts of the settings by index (0 included, 1 latch, 2 console display,
    // 3 manual, 5 excluded, 6 console display for the user, 7 included for the user).
    std::string GetValue(int index) const;
    // 0 included, 1 latch, 2 console display, 4 active; others change nothing.
    void SetValue(int index, const std::string& text);
    int32_t GetFlags(int index) const;
    void SetFlags(int index, int32_t value);

    // The selection dialog's list of fault sources (selection kind 8).
    static int FillSourceIds(int selectionKind, std::vector<uint32_t>* ids);

private:
    // The project's device variant is the upgraded one (line-test sources exist).
    bool IsUpgraded() const;
    static uint32_t BitsOfWords(const std::string& text);

    uint32_t m_included = 0;
    uint32_t m_latch = 0;
    int32_t m_consoleDisplay = 0;  // -1 off, 0 all consoles, 1..16 that console
    uint32_t m_manual = 0;
    uint32_t m_active = 0;         // not stored
};
