#include "logic/windows/CLogicListView.h"

#include <QContextMenuEvent>
#include <algorithm>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

#include "comm/CCommLink.h"
#include "model/BlockWalk.h"
#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "model/ObjectTypeCode.h"
#include "platform/AnswerLine.h"
#include "platform/StringTable.h"
#include "logic/windows/LogicWindowIds.h"
#include "ui/CFeatureFrm.h"
#include "ui/CHoverFrame.h"
#include "ui/CInPlaceEdit.h"
#include "ui/CObjectDlg.h"
#include "ui/CSelectionDlg.h"
#include "ui/ColumnWidths.h"

namespace {
bool RunSelection(QWidget* parent, int kind, bool multiple, const CSelectionDlg::Held& held, int presetValue,
                  int* number, QString* text)
{
    CSelectionDlg dlg(parent);
    dlg.m_nKind = kind;
    dlg.m_bMultiple = multiple;
    dlg.m_nPreselect = presetValue;
    // The dialog opens on what the cell holds: OK without a new choice keeps it.
    dlg.SetHeld(held);
    if (dlg.DoModal() != QDialog::Accepted)
        return false;
    *number = dlg.m_nResultNumber;
    if (text)
        *text = dlg.GetSelection();
    return true;
}

CLogicListView::Chooser& TheChooser()
{
    static CLogicListView::Chooser chooser = &RunSelection;
    return chooser;
}
}  // namespace

CLogicListView::Chooser CLogicListView::SetChooser(Chooser chooser)
{
    Chooser old = TheChooser();
    TheChooser() = chooser ? chooser : &RunSelection;
    return old;
}

bool CLogicListView::Choose(QWidget* parent, int kind, bool multiple, const CSelectionDlg::Held& held, int* number,
                            QString* text, int presetValue)
{
    return TheChooser()(parent, kind, multiple, held, presetValue, number, text);
}

CSelectionDlg::Held CLogicListView::LinkedHeld(const CBaseDevice& entry, int32_t key)
{
    const LinkRecord* link = entry.GetOutLinkAtKey(key);
    return CSelectionDlg::Held::Object(link && link->HasPartner() ? link->partner : nullptr);
}

QString CLogicListView::Str(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

CLogicListView::CLogicListView(uint32_t type, unsigned deleteCommand, QWidget* parent)
    : CListCtrl(parent), m_type(type), m_deleteCommand(deleteCommand), m_hover(new CHoverFrame(this))
{
    // Row pictures: the object strip (a row shows its kind's image).
    SetObjectListLook();
    setMinimumSize(200, 100);
    // Names and choices show whole where the list has room to spare.
    SetFitColumnContents(true);
    setMouseTracking(true);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, &CLogicListView::OnHeaderClick);
    m_pollTimer.setInterval(kPollMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &CLogicListView::PollNow);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int column) { EditCell(RowOf(item), column); });
    connect(this, &CListCtrl::EndLabelEdit, this,
            [this](int row, int column, const QString& text, int) { OnEndLabelEdit(row, column, text); });
    // The name is edited in place; the object decides and the list shows its name again.
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const int row = RowOf(item);
        CBaseDevice* obj = ObjectOf(row);
        if (column != 0 || !obj || item->text(0).toStdString() == obj->GetName())
            return;
        const QString text = item->text(0);
        QMetaObject::invokeMethod(this, [this, row, text] { OnEndLabelEdit(row, 0, text); }, Qt::QueuedConnection);
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (CBaseDevice* obj = item ? ObjectOf(RowOf(item)) : nullptr)
            m_reselect = obj->GetNumber();
        m_hover->Clear();
    });
}

CFeatureFrm* CLogicListView::Frame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* f = qobject_cast<CFeatureFrm*>(w))
            return f;
    return nullptr;
}

int CLogicListView::SelectedRow() const
{
    for (int r = 0; r < GetItemCount(); ++r)
        if (IsItemSelected(r))
            return r;
    return -1;
}

void CLogicListView::SelectRow(int row)
{
    if (row < 0 || row >= GetItemCount())
        return;
    clearSelection();
    SetItemState(row, true, true);
    scrollToItem(Row(row));
}

