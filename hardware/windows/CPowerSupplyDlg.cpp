#include "hardware/windows/CPowerSupplyDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QStringList>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

#include "hardware/CAudioInputDevice.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "hardware/windows/WindowSamples.h"
#include "ui/CTextGuard.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

QL_STRING_TABLE({
    {34235, "OFF"},
    {34273, "Alle Sprechstellen"},
    {34292, "Netz"},
    {34293, "Batterie"},
    {34294, "Standby"},
});

namespace {

constexpr uint32_t kOff = 34235;
constexpr uint32_t kAllConsoles = 34273;
using E = PowerSupplySettings::Event;

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

[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(
    QStringLiteral("CPowerSupplyDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        CAudioInputDevice* pack = SampleAudioDevice(doc, audiodevice::KindFJX3392, "FJX3392", 300, 500);
        return pack ? new CPowerSupplyDlg(pack) : nullptr;
    });

}  // namespace

CPowerSupplyDlg::CPowerSupplyDlg(CAudioInputDevice* pack, QWidget* parent)
    : QDialog(parent), m_pack(pack), m_setup(pack ? pack->GetDocument() : nullptr, pack)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(tr("Netzteil Eigenschaften"));
    BuildControls();
    Load();
    ApplyDesignedSize(this, DialogUnitsToPixels(this, QSize(300, 260)));
}

void CPowerSupplyDlg::BuildControls()
{
    auto* top = new QVBoxLayout(this);

    auto* lines = new QGroupBox(tr("Verbindungsleitungen mit KVT7000 "), this);
    auto* linesForm = new QFormLayout(lines);
    m_power = Named(new QComboBox(lines), 1467);
    m_mainsFail = Named(new QComboBox(lines), 1468);
    linesForm->addRow(tr("Power-ON/OFF Steuerleitung :"), m_power);
    linesForm->addRow(tr("Mains-Fail Meldeleitung :"), m_mainsFail);
    top->addWidget(lines);

    auto* lcd = new QGroupBox(tr("LCD Anzeigen "), this);
    auto* lcdBox = new QVBoxLayout(lcd);
    m_tabs = Named(new QTabBar(lcd), 1466);
    m_tabs->setExpanding(false);
    lcdBox->addWidget(m_tabs);
    auto* lcdForm = new QFormLayout;
    m_console = Named(new QComboBox(lcd), 1443);
    m_text = Named(new QLineEdit(lcd), 1444);
    m_text->setMaxLength(16);
    CTextGuard::Guard(m_text);
    lcdForm->addRow(tr("an Sprechstelle :"), m_console);
    lcdForm->addRow(tr("Text ( max. 16 Zeichen ) :"), m_text);
    lcdBox->addLayout(lcdForm);
    top->addWidget(lcd);

    auto* ext = new QGroupBox(tr(" Anlage über externes Ereignis Ein/Aus-schalten :"), this);
    auto* extForm = new QFormLayout(ext);
    m_external = Named(new QComboBox(ext), 1442);
    extForm->addRow(tr("Eingang :"), m_external);
    top->addWidget(ext);

    m_battery = Named(new QCheckBox(tr("Batterie mit Ladegerät"), this), 1470);
    top->addWidget(m_battery);
    auto* behaviour = new QGroupBox(tr("Verhalten bei Netzausfall :"), this);
    auto* behaviourBox = new QVBoxLayout(behaviour);
    m_seamless = Named(new QRadioButton(tr("übergangsloser Batteriebetrieb"), behaviour), 1472);
    m_standby = Named(new QRadioButton(tr("umschalten auf STANDBY-Betrieb"), behaviour), 1473);
    behaviourBox->addWidget(m_seamless);
    behaviourBox->addWidget(m_standby);
    top->addWidget(behaviour);

    auto prioGroup = [&](const QString& title, int sliderId, int textId, QSlider*& slider, QLineEdit*& text) {
        auto* group = new QGroupBox(title, this);
        auto* row = new QHBoxLayout(group);
        slider = Named(new QSlider(Qt::Horizontal, group), sliderId);
        slider->setRange(0, 10);
        text = Named(new QLineEdit(group), textId);
        text->setReadOnly(true);
        text->setMaximumWidth(DialogUnitsToPixels(this, QSize(20, 0)).width());
        row->addWidget(slider, 1);
        row->addWidget(text);
        QLineEdit* field = text;
        connect(slider, &QSlider::valueChanged, this, [field](int v) { field->setText(QString::number(v)); });
        top->addWidget(group);
    };
    prioGroup(tr("Einschaltpriorität bei Netzbetrieb"), 1332, 1140, m_mainsPrio, m_mainsPrioText);
    prioGroup(tr("Einschaltpriorität bei Batteriebetrieb"), 1333, 1141, m_battPrio, m_battPrioText);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPowerSupplyDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPowerSupplyDlg::reject);
    top->addWidget(buttons);

    // Another tab confirms the text shown, as leaving the edit would.
    connect(m_tabs, &QTabBar::currentChanged, this, [this] {
        CTextGuard::Of(m_text)->Confirm();
        ShowEvent();
    });
    connect(m_console, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (m_filling)
            return;
        PowerSupplySettings::Lcd& lcd = m_lcd[EventOfTab(m_tabs->currentIndex())];
        lcd.position = std::max(position, 0);
        lcd.text = m_text->text().toStdString();
    });
    // The text typed, and the one put back when a text was refused.
    connect(m_text, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_filling)
            m_lcd[m_shownEvent].text = text.toStdString();
    });
    connect(m_battery, &QCheckBox::clicked, this, &CPowerSupplyDlg::OnBatteryClicked);
}

