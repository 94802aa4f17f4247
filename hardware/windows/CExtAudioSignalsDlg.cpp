#include "hardware/windows/CExtAudioSignalsDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "audio/CQTBSequence.h"
#include "hardware/CAudioInputDevice.h"
#include "hardware/windows/CConnectionsDlg.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CLineGroupSelectDlg.h"
#include "ui/CListCtrl.h"
#include "hardware/windows/WindowSamples.h"
#include "ui/CPictureSet.h"
#include "ui/CTextGuard.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

QL_STRING_TABLE({
    {32791, "Wollen Sie die Änderungen übernehmen ?"},
    {32805, "Name"},
    {32928, "Neuen Alarm erzeugen"},
    {32929, "Neuen Gong erzeugen"},
    {32930, "Neuen Text erzeugen"},
    {32931, "Audiosignal löschen"},
    {34235, "OFF"},
    {34268, "Schließen"},
    {34273, "Alle Sprechstellen"},
});

namespace {

constexpr uint32_t kAskApply = 32791;
constexpr uint32_t kClose = 34268;
constexpr uint32_t kOff = 34235;
constexpr uint32_t kAllConsoles = 34273;
constexpr int kConditionWindowKind = 12;

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

template <class W>
W* Named(W* w, int id)
{
    w->setObjectName(QString::number(id));
    return w;
}

CBaseDevice* ItemObject(const QVariant& v)
{
    return static_cast<CBaseDevice*>(v.value<void*>());
}

// "OFF" (or another none entry), then the objects of the types and kinds, each
// in number order.
void FillBox(QComboBox* box, CQuillomerDoc* doc, const QString& none, uint32_t type,
             std::initializer_list<uint32_t> kinds)
{
    box->clear();
    box->addItem(none, QVariant::fromValue<void*>(nullptr));
    auto add = [&](DeviceList list) {
        std::sort(list.begin(), list.end(),
                  [](const CBaseDevice* a, const CBaseDevice* b) { return a->GetNumber() < b->GetNumber(); });
        for (CBaseDevice* o : list)
            box->addItem(Q(o->GetName()), QVariant::fromValue<void*>(o));
    };
    if (!doc)
        return;
    if (kinds.size() == 0) {
        DeviceList list;
        doc->GetIDManager().GetBaseDeviceList(list, type);
        add(list);
    }
    for (uint32_t kind : kinds) {
        DeviceList list;
        doc->GetIDManager().GetBaseDeviceListByKind(list, type, kind);
        add(list);
    }
}

[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(
    QStringLiteral("CExtAudioSignalsDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        CAudioInputDevice* rec = SampleAudioDevice(doc, audiodevice::KindRecorder, "QTB8174", 500, 500);
        return rec ? new CExtAudioSignalsDlg(rec) : nullptr;
    });

}  // namespace

CExtAudioSignalsDlg::CExtAudioSignalsDlg(CAudioInputDevice* device, QWidget* parent)
    : QDialog(parent), m_device(device), m_doc(device ? device->GetDocument() : nullptr), m_setup(m_doc, device)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(tr("Externe Audiosignale") + QStringLiteral(" ") + Q(device ? device->GetName() : std::string()));
    BuildControls();
    m_filling = true;
    FillCombos();
    if (m_doc)
        for (CBaseDevice* o : m_doc->GetList(CAT_AUDIO))
            if (o->GetType() == OT_QTB_SEQUENCE && CQTBSequence::IsSequenceKind(o->GetKindId()))
                AddRow(o);
    m_filling = false;
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    FillControls();
    ApplyDesignedSize(this, DialogUnitsToPixels(this, QSize(420, 250)));
}

