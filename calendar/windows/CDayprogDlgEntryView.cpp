#include "calendar/windows/CDayprogDlgEntryView.h"

#include <QHeaderView>

#include "calendar/CDayprog.h"
#include "calendar/CalendarIds.h"
#include "calendar/windows/CCalItemDlgView.h"
#include "calendar/windows/CDayprogDlgListView.h"
#include "platform/StringTable.h"
#include "ui/CInPlaceDateTimeCtrl.h"

namespace {
QString Str(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}
}  // namespace

CDayprogDlgEntryView::CDayprogDlgEntryView(QWidget* parent) : CCalendarListView(parent)
{
    setObjectName(QStringLiteral("DayprogDlgEntryView"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Single entries are not transferred: the context menu's download and
    // upload are the day programme list's.
    SetItemTransfers(false);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int column) { OnDoubleClick(RowOf(item), column); });
    connect(this, &CListCtrl::EndLabelEdit, this,
            [this](int row, int column, const QString& text, int) { OnEndLabelEdit(row, column, text); });
}

void CDayprogDlgEntryView::SetDayprog(CDayprog* dayprog)
{
    m_number = dayprog ? dayprog->GetNumber() : 0;
    Refill();
}

CDayprog* CDayprogDlgEntryView::Dayprog() const
{
    return CDayprogDlgListView::Find(m_number);
}

void CDayprogDlgEntryView::Refill()
{
    const QSignalBlocker block(this);
    // The same programme shown again (after an edit) keeps its place and its
    // selected entry, so that the row under the mouse is still the one the
    // user sees there.
    const bool same = m_number != 0 && m_number == m_shownNumber;
    const QTreeWidgetItem* top = itemAt(0, 0);
    const int topEntry = same && top ? static_cast<int>(GetItemData(RowOf(top))) : 0;
    const int selectedEntry = same ? SelectedEntry() : 0;
    m_shownNumber = m_number;
    SetColumns({{Str(IDS_CAL_COL_ID), 140}, {Str(IDS_CAL_COL_TIME), 160}, {Str(IDS_CAL_COL_MACRO), 160}});
    const CDayprog* dayprog = Dayprog();
    if (!dayprog)
        return;
    const int count = CDayprog::GetEntryCount();
    for (int i = 0; i < count; ++i) {
        const QString time = QString::fromStdString(dayprog->GetEntryText(CDayprog::Code(i, CDayprog::EntryTime)));
        const QString macro = QString::fromStdString(dayprog->GetEntryText(CDayprog::Code(i, CDayprog::EntryMacro)));
        if (time.isEmpty() && macro.isEmpty())
            continue;
        const int row = InsertItem(GetItemCount(), QString::number(i + 1), 21);
        SetItemData(row, static_cast<quintptr>(i + 1));
        if (dayprog->IsEntrySet(i))
            SetItemText(row, 1, TimeText(dayprog->m_entries[i]));
        SetItemText(row, 2, macro);
    }
    const auto rowOfEntry = [this](int entry) {
        for (int r = 0; r < GetItemCount(); ++r)
            if (static_cast<int>(GetItemData(r)) >= entry)
                return r;
        return GetItemCount() - 1;
    };
    if (selectedEntry > 0) {
        const int row = rowOfEntry(selectedEntry);
        if (row >= 0 && static_cast<int>(GetItemData(row)) == selectedEntry)
            SelectRow(row);
    }
    if (topEntry > 0)
        if (const int row = rowOfEntry(topEntry); row >= 0)
            scrollToItem(Row(row), QAbstractItemView::PositionAtTop);
}

int CDayprogDlgEntryView::SelectedEntry() const
{
    const int row = SelectedRow();
    return row < 0 ? 0 : static_cast<int>(GetItemData(row));
}

void CDayprogDlgEntryView::OnDoubleClick(int row, int column)
{
    if (!Dayprog() || row < 0 || row >= GetItemCount())
        return;
    const int entry = static_cast<int>(GetItemData(row));
    if (column == 1) {
        auto* picker = new CInPlaceDateTimeCtrl(row, column, GetItemText(row, column));
        QRect rect = visualItemRect(Row(row));
        rect.setLeft(header()->sectionViewportPosition(column));
        rect.setWidth(header()->sectionSize(column));
        if (!picker->Create(true, rect, this))
            delete picker;
    } else if (column == 2) {
        int macro = 0;
        const CCalItemDlgView::Chooser choose = CCalItemDlgView::SetChooser(nullptr);
        CCalItemDlgView::SetChooser(choose);
        const CDayprog* shown = Dayprog();
        const int held = shown ? shown->GetEntryParam(CDayprog::Code(entry - 1, CDayprog::EntryMacro)) : 0;
        if (!choose(this, IDS_CAL_COL_MACRO, CSelectionDlg::Held::Number(held), &macro))
            return;
        // The dialog let the device's answers in: the programme may have gone meanwhile.
        CDayprog* dayprog = Dayprog();
        if (!dayprog || entry > CDayprog::GetEntryCount())
            return;
        // The macro the entry already starts: nothing changes.
        if (dayprog->GetEntryParam(CDayprog::Code(entry - 1, CDayprog::EntryMacro)) == macro)
            return;
        dayprog->SetEntryParam(CDayprog::Code(entry, CDayprog::EntryMacro), macro);
        dayprog->SetDocModified();
        Refill();
    }
}

void CDayprogDlgEntryView::OnEndLabelEdit(int row, int column, const QString& text)
{
    CDayprog* dayprog = Dayprog();
    if (!dayprog || column != 1 || row < 0 || row >= GetItemCount() || text.isEmpty())
        return;
    const QTime t = CInPlaceDateTimeCtrl::ParseTime(text);
    if (!t.isValid())
        return;
    const int entry = static_cast<int>(GetItemData(row));
    const caltime::Time time = caltime::OnEntryDay(t.hour(), t.minute(), t.second());
    // Enter on the time shown changes nothing.
    if (entry < 1 || entry > CDayprog::GetEntryCount() ||
        (dayprog->IsEntrySet(entry - 1) && dayprog->m_entries[entry - 1] == time))
        return;
    dayprog->SetEntryParam(CDayprog::Code(entry, CDayprog::EntryTime), time);
    dayprog->SetDocModified();
    Refill();
}
