#include "calendar/windows/CCalItemDlgView.h"

#include <QDateTime>
#include <QHeaderView>
#include <QPointer>

#include "calendar/CAppoint.h"
#include "calendar/CCalObject.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"
#include "ui/CInPlaceDateTimeCtrl.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
QString Str(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

bool RunSelection(QWidget* parent, int kind, const CSelectionDlg::Held& held, int* result)
{
    CSelectionDlg dlg(parent);
    dlg.m_nKind = kind;
    dlg.SetHeld(held);
    if (dlg.DoModal() != QDialog::Accepted)
        return false;
    *result = dlg.m_nResultNumber;
    return true;
}

CCalItemDlgView::Chooser& TheChooser()
{
    static CCalItemDlgView::Chooser chooser = &RunSelection;
    return chooser;
}

// A date typed in the list (the user's locale), at the given time of day.
std::optional<caltime::Time> DateAt(const QString& text, const QTime& time)
{
    const QDate d = CInPlaceDateTimeCtrl::ParseDate(text);
    if (!d.isValid() || !time.isValid())
        return std::nullopt;
    return caltime::Make(d.year(), d.month(), d.day(), time.hour(), time.minute(), time.second());
}
}  // namespace

CCalItemDlgView::Chooser CCalItemDlgView::SetChooser(Chooser chooser)
{
    Chooser old = TheChooser();
    TheChooser() = chooser ? chooser : &RunSelection;
    return old;
}

CCalItemDlgView::CCalItemDlgView(const Variant& variant, QWidget* parent)
    : CCalendarListView(parent), m_variant(variant)
{
    setObjectName(variant.holiday ? QStringLiteral("HolidayDlgView") : QStringLiteral("AppointDlgView"));
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int column) { OnDoubleClick(RowOf(item), column); });
    connect(this, &CListCtrl::EndLabelEdit, this,
            [this](int row, int column, const QString& text, int) { OnEndLabelEdit(row, column, text); });
    // The name is edited in place; the object decides and the list shows its name again.
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int row = RowOf(item);
        CBaseDevice* obj = ObjectOf(row);
        if (column != 0 || !obj || item->text(0).toStdString() == obj->GetName())
            return;
        const QString text = item->text(0);
        const int number = NumberAt(row);
        // After the editor has closed; the rows may have been rebuilt by then.
        QMetaObject::invokeMethod(
            this, [this, number, text] { OnEndLabelEdit(RowOfNumber(number), 0, text); }, Qt::QueuedConnection);
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (const int number = item ? NumberAt(RowOf(item)) : 0)
            m_remembered = number;
    });
    connect(this, &CCalendarListView::ItemCommand, this,
            [this](unsigned id) { TransferSelected(id == ID_CAL_UPLOAD_ITEM ? 1 : 0); });
    Refill();
}

int CCalItemDlgView::NumberAt(int row) const
{
    return row < 0 || row >= GetItemCount() ? 0 : static_cast<int>(GetItemData(row));
}

int CCalItemDlgView::RowOfNumber(int number) const
{
    for (int row = 0; row < GetItemCount(); ++row)
        if (number > 0 && NumberAt(row) == number)
            return row;
    return -1;
}

CBaseDevice* CCalItemDlgView::ObjectOf(int row) const
{
    const int number = NumberAt(row);
    return number > 0 ? FindNumbered(GetActiveDoc(), m_variant.type, number) : nullptr;
}