void CPowerSupplyDlg::FillContacts(QComboBox* box, CQuillomerDoc* doc, std::initializer_list<uint32_t> kinds,
                                   int32_t number)
{
    box->addItem(Q(LoadStringId(kOff)), 0);
    int selected = 0;
    for (uint32_t kind : kinds) {
        DeviceList list;
        if (doc)
            doc->GetIDManager().GetBaseDeviceListByKind(list, OT_CONTROL_PAD, kind);
        std::sort(list.begin(), list.end(),
                  [](const CBaseDevice* a, const CBaseDevice* b) { return a->GetNumber() < b->GetNumber(); });
        for (const CBaseDevice* pad : list) {
            box->addItem(Q(pad->GetName()), pad->GetNumber());
            if (number != 0 && pad->GetNumber() == number)
                selected = box->count() - 1;  // the last match wins
        }
    }
    box->setCurrentIndex(selected);
}

void CPowerSupplyDlg::Load()
{
    m_filling = true;
    const PowerSupplySettings s = m_setup.Read();
    CQuillomerDoc* doc = m_pack ? m_pack->GetDocument() : nullptr;
    FillContacts(m_power, doc, {padkind::SlotOut, padkind::LMZ763, padkind::LMZ764}, s.powerContact);
    FillContacts(m_mainsFail, doc, {padkind::SlotIn, padkind::LMZ771, padkind::InterfaceIn}, s.mainsFailContact);
    FillContacts(m_external, doc, {padkind::SlotIn, padkind::LMZ771, padkind::InterfaceIn}, s.externalContact);
    m_console->addItem(Q(LoadStringId(kOff)));
    m_console->addItem(Q(LoadStringId(kAllConsoles)));
    for (const CBaseDevice* console : m_setup.Consoles())
        m_console->addItem(Q(console->GetName()));
    for (int e = 0; e < PowerSupplySettings::kEvents; ++e)
        m_lcd[e] = s.lcd[e];
    m_tabs->addTab(Q(LoadStringId(34292)));
    m_tabs->addTab(Q(LoadStringId(34294)));
    m_battery->setChecked(s.battery);
    m_seamless->setEnabled(s.battery);
    m_standby->setEnabled(s.battery);
    if (s.battery)
        m_tabs->addTab(Q(LoadStringId(34293)));
    m_tabs->setCurrentIndex(0);
    (s.dropToStandby ? m_standby : m_seamless)->setChecked(true);
    m_mainsPrio->setValue(s.mainsPriority);
    m_mainsPrioText->setText(QString::number(s.mainsPriority));
    m_battPrio->setValue(s.batteryPriority);
    m_battPrioText->setText(QString::number(s.batteryPriority));
    m_filling = false;
    ShowEvent();
}

