#include "hardware/windows/CAmpPropDlg.h"

#include <algorithm>

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include "hardware/CAmplifier.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/windows/CAmpFrm.h"
#include "hardware/windows/CRemoteAmpDlg.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "hardware/windows/WindowSamples.h"
#include "ui/ColumnWidths.h"
#include "ui/CPictureSet.h"
#include "ui/CResizableButton.h"
#include "ui/CResizableComboBox.h"
#include "ui/CResizableStatic.h"
#include "ui/CWindowRegistry.h"
#include "ui/CSelectionDlg.h"
#include "ui/CTreeCtrlEx.h"

QL_STRING_TABLE({
    {32791, "Wollen Sie die Änderungen übernehmen ?"},
    {34550, "Addresse"},
});

namespace {

constexpr int kImageBitmap = 279;  // the tree's image strip: 16 x 16 images
constexpr int kSpareAmpWindow = 2;
constexpr uint32_t kWindowText = 32788;
constexpr int kAddressKind = 34550;  // "Addresse"

// The bus address from the selection dialog's address list (only free
// addresses and the amplifier's own one can be picked there).
bool ChooseFreeAddress(QWidget* parent, CAmplifier* amp, int& address)
{
    CSelectionDlg dlg(parent);
    dlg.m_nKind = kAddressKind;
    dlg.SetHeld(CSelectionDlg::Held::Number(amp->GetAddress()));
    if (dlg.DoModal() != QDialog::Accepted)
        return false;
    address = dlg.m_nResultNumber;
    return true;
}

CAmpPropDlg::AddressChooser& AddressHook()
{
    static CAmpPropDlg::AddressChooser fn = &ChooseFreeAddress;
    return fn;
}

bool RunPropertiesDialog(CAmplifier* amp)
{
    return CAmpPropDlg::Run(amp);
}

struct PropertiesDialogInstaller {
    PropertiesDialogInstaller() { CAmplifier::SetPropertiesDialog(&RunPropertiesDialog); }
} g_installer;

[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(
    QStringLiteral("CAmpPropDlg"), [](CQuillomerDoc* doc) -> QWidget* { return new CAmpPropDlg(SampleAmplifier(doc)); });

template <class W>
W* Named(W* w, int id)
{
    w->setObjectName(QString::number(id));
    return w;
}

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

}  // namespace

CAmpPropDlg::AddressChooser CAmpPropDlg::SetAddressChooser(AddressChooser fn)
{
    AddressChooser old = AddressHook();
    AddressHook() = fn ? fn : &ChooseFreeAddress;
    return old;
}

bool CAmpPropDlg::Run(CAmplifier* amp)
{
    CAmpPropDlg dlg(amp, QApplication::activeWindow());
    return dlg.exec() == QDialog::Accepted;
}

CAmpPropDlg::CAmpPropDlg(CAmplifier* amp, QWidget* parent) : CResizableDialog(kTemplateId, parent), m_amp(amp)
{
    setWindowTitle(tr("Verstärker Eigenschaften"));
    BuildControls();
    FillControls();
}

void CAmpPropDlg::BuildControls()
{
    m_tree = Named(new CTreeCtrlEx(this), 1003);
    m_tree->setHeaderHidden(true);
    m_tree->setIconSize(QSize(16, 16));
    m_group = Named(new QGroupBox(tr("Konfiguration"), this), 1015);
    m_modelLabel = Named(new CResizableStatic(tr("Verstärker"), m_group), 1216);
    m_model = Named(new CResizableComboBox(m_group), 1043);
    // The longest model is shown whole: the box never gets narrower than it.
    m_model->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_model->setSizePolicy(QSizePolicy::Minimum, m_model->sizePolicy().verticalPolicy());
    m_address = Named(new CResizableButton(m_group), 1547);
    // Label, combo box and power or address, one row each, in the designed
    // proportions of their columns.
    auto* rows = new QGridLayout;
    rows->addWidget(m_modelLabel, 0, 0);
    rows->addWidget(m_model, 0, 1);
    rows->addWidget(m_address, 0, 2);
    rows->setRowMinimumHeight(1, fontMetrics().height() / 2);
    for (int k = 0; k < 4; ++k) {
        m_channelLabel[k] = Named(new CResizableStatic(tr("%1. Kanal").arg(k + 1), m_group), 1011 + k);
        m_channel[k] = Named(new CResizableComboBox(m_group), 1044 + k);
        m_power[k] = Named(new CResizableStatic(m_group), 1250 + k);
        rows->addWidget(m_channelLabel[k], k + 2, 0);
        rows->addWidget(m_channel[k], k + 2, 1);
        rows->addWidget(m_power[k], k + 2, 2);
    }
    rows->setColumnStretch(0, 80);
    rows->setColumnStretch(1, 150);
    rows->setColumnStretch(2, 72);
    m_spare = Named(new CResizableButton(tr("Havarie"), m_group), 1508);
    m_extended = Named(new CResizableButton(tr("Erweitert..."), m_group), 1507);
    auto* groupButtons = new QHBoxLayout;
    groupButtons->addWidget(m_spare);
    groupButtons->addWidget(m_extended);
    groupButtons->addStretch(1);
    auto* config = new QVBoxLayout(m_group);
    config->addLayout(rows);
    config->addStretch(1);
    config->addLayout(groupButtons);

    m_ok = Named(new CResizableButton(tr("OK"), this), 1);
    m_cancel = Named(new CResizableButton(tr("Abbrechen"), this), 2);
    m_apply = Named(new CResizableButton(tr("Übernehmen"), this), 12321);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {m_ok, m_cancel, m_apply})
        buttons->addWidget(b);

