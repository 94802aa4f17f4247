#include "paging/windows/CLMZConfigDlg.h"

#include <QApplication>
#include <QSignalBlocker>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSet>
#include <QVBoxLayout>
#include <QTreeWidgetItemIterator>

#include <utility>

#include "hardware/CLMZ.h"
#include "hardware/windows/CLMZFrm.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ModelStrings.h"
#include "model/NumberSet.h"
#include "paging/CRelais.h"
#include "paging/CRelaisManager.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CEditListCtrl.h"
#include "ui/CPictureSet.h"
#include "ui/CResizableButton.h"
#include "ui/CResizableTreeCtrl.h"
#include "ui/CRowDragTracker.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

QL_STRING_TABLE({
    {34264, "Ausgangskarten"},
    {34265, "Eingangskarten"},
    {34266, "Analogkarten"},
    {32829, "Auswahlliste"},
    {34372, "AD Kanal"},
    {34373, "DA Kanal"},
    {32837, "100V Relais"},
    {32836, "24V Relais"},
});

namespace {
constexpr int kPictureRole = Qt::UserRole + 1;
constexpr int kImageBitmap = 422;  // the tree's and the list's pictures
constexpr int kDragBitmap = 131;   // a dragged zone or group
constexpr int kNoDropCursor = 106;

// Gives a tree item its picture: the index it is known by, and its image.
void SetPicture(QTreeWidgetItem* item, int picture)
{
    item->setData(0, kPictureRole, picture);
    item->setIcon(0, CPictureSet::ListImage(kImageBitmap, picture));
}

constexpr uint32_t kOutputHeading = 34264, kInputHeading = 34265, kAnalogHeading = 34266;
constexpr uint32_t kLabel = 32830, kChannel = 34371, kAdChannel = 34372, kDaChannel = 34373;

QString S(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

// The numbers of a set as a range text ("0" when empty).
QString SetText(const NumberSet& set)
{
    return Q(RangesToString(set, kNumberSetBits));
}

void Mark(NumberSet& set, int32_t n)
{
    if (n >= 1 && n <= static_cast<int32_t>(kNumberSetBits))
        SetBit(set, static_cast<unsigned>(n - 1), true);
}

CBaseDevice* PartnerAt(const CBaseDevice* owner, int32_t key)
{
    const LinkRecord* rec = owner->GetOutLinkAtKey(key);
    return rec && rec->HasPartner() ? rec->partner : nullptr;
}

uint32_t PlainKind(const CRelais* relay)
{
    return relay->IsSecondFamily() ? relaiskind::Second : relaiskind::Line;
}

int RelayPicture(const CRelais* relay)
{
    if (relay->GetKindId() == relaiskind::Mandatory)
        return lmzpic::Mandatory;
    if (relay->GetKindId() == relaiskind::Control)
        return lmzpic::Control;
    return lmzpic::FreeRelay;
}

[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(
    QStringLiteral("CLMZConfigDlg"), [](CQuillomerDoc* doc) -> QWidget* { return new CLMZConfigDlg(doc); });
}  // namespace

CLMZConfigDlg::CLMZConfigDlg(CQuillomerDoc* doc, QWidget* parent)
    : CResizableDialog(kTemplateId, parent), m_pDoc(doc)
{
    setWindowTitle(tr("LMZ Konfiguration"));
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("1429"));
    m_pList = new CEditListCtrl(box);
    m_pList->setObjectName(QStringLiteral("1445"));
    m_pList->SetImageList(CPictureSet::ImageList(kImageBitmap, 16));
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pTree = new CResizableTreeCtrl(box);
    m_pTree->setObjectName(QStringLiteral("1436"));
    m_pTree->setHeaderHidden(true);
    m_pTree->installEventFilter(this);
    m_btnOK = new CResizableButton(tr("OK"), this);
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, this, &CLMZConfigDlg::OnOK);
    m_pTree->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    connect(m_pTree, &QTreeWidget::itemChanged, this, &CLMZConfigDlg::OnItemChanged);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, [this] { RefillList(); });
    // Only the carrier, heading and card pictures have an open form; a relay
    // or a position keeps its picture, which also tells what it is.
    connect(m_pTree, &QTreeWidget::itemExpanded, this, [](QTreeWidgetItem* item) {
        const int p = Picture(item);
        if (p == 0 || p == 2 || p == 4 || p == 15 || p == 18 || p == 23)
            SetPicture(item, p + 1);
    });
    // A card's extended properties have their own window; the tree is the
    // only place where the cards are seen.
    connect(m_pTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (IsCardItem(item))
            GetAppHost().OpenFeatureWindow(m_pDoc, CLMZFrm::kWindowKind, true);
    });
    connect(m_pTree, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem* item) {
        const int p = Picture(item);
        if (p == 1 || p == 3 || p == 5 || p == 16 || p == 19 || p == 24)
            SetPicture(item, p - 1);
    });

    auto* inner = new QHBoxLayout(box);
    inner->addWidget(m_pList, 92);
    inner->addWidget(m_pTree, 205);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addWidget(box, 1);
    root->addLayout(buttons);
    ApplyDesignedSize(this, DialogUnitsToPixels(this, QSize(334, 233)));

    m_pDrag = new CRowDragTracker(this);
    m_pDrag->Watch(m_pList, m_pList->viewport());
    m_pDrag->canBegin = [this](QWidget* view, const QPoint& pos) {
        QTreeWidgetItem* row = view == m_pList ? m_pList->itemAt(pos) : nullptr;
        if (!row)
            return false;
        // The entry and the selection are taken now: the drop selects its
        // target first, and that fills the list with other entries.
        QList<int> rows{m_pList->indexOfTopLevelItem(row)};
        for (int r = 0; r < m_pList->GetItemCount(); ++r)
            if (m_pList->IsItemSelected(r) && r != rows.front())
                rows.append(r);
        m_dragged = EntriesOf(rows);
        m_pDrag->SetImage(DragImage(row), QPoint(10, 10));
        return true;
    };
    m_pDrag->cursorAt = [this](const QPoint& globalPos) { return DragCursor(globalPos); };
    // The item under the pointer shows where the entry would go.
    m_pDrag->moved = [this](const QPoint& globalPos) { m_pTree->SelectDropTarget(TreeItemAt(globalPos)); };
    m_pDrag->dropped = [this](QWidget* source, const QPoint& globalPos) {
        m_pTree->SelectDropTarget(nullptr);
        OnDragEnd(source, globalPos);
    };
    m_pList->installEventFilter(this);
}