int CLogicListView::NumberAt(int row) const
{
    return row < 0 || row >= GetItemCount() ? 0 : static_cast<int>(GetItemData(row));
}

CBaseDevice* CLogicListView::ObjectOf(int row) const
{
    const int number = NumberAt(row);
    return number > 0 ? FindNumbered(GetActiveDoc(), m_type, number) : nullptr;
}

void CLogicListView::SetRowObject(int row, const CBaseDevice* obj)
{
    SetItemData(row, obj ? static_cast<quintptr>(obj->GetNumber()) : 0);
}

int CLogicListView::ObjectCount() const
{
    const CQuillomerDoc* doc = GetActiveDoc();
    return doc ? doc->GetIDManager().GetCount(m_type) : 0;
}

void CLogicListView::RefreshList()
{
    RebuildRows();
    emit ListRebuilt();
}

void CLogicListView::RebuildRows()
{
    const QSignalBlocker block(this);
    StopPolling();
    CloseCellEditors();
    DeleteAllItems();
    setColumnCount(0);
    int c = 0;
    for (const Column& column : Columns()) {
        const int format = column.format >= 0 ? column.format : c == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        InsertColumn(c, column.title, format, column.width);
        ++c;
    }
    SetStatusTitle(false);
    // The window opens wide enough for every column at its designed width
    // (rows are not in yet: longer texts may still need the scroll bar).
    setMinimumWidth(std::max(minimumWidth(), ColumnsTotalWidth(this)));
    m_hover->Clear();
    if (CQuillomerDoc* doc = GetActiveDoc()) {
        DeviceList list;
        doc->GetIDManager().GetBaseDeviceList(list, m_type);
        for (CBaseDevice* obj : list)
            AddRows(obj);
    }
    int select = 0;
    for (int r = 0; r < GetItemCount(); ++r)
        if (NumberAt(r) != 0 && NumberAt(r) == m_reselect)
            select = r;  // the last row of the object's group
    SelectRow(select);
}

CBaseDevice* CLogicListView::FindBlock(uint32_t type)
{
    CQuillomerDoc* doc = GetActiveDoc();
    return doc ? doc->GetIDManager().GetBaseDevice(1, type) : nullptr;
}

bool CLogicListView::CreateEntry(CBaseDevice* obj, uint32_t kind)
{
    CQuillomerDoc* doc = GetActiveDoc();
    if (!doc || !obj->Create(kind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3, doc)) {
        delete obj;
        return false;
    }
    doc->AddObject(obj, CAT_DIGITAL_IO);
    m_reselect = obj->GetNumber();
    return true;
}

int CLogicListView::AddObjectRow(CBaseDevice* obj, int image)
{
    const int row = InsertItem(GetItemCount(), QString::fromStdString(obj->GetName()), image);
    SetRowObject(row, obj);
    SetItemText(row, 1, QString::fromStdString(obj->GetNumberText()));
    Row(row)->setFlags(Row(row)->flags() | Qt::ItemIsEditable);
    return row;
}

void CLogicListView::DeleteSelectedItem()
{
    const int row = SelectedRow();
    CBaseDevice* obj = ObjectOf(row);
    if (!obj)
        return;
    setFocus();
    if (row != 0) {
        if (const int neighbour = NumberAt(row + 1 < GetItemCount() ? row + 1 : row - 1))
            m_reselect = neighbour;
    }
    obj->OnCommand(objcmd::Delete);
}

void CLogicListView::TransferAll(int mode)
{
    CFeatureFrm* frame = Frame();
    if (CBaseDevice* block = Block(); block && frame)
        frame->TransferAll(block, mode, ResetStep());
}

void CLogicListView::TransferSelected(int mode)
{
    CFeatureFrm* frame = Frame();
    CBaseDevice* block = Block();
    if (!frame || !block)
        return;
    const int row = SelectedRow();
    if (row >= 0 && !ObjectOf(row))
        return;
    const CBaseDevice* obj = ObjectOf(row);
    const auto [first, end] = EntrySteps(obj ? obj->GetNumber() : 0);
    frame->TransferSteps(block, mode, ResetStep(), first, end, obj ? obj->GetName() : std::string());
    if (mode)
        RefreshList();
}

