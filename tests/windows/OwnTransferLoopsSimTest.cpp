// The windows that transfer one block by themselves (the console's key view,
// the fault texts) over the real device link to the device simulator: one
// transfer at a time with the window's commands held, the end only when the
// device has been silent, and an early end named. A console sent from its
// keys page and read back into a console whose keys were cleared; a key made
// an alarm in its dialog and applied, sent and read back.

#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "comm/CommTestSupport.h"
#include "hardware/CAudioInputSlot.h"
#include "logic/CGlobalReadyInput.h"
#include "model/CIDManager.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/CGroup.h"
#include "paging/CZone.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsoleFrame.h"
#include "paging/windows/CConsolePropertySheet.h"
#include "paging/windows/CKeyPropDlg.h"
#include "paging/windows/CKeyView.h"
#include "paging/windows/CPPCons2.h"
#include "service/windows/CFaultTextDlg.h"
#include "support/BlockTestSupport.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {

class OwnTransferSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override { Attach(0, QStringLiteral("Eigen.qlx")); }
    void TearDown() override { Detach(); }
    CConsole* AddConsole()
    {
        CAudioInputSlot* slot = nullptr;
        for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
            if (obj->GetName() == "Slot1")
                slot = dynamic_cast<CAudioInputSlot*>(obj);
        if (!slot)
            return nullptr;
        slot->SetCardType(inputcard::Console2);
        slot->SetHoverConnectors(0, -1);
        if (slot->AddConsole(consmodel::WRN2314) != 1)
            return nullptr;
        auto* console = dynamic_cast<CConsole*>(doc.GetList(CAT_CONSOLE).back());
        if (console) {
            console->GetProp().FindKey(7)->ParseAnswer("ALARM,3,2,90,UNPROT");
            console->RefreshKeys();
            console->RebuildKeyLinks();
        }
        return console;
    }
};

class ConsoleSim : public OwnTransferSim {
protected:
    // The console's download lines as its block sends them.
    std::vector<std::string> Lines(CConsole& c)
    {
        blocktest::RecordingSender recorder;
        const int n = c.GetDownloadLines(0, -1);
        for (int step = 0; step < n;)
            step = c.GetDownloadLines(0, step);
        return recorder.lines;
    }
};
}  // namespace

