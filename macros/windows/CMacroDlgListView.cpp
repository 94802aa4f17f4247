#include "macros/windows/CMacroDlgListView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QSettings>

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "comm/SettingsFile.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroEditorView.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ModelStrings.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CHoverFrame.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

QL_STRING_TABLE({
    {32804, "Typ"},
    {33179, "Download"},
    {33180, "Upload"},
    {34200, "Ein Makro dieses Typs ist schon vorhanden !"},
});

namespace {
namespace mt = macrotype;

constexpr uint32_t kTitleType = 32804;             // "Typ"
constexpr uint32_t kAlreadyThere = 34200;          // "Ein Makro dieses Typs ist schon vorhanden !"
constexpr int kDefaultWidths[3] = {160, 60, 30};

QString Str(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

QString ColumnWidthsKey()
{
    return QStringLiteral("Settings/MacroListColumnWidth");
}

// How many macros a new macro of a type makes, and the words their names end in.
struct NewMacroRule {
    int count;  // 0 none, 1 one macro, 2 a pair
    const char* first;
    const char* second;
};
NewMacroRule RuleOf(uint32_t type)
{
    switch (type) {
    case mt::Background:
    case mt::Page:
    case mt::Alarm:
    case mt::LogicOut:
    case mt::Message:
    case mt::Record:
    case mt::Power: return {2, " ON", " OFF"};
    case mt::Monitor:
    case mt::Volume:
    case mt::VirtCtrl: return {2, " UP", " DOWN"};
    case mt::Chime:
    case mt::AuxSelect:
    case mt::LcdText:
    case mt::Sequence:
    case mt::MemoFlag:
    case mt::Stop:
    case mt::Amp:
    case mt::AmpMute:
    case mt::Erase:
    case mt::Repeat:
    case mt::ZoneTest:
    case mt::Buzzer: return {1, nullptr, nullptr};
    default: return {0, nullptr, nullptr};
    }
}

// The active document's macro of a number, null when there is none.
CMacro* FindMacro(int number)
{
    return number > 0 ? dynamic_cast<CMacro*>(FindNumbered(GetActiveDoc(), OT_MACRO, number)) : nullptr;
}

// How many numbers up to the device's limit no macro holds yet.
int FreeNumbersWithinLimit(CQuillomerDoc* doc)
{
    const int limit = static_cast<int>(GetMaxObjectCount(OT_MACRO, doc->m_data.deviceVariant));
    int free = 0;
    for (int n = 1; n <= limit; ++n)
        free += doc->GetIDManager().GetBaseDevice(n, OT_MACRO) ? 0 : 1;
    return free;
}

// A new macro of `type` under the next free number; null when none is free.
CMacro* MakeMacro(CQuillomerDoc* doc, uint32_t type)
{
    auto* macro = new CMacro;
    if (!macro->Create(type, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, doc)) {
        delete macro;
        return nullptr;
    }
    doc->AddObject(macro, CAT_MACRO);
    return macro;
}
}  // namespace

CMacroDlgListView::CMacroDlgListView(QWidget* parent) : CListCtrl(parent)
{
    setObjectName(QStringLiteral("MacroDlgListView"));
    // Row pictures: the object strip (a row shows its kind's image).
    SetObjectListLook();
    setMinimumSize(150, 100);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_hover = new CHoverFrame(this);
    InsertColumn(0, QString(), LVCFMT_CENTER, 150);
    InsertColumn(1, QString(), LVCFMT_LEFT, 150);
    InsertColumn(2, QString(), LVCFMT_RIGHT, 150);
    SetFitColumnContents(true);

    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        m_hover->Clear();
        const int number = NumberAt(SelectedRow());
        if (m_filling || number == 0)
            return;
        m_currentNumber = number;
        // A row whose macro an upload deleted shows the empty view.
        if (CMacroDlgFrm* frame = Frame())
            frame->SwitchMacroView();
    });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (m_filling || column != 0)
            return;
        const int number = NumberAt(RowOf(item));
        const QString text = item->text(0);
        // After the editor has closed: the refill deletes the row.
        QMetaObject::invokeMethod(this, [this, number, text] { RenameNumber(number, text); }, Qt::QueuedConnection);
    });
}

CMacroDlgListView::~CMacroDlgListView()
{
    // What the file makes the user read waits until the list is gone.
    WriteSettingTellingLater(ColumnWidthsKey(), QStringLiteral("%1,%2,%3")
                                                    .arg(GetColumnWidth(0))
                                                    .arg(GetColumnWidth(1))
                                                    .arg(GetColumnWidth(2)));
}

CMacroDlgFrm* CMacroDlgListView::Frame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* f = qobject_cast<CMacroDlgFrm*>(w))
            return f;
    return nullptr;
}

