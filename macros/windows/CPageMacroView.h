#pragma once
// PAGE: an audio input (4) routed to zones and groups with priority (1),
// prechime (5) and the ON/OFF or ADD/SUB mode (18).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;

class CPageMacroView : public CMacroEditorView {
public:
    explicit CPageMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_input = nullptr;
    QComboBox* m_prechime = nullptr;
    QComboBox* m_priority = nullptr;
};