    // The tree on the left, the configuration on the right, the dialog's
    // buttons below: 200 to 330 across as designed.
    auto* top = new QHBoxLayout;
    m_tree->setMinimumWidth(m_group->minimumSizeHint().width() * 200 / 330);
    top->addWidget(m_tree, 200);
    top->addWidget(m_group, 330);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top, 1);
    root->addLayout(buttons);
    resize(560, 330);
    // Enter belongs to the tree's label editor, not to a default button.
    for (CResizableButton* b : {m_address, m_spare, m_extended, m_ok, m_cancel, m_apply})
        b->setAutoDefault(false);

    connect(m_ok, &QPushButton::clicked, this, &CAmpPropDlg::OnOk);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &CAmpPropDlg::OnApply);
    connect(m_address, &QPushButton::clicked, this, &CAmpPropDlg::OnAddress);
    connect(m_spare, &QPushButton::clicked, this, &CAmpPropDlg::OnSpareAmps);
    connect(m_extended, &QPushButton::clicked, this, &CAmpPropDlg::OnExtended);
    // Only the user's choices count as changes.
    connect(m_model, &QComboBox::activated, this, [this] { EnableApply(true); });
    for (CResizableComboBox* combo : m_channel)
        connect(combo, &QComboBox::activated, this, [this] { EnableApply(true); });
}

CQuillomerDoc* CAmpPropDlg::Document() const
{
    return m_amp ? m_amp->GetDocument() : GetActiveDoc();
}

bool CAmpPropDlg::IsApplyEnabled() const
{
    return m_apply->isEnabled();
}

void CAmpPropDlg::EnableApply(bool on)
{
    m_apply->setEnabled(on);
}

QIcon CAmpPropDlg::ImageIcon(int image) const
{
    return CPictureSet::ListImage(kImageBitmap, image);
}

void CAmpPropDlg::SetImage(QTreeWidgetItem* item, int image)
{
    if (!item)
        return;
    item->setData(0, kImageRole, image);
    item->setIcon(0, ImageIcon(image));
}

void CAmpPropDlg::FillControls()
{
    EnableApply(false);
    CQuillomerDoc* doc = Document();

    // Audio outputs of the output cards, in list order.
    m_entries.clear();
    if (doc) {
        for (CBaseDevice* obj : doc->GetList(CAT_OUTPUT_SLOT)) {
            auto* slot = dynamic_cast<CAudioOutputSlot*>(obj);
            if (!slot)
                continue;
            for (int32_t k = 0; k < slot->m_outputCount; ++k) {
                const int index = static_cast<int>(m_entries.size());
                m_entries.push_back({slot, k});
                const std::string name = static_cast<size_t>(k) < slot->m_outputNames.size()
                                             ? slot->m_outputNames[k]
                                             : std::string();
                for (CResizableComboBox* combo : m_channel)
                    combo->addItem(Q(name), index);
            }
        }
    }
    for (CResizableComboBox* combo : m_channel) {
        combo->addItem(Q(LoadStringId(kWindowText)), kNotUsed);
        combo->setCurrentIndex(combo->count() - 1);
    }

    for (int i = 0; const AmpTypeEntry* row = CAmplifier::GetTypeEntryAt(i); ++i)
        m_model->addItem(Q(LoadStringId(row->kindId)), row->kindId);

    m_root = new QTreeWidgetItem(m_tree, QStringList(tr("Verstärker")));
    SetImage(m_root, 0);
    QTreeWidgetItem* selected = nullptr;
    if (doc) {
        DeviceList amps;
        doc->GetIDManager().GetBaseDeviceList(amps, OT_AMPLIFIER);
        for (CBaseDevice* obj : amps) {
            auto* amp = dynamic_cast<CAmplifier*>(obj);
            if (!amp)
                continue;
            auto* item = new QTreeWidgetItem(m_root, QStringList(Q(amp->GetName())));
            CTreeCtrlEx::SetObject(item, amp);
            SetImage(item, amp->GetChannelCount() + 1);
            if (amp == m_amp)
                selected = item;
        }
    }
    connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { SetImage(item, 1); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) { SetImage(item, 0); });
    m_tree->expandItem(m_root);
    if (selected)
        m_tree->setCurrentItem(selected);
    // Every amplifier's name whole.
    m_tree->setMinimumWidth(std::max(m_tree->minimumWidth(), TreeRowsWidth(m_tree)));
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CAmpPropDlg::OnCurrentItemChanged);
    // An amplifier's extended properties have their own window; the root
    // keeps the tree's own double-click (expanding and collapsing).
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &CAmpPropDlg::OnItemDoubleClicked);

    ShowAmplifier(m_amp ? m_amp->GetKindId() : 0);
}

