#pragma once
// The holiday window ("Eigenschaften von Feiertagen", window kind 10).

#include "calendar/windows/CCalItemDlgFrm.h"

class CHolidayDlgFrm : public CCalItemDlgFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 10;
    explicit CHolidayDlgFrm(QWidget* parent = nullptr);
};
