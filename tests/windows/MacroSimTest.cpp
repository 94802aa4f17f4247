// The macro window over the real device link, against the device simulator:
// one selected macro goes down alone, between the macro lock lines.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "comm/CommTestSupport.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroDlgListView.h"
#include "model/CIDManager.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

TEST(MacroSim, SelectedMacroGoesDownAloneBetweenTheLockLines)
{
    struct Profiles {
        Profiles()
        {
            serialtest::UsePrivateSettings();
            SetProfile(QStringLiteral("COMSECTION/PORT"), {});
            SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 1);
            SetProfile(QStringLiteral("Configuration/StayOnline"), {});
        }
    } profiles;
    Simulator sim;
    QTemporaryDir dir;
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetPathName(dir.filePath(QStringLiteral("Makros.qlx")).toStdString());
    const ActiveDocHook previousHook = SetActiveDocHook([&doc] { return &doc; });
    TestHost host;
    Messages messages;
    std::vector<CMacro*> macros;
    for (uint32_t type : {macrotype::Chime, macrotype::Stop}) {
        auto* macro = new CMacro;
        ASSERT_TRUE(macro->Create(type, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, &doc));
        doc.AddObject(macro, CAT_MACRO);
        macros.push_back(macro);
    }
    macros[1]->SetParam(1, 70);

    CCommLink link;
    link.SetHost(&host);
    ILineSender* previousSender = SetLineSender(&link);
    ASSERT_TRUE(sim.Start({})) << Simulator::Program().toStdString();
    link.OnConnect();
    ASSERT_TRUE(link.IsConnected());
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));

    std::vector<std::string> params;
    const std::string keyword = macros[1]->GetParamLines(params);
    std::string expected = "/MACRO/LOCK ON\r\n/MACRO/PROG2/TYPE " + keyword + "\r\n";
    for (const std::string& line : params)
        expected += "/MACRO/PROG2" + line + "\r\n";
    expected += "/MACRO/LOCK OFF\r\n";
    const size_t mark = sim.Received().size();
    {
        CMacroDlgFrm frame;
        frame.GetListView()->SelectRow(1);
        ASSERT_TRUE(frame.GetListView()->ItemTransferEnabled());
        frame.GetListView()->TransferSelectedMacro(false);
    }
    EXPECT_TRUE(PumpUntil([&] { return sim.Received().size() >= mark + expected.size(); }, kArrivalMs));
    EXPECT_EQ(expected, sim.Received().substr(mark));

    link.ClosePort();
    SetLineSender(previousSender);
    SetActiveDocHook(previousHook);
    serialtest::SetDevicePath(kPort, {});
}
