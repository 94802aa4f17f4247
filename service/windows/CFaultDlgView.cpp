#include "service/windows/CFaultDlgView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

#include "comm/CCommLink.h"
#include "comm/LinkRefusal.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/ObjectTypeCode.h"
#include "platform/AnswerLine.h"
#include "platform/StringTable.h"
#include "service/CFault.h"
#include "service/windows/ServiceLive.h"
#include "ui/CPictureSet.h"
#include "ui/CRefusalWatch.h"

namespace {
struct Source {
    uint32_t bit;
    int boxId;
    int iconId;
    const char* text;
};
const Source kSourceRows[CFaultDlgView::kSourceCount] = {
    {faultsrc::Lmz, 1528, 1531, QT_TRANSLATE_NOOP("CFaultDlgView", "LMZ Fehler")},
    {faultsrc::Amp, 1214, 1532, QT_TRANSLATE_NOOP("CFaultDlgView", "Verstärkerfehler")},
    {faultsrc::KvtInternal, 1215, 1533, QT_TRANSLATE_NOOP("CFaultDlgView", "interner KVT Fehler")},
    {faultsrc::Console, 1216, 1534, QT_TRANSLATE_NOOP("CFaultDlgView", "Sprechstellenfehler")},
    {faultsrc::SpareAmp, 1217, 1535, QT_TRANSLATE_NOOP("CFaultDlgView", "Havariefehler")},
    {faultsrc::ReadyInput, 1218, 1536, QT_TRANSLATE_NOOP("CFaultDlgView", "Readyinput Fehler")},
    {faultsrc::Manual, 1219, 1537, QT_TRANSLATE_NOOP("CFaultDlgView", "Manueller Fehler")},
    {faultsrc::Unknown, 1220, 1538, QT_TRANSLATE_NOOP("CFaultDlgView", "unbekannter Fehler")},
    {faultsrc::AnyGroundFault, 1221, 1544, QT_TRANSLATE_NOOP("CFaultDlgView", "Erdschluß")},
    {faultsrc::ZoneMeasure, 1222, 1543, QT_TRANSLATE_NOOP("CFaultDlgView", "Linienmessfehler")},
    {faultsrc::ZoneGroundFault, 1223, 1542, QT_TRANSLATE_NOOP("CFaultDlgView", "Linienerdschluß")},
};
constexpr uint32_t kTextOff = 34235;          // "OFF"
constexpr uint32_t kTextAllConsoles = 34273;  // "Alle Sprechstellen"

// The value of a polled answer: the text after its last blank.
std::string LastWord(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    const size_t blank = text.find_last_of(' ');
    return blank == std::string::npos ? text : text.substr(blank + 1);
}
}  // namespace