bool CAmpPropDlg::OnInitDialog()
{
    return CResizableDialog::OnInitDialog();
}

void CAmpPropDlg::showEvent(QShowEvent* event)
{
    CResizableDialog::showEvent(event);
    // Only the shown controls know the width of their texts in the font
    // they are drawn in: the dialog grows to them and never gets smaller.
    layout()->activate();
    const QSize need = layout()->totalMinimumSize().expandedTo(minimumSize());
    if (need != minimumSize()) {
        setMinimumSize(need);
        resize(size().expandedTo(need));
    }
}

QTreeWidgetItem* CAmpPropDlg::ItemOf(const CAmplifier* amp) const
{
    for (int i = 0; m_root && i < m_root->childCount(); ++i)
        if (CTreeCtrlEx::ObjectOf(m_root->child(i)) == amp)
            return m_root->child(i);
    return nullptr;
}

void CAmpPropDlg::ShowAmplifier(uint32_t model)
{
    if (!m_amp) {
        m_modelLabel->hide();
        m_model->hide();
        for (int k = 0; k < 4; ++k) {
            m_channelLabel[k]->hide();
            m_channel[k]->hide();
            m_power[k]->hide();
        }
        return;
    }
    const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(model);
    const bool remote = row->remote != 0;
    m_extended->setEnabled(remote);
    for (int k = 0; k < 4; ++k) {
        m_channel[k]->setCurrentIndex(m_channel[k]->count() - 1);
        m_selected[k] = -1;
    }
    if (remote) {
        m_address->setText(QString::asprintf("Adr. %02x", static_cast<unsigned>(m_amp->GetAddress())));
        m_address->setEnabled(true);
    } else {
        m_address->setText(Q(LoadStringId(34550)));
        m_address->setEnabled(false);
    }
    const int modelPos = m_model->findData(model);
    m_model->setCurrentIndex(modelPos >= 0 ? modelPos : 0);
    m_model->show();
    m_modelLabel->show();

    for (const LinkRecord* rec : m_amp->m_outLinks) {
        const int32_t c = rec->ownKey;
        if (c < 0 || c > 3 || !rec->HasPartner())
            continue;
        for (size_t e = 0; e < m_entries.size(); ++e) {
            if (m_entries[e].slot != rec->partner || m_entries[e].output != rec->partnerKey)
                continue;
            const int pos = m_channel[c]->findData(static_cast<int>(e));
            if (pos >= 0) {
                m_channel[c]->setCurrentIndex(pos);
                m_selected[c] = pos;
            }
            break;
        }
    }

    for (int k = 0; k < 4; ++k) {
        const bool shown = k < row->channels;
        m_channelLabel[k]->setVisible(shown);
        m_channel[k]->setVisible(shown);
        m_power[k]->setVisible(shown);
        if (shown)
            m_power[k]->setText(QString::asprintf("%d W", row->power[k]));
    }
}

