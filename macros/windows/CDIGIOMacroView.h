#pragma once
// DIGIO: the logic output a pair switches (the link at key 400) and the pulse
// time (35), written to both macros of the pair.

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QLineEdit;

class CDIGIOMacroView : public CMacroEditorView {
public:
    explicit CDIGIOMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_output = nullptr;
    QLineEdit* m_time = nullptr;
};
