#pragma once
// AMPMUTE: the amplifier channels (parameter 58) and whether they are muted (29).

#include "macros/windows/CMacroEditorView.h"

class QPushButton;
class QLabel;

class CAmpMuteMacroView : public CMacroEditorView {
public:
    explicit CAmpMuteMacroView(QWidget* parent = nullptr);

protected:
    void OnInitialUpdate() override;

private:
    QLabel* m_channels = nullptr;
    QPushButton* m_mute = nullptr;
};
