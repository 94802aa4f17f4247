#pragma once
// The digital I/O card's dialog ("Digital Module"): one name per contact
// input and output; a checked contact carries a control pad of that name.

#include <QDialog>

#include "hardware/windows/ContactRow.h"

class CDigitalSlot;

class CDigitalSlotDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 229;
    static constexpr int kContacts = 8;

    explicit CDigitalSlotDlg(CDigitalSlot* card, QWidget* parent = nullptr);

    // Runs the dialog for the card; true after OK.
    static bool Run(CDigitalSlot* card);

    ContactRow m_inputs[kContacts];
    ContactRow m_outputs[kContacts];

    void accept() override;

private:
    CDigitalSlot* m_card;
};
