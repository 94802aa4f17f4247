#include "ui/CLineGroupTreeDlg.h"

#include "ui/CEditListCtrl.h"
#include "ui/CLineGroupSelectDlg.h"
#include "ui/CResizableButton.h"
#include "ui/CResizableStatic.h"
#include "ui/CResizableTreeCtrl.h"
#include "ui/CRowDragTracker.h"

#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/LinkRecord.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "ui/CWindowRegistry.h"
#include "ui/UiIds.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CLineGroupTreeDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CLineGroupTreeDlg(nullptr); });
}  // namespace

namespace {
// Hands a typed label to the dialog instead of writing it into the view.
class LabelDelegate : public QStyledItemDelegate {
public:
    LabelDelegate(QObject* parent, std::function<void(const QModelIndex&, const QString&)> done)
        : QStyledItemDelegate(parent), m_done(std::move(done))
    {
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        // The rename may show a message box: it comes once the view has
        // closed its editor, or the view would still count itself editing
        // (F2 no longer edits, Escape closes the dialog).
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            QMetaObject::invokeMethod(
                const_cast<LabelDelegate*>(this),
                [done = m_done, at = QPersistentModelIndex(index), text = edit->text()] {
                    if (at.isValid())
                        done(at, text);
                },
                Qt::QueuedConnection);
    }

private:
    std::function<void(const QModelIndex&, const QString&)> m_done;
};

int ImageByCategory(int32_t category)
{
    return category == CAT_ZONE ? 0 : category == CAT_GROUP ? 1 : 2;
}

CBaseDevice* ObjectOf(const QTreeWidgetItem* item)
{
    return reinterpret_cast<CBaseDevice*>(CResizableTreeCtrl::GetItemData(item));
}
}  // namespace

CLineGroupTreeDlg::CLineGroupTreeDlg(CBaseDevice* object, QWidget* parent)
    : CResizableDialog(431, parent), m_pObject(object)
{
    setWindowTitle(tr("Linien und Gruppen"));
    m_stcList = new CResizableStatic(tr("Linien und Gruppen selektieren"), this);
    m_stcTree = new CResizableStatic(tr("zu Gruppen hinzufügen"), this);
    for (CResizableStatic* s : {m_stcList, m_stcTree}) {
        s->setFrameShape(QFrame::Panel);
        s->setFrameShadow(QFrame::Sunken);
        s->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    m_pList = new CEditListCtrl(this);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_pList->setItemDelegate(new LabelDelegate(m_pList, [this](const QModelIndex& index, const QString& text) {
        OnEndListLabelEdit(index.row(), text);
    }));
    m_pTree = new CResizableTreeCtrl(this);
    m_pTree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_pTree->setItemDelegate(new LabelDelegate(m_pTree, [this](const QModelIndex& index, const QString& text) {
        OnEndTreeLabelEdit(m_pTree->itemFromIndex(index), text);
    }));
    m_btnOK = new CResizableButton(tr("Ok"), this);
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, this, &CLineGroupTreeDlg::accept);
    // Only a change of the tree's selection with the mouse refills the list.
    connect(m_pTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { FillCandidates(item); });

    // Two equal columns, each a title over its view; the buttons centred below.
    auto* columns = new QGridLayout;
    columns->addWidget(m_stcList, 0, 0);
    columns->addWidget(m_stcTree, 0, 1);
    columns->addWidget(m_pList, 1, 0);
    columns->addWidget(m_pTree, 1, 1);
    const int half = std::max(m_stcList->minimumSizeHint().width(), m_stcTree->minimumSizeHint().width());
    for (int c = 0; c < 2; ++c) {
        columns->setColumnStretch(c, 1);
        columns->setColumnMinimumWidth(c, half);
    }
    columns->setRowStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(columns, 1);
    root->addLayout(buttons);
    resize(420, 300);

    m_pDrag = new CRowDragTracker(this);
    m_pDrag->Watch(m_pList, m_pList->viewport());
    m_pDrag->Watch(m_pTree, m_pTree->viewport());
    m_pDrag->SetImage(CLineGroupSelectDlg::Images(32).at(0), QPoint(10, 10));
    m_pDrag->canBegin = [this](QWidget* view, const QPoint& pos) {
        if (view == m_pList)
            return m_pList->itemAt(pos) != nullptr;
        QTreeWidgetItem* item = m_pTree->itemAt(pos);
        if (!item || !item->parent())
            return false;  // only members leave the tree
        m_pTree->setCurrentItem(item);
        return true;
    };
    m_pDrag->dropped = [this](QWidget* source, const QPoint& globalPos) { OnDrop(source, globalPos); };
}