QPixmap CLMZConfigDlg::DragImage(QTreeWidgetItem* row) const
{
    // Zones and groups travel as the large picture of their kind; any other
    // entry as its row.
    const int picture = row->data(0, kPictureRole).toInt();
    if (picture == lmzpic::Zone || picture == lmzpic::Group)
        return QPixmap::fromImage(CPictureSet::ListImageAt(kDragBitmap, picture == lmzpic::Zone ? 0 : 1, 32));
    return m_pList->viewport()->grab(m_pList->visualItemRect(row));
}

QCursor CLMZConfigDlg::DragCursor(const QPoint& globalPos) const
{
    const QRect tree(m_pTree->mapToGlobal(QPoint(0, 0)), m_pTree->size());
    return tree.contains(globalPos) ? QCursor(Qt::ArrowCursor) : CPictureSet::Cursor(kNoDropCursor);
}

QTreeWidgetItem* CLMZConfigDlg::TreeItemAt(const QPoint& globalPos) const
{
    const QPoint pos = m_pTree->viewport()->mapFromGlobal(globalPos);
    return m_pTree->viewport()->rect().contains(pos) ? m_pTree->itemAt(pos) : nullptr;
}

void CLMZConfigDlg::SizeSourceColumn()
{
    // From the list's own rectangle: its viewport follows only once the
    // list has been shown with its laid-out size.
    int client = m_pList->contentsRect().width();
    if (m_pList->verticalScrollBar()->isVisible())
        client -= m_pList->verticalScrollBar()->width();
    if (m_pList->columnCount() > 0)
        m_pList->SetColumnWidth(0, client * 90 / 100);
}

bool CLMZConfigDlg::OnInitDialog()
{
    CResizableDialog::OnInitDialog();
    BuildTree();
    m_pList->InsertColumn(0, S(32829), CListCtrl::LVCFMT_LEFT, 0);
    SizeSourceColumn();
    RefillList();
    return true;
}

bool CLMZConfigDlg::IsCardItem(const QTreeWidgetItem* item)
{
    switch (Picture(item)) {
    case lmzpic::Out763: case lmzpic::Out763 + 1:
    case lmzpic::Out764: case lmzpic::Out764 + 1:
    case lmzpic::In771: case lmzpic::In771 + 1:
    case lmzpic::Analog775: case lmzpic::Analog775 + 1:
        return true;
    default:
        return false;
    }
}

int CLMZConfigDlg::Picture(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kPictureRole).toInt() : -1;
}

