#pragma once
// RECORD: a recording through an input (4) into a recorder slot (64) in a
// format (65) for at most a time (66).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QLineEdit;

class CRecordMacroView : public CMacroEditorView {
public:
    explicit CRecordMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QLineEdit* m_maxTime = nullptr;
    QComboBox* m_slot = nullptr;
    QComboBox* m_input = nullptr;
    QComboBox* m_format = nullptr;
};
