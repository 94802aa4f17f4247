#pragma once
// VOLUME: a volume controller (9) set to a value (10) or stepped (11).

#include "macros/windows/CMacroEditorView.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class CSpinArrows;

class CVolumeMacroView : public CMacroEditorView {
public:
    explicit CVolumeMacroView(QWidget* parent = nullptr);

    // The up-down arrows' position and range (no edit of their own: the
    // position shows in the value edit).
    int Position() const;
    void SetRange(int low, int high);
    // One step of the arrows (+1 up, -1 down) within the range.
    void Step(int delta);

protected:
    void OnInitialUpdate() override;

private:
    QLineEdit* m_value = nullptr;
    CSpinArrows* m_arrows = nullptr;
    int m_low = -150;
    int m_high = 6;
    QComboBox* m_controller = nullptr;
    QRadioButton* m_regler = nullptr;
    QRadioButton* m_direct = nullptr;
};
