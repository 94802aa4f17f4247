// A console sent from its keys page over the real device link to the device
// simulator, and read back into a console whose keys were cleared.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "comm/CommTestSupport.h"
#include "hardware/CAudioInputSlot.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/CGroup.h"
#include "paging/CZone.h"
#include "paging/ConsoleIds.h"
#include "paging/windows/CConsolePropertySheet.h"
#include "paging/windows/CKeyPropDlg.h"
#include "paging/windows/CKeyView.h"
#include "paging/windows/CPPCons2.h"
#include "support/BlockTestSupport.h"

using namespace commtest;
using serialtest::PumpUntil;

namespace {
class ConsoleSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_data.deviceVariant = 0;
        sim.version = QStringLiteral("V0.551");  // a standard device for a standard project
        doc.SetPathName(dir.filePath(QStringLiteral("Pult.qlx")).toStdString());
        previousHook = SetActiveDocHook([this] { return &doc; });
    }
    void TearDown() override
    {
        SetActiveDocHook(previousHook);
        serialtest::SetDevicePath(kPort, {});
    }
    std::vector<std::string> Lines(CConsole& c)
    {
        blocktest::RecordingSender recorder;
        const int n = c.GetDownloadLines(0, -1);
        for (int step = 0; step < n;)
            step = c.GetDownloadLines(0, step);
        return recorder.lines;
    }
    SimProfiles profiles;
    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    ActiveDocHook previousHook;
    TestHost host;
    Messages messages;
};
}  // namespace

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

    CCommLink link;
    link.SetHost(&host);
    ILineSender* previousSender = SetLineSender(&link);
    ASSERT_TRUE(sim.Start({})) << Simulator::Program().toStdString();
    link.OnConnect();
    ASSERT_TRUE(link.IsConnected());
    ASSERT_TRUE(doc.IsConnected());
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    messages.texts.clear();

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
    SetLineSender(previousSender);
}
