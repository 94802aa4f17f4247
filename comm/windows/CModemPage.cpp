#include "comm/windows/CModemPage.h"

#include "comm/SettingsFile.h"
#include "platform/serial/CMSComm.h"
#include "platform/serial/SerialPortList.h"

#include "comm/CCommLink.h"
#include "comm/CModemInfo.h"
#include "comm/RegistryEx.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CApplicationPropertiesDlg.h"
#include "ui/CTextGuard.h"
#include "ui/CWindowRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CModemPage"),
    [](CQuillomerDoc*) -> QWidget* { return new CModemPage; });
}  // namespace

QL_STRING_TABLE({
    {34364, "Wenn der Initialisierungsstring für das KVT Modem fehlerhaft ist,\n"
            "können Sie wahrscheinlich keine Verbindung mehr zum KVT aufnehmen!\n"
            "Sind Sie sicher, daß SIe Initialisierung ändern wollen?"},
});

namespace {
const QString kStayOnline = QStringLiteral("Configuration/StayOnline");
const QString kModemName = QStringLiteral("Configuration/ModemName");
const QString kCallNumber = QStringLiteral("Configuration/CallNumber");
const QString kDeviceModem = QStringLiteral("Configuration/KVTModemString");
}  // namespace

CModemPage::CModemPage(LinkAccess link, QWidget* parent)
    : CModemPage(std::move(link), CRegistryEx::LocalMachine(), parent)
{
}

CModemPage::CModemPage(LinkAccess link, const QString& modemStore, QWidget* parent)
    : CPropertyPage(tr("Verbindung"), parent)
    , m_link(std::move(link))
    , m_store(modemStore)
{
    BuildControls();
}

CModemPage::LinkAccess CModemPage::DeviceLinkAccess()
{
    LinkAccess access;
    access.isConnected = [] {
        CQuillomerDoc* doc = GetActiveDoc();
        return doc && doc->IsConnected() != 0;
    };
    access.query = [](const std::string& line, int waitMs) -> std::string {
        CCommLink* link = GetCommLink();
        return link ? link->Query(line, waitMs) : std::string();
    };
    access.sendCommand = [](const std::string& line) { SendCommand(line, GetActiveDoc(), false); };
    return access;
}

std::function<CPropertyPage*()> CModemPage::RegisterWithPreferences()
{
    return CApplicationPropertiesDlg::SetModemPageFactory(
        []() -> CPropertyPage* { return new CModemPage(DeviceLinkAccess()); });
}

void CModemPage::BuildControls()
{
    m_stayOnline = new QCheckBox(tr("bei Projektwechsel online bleiben"), this);
    m_modem = new QComboBox(this);
    m_modem->setEditable(false);
    m_callNumber = new QLineEdit(this);
    m_sendInit = new QPushButton(tr("Initialisierung\ndes KVT Modems"), this);
    m_initString = new QPlainTextEdit(this);
    m_initString->setTabChangesFocus(true);
    // One string shown over two lines: Enter belongs to the sheet (OK).
    m_initString->installEventFilter(this);
    // The number is dialled and the string sent as they are typed.
    CTextGuard::Guard(m_callNumber);
    CTextGuard::Guard(m_initString, false)->TakeAs(&CModemPage::OneLine);
    const QFontMetrics fm(m_initString->font());
    m_initString->setFixedHeight(fm.lineSpacing() * 2 + 2 * m_initString->frameWidth() + 8);

    auto* group = new QGroupBox(tr("Modemeinstellungen"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("PC Modem"), group), 0, 0);
    grid->addWidget(m_modem, 0, 1);
    grid->addWidget(new QLabel(tr("Rufnummer"), group), 1, 0);
    grid->addWidget(m_callNumber, 1, 1);
    grid->addWidget(m_sendInit, 2, 0);
    grid->addWidget(m_initString, 2, 1);

    // The device behind each COM n: the system's serial devices, or a path typed in.
    auto* ports = new QGroupBox(tr("Schnittstellen"), this);
    auto* portGrid = new QGridLayout(ports);
    for (int i = 0; i < kPortCount; ++i) {
        m_portDevice[i] = new QComboBox(ports);
        m_portDevice[i]->setEditable(true);
        m_portDevice[i]->setObjectName(QStringLiteral("DevicePath%1").arg(i + 1));
        CTextGuard::LeaveFree(m_portDevice[i]->lineEdit());
        portGrid->addWidget(new QLabel(tr("COM %1").arg(i + 1), ports), i, 0);
        portGrid->addWidget(m_portDevice[i], i, 1);
    }
    portGrid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stayOnline);
    layout->addWidget(group);
    layout->addWidget(ports);
    layout->addStretch(1);

    connect(m_modem, &QComboBox::currentIndexChanged, this, &CModemPage::OnModemChanged);
    connect(m_stayOnline, &QCheckBox::clicked, this, &CModemPage::OnStayOnlineClicked);
    connect(m_sendInit, &QPushButton::clicked, this, &CModemPage::OnSendInit);
}