void CExtAudioSignalsDlg::BuildControls()
{
    auto* top = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    top->addLayout(columns, 1);

    // The sequences with their tool bar below.
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 2);
    m_list = Named(new CListCtrl(this), 1439);
    m_list->InsertColumn(0, Q(LoadStringId(32805)), CListCtrl::LVCFMT_LEFT, 160);
    // A row shows the signal list's picture of its kind.
    m_list->SetImageList(CPictureSet::ImageList(351, 16));
    m_list->SetGridLines(true);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    left->addWidget(m_list, 1);
    m_list->viewport()->installEventFilter(this);
    auto* bar = new QToolBar(this);
    auto action = [&](uint32_t id, uint32_t kind) {
        QAction* a = bar->addAction(Q(LoadStringId(id)));
        a->setObjectName(QString::number(id));
        a->setToolTip(a->text());
        if (kind)
            connect(a, &QAction::triggered, this, [this, kind] { NewSequence(kind); });
        return a;
    };
    m_newAlarm = action(32928, qtbkind::Alarm);
    m_newGong = action(32929, qtbkind::Gong);
    m_newText = action(32930, qtbkind::Text);
    m_delete = action(32931, 0);
    connect(m_delete, &QAction::triggered, this, &CExtAudioSignalsDlg::DeleteSelected);
    bar->setOrientation(Qt::Vertical);
    bar->setObjectName(QString::number(kToolBarId));
    CPictureSet::ApplyToolBar(bar, kToolBarId);
    left->addWidget(bar);
    // The accelerator of the template: Ctrl+C makes a new alarm sequence.
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_C), this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        if (m_newAlarm->isEnabled())
            NewSequence(qtbkind::Alarm);
    });

    // The set-up of the selected sequence.
    auto* right = new QVBoxLayout;
    columns->addLayout(right, 3);
    auto* lines = new QFormLayout;
    right->addLayout(lines);
    m_startStop = Named(new QComboBox(this), 1440);
    m_running = Named(new QComboBox(this), 1040);
    m_fault = Named(new QComboBox(this), 1488);
    lines->addRow(tr("Start/Stop - Steuerleitung"), m_startStop);
    lines->addRow(tr("Running - Rückmeldeltg"), m_running);
    lines->addRow(tr("Fault - Rückmeldeleitung"), m_fault);
    auto* prio = new QHBoxLayout;
    m_priority = Named(new QSlider(Qt::Horizontal, this), 1332);
    m_priority->setRange(1, 10);
    m_priorityText = Named(new QLineEdit(this), 1140);
    m_priorityText->setReadOnly(true);
    m_priorityText->setMaximumWidth(DialogUnitsToPixels(this, QSize(20, 0)).width());
    prio->addWidget(m_priority, 1);
    prio->addWidget(m_priorityText);
    lines->addRow(tr("Signalpriorität"), prio);

    m_externalStart = Named(new QCheckBox(tr("Start des Audiosignals über beliebiges Ereignis:"), this), 1441);
    right->addWidget(m_externalStart);
    auto* cond = new QHBoxLayout;
    m_condition = Named(new QComboBox(this), 1442);
    m_conditionButton = Named(new QPushButton(tr("Bedingung..."), this), 1360);
    cond->addWidget(m_condition, 1);
    cond->addWidget(m_conditionButton);
    right->addLayout(cond);
    auto* zones = new QHBoxLayout;
    m_zonesButton = Named(new QPushButton(tr("Linien/Gruppen..."), this), 1358);
    m_zoneText = Named(new QLabel(this), 1451);
    m_zoneText->setFrameShape(QFrame::StyledPanel);
    zones->addWidget(m_zonesButton);
    zones->addWidget(m_zoneText, 1);
    right->addLayout(zones);

    m_lcd = Named(new QCheckBox(tr("LCD Anzeige während Audiosignal aktiv ist:"), this), 1009);
    right->addWidget(m_lcd);
    auto* lcd = new QFormLayout;
    m_console = Named(new QComboBox(this), 1443);
    m_lcdText = Named(new QLineEdit(this), 1444);
    m_lcdText->setMaxLength(16);
    CTextGuard::Guard(m_lcdText);
    lcd->addRow(tr("an Sprechstelle :"), m_console);
    lcd->addRow(tr("Text (max. 16 Z.):"), m_lcdText);
    right->addLayout(lcd);
    right->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    m_apply = Named(buttons->addButton(tr("Übernehmen"), QDialogButtonBox::ApplyRole), 1361);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExtAudioSignalsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CExtAudioSignalsDlg::reject);
    connect(m_apply, &QPushButton::clicked, this, [this] { OnApply(); });
    top->addWidget(buttons);

    for (QComboBox* box : {m_startStop, m_running, m_fault, m_condition, m_console})
        connect(box, &QComboBox::currentIndexChanged, this, &CExtAudioSignalsDlg::Changed);
    for (QCheckBox* box : {m_externalStart, m_lcd})
        connect(box, &QCheckBox::toggled, this, &CExtAudioSignalsDlg::Changed);
    connect(m_lcdText, &QLineEdit::textEdited, this, &CExtAudioSignalsDlg::Changed);
    connect(m_priority, &QSlider::valueChanged, this, [this](int v) {
        m_priorityText->setText(QString::number(v));
        if (!m_filling)
            m_priorityChanged = true;
        Changed();
    });
    connect(m_conditionButton, &QPushButton::clicked, this, &CExtAudioSignalsDlg::ChooseCondition);
    connect(m_zonesButton, &QPushButton::clicked, this, &CExtAudioSignalsDlg::ChooseZones);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CExtAudioSignalsDlg::OnSelectionChanged);
    connect(m_list, &QTreeWidget::itemChanged, this, &CExtAudioSignalsDlg::OnRenamed);
}

