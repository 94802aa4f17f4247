#pragma once
// What the power-supply dialog reads from and writes to a power pack and the
// power management object, without the dialog: the contacts of the pack, the
// three LCD texts with their consoles, the battery and the boot priorities.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CAudioInputDevice;
class CInternalPowerManagement;
class CQuillomerDoc;

struct PowerSupplySettings {
    enum Event { Mains = 0, Battery = 1, Standby = 2, kEvents = 3 };
    struct Lcd {
        int position = 0;  // console list position: 0 off, 1 all consoles, 2.. one console
        std::string text;
    };

    int32_t mainsFailContact = 0;  // numbers of the contacts, 0 = none
    int32_t powerContact = 0;
    int32_t externalContact = 0;
    Lcd lcd[kEvents];
    bool battery = false;
    bool dropToStandby = false;
    int mainsPriority = 0;  // boot priorities in tens, 0..10
    int batteryPriority = 0;
};

class CPowerSupplySetup {
public:
    CPowerSupplySetup(CQuillomerDoc* doc, CAudioInputDevice* pack);

    // The consoles in number order: list position 2 is the first of them.
    const DeviceList& Consoles() const { return m_consoles; }
    static std::string DefaultText(int event);

    PowerSupplySettings Read() const;
    // A setting that Apply could not set up whole: the pack's item (0 mains
    // fail, 1 power contact, 2 external event, 3..5 LCD text of an event,
    // 12 battery) and the type of object the project has no number left for.
    struct Shortfall {
        int item;
        uint32_t type;
    };
    // What Apply would fail to make, in Apply's order; empty when all fits.
    std::vector<Shortfall> Shortfalls(const PowerSupplySettings& s) const;
    // Hands the settings to the pack's set-up and the power management.
    void Apply(const PowerSupplySettings& s);

private:
    CInternalPowerManagement* PowerManagement() const;

    CQuillomerDoc* m_doc;
    CAudioInputDevice* m_pack;
    DeviceList m_consoles;
};