CBaseDevice* CLMZConfigDlg::ObjectOf(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<CBaseDevice*>(CResizableTreeCtrl::GetItemData(item)) : nullptr;
}

QTreeWidgetItem* CLMZConfigDlg::AddItem(QTreeWidgetItem* parent, const QString& text, int picture,
                                        CBaseDevice* object)
{
    auto* item = parent ? new QTreeWidgetItem(parent, QStringList(text)) : new QTreeWidgetItem(m_pTree, QStringList(text));
    // Of all the items only a control pad's name can be edited in the tree.
    if (object && object->GetType() == OT_CONTROL_PAD)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    SetPicture(item, picture);
    CResizableTreeCtrl::SetItemData(item, reinterpret_cast<quintptr>(object));
    return item;
}

QString CLMZConfigDlg::CardText(const CLMZ* card) const
{
    const QString model = S(card->GetKindId());
    NumberSet set{}, da{};
    const int32_t c = card->GetNumber() - 1;
    switch (card->GetType()) {
    case OT_LMZ763:
    case OT_LMZ764:
        for (int32_t key = 0; key < 5; ++key)
            if (const auto* r = dynamic_cast<const CRelais*>(PartnerAt(card, key)))
                if (r->IsUsed() || (r->GetKindId() != relaiskind::Line && r->GetKindId() != relaiskind::Second))
                    Mark(set, static_cast<int32_t>(r->GetRelayNumber()));
        return model + QStringLiteral(": ") + SetText(set);
    case OT_LMZ771:
        for (int32_t key = 0; key < 12; ++key)
            if (PartnerAt(card, key))
                Mark(set, 12 * c + key + 1);
        return model + QStringLiteral(": ") + SetText(set);
    case OT_LMZ775:
        for (int32_t key = 0; key < 8; ++key) {
            if (PartnerAt(card, key))
                Mark(set, 8 * c + key + 1);
            if (PartnerAt(card, CLMZ::kDaFirstKey + key))
                Mark(da, 8 * c + key + 1);
        }
        return model + QStringLiteral(": AD") + SetText(set) + QStringLiteral(" DA") + SetText(da);
    default:
        return model;
    }
}

void CLMZConfigDlg::AddRelayItems(QTreeWidgetItem* cardItem, CLMZ* card)
{
    const int32_t c = card->GetNumber() - 1;
    if (card->GetType() == OT_LMZ763 || card->GetType() == OT_LMZ764) {
        for (int32_t key = 0; key < 5; ++key) {
            auto* relay = dynamic_cast<CRelais*>(PartnerAt(card, key));
            if (!relay) {
                AddItem(cardItem, QString(), lmzpic::FreeRelay, nullptr);
                continue;
            }
            QTreeWidgetItem* item = AddItem(cardItem, Q(relay->GetName()), RelayPicture(relay), relay);
            for (const LinkRecord* use : relay->m_outLinks) {
                if (!use->HasPartner())
                    continue;
                CBaseDevice* p = use->partner;
                if (p->GetType() == OT_COLLECTION_CALL) {
                    QTreeWidgetItem* call = AddItem(item, Q(p->GetName()), lmzpic::CollCall, p);
                    for (const LinkRecord* m : p->m_outLinks)
                        if (m->HasPartner())
                            AddItem(call, Q(m->partner->GetName()),
                                    m->partner->GetType() == OT_GROUP ? lmzpic::Group : lmzpic::Zone, m->partner);
                    continue;
                }
                QString text = Q(p->GetName());
                const LinkRecord* feed = p->GetType() == OT_ZONE ? p->GetOutLinkAtKey(0) : nullptr;
                if (feed && feed->HasPartner() && feed->partner->GetKindId() == topologykind::ProgramCall) {
                    if (use->partnerKey == 1)
                        text += QStringLiteral(" ") + S(34250);
                    else if (use->partnerKey == 2)
                        text += QStringLiteral(" ") + S(34251);
                }
                AddItem(item, text, p->GetType() == OT_CONTROL_PAD ? lmzpic::Pad : lmzpic::Zone, p);
            }
        }
    } else if (card->GetType() == OT_LMZ771) {
        for (int32_t key = 0; key < 12; ++key) {
            if (CBaseDevice* pad = PartnerAt(card, key))
                AddItem(cardItem, Q(pad->GetName()), lmzpic::Pad, pad);
            else
                AddItem(cardItem, QString::number(12 * c + key + 1), lmzpic::FreePosition, nullptr);
        }
    } else if (card->GetType() == OT_LMZ775) {
        for (int32_t base : {0, static_cast<int32_t>(CLMZ::kDaFirstKey)}) {
            for (int32_t key = 0; key < 8; ++key) {
                if (CBaseDevice* pad = PartnerAt(card, base + key))
                    AddItem(cardItem, Q(pad->GetName()), lmzpic::Pad, pad);
                else
                    AddItem(cardItem, S(base ? kDaChannel : kAdChannel) + QString::number(8 * c + key + 1),
                            lmzpic::FreePosition, nullptr);
            }
        }
    }
}

