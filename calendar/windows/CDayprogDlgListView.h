#pragma once
// The day programmes of the project: name, number and entries in use.
// A row keeps its programme's number, found again at every use: an upload's
// answers delete and make day programmes while the window takes input.

#include "calendar/windows/CCalendarListView.h"

class CDayprog;

class CDayprogDlgListView : public CCalendarListView {
    Q_OBJECT
public:
    explicit CDayprogDlgListView(QWidget* parent = nullptr);

    void Refill();
    // The remembered (selected) day programme, null when none.
    CDayprog* Selected() const;
    // The number of a row's day programme, 0 for none.
    int NumberAt(int row) const;
    void NewDayprog();
    void DeleteSelected();
    // One day programme (the selected one) to or from the device.
    void TransferSelected(int mode);

    int m_remembered = 0;

    // The active document's day programme of a number, null when none.
    static CDayprog* Find(int number);

signals:
    // Another day programme was selected, or the selected one was read anew.
    void SelectionMoved();
};
