#include "paging/windows/CRelaisTopologyDlg.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "hardware/CAmplifier.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CRelais.h"
#include "paging/CRelaisManager.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "paging/windows/CLMZConfigDlg.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CPictureSet.h"
#include "ui/CResizableButton.h"
#include "ui/CResizableComboBox.h"
#include "ui/CResizableEdit.h"
#include "ui/CResizableTreeCtrl.h"
#include "ui/CWholeValidator.h"
#include "ui/ColumnWidths.h"
#include "ui/DialogLayout.h"

QL_STRING_TABLE({
    {32791, "Wollen Sie die Änderungen übernehmen ?"},
    {34097, "Erstes Programm Relais"},
    {34098, "Erstes Relais"},
    {33032, "Direkt"},
    {33033, "1 in N"},
    {33034, "N in 1"},
    {33070, "Programm/Ruf"},
});

namespace {
constexpr int kAmpRole = Qt::UserRole;
constexpr int kOutputRole = Qt::UserRole + 1;
constexpr uint32_t kAskApply = 32791;

struct SchemeRow {
    unsigned kind;
    int inputRows;
};
constexpr SchemeRow kSchemes[] = {
    {topologykind::Direct, 1}, {topologykind::OneInN, 1}, {topologykind::ProgramCall, 2}};

// The tree's pictures (bitmap 280): the root closed and open, then each
// scheme's picture at its row index + 2.
constexpr int kImageBitmap = 280;

QIcon SchemeIcon(unsigned kind)
{
    for (int i = 0; i < static_cast<int>(std::size(kSchemes)); ++i)
        if (kSchemes[i].kind == kind)
            return CPictureSet::ListImage(kImageBitmap, i + 2);
    return {};
}

QString S(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

// Line relays that a numbering of this topology may take: free numbers,
// line relays nobody uses and those of its own zones.
int32_t UsableFrom(const CRelaisManager& m, const CRelaisTopology* t, int32_t from)
{
    int32_t usable = 0;
    for (int32_t n = std::max(from, 1); n <= CRelaisManager::kRelais; ++n) {
        const auto* r = dynamic_cast<const CRelais*>(m.GetRelais(n));
        if (!r) {
            ++usable;
            continue;
        }
        if (r->GetKindId() != relaiskind::Line)
            continue;
        const LinkRecord* use = r->GetOutLinkAtKey(0);
        const CBaseDevice* zone = use && use->HasPartner() ? use->partner : nullptr;
        const LinkRecord* feed = zone ? zone->GetOutLinkAtKey(0) : nullptr;
        if (!zone || (feed && feed->partner == t))
            ++usable;
    }
    return usable;
}

// The whole number an edit holds: nothing for a decimal ("2,5" is neither 2
// nor 25) or a text that is no number.
std::optional<int> TypedNumber(const QLineEdit* edit)
{
    const std::optional<long long> n = ScanTypedWholeAlone(edit->text().toStdString());
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*n);
}
}  // namespace

bool CRelaisTopologyDlg::Run(CRelaisTopology* topology)
{
    CRelaisTopologyDlg dlg(topology);
    return dlg.exec() == QDialog::Accepted;
}