void CLMZConfigDlg::AddCardItem(QTreeWidgetItem* heading, CLMZ* card)
{
    int picture = lmzpic::Out763;
    switch (card->GetType()) {
    case OT_LMZ764: picture = lmzpic::Out764; break;
    case OT_LMZ771: picture = lmzpic::In771; break;
    case OT_LMZ775: picture = lmzpic::Analog775; break;
    default: break;
    }
    AddRelayItems(AddItem(heading, CardText(card), picture, card), card);
}

void CLMZConfigDlg::BuildTree()
{
    m_pTree->clear();
    QTreeWidgetItem* root = AddItem(nullptr, S(32799), 0, nullptr);
    if (!m_pDoc)
        return;
    DeviceList carriers;
    m_pDoc->GetIDManager().GetBaseDeviceList(carriers, OT_LMZ752);
    for (CBaseDevice* obj : carriers) {
        QTreeWidgetItem* item = AddItem(root, Q(obj->GetName()) + QStringLiteral("-%1").arg(obj->GetNumber()),
                                        lmzpic::Carrier, obj);
        QTreeWidgetItem* headings[3] = {AddItem(item, S(kOutputHeading), lmzpic::Heading, nullptr),
                                        AddItem(item, S(kInputHeading), lmzpic::Heading, nullptr),
                                        AddItem(item, S(kAnalogHeading), lmzpic::Heading, nullptr)};
        for (int32_t key = CLMZ::kFirstOutputKey; key <= CLMZ::kLastAnalogKey; ++key) {
            auto* card = dynamic_cast<CLMZ*>(PartnerAt(obj, key));
            if (!card)
                continue;
            const int h = card->GetType() == OT_LMZ771 ? 1 : card->GetType() == OT_LMZ775 ? 2 : 0;
            AddCardItem(headings[h], card);
        }
    }
    if (CBaseDevice* slot = m_pDoc->GetIDManager().GetBaseDevice(1, OT_DIGITAL_SLOT)) {
        QTreeWidgetItem* item = AddItem(nullptr, Q(slot->GetName()), lmzpic::Carrier, slot);
        for (int32_t k = 1; k < slot->m_outputCount; ++k) {
            const LinkRecord* rec = slot->GetInLinkAtKey(k);
            if (rec && rec->HasPartner() && rec->partner->GetType() == OT_CONTROL_PAD) {
                QTreeWidgetItem* pad = AddItem(item, Q(rec->partner->GetName()), lmzpic::Pad, rec->partner);
                for (const LinkRecord* z : rec->partner->m_outLinks)
                    if (z->HasPartner() && z->partner->GetType() == OT_ZONE)
                        AddItem(pad, Q(z->partner->GetName()), z->partnerKey == CZone::kControlKey
                                                                   ? lmzpic::SlotControlZone
                                                                   : lmzpic::SlotMandatoryZone,
                                z->partner);
            } else {
                AddItem(item, QString::number(k + 1), lmzpic::FreePosition, nullptr);
            }
        }
    }
    root->setExpanded(true);
}

void CLMZConfigDlg::AddEntry(const QString& text, int picture, CBaseDevice* object)
{
    const int row = m_pList->InsertItem(m_pList->GetItemCount(), text, picture);
    m_pList->Row(row)->setData(0, kPictureRole, picture);
    m_pList->SetItemData(row, reinterpret_cast<quintptr>(object));
}

