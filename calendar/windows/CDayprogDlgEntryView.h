#pragma once
// The entries of one day programme that are set or have a macro: number,
// time of day and macro. The time is edited in place, the macro chosen.
// The pane keeps the programme's number and finds it again at every use.

#include "calendar/windows/CCalendarListView.h"

class CDayprog;

class CDayprogDlgEntryView : public CCalendarListView {
    Q_OBJECT
public:
    explicit CDayprogDlgEntryView(QWidget* parent = nullptr);

    void SetDayprog(CDayprog* dayprog);
    // The programme shown, null when none (or when it has gone).
    CDayprog* Dayprog() const;
    void Refill();
    // The entry number (1-based) of the selected row, 0 when none.
    int SelectedEntry() const;
    void OnDoubleClick(int row, int column);
    void OnEndLabelEdit(int row, int column, const QString& text);

private:
    int m_number = 0;
    int m_shownNumber = 0;  // the programme the rows were filled for
};
