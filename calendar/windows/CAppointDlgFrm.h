#pragma once
// The appointment window ("Eigenschafen von Ereignissen", window kind 8).

#include "calendar/windows/CCalItemDlgFrm.h"

class CAppointDlgFrm : public CCalItemDlgFrm {
    Q_OBJECT
public:
    static constexpr int kWindowKind = 8;
    explicit CAppointDlgFrm(QWidget* parent = nullptr);
};