void CLMZConfigDlg::RefillList()
{
    m_pList->DeleteAllItems();
    QTreeWidgetItem* item = m_pTree->currentItem();
    if (!item || !m_pDoc)
        return;
    const QString text = item->text(0);
    CBaseDevice* obj = ObjectOf(item);
    const CBaseDevice* parent = ObjectOf(item->parent());
    DeviceList zones;
    m_pDoc->GetIDManager().GetBaseDeviceList(zones, OT_ZONE);
    auto zonesWithout = [&](int32_t key, int picture) {
        for (CBaseDevice* z : zones)
            if (!z->GetInLinkAtKey(key))
                AddEntry(Q(z->GetName()), picture, z);
    };
    if (!item->parent() && !obj && m_pTree->indexOfTopLevelItem(item) == 0) {
        AddEntry(QStringLiteral("LMZ752"), lmzpic::Carrier);
    } else if (text == S(kOutputHeading) && Picture(item) <= 3) {
        AddEntry(QStringLiteral("LMZ763"), lmzpic::Out763);
        AddEntry(QStringLiteral("LMZ764"), lmzpic::Out764);
    } else if (text == S(kInputHeading) && Picture(item) <= 3) {
        AddEntry(QStringLiteral("LMZ771"), lmzpic::In771);
    } else if (text == S(kAnalogHeading) && Picture(item) <= 3) {
        AddEntry(QStringLiteral("LMZ775"), lmzpic::Analog775);
    } else if (!obj && parent && (parent->GetType() == OT_LMZ771 || parent->GetType() == OT_DIGITAL_SLOT)) {
        AddEntry(S(kLabel), lmzpic::Pad);
    } else if (!obj && parent && parent->GetType() == OT_LMZ775) {
        AddEntry(S(kChannel), lmzpic::Pad);
    } else if (auto* relay = dynamic_cast<CRelais*>(obj)) {
        const uint32_t kind = relay->GetKindId();
        if (kind == relaiskind::Mandatory) {
            zonesWithout(CZone::kPrioKey, lmzpic::Zone);
        } else if (kind == relaiskind::Control) {
            zonesWithout(CZone::kControlKey, lmzpic::Zone);
        } else if (!relay->IsUsed() && (kind == relaiskind::Line || kind == relaiskind::Second)) {
            AddEntry(S(relaiskind::Mandatory), lmzpic::Mandatory);
            if (kind == relaiskind::Line)
                AddEntry(S(relaiskind::CollectiveCall), lmzpic::CollCall);
            AddEntry(S(relaiskind::Control), lmzpic::Control);
            AddEntry(S(kLabel), lmzpic::Pad);
        }
    } else if (obj && obj->GetType() == OT_COLLECTION_CALL) {
        for (CBaseDevice* z : zones)
            AddEntry(Q(z->GetName()), lmzpic::Zone, z);
        DeviceList groups;
        m_pDoc->GetIDManager().GetBaseDeviceList(groups, OT_GROUP);
        for (CBaseDevice* g : groups)
            AddEntry(Q(g->GetName()), lmzpic::Group, g);
    } else if (obj && obj->GetType() == OT_CONTROL_PAD && parent && parent->GetType() == OT_DIGITAL_SLOT) {
        zonesWithout(CZone::kPrioKey, lmzpic::SlotMandatoryZone);
        zonesWithout(CZone::kControlKey, lmzpic::SlotControlZone);
    }
}

CLMZ* CLMZConfigDlg::PlaceCard(uint32_t kind, CLMZ* carrier)
{
    CIDManager& dir = m_pDoc->GetIDManager();
    const uint32_t type = CLMZ::TypeOfKind(kind);
    if (const int32_t last = dir.GetMaxID(type); last > 0) {
        auto* lastCard = dynamic_cast<CLMZ*>(dir.GetBaseDevice(last, type));
        const CLMZ* lastCarrier = lastCard ? lastCard->GetCarrier() : nullptr;
        // Cards of one model run in carrier order.
        if (lastCarrier && carrier->GetNumber() < lastCarrier->GetNumber()) {
            ShowMessage(LoadStringId(IDS_CANNOT_INSERT), mb::Ok);
            return nullptr;
        }
    }
    int32_t first = 0, lastKey = 0;
    CLMZ::KeyRange(kind, first, lastKey);
    for (int32_t key = first; key <= lastKey; ++key) {
        if (carrier->GetOutLinkAtKey(key))
            continue;
        CLMZ* card = CLMZ::NewCard(m_pDoc, kind);
        if (card)
            carrier->LinkTo(key, card, 0);
        return card;
    }
    ShowMessage(LoadStringId(IDS_CANNOT_INSERT), mb::Ok);
    return nullptr;
}

