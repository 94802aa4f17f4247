#pragma once
// The interface card's dialog ("Interface"): names of the objects at PC,
// DCF77, INP 1, INP 2, READY, MONITOR and REMOTE, and the 24 V power pack.

#include <QDialog>

#include "hardware/windows/ContactRow.h"

class CInterfaceSlot;
class QRadioButton;

class CInterfaceSlotDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 235;

    explicit CInterfaceSlotDlg(CInterfaceSlot* card, QWidget* parent = nullptr);

    // Runs the dialog; false on cancel. After OK `powerPack` is the model
    // command of a power pack still to be created (0 none).
    static bool Run(CInterfaceSlot* card, uint32_t& powerPack);

    ContactRow m_inputs[4];
    ContactRow m_outputs[4];
    QRadioButton* m_power[2] = {};  // 1464 FJX3392, 1004 FJX3397
    uint32_t m_requestedPowerPack = 0;

    void accept() override;

private:
    CInterfaceSlot* m_card;
};
