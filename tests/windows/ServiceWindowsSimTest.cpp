// The service windows over the real device link, against the device
// simulator: what each window shows is what the device reports, and what it
// sends arrives whole.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "comm/CommTestSupport.h"
#include "model/CIDManager.h"
#include "service/CEventLog.h"
#include "service/windows/CEventLogFrm.h"
#include "service/windows/CEventLogView.h"
#include "ui/CEllipsisStatic.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {
class SettingsHost : public IAppHost {
public:
    SettingsHost() : m_previous(SetAppHost(this)) {}
    ~SettingsHost() override { SetAppHost(m_previous); }
    int GetProfileInt(const std::string& section, const std::string& key, int def) override
    {
        return QSettings().value(QString::fromStdString(section + "/" + key), def).toInt();
    }

private:
    IAppHost* m_previous;
};

class ServiceWindowsSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_data.deviceVariant = 1;
        doc.SetPathName(dir.filePath(QStringLiteral("Service.qlx")).toStdString());
        previousHook = SetActiveDocHook([this] { return &doc; });
        previousSender = SetLineSender(&link);
        link.SetHost(&host);
    }
    void Connect(const QStringList& simArgs)
    {
        ASSERT_TRUE(sim.Start(simArgs)) << Simulator::Program().toStdString();
        link.OnConnect();
        ASSERT_TRUE(link.IsConnected());
        Pump(200);
        messages.texts.clear();  // the connection's own notices
    }
    void Disconnect()
    {
        link.ClosePort();
        sim.Stop();
    }
    void TearDown() override
    {
        link.ClosePort();
        SetLineSender(previousSender);
        SetActiveDocHook(previousHook);
        serialtest::SetDevicePath(kPort, {});
    }
    template <class T>
    T* Object(uint32_t type)
    {
        return dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(1, type));
    }
    std::string EventFile() const { return ReadFile(QString::fromStdString(doc.GetPathName() + ".events")); }

    struct Profiles {
        Profiles()
        {
            serialtest::UsePrivateSettings();
            SetProfile(QStringLiteral("COMSECTION/PORT"), {});
            SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 1);
            SetProfile(QStringLiteral("Configuration/StayOnline"), {});
            SetProfile(QStringLiteral("Configuration/ErrorLogReplaceID"), 1);
        }
    } profiles;
    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    ActiveDocHook previousHook;
    ILineSender* previousSender = nullptr;
    TestHost host;
    Messages messages;
    SettingsHost settings;
    CCommLink link;
};
}  // namespace

TEST_F(ServiceWindowsSim, EventLogReadsRewritesAndKeepsEntriesAcrossOpenings)
{
    // A file under the name of earlier versions is taken over once.
    {
        QFile legacy(dir.filePath(QStringLiteral("Service.events")));
        ASSERT_TRUE(legacy.open(QIODevice::WriteOnly));
        legacy.write("01.12.26 09:00:00 KVT 1 old entry\r\n");
    }
    Connect({QStringLiteral("-e"), QStringLiteral("event 01.12.26 10:00:00 KVT 1 CALL from cons3"),
             QStringLiteral("-e"), QStringLiteral("event 01.12.26 10:00:01 KVT 1 FAULT ON AMP 5"),
             QStringLiteral("-e"), QStringLiteral("event 01.12.26 10:00:02 KVT 1 KVT# MACRO 999999"),
             QStringLiteral("-e"), QStringLiteral("event 01.12.26 10:00:03 KVT 1 START MACRO 999999"),
             QStringLiteral("-e"), QStringLiteral("event too short")});
    {
        CEventLogFrm frame;
        CEventLogView* view = frame.GetView();
        ASSERT_TRUE(view->IsEventFileOpen());
        EXPECT_TRUE(PumpUntil([&] { return view->GetEntryList()->toPlainText().count(QLatin1Char('\n')) == 5; },
                              6000))
            << view->GetEntryList()->toPlainText().toStdString();
        // Newest first on the screen; oldest first in the file, with the rewritten texts.
        EXPECT_TRUE(view->GetEntryList()->toPlainText().startsWith(QLatin1String("too short\n")));
        EXPECT_EQ("01.12.26 09:00:00 KVT 1 old entry\r\n"
                  "01.12.26 10:00:00 KVT 1 CALL from console 3\r\n"
                  "01.12.26 10:00:01 KVT 1 AMP 5 FAILURE\r\n"
                  "01.12.26 10:00:02 KVT 1 KVT# MACRO 999999\r\n"
                  "01.12.26 10:00:03 KVT 1 START macro 999999\r\n"
                  "too short\r\n",
                  EventFile());
        EXPECT_EQ(0, view->GetEntriesToRead());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Service.events"))));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(linkstate::Online, link.GetLinkState());

    // Opened again, later entries join the same file; the earlier ones stay.
    Disconnect();
    Connect({QStringLiteral("-e"), QStringLiteral("event 01.12.26 11:00:00 KVT 1 RESET")});
    {
        CEventLogFrm frame;
        EXPECT_TRUE(PumpUntil([&] { return EventFile().find("RESET") != std::string::npos; }, 6000));
    }
    EXPECT_EQ(0u, EventFile().find("01.12.26 09:00:00 KVT 1 old entry\r\n"));
    EXPECT_NE(std::string::npos, EventFile().find("too short\r\n01.12.26 11:00:00 KVT 1 RESET\r\n"));
}

TEST_F(ServiceWindowsSim, EventLogMasksTravelInBlocksAndComeBack)
{
    Connect({});
    auto* log = Object<CEventLog>(OT_EVENT_LOG);
    ASSERT_NE(nullptr, log);
    // A macro mask that leaves no room for the other lines in one block.
    std::string macros;
    for (int n = 1; n <= 250 && macros.size() < 470; n += 2)
        macros += (macros.empty() ? "" : ",") + std::to_string(n);
    CEventLogFrm frame;
    CEventLogView* view = frame.GetView();
    view->GetCategoryBox(9)->click();  // "Rekorder"
    view->GetCategoryBox(10)->click(); // "DCF"
    EXPECT_EQ("RECORDER,DCF", log->GetValue(0));
    log->SetValue(3, macros);
    log->SetValue(4, "ALL");
    frame.OnCommand(CEventLogFrm::kDownload);
    EXPECT_TRUE(PumpUntil([&] { return sim.Received().find("/EVENT/LOG/MASK/VIRTCTRL/ON NONE\r\n") != std::string::npos; },
                          4000));
    EXPECT_NE(std::string::npos, sim.Received().find("/EVENT/LOG/MASK/MACRO/ON " + macros + "\r\n"));

    // The upload brings the device's masks back into the project and the page.
    log->SetValue(0, "NONE");
    log->SetValue(3, "NONE");
    view->RefreshMasks();
    EXPECT_FALSE(view->GetCategoryBox(9)->isChecked());
    frame.OnCommand(CEventLogFrm::kUpload);
    EXPECT_TRUE(PumpUntil([&] { return view->GetCategoryBox(9)->isChecked(); }, 4000));
    EXPECT_EQ(macros, log->GetValue(3));
    EXPECT_EQ("Alle", view->GetSummary(3)->text().toStdString());
    EXPECT_TRUE(messages.texts.empty());
}