void CMacroDlgListView::ParseColumnWidths(const QString& stored, int widths[3])
{
    for (int i = 0; i < 3; ++i)
        widths[i] = kDefaultWidths[i];
    std::sscanf(stored.toLatin1().constData(), "%d,%d,%d", &widths[0], &widths[1], &widths[2]);
}

void CMacroDlgListView::FillList()
{
    m_filling = true;
    int widths[3];
    ParseColumnWidths(QSettings().value(ColumnWidthsKey()).toString(), widths);
    const uint32_t titles[3] = {IDS_MACRO_KIND, kTitleType, IDS_MACRO_TITLE_ID};
    for (int c = 0; c < 3; ++c) {
        headerItem()->setText(c, Str(titles[c]));
        SetStoredColumnWidth(c, widths[c]);
    }
    DeleteAllItems();
    int select = 0;
    if (CQuillomerDoc* doc = GetActiveDoc()) {
        DeviceList list;
        doc->GetIDManager().GetBaseDeviceList(list, OT_MACRO);
        for (CBaseDevice* obj : list) {
            auto* macro = dynamic_cast<CMacro*>(obj);
            const int row = InsertItem(GetItemCount(), QString::fromStdString(obj->GetName()), 0);
            SetItemData(row, static_cast<quintptr>(obj->GetNumber()));
            SetItemText(row, 1, macro ? QString::fromStdString(macro->GetParamText(0)) : QString());
            SetItemText(row, 2, QString::fromStdString(obj->GetNumberText()));
            Row(row)->setFlags(Row(row)->flags() | Qt::ItemIsEditable);
            if (obj->GetNumber() == m_currentNumber)
                select = row;
        }
    }
    if (select < GetItemCount()) {
        SelectRow(select);
        if (const CMacro* macro = GetCurrentMacro())
            m_currentNumber = macro->GetNumber();
    }
    m_filling = false;
}

void CMacroDlgListView::SelectRow(int row)
{
    if (row < 0 || row >= GetItemCount())
        return;
    const bool filling = m_filling;
    m_filling = true;
    clearSelection();
    m_filling = filling;
    SetItemState(row, true, true);
    scrollToItem(Row(row));
}

int CMacroDlgListView::SelectedRow() const
{
    for (int r = 0; r < GetItemCount(); ++r)
        if (IsItemSelected(r))
            return r;
    return -1;
}

int CMacroDlgListView::NumberAt(int row) const
{
    return row < 0 || row >= GetItemCount() ? 0 : static_cast<int>(GetItemData(row));
}

CMacro* CMacroDlgListView::MacroAt(int row) const
{
    return FindMacro(NumberAt(row));
}

CMacro* CMacroDlgListView::GetCurrentMacro() const
{
    return MacroAt(SelectedRow());
}

uint32_t CMacroDlgListView::GetCurrentMacroType() const
{
    const CMacro* macro = GetCurrentMacro();
    return macro ? macro->GetKindId() : 0;
}

// ---------------------------------------------------------------- commands

bool CMacroDlgListView::CreateMacro()
{
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc)
        return false;
    CSelectionDlg dlg;
    dlg.m_nKind = selkind::MacroType;
    if (CMacroEditorView::RunDialog(dlg) != QDialog::Accepted)
        return false;
    const uint32_t type = static_cast<uint32_t>(dlg.m_nResultNumber);
    const NewMacroRule rule = RuleOf(type);
    if (rule.count == 0)
        return false;
    if (type == mt::Power) {
        DeviceList powers;
        doc->GetIDManager().GetBaseDeviceListByKind(powers, OT_MACRO, mt::Power);
        if (!powers.empty()) {
            ShowMessageId(kAlreadyThere, mb::Ok);
            return false;
        }
    }
    // The next free number may lie above what the device takes; such a
    // macro would never be sent. A pair is made whole or not at all.
    if (FreeNumbersWithinLimit(doc) < rule.count) {
        ShowMessageId(IDS_CANNOT_CREATE, mb::Ok);
        return false;
    }
    CMacro* first = MakeMacro(doc, type);
    if (!first)
        return false;
    first->SetDocModified();
    m_currentNumber = first->GetNumber();
    if (rule.count == 1) {
        first->SetParam(3, 1);
        first->SetParam(31, 0);
        return true;
    }
    first->SetParam(3, 1);
    std::string name = first->GetName() + rule.first;
    first->SetNameUnique(name, true);
    CMacro* second = MakeMacro(doc, type);
    if (!second)
        return true;
    second->SetParam(3, 0);
    name = second->GetName() + rule.second;
    second->SetNameUnique(name, true);
    first->SetParam(31, second->GetNumber());
    second->SetParam(31, first->GetNumber());
    int priority = 0;
    switch (type) {
    case mt::Alarm: priority = 90; break;
    case mt::Message: priority = 40; break;
    case mt::Background: priority = 10; break;
    default: break;
    }
    if (priority != 0) {
        first->SetParam(1, priority);
        second->SetParam(1, priority + 1);
    }
    return true;
}