TEST_F(OwnTransferSim, TheKeyViewRunsOneTransferAtATimeAndHoldsItsSheet)
{
    sim.lineRate = false;  // what is tested is what happens inside the loop, not its timing
    CConsole* console = AddConsole();
    ASSERT_TRUE(console);
    ConnectWith({});
    CConsolePropertySheet sheet(&doc, console);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    view->OpenKeyProperties(console->GetProp().FindKey(7));
    ASSERT_TRUE(view->GetKeyPropDlg());

    const size_t mark = sim.Received().size();
    bool checked = false;
    QObject scope;  // the timer dies with the locals it writes
    QTimer::singleShot(0, &scope, [&] {
        checked = true;
        EXPECT_TRUE(view->IsTransferring());
        EXPECT_FALSE(sheet.isEnabled()) << "the sheet's pages and OK change the console too";
        EXPECT_FALSE(view->GetKeyPropDlg()->isEnabled());
        EXPECT_FALSE(view->IsCommandEnabled(keyviewcmd::Upload));
        EXPECT_FALSE(view->IsCommandEnabled(keyviewcmd::ClearKeys));
        // A second click on either button, a clear and a double-click on a key: nothing runs.
        EXPECT_TRUE(view->OnCommand(keyviewcmd::Download));
        EXPECT_TRUE(view->OnCommand(keyviewcmd::Upload));
        EXPECT_TRUE(view->OnCommand(keyviewcmd::ClearKeys));
        EXPECT_TRUE(messages.texts.empty()) << "no question to clear the keys";
    });
    view->OnCommand(keyviewcmd::Download);
    ASSERT_TRUE(checked) << "the download ended before the second click";
    ASSERT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n"));
    const std::string sent = sim.Received().substr(mark);
    EXPECT_EQ(1u, CountOf(sent, "/MACRO/LOCK ON\r\n")) << sent;
    EXPECT_EQ(1u, CountOf(sent, "/MACRO/LOCK OFF\r\n")) << sent;
    EXPECT_EQ(0u, CountOf(sent, " ?\r\n")) << "no upload ran inside the download: " << sent;
    EXPECT_NE(CKF_DISABLED, console->GetProp().FindKey(7)->Working().function) << "the keys were not cleared";
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_FALSE(view->IsTransferring());
    EXPECT_TRUE(sheet.isEnabled());
    EXPECT_TRUE(view->GetKeyPropDlg()->isEnabled());
    EXPECT_TRUE(view->IsCommandEnabled(keyviewcmd::Upload));
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

TEST_F(OwnTransferSim, AHangUpDuringAConsoleDownloadNamesTheConsole)
{
    sim.lineRate = false;
    CConsole* console = AddConsole();
    ASSERT_TRUE(console);
    ConnectWith({QStringLiteral("at 40 hangup")});
    CConsolePropertySheet sheet(&doc, console);
    CKeyView* view = sheet.GetKeysPage()->GetKeyView();
    view->OnCommand(keyviewcmd::Download);
    EXPECT_FALSE(link.IsConnected());
    // The link says what happened to the line; the view says what it means for the console.
    ASSERT_FALSE(messages.texts.empty());
    const std::string& last = messages.texts.back();
    EXPECT_NE(last.find("Die Übertragung '" + console->GetName() + "' ist nicht vollständig"), std::string::npos)
        << last;
    EXPECT_NE(last.find("die Verbindung"), std::string::npos) << last;
    EXPECT_FALSE(view->IsTransferring());
    EXPECT_TRUE(sheet.isEnabled());
}

TEST_F(OwnTransferSim, FaultTextsComeBackWhileTheDeviceStillAnswersAndASecondClickStartsNothing)
{
    // A device that writes slowly: its echoes and answers go on for seconds
    // after the last query has left.
    sim.lineRate = false;
    auto* readyInput =
        dynamic_cast<CGlobalReadyInput*>(doc.GetIDManager().GetBaseDevice(1, OT_GLOBAL_READY_INPUT));
    ASSERT_TRUE(readyInput);
    const QString path = QString::fromStdString(readyInput->GetPath());
    QStringList device {QStringLiteral("pace 200"), QStringLiteral("set %1/MASKTIME 7.5").arg(path)};
    for (int n = 1; n <= 4; ++n)
        device << QStringLiteral("set %1/TEXT%2 Text%2").arg(path).arg(n);
    ConnectWith(device << QStringLiteral("set %1/TEXT5 Fuenfter").arg(path));
    CFaultTextDlg dlg;
    const size_t mark = sim.Received().size();
    bool checked = false;
    QObject scope;
    QTimer::singleShot(0, &scope, [&] {
        checked = true;
        EXPECT_TRUE(dlg.IsTransferring());
        EXPECT_FALSE(dlg.GetList()->isEnabled());
        EXPECT_FALSE(dlg.GetDelay()->isEnabled());
        dlg.GetAction(CFaultTextDlg::kUpload)->trigger();
        dlg.GetAction(CFaultTextDlg::kDownload)->trigger();
        dlg.Transfer(true);
        dlg.close();  // the window's close button
    });
    dlg.show();
    dlg.Transfer(true);
    ASSERT_TRUE(checked);
    const uint64_t receivedAtReturn = link.GetCharsReceived();
    EXPECT_EQ(QLatin1String("Fuenfter"), dlg.GetList()->item(4, 1)->text());
    EXPECT_EQ(QLatin1String("7.5"), dlg.GetDelay()->text());
    EXPECT_GT(link.GetLinkIdleTime(), 1000) << "returned before the device had been silent for a second";
    Pump(1500);
    EXPECT_EQ(receivedAtReturn, link.GetCharsReceived()) << "the device was still answering when the upload ended";
    const std::string sent = sim.Received().substr(mark);
    EXPECT_EQ(1u, CountOf(sent, "/MASKTIME ?\r\n")) << "one upload, no nested one: " << sent;
    EXPECT_EQ(0u, CountOf(sent, "/MACRO/LOCK ON")) << "no download started meanwhile";
    EXPECT_TRUE(dlg.isVisible()) << "the dialog stays open while its texts travel";
    EXPECT_TRUE(dlg.GetList()->isEnabled());
    EXPECT_TRUE(dlg.GetAction(CFaultTextDlg::kUpload)->isEnabled());
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

// The console's own upload, clicked in its sheet, starts its own difference
// file: a key the device answers with no key value is kept and named there,
// and the file is shown.
TEST_F(OwnTransferSim, TheConsolesOwnUploadNamesWhatItKeptInItsOwnDifferenceFile)
{
    sim.lineRate = false;  // one short upload; its answers are what is tested
    CConsole* console = AddConsole();
    ASSERT_TRUE(console);
    ConnectWith({QStringLiteral("set /CONS/ADR1/KEY6 SEL,4.5")});
    const std::string errFile = doc.GetErrFileName();
    {
        QFile earlier(QString::fromStdString(errFile));  // what an earlier upload found
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("Makro 9 fehlt\r\n");
    }
    const std::string before = console->GetProp().FindKey(6)->BuildValueText();
    CConsolePropertySheet sheet(&doc, console);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    QToolBar* bar = sheet.GetKeysPage()->GetFrame()->findChild<QToolBar*>();
    ASSERT_TRUE(bar);
    QWidget* upload = bar->widgetForAction(sheet.GetKeysPage()->GetFrame()->GetAction(keyviewcmd::Upload));
    ASSERT_TRUE(upload);
    QTest::mouseClick(upload, Qt::LeftButton);
    EXPECT_EQ(before, console->GetProp().FindKey(6)->BuildValueText());
    QFile file(QString::fromStdString(errFile));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ("ERROR: /CONS/ADR1/KEY6 >>SEL,4.5<< should be >>" + before + "<<\r\n", file.readAll().toStdString());
    EXPECT_EQ(std::vector<std::string>{errFile}, host.editorFiles);
}

// The texts read back with the dialog's own button: a mask time the project
// cannot hold is named in the difference file, as the window's upload names
// it, and the texts that came are taken.
TEST_F(OwnTransferSim, FaultTextsUploadNamesWhatTheProjectCannotHold)
{
    auto* readyInput =
        dynamic_cast<CGlobalReadyInput*>(doc.GetIDManager().GetBaseDevice(1, OT_GLOBAL_READY_INPUT));
    ASSERT_TRUE(readyInput);
    const QString path = QString::fromStdString(readyInput->GetPath());
    QStringList device {QStringLiteral("set %1/MASKTIME abc").arg(path)};
    for (int n = 1; n <= 5; ++n)
        device << QStringLiteral("set %1/TEXT%2 Text%2").arg(path).arg(n);
    ConnectWith(device);
    CFaultTextDlg dlg;
    dlg.show();
    auto* bar = dlg.findChild<QToolBar*>();
    ASSERT_TRUE(bar);
    QTest::mouseClick(bar->widgetForAction(dlg.GetAction(CFaultTextDlg::kUpload)), Qt::LeftButton);
    EXPECT_EQ(QLatin1String("Text5"), dlg.GetList()->item(4, 1)->text());
    EXPECT_EQ("ERROR: /READYINP/MASKTIME >>abc<< should be >>5.0<<\r\n",
              ReadFile(QString::fromStdString(doc.GetErrFileName())));
    EXPECT_EQ(std::vector<std::string> {doc.GetErrFileName()}, host.editorFiles);
}

TEST_F(ConsoleSim, KeysGoDownAndComeBack)
{
    for (int n = 1; n <= 5; ++n) {
        auto* z = new CZone;
        ASSERT_EQ(1, z->CBaseDevice::Create(CZone::kKind, "Linie " + std::to_string(n), n, CAT_ZONE, &doc));
        doc.AddObject(z, CAT_ZONE);
    }
    auto* group = new CGroup;
    ASSERT_EQ(1, group->Create(0, 1, 1, nullptr, 0, 0, 0, 0, CAT_GROUP, 313, 3, &doc));
    doc.AddObject(group, CAT_GROUP);
    group->LinkTo(0, doc.GetIDManager().GetBaseDevice(4, OT_ZONE), 0);
    group->LinkTo(1, doc.GetIDManager().GetBaseDevice(5, OT_ZONE), 0);
    CAudioInputSlot* slot = nullptr;
    for (CBaseDevice* obj : doc.GetList(CAT_INPUT_SLOT))
        if (obj->GetName() == "Slot1")
            slot = dynamic_cast<CAudioInputSlot*>(obj);
    ASSERT_NE(nullptr, slot);
    slot->SetCardType(inputcard::Console2);
    slot->SetHoverConnectors(0, -1);
    ASSERT_EQ(1, slot->AddConsole(consmodel::WRN2314));
    auto* console = dynamic_cast<CConsole*>(doc.GetList(CAT_CONSOLE).back());
    console->SetGroupSlot(1, group);
    console->GetProp().FindKey(6)->ParseAnswer("SEL,101");
    console->GetProp().FindKey(7)->ParseAnswer("ALARM,3,2,90,UNPROT");
    console->GetProp().FindKey(8)->ParseAnswer("TALK,-1,0,60");
    console->RefreshKeys();
    ASSERT_TRUE(console->RebuildKeyLinks());
    const std::vector<std::string> expected = Lines(*console);

    ASSERT_NO_FATAL_FAILURE(ConnectWith({}));
    ASSERT_TRUE(doc.IsConnected());

    const size_t mark = sim.Received().size();
    {
        CConsolePropertySheet sheet(&doc, console);
        sheet.GetKeysPage()->GetKeyView()->OnCommand(keyviewcmd::Download);
    }
    std::string down;
    for (const std::string& line : expected)
        down += line + "\r\n";
    EXPECT_TRUE(PumpUntil([&] { return sim.Received().size() >= mark + down.size(); }, kArrivalMs));
    const std::string received = sim.Received().substr(mark);
    EXPECT_NE(std::string::npos, received.find(down)) << received;
    EXPECT_LT(received.find("/MACRO/LOCK ON\r\n"), received.find(down)) << received.substr(0, 80);

    // Read back into a console that has forgotten its keys and groups and
    // whose settings were changed since.
    console->ClearKeys();
    console->SetGroupSlot(1, nullptr);
    const std::string name = console->GetName();
    CConsProp& prop = console->GetProp();
    console->SetName("Pforte");
    prop.SetParamText(consparam::Buzzer, "0");
    prop.SetParamText(consparam::German, "0");
    prop.SetParamText(consparam::PttPrio, "2");
    prop.SetParamText(consparam::Passwords, "999,9999");
    prop.SetParamText(consparam::OnPrio, "70");
    ASSERT_NE(expected, Lines(*console));
    {
        CConsolePropertySheet sheet(&doc, console);
        sheet.GetKeysPage()->GetKeyView()->OnCommand(keyviewcmd::Upload);
    }
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
    EXPECT_EQ(expected, Lines(*console));
    EXPECT_EQ(name, console->GetName());
    EXPECT_EQ("40", prop.GetParamText(consparam::OnPrio));

    // "Alarm" chosen for an unprogrammed key in its dialog reaches the device
    // with the alarm's protect mode, and comes back with it.
    CConsKey* key = console->GetProp().FindKey(107);
    ASSERT_FALSE(key->IsProgrammed());
    {
        CConsolePropertySheet sheet(&doc, console);
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
        CKeyView* view = sheet.GetKeysPage()->GetKeyView();
        const CRect cell = key->GetCell();
        QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        CKeyPropDlg* dlg = view->GetKeyPropDlg();
        ASSERT_NE(nullptr, dlg);
        dlg->show();
        QListWidget* functions = dlg->GetFunctionList();
        const QList<QListWidgetItem*> alarm = functions->findItems(QStringLiteral("Alarm"), Qt::MatchEndsWith);
        ASSERT_EQ(1, alarm.size());
        QTest::mouseClick(functions->viewport(), Qt::LeftButton, {}, functions->visualItemRect(alarm[0]).center());
        const size_t before = sim.Received().size();
        QTest::mouseClick(sheet.GetApplyButton(), Qt::LeftButton);
        EXPECT_TRUE(PumpUntil([&] { return sim.Received().find("\r\n", before) != std::string::npos; }, kArrivalMs));
        EXPECT_NE(std::string::npos, sim.Received().find("KEY107 ALARM,0,1,90,UNPROT\r\n", before))
            << sim.Received().substr(before);
    }
    key->ParseValueText(CKF_DISABLED, std::string(), true);
    {
        CConsolePropertySheet sheet(&doc, console);
        sheet.GetKeysPage()->GetKeyView()->OnCommand(keyviewcmd::Upload);
    }
    EXPECT_EQ("ALARM,0,1,90,UNPROT", key->BuildValueText());
    link.ClosePort();
}
