#include "hardware/windows/CRemoteAmpDlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <cstdlib>
#include <limits>
#include <optional>

#include "comm/CCommLink.h"
#include "comm/LinkRefusal.h"
#include "hardware/CAmplifier.h"
#include "hardware/windows/WindowSamples.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CLevelSlider.h"
#include "ui/CRefusalWatch.h"
#include "ui/CTextGuard.h"
#include "ui/CWindowRegistry.h"

QL_STRING_TABLE({
    {34550, "Addresse"},
    {34371, "Kanal"},
    {34562, "ein"},
    {34563, "aus"},
});

namespace {

constexpr const char* kNotAvailable = "amp not available";

// The program's device link.
class CommLinkAdapter : public IRemoteAmpLink {
public:
    bool SendBlock(const std::vector<std::string>& lines, bool expectAnswers, ILinkAnswerSink* reply) override
    {
        CCommLink* link = GetCommLink();
        return link && link->SendBlock(lines, expectAnswers, 0, reply, 0);
    }
    int GetLinkState() const override
    {
        const CCommLink* link = GetCommLink();
        return link ? link->GetLinkState() : linkstate::Idle;
    }
    void SetLinkState(int state) override
    {
        if (CCommLink* link = GetCommLink())
            link->SetLinkState(state);
    }
};

IRemoteAmpLink*& LinkOverride()
{
    static IRemoteAmpLink* link = nullptr;
    return link;
}

IRemoteAmpLink& Link()
{
    static CommLinkAdapter adapter;
    return LinkOverride() ? *LinkOverride() : adapter;
}

// A decimal number that fills the whole text (leading and trailing blanks
// allowed): "-12.5" or "5x" is no level of -12 or 5, nor is a number an int
// cannot hold one it wraps to.
bool ReadDecimal(const std::string& text, int& value)
{
    const std::optional<long> v =
        ScanWholeNumber(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (!v)
        return false;
    value = static_cast<int>(*v);
    return true;
}

void RemoveAll(std::string& text, const std::string& phrase)
{
    if (phrase.empty())
        return;
    for (size_t p = text.find(phrase); p != std::string::npos; p = text.find(phrase, p))
        text.erase(p, phrase.size());
}

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

template <class W>
W* Named(W* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(
    QStringLiteral("CRemoteAmpDlg"), [](CQuillomerDoc* doc) -> QWidget* { return new CRemoteAmpDlg(SampleAmplifier(doc)); });

}  // namespace

IRemoteAmpLink* CRemoteAmpDlg::SetLinkOverride(IRemoteAmpLink* link)
{
    IRemoteAmpLink* old = LinkOverride();
    LinkOverride() = link;
    return old;
}

CRemoteAmpDlg::CRemoteAmpDlg(CAmplifier* amp, QWidget* parent) : QDialog(parent), m_amp(amp)
{
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(tr("Remoteverstärker Eigenschaften"));
    BuildControls();
    m_statusTimer.setInterval(2000);
    m_meterTimer.setInterval(1000);
    m_fallTimer.setInterval(500);
    connect(&m_statusTimer, &QTimer::timeout, this, &CRemoteAmpDlg::SendStatusRequest);
    connect(&m_meterTimer, &QTimer::timeout, this, &CRemoteAmpDlg::SendMeterRequest);
    connect(&m_fallTimer, &QTimer::timeout, this, &CRemoteAmpDlg::OnFallTimer);
    m_refusals = new CRefusalWatch(this, {QueryPrefix()}, [this](const LinkRefusal& refusal) { return OnRefused(refusal); });
    Initialise();
}

bool CRemoteAmpDlg::OnRefused(const LinkRefusal& refusal)
{
    if (m_finished)
        return false;
    std::string key = refusal.path.substr(std::min(refusal.path.size(), QueryPrefix().size()));
    const std::string channel = StrFormat("CHAN%d/", m_channel);
    const bool ofChannel = key.compare(0, channel.size(), channel) == 0;
    if (ofChannel)
        key.erase(0, channel.size());
    const std::optional<bool> on = ReadFlagWord(refusal.value);
    if (key == "NAME") {
        m_nameKnown = m_heldName;
        if (!m_name->hasFocus())
            m_name->setText(Q(m_heldName));
        SendRequest({QueryPrefix() + "NAME ?"}, true);
    } else if (key == "POWER") {
        ShowPower(m_heldPower);
    } else if (key == "PLTGEN" && on) {
        m_pilotGen->setChecked(!*on);
    } else if (ofChannel && key == "MUTE" && on) {
        m_mute->setChecked(!*on);
    } else if (ofChannel && key == "VOL" && !m_heldVolume.empty() && !m_volumeDrag) {
        HandleChannelKey(channel + key, m_heldVolume);
    } else if (ofChannel && key == "VCOFS" && !m_heldOffset.empty() && !m_offsetDrag) {
        HandleChannelKey(channel + key, m_heldOffset);
    }
    // The status the dialog polls says what the device holds.
    SendStatusRequest();
    return true;
}

CRemoteAmpDlg::~CRemoteAmpDlg()
{
    StopTimers();
}

void CRemoteAmpDlg::BuildControls()
{
    auto* top = new QVBoxLayout(this);

    // Amplifier facts.
    auto* facts = new QGridLayout;
    int row = 0;
    auto addFact = [&](const QString& label, QWidget* value) {
        facts->addWidget(new QLabel(label, this), row, 0);
        facts->addWidget(value, row, 1);
        ++row;
    };
    addFact(tr("Typ"), m_type = Named(new QLabel(this), 1592));
    addFact(tr("Name"), m_name = Named(new QLineEdit(this), 1594));
    addFact(tr("Firmware"), m_firmware = Named(new QLabel(this), 1593));
    addFact(tr("Letzter Fehler"), m_lastError = Named(new QLabel(this), 1597));
    addFact(tr("Relaiszuordnung"), m_relayMap = Named(new QLabel(this), 1595));
    addFact(tr("Kanalzuordnung"), m_channelMap = Named(new QLabel(this), 1596));
    m_name->installEventFilter(this);
    // Installed after the dialog's own watch, the guard sees the edit's
    // events first: a refused name is put back before the dialog sends it.
    CTextGuard::Guard(m_name);
    top->addLayout(facts);

    auto* states = new QGridLayout;
    m_pilotDetect = Named(new QLabel(tr("Pilottonerkennung"), this), 1598);
    m_groundDetect = Named(new QLabel(tr("Erdschlusserkennung"), this), 1599);
    m_overTemp = Named(new QLabel(this), 1606);
    m_ready = Named(new QLabel(this), 1607);
    states->addWidget(m_pilotDetect, 0, 0);
    states->addWidget(m_groundDetect, 0, 1);
    states->addWidget(new QLabel(tr("Übertemperatur"), this), 1, 0);
    states->addWidget(m_overTemp, 1, 1);
    states->addWidget(new QLabel(tr("READY"), this), 2, 0);
    states->addWidget(m_ready, 2, 1);
    top->addLayout(states);

    auto* supply = new QHBoxLayout;
    m_mains = Named(new QCheckBox(tr("Netz"), this), 1601);
    m_battery = Named(new QCheckBox(tr("Batterie"), this), 1602);
    m_pilotGen = Named(new QCheckBox(tr("Ein"), this), 1604);
    m_reset = Named(new QPushButton(tr("Reset"), this), 1605);
    m_reset->setCheckable(true);
    // Enter belongs to OK: a key pressed in the name must not reset the
    // amplifier's faults.
    m_reset->setAutoDefault(false);
    supply->addWidget(m_mains);
    supply->addWidget(m_battery);
    supply->addWidget(m_pilotGen);
    supply->addWidget(m_reset);
    top->addLayout(supply);

    // One channel at a time.
    m_tabs = Named(new QTabBar(this), 1552);
    // Every channel's tab shows whole: the dialog widens for four of them.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    m_tabs->hide();
    top->addWidget(m_tabs);
    auto* channel = new QGridLayout;
    m_inMeter = Named(new QProgressBar(this), 1612);
    m_outMeter = Named(new QProgressBar(this), 1613);
    for (QProgressBar* bar : {m_inMeter, m_outMeter}) {
        bar->setOrientation(Qt::Vertical);
        bar->setTextVisible(false);
    }
    // The lowest position stands at the top, as the device's values run the other way.
    m_volume = Named(new CLevelSlider(this), 1591);
    m_offset = Named(new CLevelSlider(this), 1053);
    for (QSlider* slider : {m_volume, m_offset})
        slider->installEventFilter(this);
    m_volumeText = Named(new QLabel(this), 1614);
    m_offsetText = Named(new QLabel(this), 1615);
    channel->addWidget(new QLabel(tr("IN"), this), 0, 0);
    channel->addWidget(new QLabel(tr("OUT"), this), 0, 1);
    channel->addWidget(new QLabel(tr("VOL"), this), 0, 2);
    channel->addWidget(new QLabel(tr("OFS"), this), 0, 3);
    channel->addWidget(m_inMeter, 1, 0);
    channel->addWidget(m_outMeter, 1, 1);
    channel->addWidget(m_volume, 1, 2);
    channel->addWidget(m_offset, 1, 3);
    channel->addWidget(m_volumeText, 2, 2);
    channel->addWidget(m_offsetText, 2, 3);
    auto* flags = new QVBoxLayout;
    m_mute = Named(new QCheckBox(tr("Mute"), this), 1616);
    m_chPilot = Named(new QLabel(tr("Pilotton"), this), 1617);
    m_chGround = Named(new QLabel(tr("Erdschluss"), this), 1618);
    m_chOverTemp = Named(new QLabel(tr("Übertemperatur"), this), 1619);
    // Nothing counts as fitted or detected until the device says "YES".
    for (QLabel* state : {m_pilotDetect, m_groundDetect, m_chPilot, m_chGround, m_chOverTemp})
        state->setEnabled(false);
    m_outConfig = Named(new QLabel(this), 1620);
    m_measure = Named(new QLabel(this), 1621);
    flags->addWidget(m_mute);
    flags->addWidget(m_chPilot);
    flags->addWidget(m_chGround);
    flags->addWidget(m_chOverTemp);
    flags->addWidget(new QLabel(tr("Konfiguration"), this));
    flags->addWidget(m_outConfig);
    flags->addWidget(new QLabel(tr("U/I Messung"), this));
    flags->addWidget(m_measure);
    channel->addLayout(flags, 1, 4);
    top->addLayout(channel);

    auto* close = new QPushButton(tr("OK"), this);
    close->setObjectName(QStringLiteral("1"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    top->addWidget(close, 0, Qt::AlignRight);

    // The button shows the device's fault-reset state; a click only asks for
    // the reset and leaves the shown state to the device's answer.
    connect(m_reset, &QPushButton::clicked, this, [this](bool checked) {
        m_reset->setChecked(!checked);
        SendSetter(QueryPrefix() + "FLTRES ON");
    });
    connect(m_pilotGen, &QCheckBox::clicked, this,
            [this](bool on) { SendSetter(QueryPrefix() + "PLTGEN" + (on ? " ON" : " OFF")); });
    connect(m_mains, &QCheckBox::clicked, this, &CRemoteAmpDlg::OnPowerClicked);
    connect(m_battery, &QCheckBox::clicked, this, &CRemoteAmpDlg::OnPowerClicked);
    connect(m_mute, &QCheckBox::clicked, this, [this](bool on) {
        SendSetter(QueryPrefix() + StrFormat("CHAN%d/MUTE", m_channel) + (on ? " ON" : " OFF"));
    });
    connect(m_volume, &QSlider::valueChanged, this, &CRemoteAmpDlg::OnVolumeMoved);
    connect(m_offset, &QSlider::valueChanged, this, &CRemoteAmpDlg::OnOffsetMoved);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            m_channel = index + 1;
        // What the device held of the channel shown before is no value of this one.
        m_heldVolume.clear();
        m_heldOffset.clear();
    });
}

void CRemoteAmpDlg::Initialise()
{
    m_channel = 1;
    m_volumeDrag = m_offsetDrag = false;
    {
        const QSignalBlocker b1(m_volume), b2(m_offset);
        m_volume->setRange(-78, 0);
        m_volume->setValue(0);
        m_offset->setRange(-128, 127);
        m_offset->setValue(127);
    }
    m_volumeText->setText(Q(StrFormat("%d dB", VolumeOfPosition(0))));
    m_offsetText->setText(Q(StrFormat("%d dB", OffsetOfPosition(127))));
    m_outMeter->setRange(0, 60);
    m_inMeter->setRange(0, 50);
    m_outMeter->setValue(0);
    m_inMeter->setValue(0);
    m_lastInput = m_lastOutput = -128;

    m_online = IsDocConnected() && m_amp;
    if (!m_online) {
        OfferDeviceControls(false);
        return;
    }
    setWindowTitle(Q(LoadStringId(34550) + StrFormat("%x", static_cast<unsigned>(m_amp->GetAddress()))));
    SendOneOffRequest();
    m_statusTimer.start();
    m_meterTimer.start();
    m_fallTimer.start();
}

bool CRemoteAmpDlg::IsPolling() const
{
    return m_statusTimer.isActive() || m_meterTimer.isActive() || m_fallTimer.isActive();
}

std::string CRemoteAmpDlg::QueryPrefix() const
{
    return StrFormat("/AMP/ADR%x/", static_cast<unsigned>(m_amp ? m_amp->GetAddress() : 0));
}

std::string CRemoteAmpDlg::AnswerPrefix() const
{
    return StrFormat("/AMP/ADR%X/", static_cast<unsigned>(m_amp ? m_amp->GetAddress() : 0));
}

// ---------------------------------------------------------------- requests

void CRemoteAmpDlg::SendRequest(const std::vector<std::string>& lines, bool expectAnswers)
{
    Link().SendBlock(lines, expectAnswers, this);
}

void CRemoteAmpDlg::SendOneOffRequest()
{
    const std::string p = QueryPrefix();
    SendRequest({p + "TYPE ?", p + "NAME ?", p + "VER ?", p + "CHANMAP ?", p + "RETROFIT/PILOT ?",
                 p + "RETROFIT/GNDFLT ?", p + "763 ?"},
                true);
}

void CRemoteAmpDlg::SendStatusRequest()
{
    // A transfer owns the line: the amplifier is asked again once it has
    // ended; a slow device once it has read what it was sent.
    if (LineLost() || TransferHoldsLink() || !m_pollPace.MayPoll())
        return;
    const std::string p = QueryPrefix();
    const std::string c = p + StrFormat("CHAN%d/", m_channel);
    SendRequest({p + "ERR ?", p + "POWER ?", p + "PLTGEN ?", p + "OVT ?", p + "READY ?", c + "VOL ?", c + "VCOFS ?",
                 c + "MUTE ?", c + "PLTDET ?", c + "FLTDET ?", c + "OVT ?", c + "OUTCFG ?", c + "MEAS ?"},
                true);
    m_pollPace.Polled();
}

void CRemoteAmpDlg::SendMeterRequest()
{
    if (LineLost() || TransferHoldsLink() || !m_pollPace.MayPoll())
        return;
    const std::string c = QueryPrefix() + StrFormat("CHAN%d/", m_channel);
    SendRequest({c + "VUINP ?", c + "VUOUT ?"}, false);
    m_pollPace.Polled();
}

void CRemoteAmpDlg::SendSetter(const std::string& line)
{
    if (!IsDocConnected() || m_finished)
        return;
    // Its echo never comes back among the answers: the link keeps it.
    m_refusals->Sending();
    SendRequest({line}, false);
}

void CRemoteAmpDlg::StopTimers()
{
    m_statusTimer.stop();
    m_meterTimer.stop();
    m_fallTimer.stop();
}

bool CRemoteAmpDlg::LineLost()
{
    if (!m_online)
        return true;
    if (IsDocConnected())
        return false;
    // What the dialog showed live is no longer the amplifier's state, and
    // nothing set here would reach it.
    m_online = false;
    StopTimers();
    SetBar(m_inMeter, 0);
    SetBar(m_outMeter, 0);
    OfferDeviceControls(false);
    return true;
}

void CRemoteAmpDlg::OfferDeviceControls(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_name, m_mains, m_battery, m_pilotGen, m_reset, m_tabs, m_inMeter,
                                                      m_outMeter, m_volume, m_offset, m_mute})
        w->setEnabled(on);
}