void CExtAudioSignalsDlg::FillCombos()
{
    const QString off = Q(LoadStringId(kOff));
    FillBox(m_startStop, m_doc, off, OT_CONTROL_PAD, {padkind::SlotOut, padkind::LMZ763, padkind::LMZ764});
    FillBox(m_running, m_doc, off, OT_CONTROL_PAD, {padkind::SlotIn, padkind::LMZ771});
    FillBox(m_fault, m_doc, off, OT_CONTROL_PAD, {padkind::SlotIn, padkind::LMZ771});
    FillBox(m_console, m_doc, Q(LoadStringId(kAllConsoles)), OT_CONSOLE, {});
    FillConditions();
}

void CExtAudioSignalsDlg::FillConditions()
{
    FillBox(m_condition, m_doc, Q(LoadStringId(kOff)), OT_CONDITION, {});
}

void CExtAudioSignalsDlg::Choose(QComboBox* box, const QtbChoice& choice)
{
    const int i = box->findData(QVariant::fromValue<void*>(choice.object));
    box->setCurrentIndex(choice.has || choice.object ? std::max(i, 0) : 0);
}

QtbChoice CExtAudioSignalsDlg::ChoiceOf(const QComboBox* box)
{
    if (box->currentIndex() < 0)
        return {};
    return QtbChoice::Of(ItemObject(box->currentData()));
}

void CExtAudioSignalsDlg::AddRow(CBaseDevice* sequence)
{
    // The signal list's picture of the kind: Alarm, Gong, Text at 1, 2, 3.
    const uint32_t kind = sequence ? sequence->GetKindId() : 0;
    const int image = kind == qtbkind::Alarm ? 1 : kind == qtbkind::Gong ? 2 : kind == qtbkind::Text ? 3 : 0;
    QTreeWidgetItem* item =
        m_list->Row(m_list->InsertItem(m_list->GetItemCount(), Q(CQtbSequenceSetup::RowText(sequence)), image));
    item->setData(0, Qt::UserRole, QVariant::fromValue<void*>(sequence));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
}

bool CExtAudioSignalsDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // The press before it has made the row under the mouse the selected one.
        if (m_list->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            ShowConnections();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CExtAudioSignalsDlg::ShowConnections()
{
    CBaseDevice* sequence = Selected();
    if (!sequence)
        return;
    CConnectionsDlg dlg(this);
    dlg.m_pDevice = sequence;
    dlg.exec();
}

CBaseDevice* CExtAudioSignalsDlg::Selected() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? ItemObject(item->data(0, Qt::UserRole)) : nullptr;
}

void CExtAudioSignalsDlg::ClearControls()
{
    m_filling = true;
    for (QComboBox* box : {m_startStop, m_running, m_condition, m_console})
        box->setCurrentIndex(-1);
    Choose(m_fault, m_setup.Read(nullptr).fault);
    m_externalStart->setChecked(false);
    m_lcd->setChecked(false);
    m_lcdText->clear();
    m_zoneText->clear();
    m_priority->setValue(1);
    m_priorityText->setText(QStringLiteral("1"));
    m_filling = false;
}

void CExtAudioSignalsDlg::FillControls()
{
    m_current = Selected();
    if (!m_current) {
        ClearControls();
        UpdateButtons();
        return;
    }
    const QtbSequenceSettings s = m_setup.Read(m_current);
    m_filling = true;
    Choose(m_fault, s.fault);
    Choose(m_startStop, s.startStop);
    Choose(m_running, s.running);
    m_priority->setValue(std::clamp(s.priority, 1, 10));
    m_priorityText->setText(QString::number(m_priority->value()));
    m_externalStart->setChecked(s.externalStart);
    Choose(m_condition, s.condition);
    m_zones = s.zones;
    m_zoneText->setText(Q(s.zoneText));
    m_lcd->setChecked(s.lcd);
    Choose(m_console, s.console);
    m_lcdText->setText(Q(s.lcdText));
    m_priorityChanged = false;
    m_filling = false;
    m_apply->setEnabled(false);
    UpdateButtons();
}