CRelaisTopologyDlg::CRelaisTopologyDlg(CRelaisTopology* topology, QWidget* parent)
    : CResizableDialog(kTemplateId, parent),
      m_pDoc(topology ? topology->GetDocument() : GetActiveDoc()),
      m_pTopology(topology)
{
    setWindowTitle(tr("Relais Topologien"));
    m_pTree = new CResizableTreeCtrl(this);
    m_pTree->setObjectName(QStringLiteral("1034"));
    m_pTree->setHeaderHidden(true);
    // Expanding or collapsing the root switches its open and closed folder.
    connect(m_pTree, &QTreeWidget::itemExpanded, this, [](QTreeWidgetItem* item) {
        if (!item->parent())
            item->setIcon(0, CPictureSet::ListImage(kImageBitmap, 1));
    });
    connect(m_pTree, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem* item) {
        if (!item->parent())
            item->setIcon(0, CPictureSet::ListImage(kImageBitmap, 0));
    });
    m_pGroup = new QGroupBox(tr("Konfiguration"), this);
    m_lblScheme = new QLabel(tr("Relaistopologie"), m_pGroup);
    m_pScheme = new CResizableComboBox(m_pGroup);
    m_pScheme->setObjectName(QStringLiteral("1049"));
    m_pScheme->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_lblCount = new QLabel(tr("Anzahl der Linien"), m_pGroup);
    m_pCount = new CResizableEdit(m_pGroup);
    m_pCount->setObjectName(QStringLiteral("1164"));
    m_lblFirst = new QLabel(S(34097), m_pGroup);
    m_pFirst = new CResizableEdit(m_pGroup);
    m_pFirst->setObjectName(QStringLiteral("1457"));
    m_lblCall = new QLabel(tr("Erstes Ruf Relais"), m_pGroup);
    m_pCall = new CResizableEdit(m_pGroup);
    m_pCall->setObjectName(QStringLiteral("1462"));
    m_lblProgram = new QLabel(tr("Programm"), m_pGroup);
    m_lblCallInput = new QLabel(tr("Ruf"), m_pGroup);
    auto* grid = new QGridLayout(m_pGroup);
    grid->addWidget(m_lblScheme, 0, 0);
    grid->addWidget(m_pScheme, 0, 1);
    grid->addWidget(m_lblCount, 1, 0);
    grid->addWidget(m_pCount, 1, 1);
    grid->addWidget(m_lblFirst, 2, 0);
    grid->addWidget(m_pFirst, 2, 1);
    grid->addWidget(m_lblCall, 3, 0);
    grid->addWidget(m_pCall, 3, 1);
    for (int i = 0; i < 4; ++i) {
        m_lblInputs[i] = new QLabel(tr("%1. Eingang").arg(i + 1), m_pGroup);
        m_pInputs[i] = new CResizableComboBox(m_pGroup);
        m_pInputs[i]->setObjectName(QString::number(1044 + i));
        m_pInputs[i]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        grid->addWidget(m_lblInputs[i], 4 + i, 0);
        grid->addWidget(m_pInputs[i], 4 + i, 1);
    }
    grid->addWidget(m_lblProgram, 4, 2);
    grid->addWidget(m_lblCallInput, 5, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(8, 1);
    m_btnCards = new CResizableButton(tr("LMZ Karten ..."), m_pGroup);
    m_btnCards->setObjectName(QStringLiteral("1223"));
    grid->addWidget(m_btnCards, 9, 0, 1, 2, Qt::AlignLeft);

    m_btnOK = new CResizableButton(tr("OK"), this);
    m_btnOK->setDefault(true);
    m_btnCancel = new CResizableButton(tr("Abbrechen"), this);
    m_btnApply = new CResizableButton(tr("Übernehmen"), this);
    m_btnApply->setObjectName(QStringLiteral("12321"));
    m_btnApply->setEnabled(false);
    auto* top = new QHBoxLayout;
    top->addWidget(m_pTree, 2);
    top->addWidget(m_pGroup, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnApply);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top, 1);
    root->addLayout(buttons);
    ApplyDesignedSize(this, DialogUnitsToPixels(this, QSize(330, 200)));

    // "2,5" can be typed, to be refused: never 25.
    m_pCount->setValidator(new CWholeValidator(0, 999, m_pCount));
    connect(m_btnOK, &QPushButton::clicked, this, &CRelaisTopologyDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CRelaisTopologyDlg::reject);
    connect(m_btnApply, &QPushButton::clicked, this, [this] {
        if (Apply())
            LoadTopology();
    });
    connect(m_btnCards, &QPushButton::clicked, this, &CRelaisTopologyDlg::OnCards);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &CRelaisTopologyDlg::OnTreeSelection);
    connect(m_pCount, &QLineEdit::textEdited, this, &CRelaisTopologyDlg::OnChanged);
    connect(m_pFirst, &QLineEdit::textChanged, this, [this] { OnRelayEdited(m_pFirst, m_bFirstValid); });
    connect(m_pCall, &QLineEdit::textChanged, this, [this] { OnRelayEdited(m_pCall, m_bCallValid); });
    connect(m_pScheme, &QComboBox::currentIndexChanged, this, [this] {
        if (m_bLoading)
            return;
        ShowSchemeRows(m_pScheme->currentData().toUInt());
        OnChanged();
    });
    for (CResizableComboBox* combo : m_pInputs)
        connect(combo, &QComboBox::currentIndexChanged, this, &CRelaisTopologyDlg::OnChanged);
}

