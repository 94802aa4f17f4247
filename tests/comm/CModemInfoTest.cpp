// The store of installed modems and the commands that initialise one.
#include "comm/CModemInfo.h"
#include "comm/RegistryEx.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const char* const kClass = "SYSTEM/CurrentControlSet/Control/Class/{4D36E96D-E325-11CE-BFC1-08002BE10318}";

// A store as a user writes it by hand: registry paths as sections.
QByteArray StoreText()
{
    QByteArray t;
    auto section = [&](const char* sub) { t += QByteArray("[") + kClass + "/" + sub + "]\n"; };
    section("0000");
    t += "Model=USR Modem\n";  // no port: skipped when looked up by name
    section("0001");
    t += "Model=Office Fax\nAttachedTo=COM11\n";
    section("0003");
    t += "Model=USR Modem\nUserInit=&K3\n";
    t += "Default=hex:3c,00,00,00,1e,01,00,00,03,00,00,00,00,00,00,00,30,00,00,00\n";
    section("0003/Init");
    t += "1=AT<cr>\n2=ATZ<cr>\n3=AT&F E0<cr>\n5=ATX9<cr>\n";
    section("0003/Settings");
    t += "CallSetupFailTimer=S7=<#>\nInactivityTimeout=S30=<#>\n"
         "SpeakerVolume_Low=L0\nSpeakerVolume_Mid=L1\nSpeakerVolume_High=L3\n"
         "SpeakerMode_Off=M0\nSpeakerMode_Dial=M1\nErrorControl_On=&M5\n"
         "FlowControl_Hard=&K3\nFlowControl_Soft=&K4\nFlowControl_Off=&K0\n"
         "Modulation_CCITT=B0\nModulation_CCITT_V23=B2\n"
         "SpeedNegotiation_On=N1\nSpeedNegotiation_Off=N0\nBlind_On=X3\nBlind_Off=X4\n";
    section("0004");
    t += "Model=IP Virtual Modem (LAN)\nAttachedTo=COM5\n";
    // Port found through the device tree instead of AttachedTo.
    t += "[Enum/Root/MODEM/0000]\nDriver=modem\\\\0001X\n";
    t += "[Enum/Root/MODEM/0001]\nDriver=MODEM\\\\0000\nPORTNAME=COM4\n";
    t += "[Enum/Serenum/COM2/0000]\nDriver=Modem\\\\0000\nPORTNAME=COM9\n";
    return t;
}

class ModemStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("modems.ini"));
        Write(StoreText());
        previous = SetMessageHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return mb::IdOk;
        });
    }
    void TearDown() override { SetMessageHandler(previous); }
    void Write(const QByteArray& text)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    QTemporaryDir dir;
    QString file;
    MessageHandler previous;
    std::vector<std::string> messages;
};

}  // namespace

TEST_F(ModemStore, ListsModemsWithGapsAndLeavesVirtualModemsOut)
{
    CModemInfo info(file);
    EXPECT_EQ(info.ListModemModels(), (QStringList {"USR Modem", "Office Fax", "USR Modem"}));
    EXPECT_EQ(info.GetModemCount(), 3);
    EXPECT_EQ(info.GetModemModel(2), QString());
    EXPECT_EQ(info.GetModemModel(4), QStringLiteral("IP Virtual Modem (LAN)"));

    struct FakeCombo {
        QStringList items {"stale"};
        void clear() { items.clear(); }
        void addItem(const QString& s) { items.append(s); }
    } combo;
    info.FillModemCombo(combo);
    EXPECT_EQ(combo.items, info.ListModemModels());
}

