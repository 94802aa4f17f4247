#pragma once
// The week window ("Eigenschaften vom Wochenprogramm", window kind 11): the
// seven weekdays with their day programmes, and the week's transfer.

#include "ui/CFeatureFrm.h"

class CWeekDlgView;

class CWeekDlgFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 11;
    explicit CWeekDlgFrm(QWidget* parent = nullptr);
    CWeekDlgView* GetView() const { return m_view; }

protected:
    bool OnFrameCommand(unsigned commandId) override;

private:
    CWeekDlgView* m_view = nullptr;
};
