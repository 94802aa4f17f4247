#pragma once
// The entries of one day programme that are set or have a macro: number,
// time of day and macro. The time is edited in place, the macro chosen.

#include "calendar/windows/CCalendarListView.h"

class CDayprog;

class CDayprogDlgEntryView : public CCalendarListView {
    Q_OBJECT
public:
    explicit CDayprogDlgEntryView(QWidget* parent = nullptr);

    void SetDayprog(CDayprog* dayprog);
    void Refill();
    // The entry number (1-based) of the selected row, 0 when none.
    int SelectedEntry() const;
    void OnDoubleClick(int row, int column);
    void OnEndLabelEdit(int row, int column, const QString& text);

private:
    CDayprog* m_dayprog = nullptr;
};