TEST_F(ModemStore, KeysHaveFourDigitIndices)
{
    CModemInfo info(file);
    EXPECT_EQ(info.GetModemKey(3),
              QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0003"));
    EXPECT_TRUE(info.GetModemKey(0).endsWith(QStringLiteral("\\0000")));
}

TEST_F(ModemStore, PortsComeFromAttachedToOrTheDeviceTree)
{
    CModemInfo info(file);
    EXPECT_EQ(info.GetModemComPort(1), 11);  // COM11
    EXPECT_EQ(info.GetModemComPort(3), 0);   // neither AttachedTo nor a device entry
    // Modem 0: the first key (depth first) whose Driver is "Modem\0000",
    // compared without regard to case; "Modem\0001X" does not match modem 1.
    EXPECT_EQ(info.GetModemComPort(0), 4);
    EXPECT_EQ(info.GetModemComPort(7), 0);
}

TEST_F(ModemStore, NameLookupIgnoresCaseAndSkipsModemsWithoutPort)
{
    // Modem 0 has a port through the device tree; without it the later modem 3 is taken.
    CModemInfo info(file);
    EXPECT_EQ(info.FindModemIndex(QStringLiteral("usr modem")), 0);
    EXPECT_EQ(info.GetModemComPortByName(QStringLiteral("USR MODEM")), 4);

    QByteArray text = StoreText();
    text.replace("PORTNAME=COM4", "PORTNAME=");
    text.replace("PORTNAME=COM9", "PORTNAME=");
    text.replace("Model=USR Modem\nUserInit", "Model=USR Modem\nAttachedTo=COM3\nUserInit");
    Write(text);
    EXPECT_EQ(info.FindModemIndex(QStringLiteral("usr modem")), 3);
    EXPECT_EQ(info.GetModemComPortByName(QStringLiteral("usr modem")), 3);

    EXPECT_EQ(info.FindModemIndex(QString()), -1);
    EXPECT_EQ(info.GetModemComPortByName(QString()), 0);
    EXPECT_EQ(info.FindModemIndex(QStringLiteral("No Such Modem")), -1);
}

TEST_F(ModemStore, InitCommandsInOrderThenOneBuiltCommand)
{
    QByteArray text = StoreText();
    text.replace("Model=USR Modem\nUserInit", "Model=USR Modem\nAttachedTo=COM3\nUserInit");
    text.replace("Model=USR Modem\n[", "Model=Old Modem\n[");  // modem 0 renamed
    Write(text);
    CModemInfo info(file);
    QStringList list {"kept"};
    info.BuildInitCommands(QStringLiteral("usr modem"), list);
    // Init strings stop at the first gap (5 is never read). Default: timer 60,
    // inactivity 0x11e (low byte 30), volume 3 (no template), speaker off,
    // options 0x30 (hardware flow control wins).
    EXPECT_EQ(list, (QStringList {"kept", "AT<cr>", "ATZ<cr>", "AT&F E0<cr>", "ATS7=60S30=30M0&K3N0X4&K3"}));
}

TEST_F(ModemStore, EverySettingsTemplateInItsPlace)
{
    QByteArray text = StoreText();
    text.replace("Model=USR Modem\nUserInit", "Model=USR Modem\nAttachedTo=COM3\nUserInit");
    text.replace("Model=USR Modem\n[", "Model=Old Modem\n[");
    // volume 1, speaker mode 1, options 0x2 | 0x20 | 0x40 | 0x400 | 0x80 | 0x200
    text.replace("03,00,00,00,00,00,00,00,30,00,00,00", "01,00,00,00,01,00,00,00,e2,06,00,00");
    text.replace("CallSetupFailTimer=S7=<#>\n", "");
    Write(text);
    CModemInfo info(file);
    QStringList list;
    info.BuildInitCommands(QStringLiteral("USR Modem"), list);
    ASSERT_FALSE(list.isEmpty());
    EXPECT_EQ(list.back(), QStringLiteral("ATS30=30L1M1&M5&K4B2N1X3&K3"));

    // No settings block: all fields 0, templates still apply.
    text.replace("Default=hex:3c,00,00,00,1e,01,00,00,01,00,00,00,01,00,00,00,e2,06,00,00\n", "");
    Write(text);
    list.clear();
    info.BuildInitCommands(QStringLiteral("USR Modem"), list);
    EXPECT_EQ(list.back(), QStringLiteral("ATS30=0L0M0&K0N0X4&K3"));
}

TEST_F(ModemStore, UnknownModemGivesNoCommands)
{
    CModemInfo info(file);
    QStringList list;
    info.BuildInitCommands(QStringLiteral("No Such Modem"), list);
    info.BuildInitCommands(QString(), list);
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(ModemStore, MissingStoreMeansNoModems)
{
    CModemInfo info(dir.filePath(QStringLiteral("absent.ini")));
    EXPECT_EQ(info.GetModemCount(), 0);
    EXPECT_EQ(info.GetModemComPortByName(QStringLiteral("USR Modem")), 0);
    EXPECT_EQ(info.ReadString(dir.filePath(QStringLiteral("absent.ini")), info.GetModemKey(0), "Model", "dflt"),
              QStringLiteral("dflt"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ModemStore, RegistryValuesOfEveryType)
{
    QByteArray text = StoreText();
    text += "[Test/Values]\nText=Hallo Welt\nWord=dword:0000013c\nBlob=@ByteArray(ab\\0c)\nBad=hex:zz\n";
    text += "Long=" + QByteArray(300, 'x') + "\n";
    Write(text);
    CRegistryEx reg(file);
    ASSERT_TRUE(reg.Open(file, QStringLiteral("Test\\Values")));
    QByteArray bytes;
    ASSERT_TRUE(reg.QueryValue(QStringLiteral("Text"), bytes, 100));
    EXPECT_EQ(bytes, QByteArray("Hallo Welt", 11));  // with its closing NUL
    EXPECT_EQ(reg.GetLastType(), CRegistryEx::TypeString);
    ASSERT_TRUE(reg.QueryValue(QStringLiteral("Word"), bytes, 100));
    EXPECT_EQ(bytes, QByteArray("\x3c\x01\x00\x00", 4));
    EXPECT_EQ(reg.GetLastType(), CRegistryEx::TypeDword);
    ASSERT_TRUE(reg.QueryValue(QStringLiteral("Blob"), bytes, 2));
    EXPECT_EQ(bytes, QByteArray("ab"));  // at most the buffer's size
    EXPECT_EQ(reg.GetLastSize(), 4);
    EXPECT_EQ(reg.GetLastType(), CRegistryEx::TypeBinary);
    EXPECT_FALSE(reg.QueryValue(QStringLiteral("Bad"), bytes, 100));
    EXPECT_EQ(reg.GetLastError(), CRegistryEx::InvalidData);
    EXPECT_FALSE(reg.QueryValue(QStringLiteral("Missing"), bytes, 100));
    EXPECT_EQ(reg.GetLastError(), CRegistryEx::FileNotFound);
    QString s;
    ASSERT_TRUE(reg.QueryString(QStringLiteral("Long"), s));
    EXPECT_EQ(s.size(), 200);  // strings are read into 200 bytes

    EXPECT_FALSE(reg.Open(file, QStringLiteral("Test\\Nothing")));
    EXPECT_EQ(reg.GetLastError(), CRegistryEx::FileNotFound);
    EXPECT_FALSE(reg.Open(dir.filePath(QStringLiteral("absent.ini")), QStringLiteral("Test")));
}

TEST_F(ModemStore, SubkeysAndDepthFirstSearch)
{
    CRegistryEx reg(file);
    QStringList subkeys;
    ASSERT_TRUE(reg.EnumSubkeys(QStringLiteral("Enum"), subkeys));
    EXPECT_EQ(subkeys, (QStringList {"Root", "Serenum"}));
    // The start key itself is looked at first.
    EXPECT_EQ(reg.FindKeyWithValue(QStringLiteral("Enum\\Serenum\\COM2\\0000"), "Driver", "modem\\0000"),
              QStringLiteral("Enum\\Serenum\\COM2\\0000"));
    // Depth first, subkeys in order: Root before Serenum.
    EXPECT_EQ(reg.FindKeyWithValue(QStringLiteral("Enum"), "Driver", "Modem\\0000"),
              QStringLiteral("Enum\\Root\\MODEM\\0001"));
    EXPECT_EQ(reg.FindKeyWithValue(QStringLiteral("Enum"), "Driver", "Modem\\0009"), QString());
    EXPECT_FALSE(reg.EnumSubkeys(QStringLiteral("Nowhere"), subkeys));
    EXPECT_TRUE(messages.empty());
}