bool CRelaisTopologyDlg::OnInitDialog()
{
    CResizableDialog::OnInitDialog();
    m_bLoading = true;
    for (CResizableComboBox* combo : m_pInputs)
        FillInputCombo(combo);
    for (const SchemeRow& row : kSchemes)
        m_pScheme->addItem(S(row.kind), row.kind);
    // Filled after the dialog got its size: each keeps room for its longest choice.
    for (CResizableComboBox* combo : {m_pScheme, m_pInputs[0], m_pInputs[1], m_pInputs[2], m_pInputs[3]})
        combo->setMinimumWidth(combo->sizeHint().width());
    auto* root = new QTreeWidgetItem(m_pTree, QStringList(S(32789)));
    QTreeWidgetItem* current = nullptr;
    if (m_pDoc) {
        for (CBaseDevice* obj : m_pDoc->GetList(CAT_RELAIS_TOPOLOGY)) {
            if (obj->GetType() == OT_COLLECTION_CALL)
                continue;
            auto* item = new QTreeWidgetItem(root, QStringList(QString::fromStdString(obj->GetName())));
            item->setIcon(0, SchemeIcon(obj->GetKindId()));
            CResizableTreeCtrl::SetItemData(item, reinterpret_cast<quintptr>(obj));
            if (obj == m_pTopology)
                current = item;
        }
    }
    root->setIcon(0, CPictureSet::ListImage(kImageBitmap, 1));
    root->setExpanded(true);
    // Every topology's name whole; a very long name may scroll.
    m_pTree->setMinimumWidth(std::min(TreeRowsWidth(m_pTree), m_pTree->fontMetrics().averageCharWidth() * 48));
    m_bLoading = false;
    m_pTree->setCurrentItem(current ? current : root);
    LoadTopology();
    m_btnApply->setEnabled(false);
    return true;
}

void CRelaisTopologyDlg::FillInputCombo(CResizableComboBox* combo)
{
    combo->clear();
    if (m_pDoc) {
        for (CBaseDevice* amp : m_pDoc->GetList(CAT_AMPLIFIER)) {
            for (int32_t out = 0; out < amp->m_outputCount; ++out) {
                QString text = out < static_cast<int32_t>(amp->m_outputNames.size())
                                   ? QString::fromStdString(amp->m_outputNames[out])
                                   : QString();
                if (text.isEmpty())
                    text = QString::fromStdString(amp->GetName()) + QStringLiteral(" %1").arg(out + 1);
                if (const LinkRecord* feed = amp->GetOutLinkAtKey(out); feed && feed->HasPartner())
                    text += QStringLiteral(" (") + QString::fromStdString(feed->partner->GetName()) +
                            QStringLiteral(" - %1)").arg(feed->partnerKey + 1);
                combo->addItem(text);
                combo->setItemData(combo->count() - 1, QVariant::fromValue(reinterpret_cast<quintptr>(amp)), kAmpRole);
                combo->setItemData(combo->count() - 1, out, kOutputRole);
            }
        }
    }
    combo->addItem(S(relaiskind::Unused));
    combo->setItemData(combo->count() - 1, QVariant::fromValue(quintptr{0}), kAmpRole);
}

QString CRelaisTopologyDlg::RelayEditValue(int key) const
{
    const std::vector<CZone*> zones = m_pTopology->GetZones();
    if (zones.empty())
        return QStringLiteral("1");
    const LinkRecord* rec = zones.front()->GetInLinkAtKey(key);
    const auto* relay = rec && rec->HasPartner() ? dynamic_cast<const CRelais*>(rec->partner) : nullptr;
    return relay ? QString::number(relay->GetRelayNumber()) : QStringLiteral("1");
}

void CRelaisTopologyDlg::ShowSchemeRows(unsigned kind)
{
    const bool any = m_pTopology != nullptr;
    const bool first = any && (kind == topologykind::OneInN || kind == topologykind::ProgramCall ||
                               kind == topologykind::NInOne);
    const bool call = any && kind == topologykind::ProgramCall;
    const int inputs = any ? CRelaisTopology::InputsOfKind(kind) : 0;
    m_lblScheme->setVisible(any);
    m_pScheme->setVisible(any);
    m_lblFirst->setVisible(first);
    m_pFirst->setVisible(first);
    m_lblFirst->setText(S(call ? 34097 : 34098));
    m_lblCall->setVisible(call);
    m_pCall->setVisible(call);
    m_lblProgram->setVisible(call);
    m_lblCallInput->setVisible(call);
    for (int i = 0; i < 4; ++i) {
        m_lblInputs[i]->setVisible(i < inputs);
        m_pInputs[i]->setVisible(i < inputs);
    }
    // A scheme's rows may need more room than the dialog has ("Programm/Ruf"
    // widens the labels): it grows to them and never gets smaller. The rows
    // just shown and the input lists' widths count at once, not only once
    // the dialog has gone through its events.
    m_pGroup->layout()->invalidate();
    m_pGroup->updateGeometry();
    layout()->activate();
    const QSize need = layout()->totalMinimumSize().expandedTo(minimumSize());
    if (need != minimumSize()) {
        setMinimumSize(need);
        resize(size().expandedTo(need));
    }
}