void CCalItemDlgView::Refill()
{
    const QSignalBlocker block(this);
    const quintptr top = TopRowData();
    if (m_variant.holiday)
        SetColumns({{Str(IDS_CAL_HOLIDAY), 160}, {Str(IDS_CAL_COL_ID), 30}, {Str(IDS_CAL_COL_FUNCTION), 60},
                    {Str(IDS_CAL_COL_DATE), 120}, {Str(IDS_CAL_COL_UNTIL), 120}, {Str(IDS_CAL_DAYPROG), 160}});
    else
        SetColumns({{Str(IDS_CAL_APPOINT), 160}, {Str(IDS_CAL_COL_ID), 30}, {Str(IDS_CAL_COL_FUNCTION), 100},
                    {Str(IDS_CAL_COL_DATE), 140}, {Str(IDS_CAL_COL_TIME), 140}, {Str(IDS_CAL_COL_MACRO), 160}});
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return;
    DeviceList list;
    doc->GetIDManager().GetBaseDeviceList(list, m_variant.type);
    int select = -1;
    for (CBaseDevice* obj : list) {
        const int row = InsertItem(GetItemCount(), QString::fromStdString(obj->GetName()), m_variant.holiday ? 22 : 20);
        SetItemData(row, static_cast<quintptr>(obj->GetNumber()));
        SetItemText(row, 1, QString::fromStdString(obj->GetNumberText()));
        if (auto* h = dynamic_cast<CHoliday*>(obj)) {
            SetItemText(row, 2, QString::fromStdString(h->GetParamText(CHoliday::Function)));
            SetItemText(row, 3, DateText(h->m_time));
            if (h->GetParam(CHoliday::Function) == static_cast<int32_t>(IDS_CALFN_PERIOD))
                SetItemText(row, 4, DateText(h->PeriodEnd()));
            SetItemText(row, 5, QString::fromStdString(h->GetParamText(CHoliday::Dayprog)));
        } else if (auto* a = dynamic_cast<CAppoint*>(obj)) {
            SetItemText(row, 2, QString::fromStdString(a->GetParamText(CAppoint::Function)));
            SetItemText(row, 3, DateText(a->m_time));
            SetItemText(row, 4, TimeText(a->m_time));
            SetItemText(row, 5, QString::fromStdString(a->GetParamText(CAppoint::Macro)));
        }
        Row(row)->setFlags(Row(row)->flags() | Qt::ItemIsEditable);
        if (obj->GetNumber() == m_remembered)
            select = row;
    }
    ScrollToTopData(top);
    SelectRow(select);
}

void CCalItemDlgView::NewItem()
{
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return;
    CBaseDevice* obj = m_variant.holiday ? static_cast<CBaseDevice*>(new CHoliday) : new CAppoint;
    if (!obj->Create(m_variant.kindId, 1, 1, nullptr, 0, 0, 0, 0, CAT_CALENDAR, 0, 3, doc)) {
        delete obj;
        return;
    }
    std::string name = StrFormat("%s %d", LoadStringId(m_variant.kindId).c_str(), obj->GetNumber());
    obj->SetNameUnique(name, true);
    doc->AddObject(obj, CAT_CALENDAR);
    m_remembered = obj->GetNumber();
    Refill();
}

void CCalItemDlgView::DeleteSelected()
{
    const int row = SelectedRow();
    CBaseDevice* obj = ObjectOf(row);
    if (!obj)
        return;
    m_remembered = NumberAt(row + 1 < GetItemCount() ? row + 1 : row - 1);
    obj->OnCommand(objcmd::Delete);
    Refill();
}

void CCalItemDlgView::TransferAll(int mode)
{
    CQuillomerDoc* doc = GetActiveDoc();
    CFeatureFrm* frame = Frame();
    if (!doc || !frame)
        return;
    frame->TransferAll(doc->GetIDManager().GetBaseDevice(1, OT_CAL_OBJECT), mode, m_variant.resetStep);
    if (mode)
        Refill();
}

void CCalItemDlgView::TransferSelected(int mode)
{
    CQuillomerDoc* doc = GetActiveDoc();
    CFeatureFrm* frame = Frame();
    if (!doc || !frame)
        return;
    const CBaseDevice* obj = ObjectOf(SelectedRow());
    const int n = obj ? obj->GetNumber() : 0;
    // Without a selection no calendar line goes out (step 0 is the clear line's).
    frame->TransferOne(doc->GetIDManager().GetBaseDevice(1, OT_CAL_OBJECT), mode, m_variant.resetStep,
                       n > 0 ? m_variant.firstStep + n - 1 : CCalObject::kStepCount, obj ? obj->GetName() : std::string());
    if (mode)
        Refill();
}

