#pragma once
// Slot 5 of the central device: when fitted, an eight-fold digital I/O card
// with 8 contact inputs and 8 contact outputs. Its contacts reach the control
// logic through control pads attached to single inputs and outputs. The
// fitted flag is the base object's show-connector-names flag.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

namespace digitalslot {
enum : uint32_t {
    CmdNotFitted = 33008,  // "Nicht bestückt"
    CmdFitted = 33009,     // "8 fach Digital I/O"
    CmdInput = 33020,      // "Input": attach a pad to the hovered input
    CmdOutput = 33021,     // "Output": attach a pad to the hovered output
};
}

class CDigitalSlot : public CBaseDevice {
    QL_DECLARE_SERIAL(CDigitalSlot)
public:
    CDigitalSlot();

    void Serialize(CArchive& ar) override;
    int InitObject() override;
    void CalcBoundingRect() override;
    int PostLoad() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    bool IsFitted() const { return m_showConnectorNames != 0; }
    // Attaches a control pad to the hovered output (`output`) or the hovered
    // input; the pad, or null (that connector not hovered, or no pad made).
    CBaseDevice* AttachPad(bool output);
    // The dialog's OK: for each input, then each output, a name for a free
    // contact attaches a pad with that name, an empty name deletes the pad
    // there, another name renames it.
    void ApplyPadNames(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs);
    // The name of the pad at an input or output ("" when none).
    std::string PadName(bool output, int32_t index) const;
    // Opens the card's dialog (only when fitted); true after OK.
    bool OpenDialog();
    using DialogFn = bool (*)(CDigitalSlot* card);
    static DialogFn SetDialogHook(DialogFn fn);
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;

private:
    // Set when the object was read from a file: only such objects are
    // upgraded after loading (objects the loader adds are new).
    bool m_readFromFile = false;
};