void CRelaisTopologyDlg::LoadTopology()
{
    m_bLoading = true;
    ShowSchemeRows(m_pTopology ? m_pTopology->GetKindId() : 0);
    if (m_pTopology) {
        m_pCount->setText(QString::number(m_pTopology->m_zoneCount));
        m_pScheme->setCurrentIndex(std::max(0, m_pScheme->findData(m_pTopology->GetKindId())));
        for (int i = 0; i < 4; ++i) {
            CResizableComboBox* combo = m_pInputs[i];
            int select = combo->count() - 1;
            if (const LinkRecord* feed = m_pTopology->GetOutLinkAtKey(i); feed && feed->HasPartner()) {
                for (int row = 0; row < combo->count() - 1; ++row)
                    if (combo->itemData(row, kAmpRole).value<quintptr>() == reinterpret_cast<quintptr>(feed->partner) &&
                        combo->itemData(row, kOutputRole).toInt() == feed->partnerKey)
                        select = row;
            }
            combo->setCurrentIndex(select);
        }
        m_pFirst->setText(RelayEditValue(1));
        m_pCall->setText(RelayEditValue(2));
    }
    // The colours follow the topology now shown even where the text stayed the same.
    OnRelayEdited(m_pFirst, m_bFirstValid);
    OnRelayEdited(m_pCall, m_bCallValid);
    m_bLoading = false;
    // The page shows the topology as it is: nothing is left to apply.
    m_btnApply->setEnabled(false);
}

void CRelaisTopologyDlg::SelectTopology(CRelaisTopology* topology)
{
    QList<QTreeWidgetItem*> items;
    m_pTree->FindItemsByData(items, m_pTree->topLevelItem(0), reinterpret_cast<quintptr>(topology));
    if (!items.isEmpty())
        m_pTree->setCurrentItem(items.front());
}

void CRelaisTopologyDlg::OnTreeSelection(QTreeWidgetItem* item, QTreeWidgetItem* previous)
{
    if (m_bLoading || !item)
        return;
    if (m_btnApply->isEnabled() && m_pTopology) {
        if (ShowMessage(LoadStringId(kAskApply), mb::YesNo | mb::IconQuestion) == mb::IdYes)
            Apply();
        m_btnApply->setEnabled(false);
        m_pTopology->Redraw();
    }
    auto* topology = reinterpret_cast<CRelaisTopology*>(CResizableTreeCtrl::GetItemData(item));
    if (!topology) {
        // The root is no topology: the previous item stays selected.
        if (previous) {
            m_bLoading = true;
            m_pTree->setCurrentItem(previous);
            m_bLoading = false;
        }
        return;
    }
    m_pTopology = topology;
    LoadTopology();
    topology->Redraw();
    if (IDocView* view = m_pDoc ? m_pDoc->GetFirstView() : nullptr) {
        if (CBaseDevice* hot = view->GetHotObject())
            hot->Redraw();
        view->SetHotObject(topology);
    }
    m_btnApply->setEnabled(false);
}

void CRelaisTopologyDlg::OnChanged()
{
    if (!m_bLoading)
        m_btnApply->setEnabled(true);
}

bool CRelaisTopologyDlg::IsRelayTaken(CResizableEdit* edit) const
{
    const std::optional<int> n = TypedNumber(edit);
    CRelaisManager* m = m_pDoc ? m_pDoc->GetRelaisManager() : nullptr;
    if (!n || !m)
        return false;
    const CBaseDevice* relay = m->GetRelais(*n);
    const LinkRecord* use = relay ? relay->GetOutLinkAtKey(0) : nullptr;
    if (!use || !use->HasPartner() || use->partner->GetType() != OT_ZONE)
        return false;
    // A relay of this topology's own zones may be numbered again.
    const LinkRecord* feed = use->partner->GetOutLinkAtKey(0);
    return !(feed && feed->partner == m_pTopology);
}

void CRelaisTopologyDlg::OnRelayEdited(CResizableEdit* edit, bool& valid)
{
    valid = !IsRelayTaken(edit);
    QPalette p = edit->palette();
    p.setColor(QPalette::Text, valid ? QColor(0, 0, 0) : QColor(255, 0, 0));
    edit->setPalette(p);
    OnChanged();
}

