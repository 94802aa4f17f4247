#pragma once
// The central device's power management (one per document, number 1): boot
// priorities on battery and on mains, the priority that delays a shutdown, the
// condition that reports mains supply (link key 0), the boot macro (link key 1)
// and the shutdown macro (link key 2), battery present and drop to standby.
// Path "/POWER".

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

// Value keys (PowerManagementKey).
namespace powerkey {
enum : uint32_t {
    BattPrio = 0,
    MainsPrio = 1,
    MainsCond = 2,  // link key 0, a condition
    BootMacro = 3,  // link key 1, a macro
    ShutMacro = 4,  // link key 2, a macro
    None = 5,
    ShutPrio = 6,
    DropShut = 7,
    BattAvail = 8,
};
}

class CInternalPowerManagement : public CBaseDevice {
    QL_DECLARE_SERIAL(CInternalPowerManagement)
public:
    static constexpr uint32_t kKindId = 34557;  // "Internes Powermanagement"

    CInternalPowerManagement();

    void Serialize(CArchive& ar) override;

    int32_t GetValue(uint32_t key) const;
    std::string GetValueText(uint32_t key) const;
    // Priorities are clamped to 0..255, flags stored as value != 0, the linked
    // objects relinked (a missing condition or macro is created as "%d *").
    // Returns 1 when the key names a value, 0 otherwise.
    int SetValue(uint32_t key, int32_t value, int32_t unused = 0);

    // Eight steps, one line each: the priorities, the linked numbers and the flags.
    int GetDownloadLines(int mode, int step) override;
    // Takes every value the download sends back from the device during an
    // upload; what it cannot hold as the device gave it is named in the
    // difference file with the value it keeps.
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

private:
    // The value of a key as a download line carries it.
    std::string LineValueText(uint32_t key) const;
    void Relink(int32_t linkKey, uint32_t partnerType, int32_t number);
    CBaseDevice* CreatePlaceholder(uint32_t partnerType, int32_t number);

    int32_t m_battPrio = 70;
    int32_t m_mainsPrio = 30;
    int32_t m_shutPrio = 0;
    int32_t m_dropShut = 0;
    int32_t m_battAvail = 0;
};
