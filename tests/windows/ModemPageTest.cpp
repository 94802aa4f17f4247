// The connection page of the preferences: the PC modem list and the stored
// choice, the device modem's initialisation string read from and sent to a
// connected device, and which values survive a cancelled sheet.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <string>
#include <vector>

#include "comm/RegistryEx.h"
#include "comm/windows/CModemPage.h"
#include "platform/serial/SerialPortList.h"
#include "platform/MessageBox.h"
#include "serial/SerialTestSupport.h"
#include "ui/CApplicationPropertiesDlg.h"

namespace {

const char* const kClass = "SYSTEM/CurrentControlSet/Control/Class/{4D36E96D-E325-11CE-BFC1-08002BE10318}";

struct ModemPageFixture : ::testing::Test {
    QTemporaryDir dir;
    QString store;
    MessageHandler oldHandler;
    std::vector<std::pair<std::string, uint32_t>> messages;
    std::deque<int> answers;

    // What the page asked of the device link.
    bool connected = false;
    std::string deviceAnswer;
    std::vector<std::pair<std::string, int>> queries;
    std::vector<std::string> sent;

    void SetUp() override
    {
        serialtest::UsePrivateSettings();
        QSettings s;
        for (const char* key : {"Configuration/StayOnline", "Configuration/ModemName", "Configuration/CallNumber",
                                "Configuration/KVTModemString"})
            s.remove(key);
        ASSERT_TRUE(dir.isValid());
        store = dir.filePath("modems.ini");
        WriteModems({"USR Modem", "Office Fax", "IP Virtual Modem (LAN)", "ZyXEL Elite"});
        oldHandler = SetMessageHandler([this](const std::string& text, uint32_t type) {
            messages.emplace_back(text, type);
            if (answers.empty())
                return int(mb::IdOk);
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    void TearDown() override { SetMessageHandler(oldHandler); }

    void WriteModems(const std::vector<std::string>& models)
    {
        QByteArray text;
        for (size_t i = 0; i < models.size(); ++i) {
            text += QByteArray("[") + kClass + "/000" + QByteArray::number(int(i)) + "]\n";
            text += "Model=" + QByteArray::fromStdString(models[i]) + "\nAttachedTo=COM" +
                    QByteArray::number(int(i) + 1) + "\n";
        }
        QFile f(store);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    CModemPage::LinkAccess Access()
    {
        CModemPage::LinkAccess a;
        a.isConnected = [this] { return connected; };
        a.query = [this](const std::string& line, int waitMs) {
            queries.emplace_back(line, waitMs);
            return deviceAnswer;
        };
        a.sendCommand = [this](const std::string& line) { sent.push_back(line); };
        return a;
    }

    static QVariant Setting(const char* key) { return QSettings().value(key); }
};

}  // namespace

TEST_F(ModemPageFixture, ModemListAndTheStoredChoice)
{
    QSettings().setValue("Configuration/ModemName", "Gone Modem");
    QSettings().setValue("Configuration/StayOnline", 1);
    CModemPage page(Access(), store);
    page.EnsureInitialised();
    QComboBox* combo = page.ModemCombo();
    // The virtual modem of the network is not a modem to dial with.
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QString("USR Modem"));
    EXPECT_EQ(combo->itemText(2), QString("ZyXEL Elite"));
    // A name that matches no modem any more becomes the first modem at once.
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(Setting("Configuration/ModemName").toString(), QString("USR Modem"));
    EXPECT_TRUE(page.StayOnlineCheck()->isChecked());
    EXPECT_EQ(page.CallNumberEdit()->text(), QString("0"));

    // A stored name that matches is selected as it is.
    QSettings().setValue("Configuration/ModemName", "ZyXEL Elite");
    CModemPage again(Access(), store);
    again.EnsureInitialised();
    EXPECT_EQ(again.ModemCombo()->currentText(), QString("ZyXEL Elite"));
    EXPECT_EQ(Setting("Configuration/ModemName").toString(), QString("ZyXEL Elite"));

    // Choosing another modem stores it at once.
    again.ModemCombo()->setCurrentIndex(1);
    EXPECT_EQ(Setting("Configuration/ModemName").toString(), QString("Office Fax"));
}

TEST_F(ModemPageFixture, WithoutModemsTheNameIsStoredEmpty)
{
    QSettings().setValue("Configuration/ModemName", "USR Modem");
    WriteModems({});
    CModemPage page(Access(), store);
    page.EnsureInitialised();
    EXPECT_EQ(page.ModemCombo()->count(), 0);
    ASSERT_TRUE(Setting("Configuration/ModemName").isValid());
    EXPECT_EQ(Setting("Configuration/ModemName").toString(), QString());
}

TEST_F(ModemPageFixture, ConnectedDeviceFillsTheInitStringFromItsLastWord)
{
    connected = true;
    deviceAnswer = "/COMM/MODEM/INIT AT&F E0\r\n";
    CModemPage page(Access(), store);
    EXPECT_TRUE(queries.empty()) << "nothing is asked before the page is opened";
    page.EnsureInitialised();
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(queries[0], std::make_pair(std::string("/COMM/MODEM/INIT ?"), 1000));
    EXPECT_EQ(page.InitStringEdit()->toPlainText(), QString("E0"));
    EXPECT_TRUE(page.SendInitButton()->isEnabled());

    // A blank only at the very start is kept.
    EXPECT_EQ(CModemPage::LastWordOfAnswer(" X"), QString(" X"));
    EXPECT_EQ(CModemPage::LastWordOfAnswer("ATZ"), QString("ATZ"));
    EXPECT_EQ(CModemPage::LastWordOfAnswer("/COMM/MODEM/INIT AT\xC3\x9C"), QString::fromUtf8("AT\xC3\x9C"));
}

TEST_F(ModemPageFixture, NotConnectedAsksNothingAndCannotSend)
{
    CModemPage page(Access(), store);
    page.EnsureInitialised();
    EXPECT_TRUE(queries.empty());
    EXPECT_TRUE(page.InitStringEdit()->toPlainText().isEmpty());
    EXPECT_FALSE(page.SendInitButton()->isEnabled());
}

TEST_F(ModemPageFixture, SendingTheInitStringAsksFirst)
{
    connected = true;
    deviceAnswer = "/COMM/MODEM/INIT ATZ\r";
    CModemPage page(Access(), store);
    page.EnsureInitialised();
    page.InitStringEdit()->setPlainText("AT&F0E0");

    answers.push_back(mb::IdNo);
    page.SendInitButton()->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].first.find("Initialisierungsstring"), std::string::npos);
    EXPECT_EQ(messages[0].second & 0xF, uint32_t(mb::YesNo));
    EXPECT_TRUE(sent.empty());

