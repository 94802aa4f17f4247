#include "calendar/windows/CWeekDlgView.h"

#include "calendar/CWeek.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CCalItemDlgView.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"

CWeekDlgView::CWeekDlgView(QWidget* parent) : CCalendarListView(parent)
{
    setObjectName(QStringLiteral("WeekDlgView"));
    // The weekday names stay: nothing is edited in place.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int column) { OnDoubleClick(RowOf(item), column); });
    Refill();
}

CWeek* CWeekDlgView::Week() const
{
    CQuillomerDoc* doc = GetActiveDoc();
    return doc ? dynamic_cast<CWeek*>(doc->GetIDManager().GetBaseDevice(1, OT_WEEK)) : nullptr;
}

void CWeekDlgView::Refill()
{
    // The weekday chosen (and the rows in view) stay after an edit or an
    // upload, so that the keys go on from where the user was.
    const int selected = SelectedRow();
    const QTreeWidgetItem* top = itemAt(0, 0);
    const int topRow = top ? RowOf(top) : -1;
    SetColumns({{QString::fromStdString(LoadStringId(IDS_CAL_COL_DAY)), 160},
                {QString::fromStdString(LoadStringId(IDS_CAL_DAYPROG)), 260}});
    CWeek* week = Week();
    if (!week)
        return;
    for (int d = 0; d < CWeek::kDays; ++d) {
        const int row = InsertItem(d, QString::fromStdString(CWeek::DayName(d)), 23);
        SetItemData(row, reinterpret_cast<quintptr>(week));
        SetItemText(row, 1, QString::fromStdString(week->GetLinkedName(d)));
    }
    if (topRow > 0)
        scrollToItem(Row(topRow), QAbstractItemView::PositionAtTop);
    if (selected >= 0) {
        SelectRow(selected);
        setCurrentItem(Row(selected));
    }
}

void CWeekDlgView::OnDoubleClick(int row, int column)
{
    CWeek* week = Week();
    if (!week || column != 1 || row < 0 || row >= CWeek::kDays)
        return;
    const CCalItemDlgView::Chooser choose = CCalItemDlgView::SetChooser(nullptr);
    CCalItemDlgView::SetChooser(choose);
    int number = 0;
    if (!choose(this, IDS_CAL_DAYPROG, CSelectionDlg::Held::Number(week->GetLinkedNumber(row)), &number))
        return;
    week->SetDay(row, number);
    week->SetDocModified();
    Refill();
}
