#pragma once
// AMP: the amplifiers (parameter 59) and their switch-on and switch-off options
// (bits of parameters 61 and 62).

#include "macros/windows/CMacroEditorView.h"

class QPushButton;
class QLabel;

class CAmpMacroView : public CMacroEditorView {
public:
    explicit CAmpMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QLabel* m_amps = nullptr;
    QPushButton* m_on[4]{};
    QPushButton* m_off[3]{};
};