// ---------------------------------------------------------------- user actions

void CRemoteAmpDlg::OnPowerClicked()
{
    const bool mains = m_mains->isChecked();
    const bool battery = m_battery->isChecked();
    const char* value = mains && battery ? " BOTH" : mains ? " MAINS" : battery ? " BATT" : " OFF";
    SendSetter(QueryPrefix() + "POWER" + value);
}

void CRemoteAmpDlg::OnVolumeMoved(int position)
{
    m_volumeDrag = true;
    const int v = VolumeOfPosition(position);
    m_volumeText->setText(Q(StrFormat("%d dB", v)));
    SendSetter(QueryPrefix() + StrFormat("CHAN%d/VOL %d", m_channel, v));
}

void CRemoteAmpDlg::OnOffsetMoved(int position)
{
    m_offsetDrag = true;
    const int v = OffsetOfPosition(position);
    m_offsetText->setText(Q(StrFormat("%d dB", v)));
    SendSetter(QueryPrefix() + StrFormat("CHAN%d/VCOFS %d", m_channel, v));
}

bool CRemoteAmpDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        // The slider lets the mouse go: the poll may move it again.
        if (watched == m_volume)
            m_volumeDrag = false;
        else if (watched == m_offset)
            m_offsetDrag = false;
    } else if (event->type() == QEvent::FocusOut && watched == m_name && !m_finished) {
        SendNameIfChanged();
    }
    return QDialog::eventFilter(watched, event);
}

