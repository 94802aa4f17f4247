#pragma once
// The clock window ("Uhr", window kind 25): the edit-window switch bar and
// the clock form; it has no command bar of its own.

#include "ui/CFeatureFrm.h"

class CClkView;

class CClkFrm : public CFeatureFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 25;
    explicit CClkFrm(QWidget* parent = nullptr);
    CClkView* GetView() const { return m_view; }

private:
    CClkView* m_view = nullptr;
};