bool CLineGroupTreeDlg::OnInitDialog()
{
    CResizableDialog::OnInitDialog();
    const QList<QPixmap> images = CLineGroupSelectDlg::Images();
    m_pList->SetImageList(images);
    // Its share of the client width is taken again once the dialog is laid out (showEvent).
    m_pList->InsertColumn(0, QString::fromStdString(LoadStringId(uistr::Name)), CListCtrl::LVCFMT_LEFT,
                          m_pList->GetClientWidth() * 90 / 100);
    m_pList->m_aColumnPercent = {90};
    m_pList->m_aColumnEditor = {ColumnEditorKind::TextEdit()};
    CQuillomerDoc* doc = GetActiveDoc();
    m_Candidates.clear();
    if (doc) {
        for (uint32_t type : {static_cast<uint32_t>(OT_ZONE), static_cast<uint32_t>(OT_GROUP)}) {
            DeviceList list;
            doc->GetIDManager().GetBaseDeviceList(list, type);
            for (CBaseDevice* o : list)
                m_Candidates.append(o);
        }
        // Group number 0 is never offered.
        for (qsizetype i = m_Candidates.size() - 1; i >= 0; --i) {
            if (m_Candidates.at(i)->GetType() == OT_GROUP && m_Candidates.at(i)->GetNumber() == 0) {
                m_Candidates.removeAt(i);
                break;
            }
        }
        QTreeWidgetItem* selected = nullptr;
        for (CBaseDevice* group : doc->GetList(CAT_GROUP)) {
            auto* root = new QTreeWidgetItem(m_pTree, {QString::fromStdString(group->GetName())});
            root->setIcon(0, QIcon(images.at(1)));
            root->setFlags(root->flags() | Qt::ItemIsEditable);
            CResizableTreeCtrl::SetItemData(root, reinterpret_cast<quintptr>(group));
            if (group == m_pObject)
                selected = root;
            for (const LinkRecord* link : group->m_outLinks) {
                if (!link->HasPartner())
                    continue;
                auto* member = new QTreeWidgetItem(root, {QString::fromStdString(link->partner->GetName())});
                member->setIcon(0, QIcon(images.at(ImageByCategory(link->partnerCategory))));
                member->setFlags(member->flags() | Qt::ItemIsEditable);
                CResizableTreeCtrl::SetItemData(member, reinterpret_cast<quintptr>(link->partner));
            }
        }
        if (!selected)
            selected = m_pTree->topLevelItem(0);
        if (selected)
            m_pTree->setCurrentItem(selected);
        FillCandidates(selected);
    }
    return true;
}

void CLineGroupTreeDlg::showEvent(QShowEvent* event)
{
    CResizableDialog::showEvent(event);
    // The list has its client width only now, laid out at the dialog's
    // (restored) size; before, its viewport still has the size it was made with.
    if (!m_bColumnSized && m_pList->columnCount() > 0) {
        m_bColumnSized = true;
        m_pList->SetColumnWidth(0, m_pList->GetClientWidth() * 90 / 100);
    }
}

void CLineGroupTreeDlg::AppendRow(CBaseDevice* object)
{
    if (m_pList->columnCount() == 0)
        m_pList->setColumnCount(1);
    const int row = m_pList->InsertItem(m_pList->GetItemCount(), QString::fromStdString(object->GetName()),
                                        CLineGroupSelectDlg::ImageOf(object));
    m_pList->SetItemData(row, reinterpret_cast<quintptr>(object));
    m_pList->Row(row)->setFlags(m_pList->Row(row)->flags() | Qt::ItemIsEditable);
    // Rows stay sorted by name.
    m_pList->sortItems(0, Qt::AscendingOrder);
}