void CMacroDlgListView::DeleteSelectedItem()
{
    const int row = SelectedRow();
    CMacro* macro = MacroAt(row);
    if (!macro)
        return;
    m_currentNumber = NumberAt(row + 1 < GetItemCount() ? row + 1 : row - 1);
    macro->OnCommand(objcmd::Delete);
}

void CMacroDlgListView::TransferAllMacros(bool upload)
{
    CQuillomerDoc* doc = GetActiveDoc();
    CMacroDlgFrm* frame = Frame();
    if (!doc || !frame)
        return;
    frame->TransferAll(doc->GetIDManager().GetBaseDevice(1, OT_MACRO_OBJECT), upload ? 1 : 0, -1);
}

void CMacroDlgListView::TransferSelectedMacro(bool upload)
{
    CQuillomerDoc* doc = GetActiveDoc();
    CMacroDlgFrm* frame = Frame();
    const CMacro* macro = GetCurrentMacro();
    // Without a selected macro the block's opening step ("/CLEAR ALL") would
    // run: nothing is sent.
    if (!doc || !frame || !macro)
        return;
    frame->TransferOne(doc->GetIDManager().GetBaseDevice(1, OT_MACRO_OBJECT), upload ? 1 : 0, -1,
                       macro->GetNumber(), macro->GetName());
    if (upload)
        frame->RefreshMacroList();
}

bool CMacroDlgListView::ItemTransferEnabled() const
{
    // Without a selected macro the block would send its opening "/CLEAR ALL".
    return IsDocConnected() != 0 && GetCurrentMacro() != nullptr;
}

void CMacroDlgListView::RunMacro()
{
    const CMacro* macro = GetCurrentMacro();
    if (!macro)
        return;
    SendCommand(StrFormat("/MACRO/START %d", macro->GetNumber()), GetActiveDoc(), false);
}

void CMacroDlgListView::ChangeType(int row)
{
    const int number = NumberAt(row);
    CMacro* macro = MacroAt(row);
    if (!macro)
        return;
    CSelectionDlg dlg;
    dlg.m_nKind = selkind::MacroType;
    dlg.SetHeld(CSelectionDlg::Held::Number(static_cast<int>(macro->GetKindId())));
    if (CMacroEditorView::RunDialog(dlg) != QDialog::Accepted)
        return;
    // The dialog let the device's answers in: the macro may have gone meanwhile.
    macro = FindMacro(number);
    if (!macro)
        return;
    // The type the macro already has, chosen again, changes nothing.
    macro->SetParam(0, dlg.m_nResultNumber);
    m_currentNumber = macro->GetNumber();
    if (CMacroDlgFrm* frame = Frame())
        frame->RefreshMacroList();
}

void CMacroDlgListView::Rename(int row, const QString& text)
{
    RenameNumber(NumberAt(row), text);
}

void CMacroDlgListView::RenameNumber(int number, const QString& text)
{
    CMacro* macro = FindMacro(number);
    if (!macro)
        return;
    if (text.toStdString() != macro->GetName()) {
        // The message box's loop may finish a window switch made while the
        // name was being typed: the list is gone then.
        const QPointer<CMacroDlgListView> alive(this);
        std::string name = text.toStdString();
        macro->SetNameUnique(name, true);
        if (!alive)
            return;
    }
    m_currentNumber = macro->GetNumber();
    if (CMacroDlgFrm* frame = Frame())
        frame->RefreshMacroList();
}

// ---------------------------------------------------------------- events

bool CMacroDlgListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.column() != 0)
        return false;
    return CListCtrl::edit(index, trigger, event);
}

void CMacroDlgListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        if (CMacroDlgFrm* frame = Frame())
            frame->OnCommand(macrocmd::Delete);
        return;
    }
    CListCtrl::keyPressEvent(event);
}

void CMacroDlgListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == 1) {
        ChangeType(index.row());
        return;
    }
    CListCtrl::mouseDoubleClickEvent(event);
}

void CMacroDlgListView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    const bool enabled = ItemTransferEnabled();
    for (unsigned id : {macrocmd::DownloadOne, macrocmd::UploadOne}) {
        QAction* a = menu.addAction(Str(id));
        a->setObjectName(QString::number(id));
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, [this, id] { TransferSelectedMacro(id == macrocmd::UploadOne); });
    }
    menu.exec(event->globalPos());
}

void CMacroDlgListView::resizeEvent(QResizeEvent* event)
{
    CListCtrl::resizeEvent(event);
    if (isVisible())
        WriteSetting(QStringLiteral("Settings/MacroListWidth"), QString::number(width()));
}