void CLogicListView::SetStatusTitle(bool polling)
{
    const int column = StatusColumn();
    if (column < 0 || column >= GetColumnCount())
        return;
    const QString title = Str(logicwin::TitleStatus);
    headerItem()->setText(column, polling ? title + QStringLiteral(" *") : title);
}

void CLogicListView::StopPolling()
{
    m_pollTimer.stop();
    SetStatusTitle(false);
}

void CLogicListView::OnHeaderClick(int column)
{
    if (column != StatusColumn() || column < 0)
        return;
    // Polling starts only while connected; one that was running when the
    // line was lost still stops at the click.
    if (m_pollTimer.isActive()) {
        StopPolling();
    } else if (IsDocConnected()) {
        m_pollTimer.start();
        SetStatusTitle(true);
    }
}

void CLogicListView::PollNow()
{
    CCommLink* link = GetCommLink();
    const bool connected = IsDocConnected() && link;
    // A transfer owns the line: its answers must reach the blocks, not a poll.
    if (connected && (TransferHoldsLink() || link->GetLinkState() != linkstate::Online))
        return;
    // Without the line nothing answers: the column shows what an empty
    // answer gives, never the device's last state as if it were still live.
    Poll(connected ? link : nullptr);
}

std::string CLogicListView::Ask(CCommLink* link, const std::string& line, int waitMs)
{
    return link ? link->Query(line, waitMs) : std::string();
}

std::vector<uint8_t> CLogicListView::ParseAnswerSet(const std::string& answer, unsigned max)
{
    std::string text = answer;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    const size_t blank = text.find_last_of(' ');
    if (blank != std::string::npos)
        text.erase(0, blank + 1);
    std::vector<uint8_t> set((max + 7) / 8, 0);
    ParseRanges(set, max, text);  // a malformed tail keeps what was read before it
    return set;
}

bool CLogicListView::IsRefusedAnswer(const std::string& answer)
{
    std::string line = answer;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    line.erase(0, line.find_last_of('\n') + 1);
    const size_t blank = line.find(' ');
    return blank != std::string::npos && IsRefusedValue(line.substr(blank + 1));
}

void CLogicListView::EditInPlace(int row, int column)
{
    auto* editor = new CInPlaceEdit(row, column, GetItemText(row, column));
    QRect rect = visualItemRect(Row(row));
    rect.setLeft(header()->sectionViewportPosition(column));
    rect.setWidth(header()->sectionSize(column));
    if (!editor->Create(Qt::AlignCenter, rect, this, 1000))
        delete editor;
}

void CLogicListView::OnEndLabelEdit(int row, int column, const QString& text)
{
    CBaseDevice* obj = ObjectOf(row);
    if (obj && column == 0 && !text.isNull()) {
        // A refused or changed name is told in a message box, whose loop
        // may finish a window switch made while the name was being typed:
        // the list is gone then, and nothing is left to show.
        const QPointer<CLogicListView> alive(this);
        std::string name = text.toStdString();
        obj->SetNameUnique(name, true);
        if (!alive)
            return;
    }
    RefreshList();
}

bool CLogicListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.column() != 0)
        return false;
    return CListCtrl::edit(index, trigger, event);
}

void CLogicListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        if (CFeatureFrm* frame = Frame())
            frame->OnCommand(m_deleteCommand);
        return;
    }
    CListCtrl::keyPressEvent(event);
}

void CLogicListView::contextMenuEvent(QContextMenuEvent* event)
{
    if (!Block())
        return;
    QMenu menu(this);
    const bool connected = IsDocConnected() != 0;
    for (unsigned id : {logicwin::ContextDownload, logicwin::ContextUpload}) {
        QAction* a = menu.addAction(Str(id));
        a->setEnabled(connected);
        connect(a, &QAction::triggered, this, [this, id] { TransferSelected(id == logicwin::ContextUpload ? 1 : 0); });
    }
    menu.exec(event->globalPos());
}