void CExtAudioSignalsDlg::UpdateButtons()
{
    const bool selected = Selected() != nullptr;
    const bool dirty = m_apply->isEnabled() && selected;
    const bool room = !selected || m_list->topLevelItemCount() < CQTBSequence::kMaxSequences;
    m_apply->setEnabled(dirty);
    m_delete->setEnabled(selected);
    m_externalStart->setEnabled(selected);
    m_lcd->setEnabled(selected);
    m_newAlarm->setEnabled(room && !dirty);
    m_newText->setEnabled(room && !dirty);
    m_newGong->setEnabled(false);  // gong sequences are not made here
}

void CExtAudioSignalsDlg::Changed()
{
    if (m_filling)
        return;
    m_apply->setEnabled(true);
    m_newAlarm->setEnabled(false);
    m_newText->setEnabled(false);
}

QtbSequenceSettings CExtAudioSignalsDlg::Gather() const
{
    QtbSequenceSettings s;
    s.fault = ChoiceOf(m_fault);
    s.startStop = ChoiceOf(m_startStop);
    s.running = ChoiceOf(m_running);
    s.priority = m_priority->value();
    s.priorityChanged = m_priorityChanged;
    s.externalStart = m_externalStart->isChecked();
    s.condition = ChoiceOf(m_condition);
    s.zones = m_zones;
    s.lcd = m_lcd->isChecked();
    s.console = ChoiceOf(m_console);
    s.lcdText = m_lcdText->text().toStdString();
    return s;
}

bool CExtAudioSignalsDlg::OnApply()
{
    QtbSequenceSettings s = Gather();
    if (!m_setup.Apply(m_current, s))
        return false;
    m_priorityChanged = s.priorityChanged;
    if (m_current && s.externalStart) {
        m_zones = s.zones;
        m_zoneText->setText(Q(s.zoneText));
    }
    m_apply->setEnabled(false);
    UpdateButtons();
    return true;
}

void CExtAudioSignalsDlg::accept()
{
    OnApply();
    QDialog::accept();
}

void CExtAudioSignalsDlg::OnSelectionChanged()
{
    if (m_filling)
        return;
    if (m_apply->isEnabled() && isVisible() && m_current &&
        ShowMessage(LoadStringId(kAskApply), mb::YesNo | mb::IconQuestion) == mb::IdYes)
        OnApply();
    m_apply->setEnabled(false);
    m_zones.clear();
    FillControls();
}

void CExtAudioSignalsDlg::OnRenamed(QTreeWidgetItem* item)
{
    auto* sequence = ItemObject(item->data(0, Qt::UserRole));
    CBaseDevice* signal = CQtbSequenceSetup::SignalOf(sequence);
    const std::string name = item->text(0).toStdString();
    if (!signal || name == signal->GetName())
        return;
    const bool renamed = signal->SetNameChecked(name, true) != 0;
    const QSignalBlocker quiet(m_list);
    if (!renamed)
        item->setText(0, Q(signal->GetName()));
}

void CExtAudioSignalsDlg::NewSequence(uint32_t kind)
{
    CBaseDevice* sequence = m_setup.NewSequence(kind);
    if (!sequence)
        return;
    AddRow(sequence);
    m_list->setCurrentItem(m_list->topLevelItem(m_list->topLevelItemCount() - 1));
}

void CExtAudioSignalsDlg::DeleteSelected()
{
    QTreeWidgetItem* item = m_list->currentItem();
    CBaseDevice* sequence = Selected();
    if (!item || !sequence)
        return;
    const int row = m_list->indexOfTopLevelItem(item);
    m_setup.DeleteSequence(sequence, ChoiceOf(m_condition));
    m_current = nullptr;
    m_filling = true;
    delete item;
    FillConditions();
    m_filling = false;
    const int count = m_list->topLevelItemCount();
    if (count > 0)
        m_list->setCurrentItem(m_list->topLevelItem(std::min(row, count - 1)));
    m_apply->setEnabled(false);
    FillControls();
    m_cancel->setText(Q(LoadStringId(kClose)));
}

void CExtAudioSignalsDlg::ChooseCondition()
{
    GetAppHost().OpenFeatureWindow(m_doc, kConditionWindowKind, true);
    CBaseDevice* chosen = ChoiceOf(m_condition).object;
    const bool wasFilling = m_filling;
    m_filling = true;
    FillConditions();
    Choose(m_condition, QtbChoice::Of(chosen));
    m_filling = wasFilling;
}

void CExtAudioSignalsDlg::ChooseZones()
{
    QList<CBaseDevice*> objects(m_zones.begin(), m_zones.end());
    CLineGroupSelectDlg dlg(&objects, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_zones.assign(objects.begin(), objects.end());
    Changed();
}
