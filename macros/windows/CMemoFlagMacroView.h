#pragma once
// MEMO_FLAG: a memo flag (40) set TRUE or FALSE (22).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QRadioButton;

class CMemoFlagMacroView : public CMacroEditorView {
public:
    explicit CMemoFlagMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QRadioButton* m_true = nullptr;
    QRadioButton* m_false = nullptr;
    QComboBox* m_flag = nullptr;
};
