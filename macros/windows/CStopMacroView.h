#pragma once
// STOP: ends the macros below its priority (1).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;

class CStopMacroView : public CMacroEditorView {
public:
    explicit CStopMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QComboBox* m_priority = nullptr;
};