void CLMZConfigDlg::LinkZones(const QList<CBaseDevice*>& objects, QTreeWidgetItem* target, int picture)
{
    CBaseDevice* owner = ObjectOf(target);
    // Zones and groups hang on relays, collective calls and control pads; a
    // card's or a carrier's keys are its relays, inputs and cards.
    if (!owner || (owner->GetType() != OT_RELAIS && owner->GetType() != OT_COLLECTION_CALL &&
                   owner->GetType() != OT_CONTROL_PAD))
        return;
    int32_t zoneKey = 0, ownKey = 0;
    if (owner->GetType() == OT_COLLECTION_CALL) {
        zoneKey = CZone::kCollCallKey;
    } else if (owner->GetKindId() == relaiskind::Mandatory && owner->GetType() == OT_RELAIS) {
        zoneKey = CZone::kPrioKey;
    } else if (owner->GetKindId() == relaiskind::Control && owner->GetType() == OT_RELAIS) {
        zoneKey = CZone::kControlKey;
    } else if (owner->GetType() == OT_CONTROL_PAD && picture == lmzpic::SlotMandatoryZone) {
        zoneKey = CZone::kPrioKey;
        ownKey = 1;
    } else if (owner->GetType() == OT_CONTROL_PAD && picture == lmzpic::SlotControlZone) {
        zoneKey = CZone::kControlKey;
        ownKey = 1;
    }
    for (CBaseDevice* obj : objects) {
        if (obj && !owner->FindOutLink(ownKey, obj, zoneKey, obj->GetCategory()))
            owner->LinkTo(ownKey, obj, zoneKey);
    }
}

CBaseDevice* CLMZConfigDlg::MakePad(QTreeWidgetItem* target)
{
    QTreeWidgetItem* parentItem = target->parent();
    CBaseDevice* owner = ObjectOf(target);
    const CBaseDevice* parent = ObjectOf(parentItem);
    uint32_t kind = 0, finalKind = 0;
    std::string name;
    int32_t key = 0;
    uint32_t bitmap = 313, extra = 3;
    if (auto* relay = dynamic_cast<CRelais*>(owner)) {
        if (relay->IsUsed() || relay->GetKindId() != PlainKind(relay))
            return nullptr;
        const bool second = relay->IsSecondFamily();
        kind = second ? padkind::LMZ764 : padkind::LMZ763;
        name = LoadStringId(second ? 32836 : 32837) + " " + target->text(0).toStdString();
        bitmap = 0;
        extra = 9;
    } else if (owner) {
        return nullptr;  // a position with a pad already
    } else if (parent && parent->GetType() == OT_LMZ771) {
        const int n = target->text(0).toInt();
        kind = padkind::LMZ771;
        name = LoadStringId(parent->GetKindId()) + "-" + target->text(0).toStdString();
        key = (n - 1) % 12;
        owner = const_cast<CBaseDevice*>(parent);
    } else if (parent && parent->GetType() == OT_LMZ775) {
        const bool da = target->text(0).startsWith(S(kDaChannel));
        const int n = target->text(0).mid(S(da ? kDaChannel : kAdChannel).size()).toInt();
        kind = padkind::LMZ775;
        finalKind = da ? padkind::LMZ775Out : padkind::LMZ775In;
        name = LoadStringId(parent->GetKindId()) + "-" + std::to_string(n);
        key = (da ? CLMZ::kDaFirstKey : 0) + (n - 1) % 8;
        owner = const_cast<CBaseDevice*>(parent);
    } else if (parent && parent->GetType() == OT_DIGITAL_SLOT) {
        const int n = target->text(0).toInt();
        kind = padkind::SlotOut;
        name = "Output " + target->text(0).toStdString();
        key = (n - 1) % 12;
        bitmap = 0;
        extra = 9;
        owner = const_cast<CBaseDevice*>(parent);
    } else {
        return nullptr;
    }
    auto* pad = new CControlPad;
    if (!pad->Create(kind, 1, 1, name, 0, 0, 0, 0, CAT_DIGITAL_IO, bitmap, extra, m_pDoc)) {
        delete pad;
        return nullptr;
    }
    if (finalKind)
        pad->SetKindId(finalKind);
    m_pDoc->AddObject(pad, CAT_DIGITAL_IO);
    if (owner->GetType() == OT_DIGITAL_SLOT)
        pad->LinkTo(0, owner, key);
    else
        owner->LinkTo(key, pad, 0);
    return pad;
}

QString CLMZConfigDlg::ItemKey(const QTreeWidgetItem* item) const
{
    QString key;
    for (const QTreeWidgetItem* i = item; i; i = i->parent()) {
        if (const CBaseDevice* obj = ObjectOf(i)) {
            key.prepend(QStringLiteral("/o%1").arg(reinterpret_cast<quintptr>(obj)));
        } else {
            const int place = i->parent() ? i->parent()->indexOfChild(const_cast<QTreeWidgetItem*>(i))
                                      : m_pTree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(i));
            key.prepend(QStringLiteral("/t%1").arg(place));
        }
    }
    return key;
}