QString CModemPage::LastWordOfAnswer(const std::string& answer)
{
    // The link hands answers over as UTF-8 (it converts at the port).
    QString text = QString::fromStdString(answer);
    // Drop everything up to each blank after the first character.
    for (qsizetype blank = text.indexOf(QLatin1Char(' '), 1); blank > 0; blank = text.indexOf(QLatin1Char(' '), 1))
        text = text.mid(blank + 1);
    // The answer's own line end is not part of the string.
    while (!text.isEmpty() && (text.back() == QLatin1Char('\r') || text.back() == QLatin1Char('\n')))
        text.chop(1);
    return text;
}

bool CModemPage::OnInitDialog()
{
    const QSettings settings;
    QList<std::pair<QString, QVariant>> chosen;  // a modem the settings did not name
    for (int i = 0; i < kPortCount; ++i) {
        QComboBox* box = m_portDevice[i];
        box->clear();
        for (const SerialDevice& d : SerialPortList::ChoicesFor(i + 1)) {
            box->addItem(d.description.isEmpty() ? d.path : d.path + QStringLiteral("  (") + d.description +
                                                                 QLatin1Char(')'),
                         d.path);
        }
        box->setCurrentIndex(box->findData(CMSComm::DevicePathForPort(i + 1)));
    }
    {
        // Filling the list must not store a choice the user did not make.
        const QSignalBlocker block(m_modem);
        CModemInfo(m_store).FillModemCombo(*m_modem);
        const QString name = settings.value(kModemName, QString()).toString();
        m_stayOnline->setChecked(settings.value(kStayOnline, 0).toInt() != 0);
        if (m_modem->count() > 0) {
            int index = -1;
            for (int i = 0; i < m_modem->count(); ++i) {
                if (m_modem->itemText(i) == name) {
                    index = i;
                    break;
                }
            }
            if (index < 0) {
                index = 0;
                chosen.append({kModemName, m_modem->itemText(0)});
            }
            m_modem->setCurrentIndex(index);
        } else {
            chosen.append({kModemName, QString()});
        }
    }
    m_callNumber->setText(settings.value(kCallNumber, QStringLiteral("0")).toString());
    WriteSettings(chosen);

    m_connected = m_link.isConnected && m_link.isConnected();
    m_sendInit->setEnabled(m_connected);
    if (m_connected && m_link.query)
        m_initString->setPlainText(LastWordOfAnswer(m_link.query("/COMM/MODEM/INIT ?", 1000)));
    return true;
}

void CModemPage::OnModemChanged(int index)
{
    if (index < 0)
        return;
    WriteSetting(kModemName, m_modem->itemText(index));
}

void CModemPage::OnStayOnlineClicked()
{
    WriteSetting(kStayOnline, m_stayOnline->isChecked() ? 1 : 0);
    SetModified(true);
}

void CModemPage::OnSendInit()
{
    if (ShowMessageId(34364, mb::YesNo) != mb::IdYes)
        return;
    if (m_link.sendCommand)
        m_link.sendCommand("/COMM/MODEM/INIT " + InitString().toStdString());
}

QString CModemPage::InitString() const
{
    return OneLine(m_initString->toPlainText());
}

QString CModemPage::OneLine(QString text)
{
    // A pasted line break would end the protocol line early.
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

bool CModemPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_initString && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QWidget* top = window();
            if (top && top != this)
                QCoreApplication::sendEvent(top, event);
            return true;
        }
    }
    return CPropertyPage::eventFilter(watched, event);
}

bool CModemPage::OnApply()
{
    OnOK();
    return CPropertyPage::OnApply();
}

void CModemPage::OnOK()
{
    QList<std::pair<QString, QVariant>> values{{kDeviceModem, InitString()}, {kCallNumber, m_callNumber->text()}};
    for (int i = 0; i < kPortCount; ++i) {
        // A listed device by its path; a typed path as it stands.
        const QComboBox* box = m_portDevice[i];
        const int index = box->findText(box->currentText());
        const QString path = index >= 0 ? box->itemData(index).toString() : box->currentText().trimmed();
        if (!path.isEmpty() && path != CMSComm::DevicePathForPort(i + 1))
            values.append({CMSComm::DevicePathKey(i + 1), path});
    }
    WriteSettings(values);
}
