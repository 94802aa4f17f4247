#pragma once
// The interface card of the central device: inputs "RS232", "DCF 77",
// "INP1", "INP2", "POWER 24V" and outputs "READY", "MONITOR", "REMOTE".
// Control pads, a PC, a monitor device and a 24 V power pack are attached to
// them.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

namespace interfaceslot {
enum : uint32_t {
    CmdDcf77 = 33024,       // "DCF77 Receiver" at input 1
    CmdInp1 = 33025,        // "INP1" at input 2
    CmdInp2 = 33181,        // "INP2" at input 3
    CmdReady = 33026,       // "READY" at output 0
    CmdMonitor = 33027,     // "Monitor" at output 1 (toggle)
    CmdPc = 33028,          // "PC" at input 0 (toggle)
    CmdRemote = 33029,      // "REMOTE": always disabled
    CmdFJX3392 = 33100,     // power pack at input 4
    CmdFJX3397 = 33101,
};
}

class CInterfaceSlot : public CBaseDevice {
    QL_DECLARE_SERIAL(CInterfaceSlot)
public:
    CInterfaceSlot();

    void Serialize(CArchive& ar) override;
    int InitObject() override;
    void CalcBoundingRect() override;
    int PostLoad() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;

    // Names inputs 0..3, and input 4 "POWER 24V" when the count is above 4.
    void SetInputNames(int32_t count);
    // Attaches a control pad: at output 0 when it is hovered, else at input 1
    // when hovered, else at the hovered input 2 or 3. The pad, or null.
    CBaseDevice* AttachPad();
    // Creates an attached device (CAudioInputDevice) and links it: at the
    // hovered input (PC, power pack) or output (monitor). Null on failure.
    CBaseDevice* AttachDevice(uint32_t command);
    // Deletes the object linked at the hovered input (PC) or output
    // (monitor); false when there is none.
    bool DetachDevice(bool atOutput);

    // The dialog's OK for the four inputs (PC, DCF77, INP1, INP2) and the
    // outputs READY and MONITOR: a name for a free connector attaches its
    // object with that name, an empty name deletes the object there, another
    // name renames it. Then the power pack (`powerPack` 0 or 1 for the two
    // models, -1 none): a pack at POWER 24V changes its model; without one the
    // model's command is returned for the caller to create it (0 otherwise).
    uint32_t ApplyDialog(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs,
                         int powerPack);
    // The name of the object at an input or output ("" when none).
    std::string AttachedName(bool output, int32_t index) const;
    // The card's dialog: returns false on cancel; after OK `powerPack` is the
    // command of a power pack to create (0 none).
    using DialogFn = bool (*)(CInterfaceSlot* card, uint32_t& powerPack);
    static DialogFn SetDialogHook(DialogFn fn);
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;

private:
    // Set when the object was read from a file: only such objects are
    // upgraded after loading (objects the loader adds are new).
    bool m_readFromFile = false;
};