void CAmpPropDlg::Apply()
{
    if (!m_amp)
        return;
    const uint32_t model = m_model->currentData().toUInt();
    if (model != m_amp->GetKindId()) {
        // A new model drops every channel feed.
        m_amp->SetKindId(model);
        for (int& s : m_selected)
            s = -1;
    }
    m_amp->Redraw();
    const int channels = std::min(m_amp->GetChannelCount(), 4);
    for (int c = 0; c < channels; ++c) {
        auto entryAt = [this, c](int pos) -> const AmpOutputEntry* {
            if (pos < 0 || pos >= m_channel[c]->count())
                return nullptr;
            const int e = m_channel[c]->itemData(pos).toInt();
            return e >= 0 && static_cast<size_t>(e) < m_entries.size() ? &m_entries[e] : nullptr;
        };
        // A channel chosen as it was keeps its feed as it is: taking it
        // down and up again would only reorder the links and mark the
        // project.
        if (m_channel[c]->currentIndex() == m_selected[c])
            continue;
        if (const AmpOutputEntry* old = entryAt(m_selected[c])) {
            m_amp->DeleteOutRecord(c, old->slot, old->output, CAT_OUTPUT_SLOT);
            old->slot->DeleteInRecord(old->output, m_amp, c, CAT_AMPLIFIER);
        }
        const int pos = m_channel[c]->currentIndex();
        if (const AmpOutputEntry* now = entryAt(pos)) {
            m_amp->AddOutLink(m_amp, c, now->slot, now->output, CAT_OUTPUT_SLOT);
            now->slot->AddInLink(now->slot, now->output, m_amp, c, CAT_AMPLIFIER);
            now->slot->CheckOutputLoad(now->output);
            m_amp->m_lanes[c] = pos + 1;
        }
        m_selected[c] = pos;
    }
    m_amp->Redraw();
    const AmpTypeEntry* shown = CAmplifier::GetTypeEntryByKind(m_model->currentData().toUInt());
    // The applied amplifier's own item: while the tree moves on to another
    // amplifier, the current item is already that other one.
    SetImage(ItemOf(m_amp), shown->channels + 1);
    EnableApply(false);
}

void CAmpPropDlg::OnApply()
{
    Apply();
    if (m_amp)
        ShowAmplifier(m_amp->GetKindId());
}

void CAmpPropDlg::OnOk()
{
    if (IsApplyEnabled())
        Apply();
    accept();
}

void CAmpPropDlg::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    // Leaving the shown amplifier: pending changes are applied or dropped.
    if (IsApplyEnabled() &&
        ShowMessage(LoadStringId(32791), mb::YesNo | mb::IconQuestion) == mb::IdYes)
        Apply();
    EnableApply(false);
    if (CBaseDevice* old = previous ? CTreeCtrlEx::ObjectOf(previous) : nullptr)
        old->Redraw();

    auto* amp = current ? dynamic_cast<CAmplifier*>(CTreeCtrlEx::ObjectOf(current)) : nullptr;
    if (!amp) {
        // The root is no amplifier: the previous one stays selected.
        if (previous && previous != current && CTreeCtrlEx::ObjectOf(previous))
            m_tree->setCurrentItem(previous);
        return;
    }
    m_amp = amp;
    if (CQuillomerDoc* doc = Document())
        if (IDocView* view = doc->GetFirstView())
            view->SetHotObject(amp);
    ShowAmplifier(amp->GetKindId());
    amp->Redraw();
}

void CAmpPropDlg::OnItemDoubleClicked(QTreeWidgetItem* item)
{
    if (!item || !dynamic_cast<CAmplifier*>(CTreeCtrlEx::ObjectOf(item)))
        return;
    // The window opens once the tree has finished with the double-click: only
    // then has it dropped the rename that the first click on a selected item
    // began, which would otherwise start behind the modal window.
    QMetaObject::invokeMethod(
        this, [this] { GetAppHost().OpenFeatureWindow(Document(), CAmpFrm::kWindowKind, true); },
        Qt::QueuedConnection);
}

void CAmpPropDlg::OnAddress()
{
    if (!m_amp)
        return;
    int address = m_amp->GetAddress();
    if (!AddressHook()(this, m_amp, address))
        return;
    const int32_t before = m_amp->GetAddress();
    m_amp->SetAddress(address);
    if (m_amp->GetAddress() != before)
        m_amp->SetDocModified();  // the address is part of the design
    m_address->setText(QString::asprintf("Adr. %02x", static_cast<unsigned>(m_amp->GetAddress())));
}

void CAmpPropDlg::OnSpareAmps()
{
    GetAppHost().OpenFeatureWindow(Document(), kSpareAmpWindow, true);
}

void CAmpPropDlg::OnExtended()
{
    if (!m_amp)
        return;
    CRemoteAmpDlg dlg(m_amp, this);
    dlg.exec();
}