CFaultDlgView::CFaultDlgView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("518"));
    auto* outer = new QVBoxLayout(this);
    auto* sources = new QGroupBox(tr("FAULT Quellen"), this);
    auto* grid = new QGridLayout(sources);
    grid->addWidget(new QLabel(tr("aktiv"), sources), 0, 1, Qt::AlignHCenter);
    const QPixmap activeIcon = CPictureSet::Icon(489).pixmap(16, 16);
    for (int r = 0; r < kSourceCount; ++r) {
        auto* box = new QCheckBox(tr(kSourceRows[r].text), sources);
        box->setObjectName(QString::number(kSourceRows[r].boxId));
        grid->addWidget(box, r + 1, 0);
        auto* icon = new QLabel(sources);
        icon->setObjectName(QString::number(kSourceRows[r].iconId));
        icon->setPixmap(activeIcon);
        icon->setMinimumSize(16, 16);
        icon->hide();
        grid->addWidget(icon, r + 1, 1, Qt::AlignHCenter);
        m_sources[static_cast<size_t>(r)] = box;
        m_active[static_cast<size_t>(r)] = icon;
        connect(box, &QCheckBox::clicked, this, &CFaultDlgView::StoreSources);
    }
    grid->setColumnStretch(0, 1);
    // The line-test sources exist on the upgraded device only.
    m_sources[9]->hide();
    m_sources[10]->hide();
    outer->addWidget(sources);

    auto* settings = new QGridLayout;
    m_latch = new QCheckBox(tr("FAULT Zustand wird gelatched"), this);
    m_latch->setObjectName(QStringLiteral("1529"));
    settings->addWidget(m_latch, 0, 0, 1, 2);
    settings->addWidget(new QLabel(tr("Anzeige auf Sprechstellen:"), this), 1, 0);
    m_console = new QComboBox(this);
    m_console->setObjectName(QStringLiteral("1655"));
    settings->addWidget(m_console, 1, 1);
    settings->addWidget(new QLabel(tr("FAULT Relais"), this), 2, 0);
    m_ack = new QToolButton(this);
    m_ack->setObjectName(QStringLiteral("1539"));
    m_ack->setToolTip(tr("FAULT quittieren"));
    settings->addWidget(m_ack, 2, 1, Qt::AlignLeft);
    settings->addWidget(new QLabel(tr("Manuellen Fehler"), this), 3, 0);
    m_manual = new QPushButton(tr("Ein"), this);
    m_manual->setObjectName(QStringLiteral("1540"));
    m_manual->setCheckable(true);
    settings->addWidget(m_manual, 3, 1, Qt::AlignLeft);
    settings->setColumnStretch(1, 1);
    outer->addLayout(settings);
    outer->addStretch(1);
    ShowRelay(false);

    connect(m_latch, &QCheckBox::clicked, this, [this](bool on) {
        if (CFault* fault = Fault())
            fault->SetFlags(CFault::Latch, on ? 1 : 0);
    });
    connect(m_console, &QComboBox::activated, this, [this](int index) {
        if (CFault* fault = Fault())
            fault->SetFlags(CFault::ConsoleDisplay, m_console->itemData(index).toInt());
    });
    connect(m_manual, &QPushButton::clicked, this, [this](bool down) {
        m_refusals->Sending();
        servicelive::SendLine(down ? "/FAULT/MANUAL ON" : "/FAULT/MANUAL OFF");
    });
    connect(m_ack, &QToolButton::clicked, this, [this] {
        m_refusals->Sending();
        servicelive::SendLine("/FAULT/STATE QUIT");
    });
    // A manual fault or an acknowledgement the device did not take: the
    // button stands as the device holds it (its poll asks), and the user is told.
    m_refusals = new CRefusalWatch(this, {"/FAULT/MANUAL", "/FAULT/STATE"}, [this](const LinkRefusal& refusal) {
        if (refusal.SamePath("/FAULT/MANUAL"))
            if (const std::optional<bool> on = ReadFlagWord(refusal.value))
                m_manual->setChecked(!*on);
        return true;
    });
    m_timer.setInterval(1500);
    connect(&m_timer, &QTimer::timeout, this, &CFaultDlgView::Poll);
}

CFaultDlgView::~CFaultDlgView()
{
    m_timer.stop();
}

CFault* CFaultDlgView::Fault()
{
    CQuillomerDoc* doc = GetActiveDoc();
    return doc ? dynamic_cast<CFault*>(doc->GetIDManager().GetBaseDevice(1, OT_FAULT)) : nullptr;
}

void CFaultDlgView::OnInitialUpdate()
{
    CQuillomerDoc* doc = GetActiveDoc();
    // The line tests exist on the upgraded device: any variant but the
    // standard one (0), as the download counts it.
    if (doc && doc->m_data.deviceVariant != 0) {
        m_sources[9]->show();
        m_sources[10]->show();
    }
    m_console->clear();
    m_console->addItem(QString::fromStdString(LoadStringId(kTextOff)), -1);
    m_console->addItem(QString::fromStdString(LoadStringId(kTextAllConsoles)), 0);
    m_console->setCurrentIndex(0);
    if (doc) {
        DeviceList consoles;
        doc->GetIDManager().GetBaseDeviceList(consoles, OT_CONSOLE);
        for (CBaseDevice* console : consoles)
            if (console)
                m_console->addItem(QString::fromStdString(console->GetName()), console->GetNumber());
    }
    if (IsDocConnected())
        m_timer.start();
}

