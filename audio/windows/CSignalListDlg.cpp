#include "audio/windows/CSignalListDlg.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "audio/CAudioSignal.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "ui/CListCtrl.h"
#include "ui/CPictureSet.h"
#include "ui/ColumnWidths.h"

#include <algorithm>

namespace {
constexpr int kListMinWidth = 170;
CSignalListDlg* g_current = nullptr;

bool IsListedKind(uint32_t kind)
{
    return kind == signalkind::Alarm || kind == signalkind::Chime || kind == signalkind::InternalMessage ||
           kind == signalkind::Message;
}

// The generator type of a signal type.
uint32_t GeneratorType(uint32_t signalType)
{
    switch (signalType) {
    case OT_ALARM_SIGNAL:
        return OT_ALARM;
    case OT_CHIME_SIGNAL:
        return OT_GONG;
    case OT_MESSAGE_SIGNAL:
    case OT_INTERNAL_MESSAGE_SIGNAL:
        return OT_MESSAGE;
    default:
        return OT_NONE;
    }
}
}  // namespace

CSignalListDlg::CSignalListDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("277"));
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    m_add = new QToolButton(this);
    m_add->setObjectName(QStringLiteral("1213"));
    m_add->setText(QStringLiteral("+"));
    m_add->setIcon(CPictureSet::Icon(379));
    m_add->setToolTip(tr("Signal hinzufügen"));
    m_delete = new QToolButton(this);
    m_delete->setObjectName(QStringLiteral("1170"));
    m_delete->setText(QStringLiteral("-"));
    m_delete->setIcon(CPictureSet::Icon(378));
    m_delete->setToolTip(tr("Signal löschen"));
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    top->addLayout(buttons);
    m_list = new CListCtrl(this);
    m_list->setObjectName(QStringLiteral("1169"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    // A row shows the picture of its signal's kind (the kind's page + 1).
    m_list->SetImageList(CPictureSet::ImageList(351, 16));
    m_list->SetGridLines(true);
    m_list->InsertColumn(0, QString::fromStdString(LoadStringId(32805)), CListCtrl::LVCFMT_LEFT, 80);  // "Name"
    m_list->InsertColumn(1, QString::fromStdString(LoadStringId(32804)), CListCtrl::LVCFMT_LEFT, 80);  // "Typ"
    m_list->setMinimumWidth(kListMinWidth);
    m_list->SetFitColumnContents(true);
    top->addWidget(m_list, 1);
    connect(m_add, &QToolButton::clicked, this, &CSignalListDlg::AddClicked);
    connect(m_delete, &QToolButton::clicked, this, &CSignalListDlg::DeleteClicked);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        int row = -1;
        CAudioSignal* signal = GetSelectedSignal(&row);
        if (m_filling || !signal)
            return;
        m_showSelection = false;
        emit SignalSelected(PageOfKind(signal->GetKindId()));
        m_showSelection = true;
    });
    connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!m_filling && column == 0)
            OnRenamed(m_list->RowOf(item), item->text(0));
    });
    g_current = this;
}

CSignalListDlg::~CSignalListDlg()
{
    if (g_current == this)
        g_current = nullptr;
}

CSignalListDlg* CSignalListDlg::Current() { return g_current; }

int CSignalListDlg::PageOfKind(uint32_t kindId)
{
    switch (kindId) {
    case signalkind::Alarm:
        return 0;
    case signalkind::Chime:
        return 1;
    case signalkind::Message:
    case signalkind::InternalMessage:
        return 2;
    default:
        return -1;
    }
}

void CSignalListDlg::Fill(CQuillomerDoc* doc)
{
    m_filling = true;
    m_list->DeleteAllItems();
    m_filling = false;
    if (!doc)
        return;
    for (CBaseDevice* obj : doc->GetList(CAT_AUDIO)) {
        auto* signal = dynamic_cast<CAudioSignal*>(obj);
        // Signals of an external device's sequences belong to that device.
        if (!signal || !IsListedKind(signal->GetKindId()) || signal->GetOutLinkAtKey(2))
            continue;
        AddSignalRow(signal);
    }
    m_filling = true;
    m_list->clearSelection();
    m_filling = false;
    // The list grows to show its signals' names and types whole.
    m_list->setMinimumWidth(std::max(kListMinWidth, ColumnsTotalWidth(m_list)));
}

int CSignalListDlg::AddSignalRow(CAudioSignal* signal)
{
    m_filling = true;
    const int row = m_list->InsertItem(m_list->GetItemCount(), QString::fromStdString(signal->GetName()),
                                       PageOfKind(signal->GetKindId()) + 1);
    m_list->SetItemData(row, reinterpret_cast<quintptr>(signal));
    if (QTreeWidgetItem* item = m_list->Row(row))
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_filling = false;
    SetSourceText(signal, row);
    return row;
}

CAudioSignal* CSignalListDlg::GetSelectedSignal(int* index) const
{
    for (int r = 0; r < m_list->GetItemCount(); ++r) {
        if (m_list->IsItemSelected(r)) {
            if (index)
                *index = r;
            return reinterpret_cast<CAudioSignal*>(m_list->GetItemData(r));
        }
    }
    if (index)
        *index = -1;
    return nullptr;
}

void CSignalListDlg::SetSourceText(CAudioSignal* signal, int row)
{
    if (!signal || row < 0)
        return;
    QString source = tr("Intern");
    const uint32_t type = GeneratorType(signal->GetType());
    for (const LinkRecord* rec : signal->m_inLinks) {
        if (rec->HasPartner() && rec->partner->GetType() == type) {
            source = QString::fromStdString(rec->partner->GetName());
            break;
        }
    }
    m_filling = true;
    m_list->SetItemText(row, 1, source);
    m_filling = false;
}

void CSignalListDlg::SelectRow(int row)
{
    if (row >= 0 && row < m_list->GetItemCount())
        m_list->SetItemState(row, true, true);
}

int CSignalListDlg::EnableList(bool enable, int row)
{
    int selected = -1;
    GetSelectedSignal(&selected);
    m_list->setEnabled(enable);
    m_add->setVisible(enable);
    m_delete->setVisible(enable);
    m_filling = true;
    if (enable)
        SelectRow(row);
    else
        m_list->clearSelection();
    m_filling = false;
    return selected;
}

void CSignalListDlg::ClearSelection()
{
    if (!m_showSelection)
        return;
    m_filling = true;
    m_list->clearSelection();
    m_filling = false;
}

void CSignalListDlg::RemoveRow(int row)
{
    m_filling = true;
    m_list->DeleteItem(row);
    m_filling = false;
}

void CSignalListDlg::OnRenamed(int row, const QString& text)
{
    auto* signal = reinterpret_cast<CAudioSignal*>(m_list->GetItemData(row));
    if (!signal)
        return;
    // Refused names (empty, or another object's) keep the old label.
    if (!signal->SetNameChecked(text.toStdString(), true)) {
        m_filling = true;
        m_list->SetItemText(row, 0, QString::fromStdString(signal->GetName()));
        m_filling = false;
    }
}