int CPowerSupplyDlg::EventOfTab(int tab) const
{
    return tab == 1 ? E::Standby : tab == 2 ? E::Battery : E::Mains;
}

void CPowerSupplyDlg::ShowEvent()
{
    m_shownEvent = EventOfTab(m_tabs->currentIndex());
    const PowerSupplySettings::Lcd lcd = m_lcd[m_shownEvent];
    const bool wasFilling = m_filling;
    m_filling = true;
    m_text->setText(Q(lcd.text));
    m_console->setCurrentIndex(std::clamp(lcd.position, 0, m_console->count() - 1));
    m_filling = wasFilling;
}

void CPowerSupplyDlg::OnBatteryClicked()
{
    const bool on = m_battery->isChecked();
    m_seamless->setEnabled(on);
    m_standby->setEnabled(on);
    if (on) {
        if (m_tabs->count() < 3)
            m_tabs->addTab(Q(LoadStringId(34293)));
        return;
    }
    m_lcd[E::Battery].position = 0;
    if (m_tabs->count() < 3)
        return;
    const bool wasSelected = m_tabs->currentIndex() == 2;
    if (wasSelected)
        m_tabs->setCurrentIndex(1);
    m_tabs->removeTab(2);
    ShowEvent();
}

PowerSupplySettings CPowerSupplyDlg::Gather() const
{
    PowerSupplySettings s;
    s.mainsFailContact = m_mainsFail->currentData().toInt();
    s.powerContact = m_power->currentData().toInt();
    s.externalContact = m_external->currentData().toInt();
    for (int e = 0; e < PowerSupplySettings::kEvents; ++e)
        s.lcd[e] = m_lcd[e];
    s.battery = m_battery->isChecked();
    s.dropToStandby = m_standby->isChecked();
    s.mainsPriority = m_mainsPrio->value();
    s.batteryPriority = m_battPrio->value();
    return s;
}

QString CPowerSupplyDlg::SettingName(int item) const
{
    // The setting as its label names it, without the label's colon.
    const auto label = [](const QString& text) {
        QString name = text.trimmed();
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        return name.trimmed();
    };
    switch (item) {
    case 0: return label(tr("Mains-Fail Meldeleitung :"));
    case 1: return label(tr("Power-ON/OFF Steuerleitung :"));
    case 2: return label(tr(" Anlage über externes Ereignis Ein/Aus-schalten :"));
    case 3:
    case 4:
    case 5: {
        const uint32_t tab[] = {34292, 34293, 34294};  // mains, battery, standby
        return QStringLiteral("%1 \"%2\"").arg(label(tr("LCD Anzeigen ")), Q(LoadStringId(tab[item - 3])));
    }
    default: return m_battery->text();
    }
}

void CPowerSupplyDlg::accept()
{
    const PowerSupplySettings settings = Gather();
    // Nothing is taken while a setting lacks a number for its objects: the
    // user hears once what and why, and finds everything as entered.
    const std::vector<CPowerSupplySetup::Shortfall> missing = m_setup.Shortfalls(settings);
    if (!missing.empty()) {
        QStringList lines;
        for (const CPowerSupplySetup::Shortfall& m : missing) {
            const uint32_t kind = m.type == OT_MACRO       ? 32806u   // "Makro"
                                  : m.type == OT_CONDITION ? 34129u   // "Bedingung"
                                  : m.type == OT_TRIGGER   ? 33085u   // "Trigger"
                                                           : 34460u;  // "Logikzustand"
            lines << QStringLiteral("%1 (%2)").arg(SettingName(m.item), Q(LoadStringId(kind)));
        }
        ShowMessage(tr("Für diese Einstellungen hat das Projekt keine freie Nummer mehr:\n\n%1\n\n"
                       "Nichts wurde übernommen. Wählen Sie dort \"OFF\", oder löschen Sie nicht mehr "
                       "benötigte Objekte der genannten Art.")
                        .arg(lines.join(QLatin1Char('\n')))
                        .toStdString(),
                    mb::Ok | mb::IconExclamation);
        return;
    }
    m_setup.Apply(settings);
    QDialog::accept();
}