void CFaultDlgView::RefreshFromObject()
{
    CFault* fault = Fault();
    if (fault) {
        const uint32_t included = static_cast<uint32_t>(fault->GetFlags(CFault::Included));
        for (int r = 0; r < kSourceCount; ++r)
            m_sources[static_cast<size_t>(r)]->setChecked((included & kSourceRows[r].bit) != 0);
        m_latch->setChecked(fault->GetFlags(CFault::Latch) != 0);
        const QString display = QString::fromStdString(fault->GetValue(6));
        if (display.isEmpty()) {
            m_console->setCurrentIndex(0);
        } else {
            // The item is found by the console number it stands for: a name
            // search would take "Alle Sprechstellen" for a console named
            // "Alle", or an earlier console whose name begins with this one's.
            int found = m_console->findData(fault->GetFlags(CFault::ConsoleDisplay));
            if (found < 0) {
                m_console->addItem(display, fault->GetFlags(CFault::ConsoleDisplay));
                found = m_console->count() - 1;
            }
            m_console->setCurrentIndex(found);
        }
    }
    if (!IsDocConnected()) {
        m_manual->setEnabled(false);
        m_ack->setEnabled(false);
    }
}

void CFaultDlgView::StoreSources()
{
    uint32_t bits = 0;
    for (int r = 0; r < kSourceCount; ++r)
        if (m_sources[static_cast<size_t>(r)]->isChecked())
            bits |= kSourceRows[r].bit;
    if (CFault* fault = Fault())
        fault->SetFlags(CFault::Included, static_cast<int32_t>(bits));
}

void CFaultDlgView::ShowRelay(bool active)
{
    m_relayActive = active;
    m_ack->setIcon(CPictureSet::Icon(active ? 251 : 245));
}

void CFaultDlgView::Poll()
{
    // The line is gone: nothing shown is the device's any more, and what
    // needs the device is offered no longer, as in a window opened offline.
    if (!IsDocConnected()) {
        m_timer.stop();
        for (QLabel* icon : m_active)
            icon->setVisible(false);
        ShowRelay(false);
        m_manual->setChecked(false);
        m_manual->setEnabled(false);
        m_ack->setEnabled(false);
        emit LinkLost();
        return;
    }
    // A transfer owns the line (the window's own, another window's or the
    // whole one): a poll would read the transfer's answers as its own and
    // they would never reach the block.
    const CCommLink* link = GetCommLink();
    if (TransferHoldsLink() ||
        (link && (link->GetLinkState() == linkstate::Upload || link->GetLinkState() == linkstate::Download)))
        return;
    // Only the device's own words are a state: an answer it gave as not
    // understood ("? "), none at all, or another word leaves the lamps and
    // the button as they were rather than showing the fault as gone.
    CFault* fault = Fault();
    const std::string active = LastWord(servicelive::Query("/FAULT/ACTIVE ?", 200));
    if (fault && !active.empty() && !IsRefusedValue(active)) {
        fault->SetValue(4, active);
        const uint32_t bits = static_cast<uint32_t>(fault->GetFlags(CFault::Active));
        for (int r = 0; r < kSourceCount; ++r)
            m_active[static_cast<size_t>(r)]->setVisible((bits & kSourceRows[r].bit) != 0);
    }
    if (const std::string state = LastWord(servicelive::Query("/FAULT/STATE ?", 200)); state == "TRUE" || state == "FALSE")
        ShowRelay(state == "TRUE");
    if (const std::string manual = LastWord(servicelive::Query("/FAULT/MANUAL ?", 100)); manual == "ON" || manual == "OFF")
        m_manual->setChecked(manual == "ON");
}