    answers.push_back(mb::IdYes);
    page.SendInitButton()->click();
    EXPECT_EQ(sent, std::vector<std::string>({"/COMM/MODEM/INIT AT&F0E0"}));

    // A pasted line break does not end the protocol line early.
    page.InitStringEdit()->setPlainText("AT&F\nE0\r\nX4");
    answers.push_back(mb::IdYes);
    page.SendInitButton()->click();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], "/COMM/MODEM/INIT AT&F E0 X4");
}

TEST_F(ModemPageFixture, EnterInTheInitStringPressesOk)
{
    auto old = CApplicationPropertiesDlg::SetModemPageFactory([this] { return new CModemPage(Access(), store); });
    {
        CApplicationPropertiesDlg sheet(32800, nullptr, 2);
        auto* page = qobject_cast<CModemPage*>(sheet.ModemPage());
        ASSERT_NE(page, nullptr);
        sheet.show();
        QTest::keyClicks(page->InitStringEdit(), "E1");
        QTest::keyClick(page->InitStringEdit(), Qt::Key_Return);
        EXPECT_EQ(page->InitStringEdit()->toPlainText(), QString("E1"));
        EXPECT_EQ(sheet.result(), int(QDialog::Accepted));
        EXPECT_FALSE(sheet.isVisible());
    }
    EXPECT_EQ(Setting("Configuration/KVTModemString").toString(), QString("E1"));
    CApplicationPropertiesDlg::SetModemPageFactory(old);
}

