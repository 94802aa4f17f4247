#pragma once
// The ready-input window (kind 16): the list beside the settings pane.

#include "logic/windows/CLogicListFrm.h"

class CReadyInpOptionsView;

class CReadyInpDlgFrm : public CLogicListFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 16;
    explicit CReadyInpDlgFrm(QWidget* parent = nullptr);

    CReadyInpOptionsView* GetOptions() const { return m_options; }
    void RefreshPanes() override;

private:
    CReadyInpOptionsView* m_options = nullptr;
};
