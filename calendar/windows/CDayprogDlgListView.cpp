#include "calendar/windows/CDayprogDlgListView.h"

#include <QPointer>

#include "calendar/CCalObject.h"
#include "calendar/CDayprog.h"
#include "calendar/CalendarIds.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"

namespace {
QString Str(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}
}  // namespace

CDayprogDlgListView::CDayprogDlgListView(QWidget* parent) : CCalendarListView(parent)
{
    setObjectName(QStringLiteral("DayprogDlgListView"));
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        const int number = item ? NumberAt(RowOf(item)) : 0;
        if (number != 0 && number != m_remembered) {
            m_remembered = number;
            emit SelectionMoved();
        }
    });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int number = NumberAt(RowOf(item));
        const CDayprog* dp = Find(number);
        if (column != 0 || !dp || item->text(0).toStdString() == dp->GetName())
            return;
        const QString text = item->text(0);
        // After the editor has closed; the programme may have gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, number, text] {
                // The message box's loop may finish a window switch made
                // while the name was being typed: the list is gone then.
                const QPointer<CDayprogDlgListView> alive(this);
                std::string name = text.toStdString();
                if (CDayprog* dp = Find(number); dp && !name.empty())
                    dp->SetNameUnique(name, true);
                if (alive)
                    Refill();
            },
            Qt::QueuedConnection);
    });
    connect(this, &CCalendarListView::ItemCommand, this,
            [this](unsigned id) { TransferSelected(id == ID_CAL_UPLOAD_ITEM ? 1 : 0); });
}

CDayprog* CDayprogDlgListView::Find(int number)
{
    return number > 0 ? dynamic_cast<CDayprog*>(FindNumbered(GetActiveDoc(), OT_DAYPROG, number)) : nullptr;
}

CDayprog* CDayprogDlgListView::Selected() const
{
    return Find(m_remembered);
}

int CDayprogDlgListView::NumberAt(int row) const
{
    return row < 0 || row >= GetItemCount() ? 0 : static_cast<int>(GetItemData(row));
}

void CDayprogDlgListView::Refill()
{
    const QSignalBlocker block(this);
    const quintptr top = TopRowData();
    SetColumns({{Str(IDS_CAL_DAYPROG), 160}, {Str(IDS_CAL_COL_ID), 50}, {Str(IDS_CAL_COL_ENTRIES), 70}});
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return;
    DeviceList list;
    doc->GetIDManager().GetBaseDeviceList(list, OT_DAYPROG);
    int select = -1;
    for (CBaseDevice* obj : list) {
        auto* dp = dynamic_cast<CDayprog*>(obj);
        const int row = InsertItem(GetItemCount(), QString::fromStdString(obj->GetName()), 21);
        SetItemData(row, static_cast<quintptr>(obj->GetNumber()));
        SetItemText(row, 1, QString::fromStdString(obj->GetNumberText()));
        if (dp)
            SetItemText(row, 2, QString::fromStdString(dp->GetEntryText(CDayprog::Code(0, CDayprog::EntriesInUse))));
        Row(row)->setFlags(Row(row)->flags() | Qt::ItemIsEditable);
        if (obj->GetNumber() == m_remembered)
            select = row;
    }
    if (select < 0)
        m_remembered = 0;
    ScrollToTopData(top);
    SelectRow(select);
}

void CDayprogDlgListView::NewDayprog()
{
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return;
    // The device holds day programmes up to its limit only (10 on the standard
    // device, 20 on the upgraded one): a programme numbered above it would
    // never be sent, so none is made once every number up to it is taken.
    const int32_t limit = static_cast<int32_t>(GetMaxObjectCount(OT_DAYPROG));
    bool freeNumber = false;
    for (int32_t n = 1; n <= limit && !freeNumber; ++n)
        freeNumber = doc->GetIDManager().GetBaseDevice(n, OT_DAYPROG) == nullptr;
    if (!freeNumber)
        return;
    auto* dp = new CDayprog;
    if (!dp->Create(CDayprog::kKindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_CALENDAR, 0, 3, doc)) {
        delete dp;
        return;
    }
    std::string name = StrFormat("%s %d", LoadStringId(CDayprog::kKindId).c_str(), dp->GetNumber());
    dp->SetNameUnique(name, true);
    doc->AddObject(dp, CAT_CALENDAR);
    m_remembered = dp->GetNumber();
}

void CDayprogDlgListView::DeleteSelected()
{
    const int row = SelectedRow();
    CDayprog* dp = Find(NumberAt(row));
    if (!dp)
        return;
    m_remembered = NumberAt(row + 1 < GetItemCount() ? row + 1 : row - 1);
    dp->OnCommand(objcmd::Delete);
}

void CDayprogDlgListView::TransferSelected(int mode)
{
    CQuillomerDoc* doc = GetActiveDoc();
    CFeatureFrm* frame = Frame();
    const CDayprog* dp = Selected();
    if (!doc || !frame || !dp)
        return;
    frame->TransferOne(doc->GetIDManager().GetBaseDevice(1, OT_CAL_OBJECT), mode,
                       mode ? CCalObject::ResetAll : CCalObject::ResetDayprogs,
                       CCalObject::kDayprogStep + dp->GetNumber() - 1, dp->GetName());
    if (mode) {
        Refill();
        emit SelectionMoved();  // the entry pane shows what came back
    }
}