TEST_F(ModemPageFixture, CancelKeepsOnlyTheValuesStoredAtOnce)
{
    QSettings().setValue("Configuration/CallNumber", "0815");
    auto old = CApplicationPropertiesDlg::SetModemPageFactory([this] { return new CModemPage(Access(), store); });
    {
        CApplicationPropertiesDlg sheet(32800, nullptr, 2);
        auto* page = qobject_cast<CModemPage*>(sheet.ModemPage());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetTitle(), QString("Verbindung"));
        page->EnsureInitialised();
        page->ModemCombo()->setCurrentIndex(2);
        page->StayOnlineCheck()->click();
        EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
        page->CallNumberEdit()->setText("4711");
        page->InitStringEdit()->setPlainText("E1");
        sheet.reject();
    }
    EXPECT_EQ(Setting("Configuration/ModemName").toString(), QString("ZyXEL Elite"));
    EXPECT_EQ(Setting("Configuration/StayOnline").toInt(), 1);
    EXPECT_EQ(Setting("Configuration/CallNumber").toString(), QString("0815"));
    EXPECT_FALSE(Setting("Configuration/KVTModemString").isValid());

    {
        CApplicationPropertiesDlg sheet(32800, nullptr, 2);
        auto* page = qobject_cast<CModemPage*>(sheet.ModemPage());
        ASSERT_NE(page, nullptr);
        page->EnsureInitialised();
        EXPECT_EQ(page->CallNumberEdit()->text(), QString("0815"));
        page->CallNumberEdit()->setText("4711");
        page->InitStringEdit()->setPlainText("E1");
        page->StayOnlineCheck()->click();
        sheet.accept();
        EXPECT_EQ(sheet.result(), int(QDialog::Accepted));
    }
    EXPECT_EQ(Setting("Configuration/CallNumber").toString(), QString("4711"));
    EXPECT_EQ(Setting("Configuration/KVTModemString").toString(), QString("E1"));
    EXPECT_EQ(Setting("Configuration/StayOnline").toInt(), 0);
    CApplicationPropertiesDlg::SetModemPageFactory(old);
}

TEST_F(ModemPageFixture, RegisteredPageIsTheSheetsThirdPage)
{
    auto old = CModemPage::RegisterWithPreferences();
    {
        CApplicationPropertiesDlg sheet;
        ASSERT_EQ(sheet.GetPageCount(), 3);
        EXPECT_NE(qobject_cast<CModemPage*>(sheet.GetPage(2)), nullptr);
        EXPECT_EQ(sheet.GetPage(2), sheet.ModemPage());
    }
    CApplicationPropertiesDlg::SetModemPageFactory(old);
}

// The page shows the device behind each COM n and lets the user pick another
// of the system's serial devices or type a path.
TEST_F(ModemPageFixture, EachComPortShowsAndTakesItsDevice)
{
    serialtest::Pty pty;
    ASSERT_TRUE(pty.Ok());
    const auto old = SerialPortList::SetProvider([] {
        return QList<SerialDevice>{{"/dev/ttyS0", {}}, {"/dev/ttyUSB0", "FT232R USB UART"}};
    });
    for (int port = 1; port <= 4; ++port)
        serialtest::SetDevicePath(port, {});
    serialtest::SetDevicePath(2, QString::fromStdString(pty.path));
    CModemPage page(Access(), store);
    page.EnsureInitialised();
    EXPECT_EQ(page.PortDeviceCombo(1)->currentText(), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(page.PortDeviceCombo(2)->currentText(), QString::fromStdString(pty.path));
    page.PortDeviceCombo(1)->setCurrentIndex(page.PortDeviceCombo(1)->findData(QStringLiteral("/dev/ttyUSB0")));
    page.PortDeviceCombo(3)->setEditText(QStringLiteral("/dev/ttyACM3"));
    page.OnOK();
    EXPECT_EQ(Setting("COMSECTION/DevicePath1").toString(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(Setting("COMSECTION/DevicePath2").toString(), QString::fromStdString(pty.path));
    EXPECT_EQ(Setting("COMSECTION/DevicePath3").toString(), QStringLiteral("/dev/ttyACM3"));
    EXPECT_FALSE(Setting("COMSECTION/DevicePath4").isValid());  // left as it was
    for (int port = 1; port <= 4; ++port)
        serialtest::SetDevicePath(port, {});
    SerialPortList::SetProvider(old);
}