void CLineGroupTreeDlg::FillCandidates(QTreeWidgetItem* item)
{
    m_pList->DeleteAllItems();
    if (!item)
        return;
    if (item->parent())
        item = item->parent();
    CBaseDevice* group = ObjectOf(item);
    if (!group || group->GetType() != OT_GROUP)
        return;
    QList<CBaseDevice*> offer = m_Candidates;
    offer.removeAll(m_pObject);
    for (const LinkRecord* link : group->m_outLinks)
        if (link->HasPartner())
            offer.removeAll(link->partner);
    offer.removeIf([group](const CBaseDevice* o) {
        // A group takes only groups with a smaller number.
        return o->GetType() == OT_GROUP && o->GetNumber() >= group->GetNumber();
    });
    for (CBaseDevice* o : offer)
        AppendRow(o);
}

void CLineGroupTreeDlg::AddSelectedRowsToGroup()
{
    QList<int> rows;
    m_pList->GetSelectedItems(&rows);
    QTreeWidgetItem* target = m_pTree->currentItem();
    if (target && target->parent())
        target = target->parent();
    CBaseDevice* group = ObjectOf(target);
    if (!target || !group)
        return;
    const QList<QPixmap> images = CLineGroupSelectDlg::Images();
    for (int r : rows) {
        auto* object = reinterpret_cast<CBaseDevice*>(m_pList->GetItemData(r));
        if (!object)
            continue;
        m_pTree->expandItem(target);
        auto* member = new QTreeWidgetItem(target, {QString::fromStdString(object->GetName())});
        member->setIcon(0, QIcon(images.at(ImageByCategory(object->GetCategory()))));
        member->setFlags(member->flags() | Qt::ItemIsEditable);
        CResizableTreeCtrl::SetItemData(member, reinterpret_cast<quintptr>(object));
        group->AddOutLink(group, 0, object, 0, object->GetCategory());
        object->AddInLink(object, 0, group, 0, group->GetCategory());
        group->Redraw();
    }
    for (qsizetype i = rows.size() - 1; i >= 0; --i) {
        const int r = rows.at(i);
        m_pList->DeleteItem(r);
        if (r < m_pList->GetItemCount())
            m_pList->SetItemState(r, true, true);
    }
}

void CLineGroupTreeDlg::RemoveMember(QTreeWidgetItem* member)
{
    if (!member || !member->parent())
        return;
    QTreeWidgetItem* parent = member->parent();
    CBaseDevice* group = ObjectOf(parent);
    CBaseDevice* object = ObjectOf(member);
    if (object)
        AppendRow(object);
    delete member;
    if (group) {
        group->Redraw();
        if (object) {
            object->RemoveInLinksFrom(group);
            // Taking a member away changes the project as adding one does,
            // so closing it offers to save the change.
            group->SetDocModified();
        }
    }
    FillCandidates(parent);
}

void CLineGroupTreeDlg::OnDrop(QWidget* source, const QPoint& globalPos)
{
    QWidget* target = source == m_pList ? static_cast<QWidget*>(m_pTree) : m_pList;
    auto* view = static_cast<QAbstractScrollArea*>(target);
    if (!view->viewport()->rect().contains(view->viewport()->mapFromGlobal(globalPos)))
        return;  // outside the other view nothing changes
    if (source == m_pList)
        AddSelectedRowsToGroup();
    else
        RemoveMember(m_pTree->currentItem());
}

void CLineGroupTreeDlg::OnEndListLabelEdit(int row, const QString& text)
{
    Rename(reinterpret_cast<CBaseDevice*>(m_pList->GetItemData(row)), text);
}

void CLineGroupTreeDlg::OnEndTreeLabelEdit(QTreeWidgetItem* item, const QString& text)
{
    Rename(ObjectOf(item), text);
}

void CLineGroupTreeDlg::Rename(CBaseDevice* object, const QString& text)
{
    if (!object)
        return;
    // The message box's loop may end the dialog (its window closed while
    // the name was being typed): nothing is left to show then.
    const QPointer<CLineGroupTreeDlg> alive(this);
    std::string name = text.toStdString();
    object->SetNameUnique(name, true);
    if (!alive || name.empty())
        return;  // refused: every label stays
    // The name the object took (made unique) shows in both views.
    const QString shown = QString::fromStdString(object->GetName());
    m_pTree->SetItemTextByData(reinterpret_cast<quintptr>(object), shown);
    for (int r = 0; r < m_pList->GetItemCount(); ++r)
        if (m_pList->GetItemData(r) == reinterpret_cast<quintptr>(object))
            m_pList->SetItemText(r, 0, shown);
}
