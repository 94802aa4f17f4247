#pragma once
// MESSAGE: a message signal (34) played into zones and groups with priority
// (1) and the ON/OFF or ADD/SUB mode (18).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;

class CMessageMacroView : public CMacroEditorView {
public:
    explicit CMessageMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_message = nullptr;
    QComboBox* m_priority = nullptr;
};