bool CRelaisTopologyDlg::Apply()
{
    if (!m_pTopology)
        return true;
    const std::optional<int> typedCount = TypedNumber(m_pCount);
    const int count = typedCount.value_or(0);
    if (!typedCount || count < 1 || count > CZone::kMaxZones) {
        ShowMessage(tr("Geben Sie eine Zahl zwischen 1 und 100 ein.").toStdString(), mb::Ok | mb::IconExclamation);
        m_pCount->setFocus();
        m_pCount->selectAll();
        return false;
    }
    const unsigned kind = m_pScheme->currentData().toUInt();
    CRelaisManager* m = m_pDoc ? m_pDoc->GetRelaisManager() : nullptr;
    int relays[2] = {0, 0};
    CResizableEdit* edits[2] = {m_pFirst, m_pCall};
    const bool valid[2] = {m_bFirstValid, m_bCallValid};
    for (int e = 0; e < 2; ++e) {
        if (!edits[e]->isVisibleTo(this))
            continue;
        const std::optional<int> relay = TypedNumber(edits[e]);
        relays[e] = relay.value_or(0);
        if (!relay) {
            QApplication::beep();
            edits[e]->setText(m_pTopology->GetZones().empty() ? edits[e]->text() : RelayEditValue(e + 1));
            edits[e]->setFocus();
            edits[e]->selectAll();
            return false;
        }
        if (!valid[e] || relays[e] < 1 || !m || UsableFrom(*m, m_pTopology, relays[e]) < count) {
            QApplication::beep();
            edits[e]->setFocus();
            edits[e]->selectAll();
            return false;
        }
    }
    // The topology is taken apart and built again: when that gives the
    // project as it stood (OK on the values shown), the project stays unmarked.
    const bool wasModified = !m_pDoc || m_pDoc->IsModified();
    const std::vector<uint8_t> before = wasModified ? std::vector<uint8_t>{} : m_pDoc->SaveToBytes();
    m_pTopology->Redraw();
    m_pTopology->RemoveAllOutLinks();
    m_pTopology->m_zoneCount = count;
    m_pTopology->SetKindId(kind);
    m_pTopology->m_firstRelay = relays[0];
    m_pTopology->m_firstCallRelay = relays[1];
    // Renumbered always: a scheme without line relays ("Direkt") thereby
    // takes the old scheme's relays off its zones.
    m_pTopology->AssignRelais(std::max(relays[0], 0));
    for (int i = 0; i < m_pTopology->m_inputCount && i < 4; ++i) {
        auto* amp = reinterpret_cast<CBaseDevice*>(m_pInputs[i]->currentData(kAmpRole).value<quintptr>());
        if (amp)
            m_pTopology->LinkTo(i, amp, m_pInputs[i]->currentData(kOutputRole).toInt());
    }
    m_pTopology->Redraw();
    // The topology's own item: on the way to another topology the tree's
    // current item is already the next one.
    QList<QTreeWidgetItem*> items;
    if (QTreeWidgetItem* root = m_pTree->topLevelItem(0))
        m_pTree->FindItemsByData(items, root, reinterpret_cast<quintptr>(m_pTopology));
    for (QTreeWidgetItem* item : items) {
        item->setText(0, QString::fromStdString(m_pTopology->GetName()));
        item->setIcon(0, SchemeIcon(kind));
    }
    if (!wasModified && m_pDoc->IsModified() && m_pDoc->SaveToBytes() == before)
        m_pDoc->SetModifiedFlag(false);
    m_btnApply->setEnabled(false);
    return true;
}

void CRelaisTopologyDlg::accept()
{
    if (Apply())
        CResizableDialog::accept();
}

void CRelaisTopologyDlg::OnCards()
{
    // The page is reloaded from the topology after the cards, so what is
    // pending is applied or dropped first; a refused value stays for correction.
    if (m_btnApply->isEnabled() && m_pTopology &&
        ShowMessage(LoadStringId(kAskApply), mb::YesNo | mb::IconQuestion) == mb::IdYes && !Apply())
        return;
    CLMZConfigDlg dlg(m_pDoc);
    dlg.exec();
    if (IDocView* view = m_pDoc ? m_pDoc->GetFirstView() : nullptr) {
        if (CBaseDevice* hot = view->GetHotObject())
            hot->Redraw();
        if (m_pTopology) {
            view->SetHotObject(m_pTopology);
            m_pTopology->Redraw();
        }
    }
    LoadTopology();
}