void CCalItemDlgView::OnDoubleClick(int row, int column)
{
    CBaseDevice* obj = ObjectOf(row);
    if (!obj)
        return;
    if (column == 2 || column == 5) {
        const int number = obj->GetNumber();
        const int kind = column == 2 ? static_cast<int>(m_variant.kindId) : static_cast<int>(m_variant.detailKind);
        // The function's id, or the number of the macro or day programme linked.
        auto* appoint = dynamic_cast<CAppoint*>(obj);
        auto* holiday = dynamic_cast<CHoliday*>(obj);
        const int held = appoint    ? appoint->GetParam(column == 2 ? CAppoint::Function : CAppoint::Macro)
                         : holiday ? holiday->GetParam(column == 2 ? CHoliday::Function : CHoliday::Dayprog)
                                   : 0;
        int result = 0;
        if (!TheChooser()(this, kind, CSelectionDlg::Held::Number(held), &result))
            return;
        // The dialog let the device's answers in: the item may have gone meanwhile.
        obj = ObjectOf(RowOfNumber(number));
        if (!obj)
            return;
        auto* a = dynamic_cast<CAppoint*>(obj);
        auto* h = dynamic_cast<CHoliday*>(obj);
        if (a)
            a->SetParam(column == 2 ? CAppoint::Function : CAppoint::Macro, result);
        else if (h)
            h->SetParam(column == 2 ? CHoliday::Function : CHoliday::Dayprog, result);
        obj->SetDocModified();
        Refill();
    } else if (column == 3 || column == 4) {
        const bool time = !m_variant.holiday && column == 4;
        auto* picker = new CInPlaceDateTimeCtrl(row, column, GetItemText(row, column));
        QRect rect = visualItemRect(Row(row));
        rect.setLeft(header()->sectionViewportPosition(column));
        rect.setWidth(header()->sectionSize(column));
        if (!picker->Create(time, rect, this))
            delete picker;
    }
}

void CCalItemDlgView::OnEndLabelEdit(int row, int column, const QString& text)
{
    CBaseDevice* obj = ObjectOf(row);
    // An emptied name changes nothing: the row shows the stored name again.
    if (!obj || text.isEmpty()) {
        Refill();
        return;
    }
    auto* a = dynamic_cast<CAppoint*>(obj);
    auto* h = dynamic_cast<CHoliday*>(obj);
    // A message box's loop may finish a window switch made while the cell
    // was being edited: the list is gone then, and nothing is left to show.
    const QPointer<CCalItemDlgView> alive(this);
    // A date or time entered again as it was shown leaves the project unchanged.
    // A date the project cannot hold (its calendar times run from 1970 into
    // 2106) is told, not dropped without a word; the row shows the stored
    // date again.
    if (column == 0) {
        std::string name = text.toStdString();
        obj->SetNameUnique(name, true);
    } else if (a && column == 3) {
        const auto t = DateAt(text, CInPlaceDateTimeCtrl::ParseTime(GetItemText(row, 4)));
        if (!t)
            ShowMessageId(uistr::BadDate, mb::Ok);
        else if (*t != a->m_time) {
            a->SetParam(CAppoint::Date, *t);
            obj->SetDocModified();
        }
    } else if (a && column == 4) {
        const auto t = DateAt(GetItemText(row, 3), CInPlaceDateTimeCtrl::ParseTime(text));
        if (t && *t != a->m_time) {
            a->SetParam(CAppoint::TimeOfDay, *t);
            obj->SetDocModified();
        }
    } else if (h && column == 3) {
        const auto t = DateAt(text, QTime(0, 0));
        if (!t)
            ShowMessageId(uistr::BadDate, mb::Ok);
        else if (*t != h->m_time) {
            h->SetParam(CHoliday::Date, *t);
            obj->SetDocModified();
        }
    } else if (h && column == 4) {
        const QDate start = CInPlaceDateTimeCtrl::ParseDate(GetItemText(row, 3));
        const QDate end = CInPlaceDateTimeCtrl::ParseDate(text);
        if (!start.isValid() || !end.isValid())
            return;
        const qint64 days = start.daysTo(end);
        if (days < 1 || days > CHoliday::kMaxDays) {
            ShowMessageId(IDS_CAL_BAD_PERIOD, mb::Ok);
            return;
        }
        if (days != h->m_dayCount) {
            h->SetParam(CHoliday::DayCount, static_cast<int32_t>(days));
            obj->SetDocModified();
        }
    }
    if (alive)
        Refill();
}