void CRemoteAmpDlg::done(int result)
{
    StopTimers();
    // A name typed and closed with the keyboard still goes out; the focus
    // leaving the edit as the window hides must not send it (again) after
    // the link has been handed back.
    if (!m_finished && m_name->hasFocus() && CTextGuard::Of(m_name)->Confirm())
        SendNameIfChanged();
    m_finished = true;
    // The dialog's block requests end with it.
    if (IsDocConnected() && Link().GetLinkState() == linkstate::BlockRequest)
        Link().SetLinkState(linkstate::Online);
    QDialog::done(result);
}

void CRemoteAmpDlg::SendNameIfChanged()
{
    const std::string name = m_name->text().toStdString();
    if (name == m_nameKnown || !IsDocConnected())
        return;
    m_nameKnown = name;
    SendSetter(QueryPrefix() + "NAME " + name);
}

// ---------------------------------------------------------------- answers

void CRemoteAmpDlg::SetOnOff(QLabel* label, const std::string& value)
{
    if (const std::optional<bool> on = ReadFlagWord(value))
        label->setText(Q(LoadStringId(*on ? 34562 : 34563)));
}

// A switch the device answers with a word that is neither of its two ("maybe",
// "1", "on") tells no state: the control shows what it showed, never the
// other state.
void CRemoteAmpDlg::SetChecked(QAbstractButton* button, const std::string& value)
{
    if (const std::optional<bool> on = ReadFlagWord(value))
        button->setChecked(*on);
}