void CLMZConfigDlg::Rebuild(const CBaseDevice* select, const QString& selectKey, bool open)
{
    QSet<QString> opened;
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it)
        if ((*it)->isExpanded())
            opened.insert(ItemKey(*it));
    BuildTree();
    QTreeWidgetItem* item = select ? FindItem(select) : nullptr;
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        const QString key = ItemKey(*it);
        if (opened.contains(key))
            (*it)->setExpanded(true);
        if (!item && !selectKey.isEmpty() && key == selectKey)
            item = *it;
    }
    if (item) {
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
        if (open)
            item->setExpanded(true);
        m_pTree->setCurrentItem(item);
    }
    RefillList();
}

QTreeWidgetItem* CLMZConfigDlg::FindItem(const CBaseDevice* object) const
{
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i)
        m_pTree->FindItemsByData(items, m_pTree->topLevelItem(i), reinterpret_cast<quintptr>(object));
    return items.isEmpty() ? nullptr : items.front();
}

QTreeWidgetItem* CLMZConfigDlg::FindText(const QString& text) const
{
    const QList<QTreeWidgetItem*> found = m_pTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

CLMZConfigDlg::Dragged CLMZConfigDlg::EntriesOf(const QList<int>& rows) const
{
    Dragged what;
    for (int row : rows) {
        QTreeWidgetItem* entry = m_pList->Row(row);
        if (!entry)
            continue;
        if (what.picture < 0)
            what.picture = entry->data(0, kPictureRole).toInt();
        if (auto* obj = reinterpret_cast<CBaseDevice*>(m_pList->GetItemData(row)))
            what.objects.append(obj);
    }
    return what;
}

void CLMZConfigDlg::DropDragged(const Dragged& what, QTreeWidgetItem* target)
{
    if (what.picture < 0 || !target || !m_pDoc)
        return;
    const int picture = what.picture;
    CBaseDevice* obj = ObjectOf(target);
    auto* carrier = dynamic_cast<CLMZ*>(ObjectOf(target->parent()));
    auto* relay = dynamic_cast<CRelais*>(obj);
    // A relay takes a use only while it has none (what its list offers).
    const bool freeRelay = relay && !relay->IsUsed() && relay->GetKindId() == PlainKind(relay);
    // The target stays selected and opens; a new pad takes its position's place.
    const CBaseDevice* keep = obj;
    const QString keepKey = ItemKey(target);
    switch (picture) {
    case lmzpic::Carrier:
        if (m_pDoc->GetIDManager().GetCount(OT_LMZ752) >= CLMZ::kCarriers)
            ShowMessage(LoadStringId(IDS_CANNOT_CREATE), mb::Ok);
        else
            CLMZ::NewCard(m_pDoc, lmzkind::Carrier);
        break;
    case lmzpic::Out763:
    case lmzpic::Out764: {
        if (!carrier || carrier->GetType() != OT_LMZ752)
            break;
        const bool first = picture == lmzpic::Out763;
        CLMZ* card = PlaceCard(first ? lmzkind::Out763 : lmzkind::Out764, carrier);
        if (!card)
            break;
        for (int32_t key = 0; key < 5; ++key) {
            CRelais* r = NewRelais(m_pDoc, first ? relaiskind::Line : relaiskind::Second);
            if (!r)
                continue;
            // The card's relays carry its numbers when they are free.
            const int32_t n = 5 * card->GetNumber() - 4 + key;
            CRelaisManager* m = m_pDoc->GetRelaisManager();
            if (!(first ? m->GetRelais(n) : m->GetSRelais(n)))
                r->MoveToNumber(static_cast<uint32_t>(n), first);
            card->LinkTo(key, r, 0);
        }
        break;
    }
    case lmzpic::In771:
    case lmzpic::Analog775:
        if (carrier && carrier->GetType() == OT_LMZ752)
            PlaceCard(picture == lmzpic::In771 ? lmzkind::In771 : lmzkind::Analog775, carrier);
        break;
    case lmzpic::CollCall: {
        if (!freeRelay || relay->GetKindId() != relaiskind::Line)
            break;
        DeviceList calls;
        m_pDoc->GetIDManager().GetBaseDeviceList(calls, OT_COLLECTION_CALL);
        CBaseDevice* free = nullptr;
        for (CBaseDevice* c : calls)
            if (!c->GetInLinkAtKey(0)) {
                free = c;
                break;
            }
        if (!free) {
            ShowMessage("ERROR1287", mb::Ok);
            break;
        }
        relay->LinkTo(0, free, 0);
        relay->SetKindId(relaiskind::CollectiveCall);
        break;
    }
    case lmzpic::Mandatory:
    case lmzpic::Control:
        if (freeRelay)
            relay->SetKindId(picture == lmzpic::Mandatory ? relaiskind::Mandatory : relaiskind::Control);
        break;
    case lmzpic::Zone:
    case lmzpic::Group:
    case lmzpic::SlotMandatoryZone:
    case lmzpic::SlotControlZone:
        LinkZones(what.objects, target, picture);
        break;
    case lmzpic::Pad:
        if (CBaseDevice* pad = MakePad(target); pad && !obj)
            keep = pad;
        break;
    default:
        break;
    }
    Rebuild(keep, keepKey, true);
}

void CLMZConfigDlg::DeleteItem(QTreeWidgetItem* item)
{
    if (!item || !m_pDoc)
        return;
    CBaseDevice* obj = ObjectOf(item);
    CBaseDevice* parent = ObjectOf(item->parent());
    const CBaseDevice* keep = parent;
    QString keepKey;
    switch (Picture(item)) {
    case 0: case 1: case 4: case 5: case 15: case 16: case 18: case 19: case 23: case 24:
        if (auto* card = dynamic_cast<CLMZ*>(obj))
            card->DeleteCard();
        keep = nullptr;
        break;
    case lmzpic::Zone:
    case lmzpic::Group:
    case lmzpic::SlotMandatoryZone:
    case lmzpic::SlotControlZone:
        if (parent && obj)
            parent->RemoveOutLinksTo(obj);
        break;
    case lmzpic::Mandatory:
    case lmzpic::Control:
        if (auto* relay = dynamic_cast<CRelais*>(obj)) {
            relay->RemoveAllOutLinks();
            relay->SetKindId(PlainKind(relay));
            keep = relay;
        }
        break;
    case lmzpic::Pad:
    case lmzpic::CollCall:
        if (auto* relay = dynamic_cast<CRelais*>(parent)) {
            relay->SetKindId(PlainKind(relay));
            // The user deletes the relay's collective call here, which the
            // call itself refuses to every other delete.
            if (obj && obj->GetType() == OT_COLLECTION_CALL)
                obj->CBaseDevice::OnCommand(objcmd::Delete);
            else if (obj)
                obj->OnCommand(objcmd::Delete);
        } else if (obj && obj->GetType() == OT_CONTROL_PAD) {
            // The card's input or channel (or the slot's output) stays, free
            // again, and stays selected.
            keep = nullptr;
            keepKey = ItemKey(item->parent()) + QStringLiteral("/t%1").arg(item->parent()->indexOfChild(item));
            obj->OnCommand(objcmd::Delete);
        }
        break;
    default:
        return;
    }
    Rebuild(keep, keepKey, false);
}

void CLMZConfigDlg::OnItemChanged(QTreeWidgetItem* item, int column)
{
    CBaseDevice* pad = ObjectOf(item);
    if (column != 0 || !pad || pad->GetType() != OT_CONTROL_PAD)
        return;
    const QString shown = Q(pad->GetName());
    if (item->text(0) == shown)
        return;  // the tree being built, or the name given back
    std::string name = item->text(0).toStdString();
    pad->SetNameUnique(name, true);
    const QSignalBlocker quiet(m_pTree);
    item->setText(0, Q(pad->GetName()));
}

bool CLMZConfigDlg::IsEditingLabel() const
{
    return m_pTree->IsEditing();
}

void CLMZConfigDlg::OnOK()
{
    // OK (or Enter) while a name is being edited ends the edit, taking the
    // name, and leaves the dialog open.
    if (IsEditingLabel()) {
        if (QWidget* editor = m_pTree->indexWidget(m_pTree->currentIndex())) {
            emit m_pTree->itemDelegate()->commitData(editor);
            emit m_pTree->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
        return;
    }
    accept();
}

bool CLMZConfigDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pList && event->type() == QEvent::Resize)
        SizeSourceColumn();
    if (watched == m_pTree && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteItem(m_pTree->currentItem());
        return true;
    }
    return CResizableDialog::eventFilter(watched, event);
}

void CLMZConfigDlg::OnDragEnd(QWidget*, const QPoint& globalPos)
{
    const Dragged what = std::exchange(m_dragged, Dragged());
    QTreeWidgetItem* item = TreeItemAt(globalPos);
    if (!item) {
        QApplication::beep();
        return;
    }
    m_pTree->setCurrentItem(item);
    DropDragged(what, item);
}
