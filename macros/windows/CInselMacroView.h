#pragma once
// INSEL: the audio input (parameter 4) and its source (18) that becomes the
// background music source.

#include "macros/windows/CMacroEditorView.h"

class QComboBox;

class CInselMacroView : public CMacroEditorView {
public:
    explicit CInselMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_input = nullptr;
};