void CRemoteAmpDlg::SetYesNo(QWidget* shown, const std::string& value)
{
    if (const std::optional<bool> yes = ReadFlagWord(value, "YES", "NO"))
        shown->setEnabled(*yes);
}

void CRemoteAmpDlg::SetBar(QProgressBar* bar, int value)
{
    bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

void CRemoteAmpDlg::OnLinkAnswer(intptr_t, std::vector<std::string>& answers)
{
    const std::string prefix = AnswerPrefix();
    for (const std::string& line : answers) {
        const size_t blank = line.find(' ');
        if (blank == std::string::npos)
            continue;
        // The device answers a path it does not know with "? " and a blank,
        // and a setter it refuses with the value and " ? ": neither is a
        // value to show (a refused name is no name of the amplifier).
        std::string value = line.substr(blank + 1);
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
            value.pop_back();
        if (IsRefusedValue(value))
            continue;
        std::string key = line.substr(0, blank);
        RemoveAll(key, prefix);

        if (value == kNotAvailable) {
            m_finished = true;
            Link().SetLinkState(linkstate::Online);
            StopTimers();
            answers.clear();
            ShowMessage(tr("Verstärker mit Adresse %1 nicht vorhanden!")
                            .arg(static_cast<unsigned>(m_amp ? m_amp->GetAddress() : 0), 2, 16, QLatin1Char('0'))
                            .toStdString());
            QMetaObject::invokeMethod(this, "reject", Qt::QueuedConnection);
            return;
        }

        if (key == "TYPE") {
            m_type->setText(Q(value));
        } else if (key == "NAME") {
            // A name the user is typing stays his; it goes out when he leaves
            // the field, as it differs from the one the device gave.
            const bool typing = m_name->hasFocus() && m_name->text().toStdString() != m_nameKnown;
            m_nameKnown = value;
            m_heldName = value;
            if (!typing)
                m_name->setText(Q(value));
        } else if (key == "ERR") {
            m_lastError->setText(Q(value));
        } else if (key == "VER") {
            m_firmware->setText(Q(value));
        } else if (key == "763") {
            m_relayMap->setText(Q(value));
        } else if (key == "CHANMAP") {
            int n = 0;
            if (ReadDecimal(value, n) && n >= 1 && n <= 4) {
                const QSignalBlocker block(m_tabs);
                while (m_tabs->count() > 0)
                    m_tabs->removeTab(0);
                for (int i = 1; i <= n; ++i)
                    m_tabs->addTab(Q(StrFormat("%s %d", LoadStringId(34371).c_str(), i)));
                m_tabs->show();
                m_channel = m_tabs->currentIndex() + 1;
                m_channelMap->setText(Q(value));
            }
        } else if (key == "RETROFIT/PILOT") {
            SetYesNo(m_pilotDetect, value);
        } else if (key == "RETROFIT/GNDFLT") {
            SetYesNo(m_groundDetect, value);
        } else if (key == "POWER") {
            if (ShowPower(value))
                m_heldPower = value;
        } else if (key == "PLTGEN") {
            SetChecked(m_pilotGen, value);
        } else if (key == "FLTRES") {
            SetChecked(m_reset, value);
        } else if (key == "OVT") {
            SetOnOff(m_overTemp, value);
        } else if (key == "READY") {
            SetOnOff(m_ready, value);
        } else {
            HandleChannelKey(key, value);
        }
    }
    answers.clear();
}

bool CRemoteAmpDlg::ShowPower(const std::string& value)
{
    if (value != "OFF" && value != "MAINS" && value != "BATT" && value != "BOTH")
        return false;
    m_mains->setChecked(value == "MAINS" || value == "BOTH");
    m_battery->setChecked(value == "BATT" || value == "BOTH");
    return true;
}

void CRemoteAmpDlg::HandleChannelKey(const std::string& key, const std::string& value)
{
    const std::string channelPrefix = StrFormat("CHAN%d/", m_channel);
    if (key.find(channelPrefix) == std::string::npos)
        return;
    std::string rest = key;
    RemoveAll(rest, channelPrefix);
    int n = 0;
    if (rest == "VUINP") {
        if (ReadDecimal(value, n)) {
            m_lastInput = n;
            if (m_inMeter->value() < InputBarOf(n))
                SetBar(m_inMeter, InputBarOf(n));
        }
    } else if (rest == "VUOUT") {
        if (ReadDecimal(value, n)) {
            m_lastOutput = n;
            if (m_outMeter->value() < OutputBarOf(n))
                SetBar(m_outMeter, OutputBarOf(n));
        }
    } else if (rest == "VOL") {
        if (ReadDecimal(value, n))
            m_heldVolume = value;
        if (!m_volumeDrag && ReadDecimal(value, n)) {
            const QSignalBlocker block(m_volume);
            m_volume->setValue(PositionOfVolume(n));
            m_volumeText->setText(Q(StrFormat("%d dB", n)));
        }
    } else if (rest == "VCOFS") {
        if (ReadDecimal(value, n))
            m_heldOffset = value;
        if (!m_offsetDrag && ReadDecimal(value, n)) {
            const QSignalBlocker block(m_offset);
            m_offset->setValue(PositionOfOffset(n));
            m_offsetText->setText(Q(StrFormat("%d dB", n)));
        }
    } else if (rest == "MUTE") {
        SetChecked(m_mute, value);
    } else if (rest == "PLTDET") {
        SetYesNo(m_chPilot, value);
    } else if (rest == "FLTDET") {
        SetYesNo(m_chGround, value);
    } else if (rest == "OVT") {
        SetYesNo(m_chOverTemp, value);
    } else if (rest == "OUTCFG") {
        m_outConfig->setText(Q(value));
    } else if (rest == "MEAS") {
        m_measure->setText(Q(value));
    }
}

// ---------------------------------------------------------------- meters

void CRemoteAmpDlg::OnFallTimer()
{
    if (LineLost())
        return;
    // A bar falls by 10 per tick towards the last measured level and stops on it.
    const int out = m_outMeter->value();
    if (out > m_lastOutput + 50)
        SetBar(m_outMeter, out - 10);
    else if (out > m_lastOutput + 40)
        SetBar(m_outMeter, m_lastOutput + 40);
    const int in = m_inMeter->value();
    if (in > m_lastInput + 40)
        SetBar(m_inMeter, in - 10);
    else if (in > m_lastInput + 30)
        SetBar(m_inMeter, m_lastInput + 30);
}
