#pragma once
// The day programmes of the project: name, number and entries in use.

#include "calendar/windows/CCalendarListView.h"

class CDayprog;

class CDayprogDlgListView : public CCalendarListView {
    Q_OBJECT
public:
    explicit CDayprogDlgListView(QWidget* parent = nullptr);

    void Refill();
    // The remembered (selected) day programme, null when none.
    CDayprog* Selected() const;
    void NewDayprog();
    void DeleteSelected();
    // One day programme (the selected one) to or from the device.
    void TransferSelected(int mode);

    int m_remembered = 0;

signals:
    void SelectionMoved();
};
