#pragma once
// The weekdays Monday to Sunday and the day programme of each; a double click
// on the second column chooses the day programme.

#include "calendar/windows/CCalendarListView.h"

class CWeek;

class CWeekDlgView : public CCalendarListView {
    Q_OBJECT
public:
    explicit CWeekDlgView(QWidget* parent = nullptr);
    void Refill();
    CWeek* Week() const;
    void OnDoubleClick(int row, int column);
};
