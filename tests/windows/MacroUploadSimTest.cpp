// The macros over the real device link, against the device simulator at the
// line rate: one macro selected in the macro window goes down alone, between
// the macro lock lines; read back through the macro window's upload button
// and through the upload of all parameter groups, the device's macro table
// comes back whole, and a device that answers a query it does not understand
// is told as such, not as silent.

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QToolBar>

#include <functional>

#include "comm/CommTestSupport.h"
#include "comm/ParameterGroups.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "macros/windows/CMacroDlgListView.h"
#include "model/CIDManager.h"

using namespace commtest;
using serialtest::Pump;
using serialtest::PumpUntil;

namespace {

constexpr uint32_t kAllObjectGroups = 0x1F;  // every group but the text file
const char* const kUploadDone = "Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\"";

class MacroUploadSim : public ::testing::Test, protected ConnectedSimSession {
protected:
    void SetUp() override
    {
        Attach(1, QStringLiteral("Makros.qlx"));
        AddMacro(macrotype::Chime, 1);
        AddMacro(macrotype::Stop, 2);
    }
    void TearDown() override { Detach(); }

    void AddMacro(uint32_t type, int32_t number)
    {
        auto* macro = new CMacro;
        ASSERT_TRUE(
            macro->Create(type, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, number, &doc));
        doc.AddObject(macro, CAT_MACRO);
    }
    CMacro* Macro(int32_t number) { return dynamic_cast<CMacro*>(doc.GetIDManager().GetBaseDevice(number, OT_MACRO)); }
    // The macros' numbers and kinds, in number order.
    std::vector<std::pair<int32_t, uint32_t>> Macros()
    {
        std::vector<std::pair<int32_t, uint32_t>> all;
        for (int32_t n = 1; n <= 250; ++n)
            if (CMacro* m = Macro(n))
                all.emplace_back(n, m->GetKindId());
        return all;
    }
    // Clicks a button of the macro window's command bar, as the user does.
    static void Click(CMacroDlgFrm& frame, unsigned id)
    {
        QAction* action = frame.GetAction(id);
        ASSERT_NE(nullptr, action);
        QWidget* button = frame.GetCommandBar()->widgetForAction(action);
        ASSERT_NE(nullptr, button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Reads every parameter group back, as the transfer dialog does with all ticked.
    void UploadAllGroups()
    {
        host.paramSelect = [this](ParamSelection& sel) {
            sel.direction = 0;
            sel.objects = CollectParameterGroupObjects(doc, kAllObjectGroups);
            return true;
        };
        link.OnTransferParameters();
    }
    bool Reported(const std::string& part) const { return messages.Contains(part); }
};
using MacroSim = MacroUploadSim;

}  // namespace

TEST_F(MacroSim, SelectedMacroGoesDownAloneBetweenTheLockLines)
{
    Macro(2)->SetParam(1, 70);
    ASSERT_NO_FATAL_FAILURE(Connect());

    std::vector<std::string> params;
    const std::string keyword = Macro(2)->GetParamLines(params);
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
}

TEST_F(MacroUploadSim, TheMacroWindowAndTheWholeUploadReadTheDevicesMacroTable)
{
    ConnectWith({});
    ASSERT_TRUE(sim.lineRate);
    const auto design = Macros();
    ASSERT_EQ(2u, design.size());
    CMacroDlgFrm frame;
    frame.show();

    // A device that holds no macro yet: the upload empties the window.
    Click(frame, macrocmd::Upload);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_TRUE(Macros().empty());
    EXPECT_FALSE(frame.IsTransferring());
    EXPECT_FALSE(frame.GetAction(macrocmd::Delete)->isEnabled()) << "nothing left to delete";

    // The design goes down, one macro is lost in the project, and the
    // window's upload brings back what the device holds.
    AddMacro(macrotype::Chime, 1);
    AddMacro(macrotype::Stop, 2);
    Click(frame, macrocmd::Download);
    ASSERT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n"));
    ASSERT_TRUE(messages.texts.empty()) << messages.texts.front();
    Macro(2)->OnCommand(objcmd::Delete);
    ASSERT_EQ(1u, Macros().size());
    Click(frame, macrocmd::Upload);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(design, Macros());
    EXPECT_TRUE(frame.GetAction(macrocmd::Delete)->isEnabled()) << "the macros the device brought can be deleted";

    // The upload of every group goes past the macro block to its end.
    Macro(1)->OnCommand(objcmd::Delete);
    frame.close();
    UploadAllGroups();
    EXPECT_TRUE(Reported(kUploadDone)) << (messages.texts.empty() ? "" : messages.texts.front());
    EXPECT_FALSE(Reported("Keine Antwort"));
    EXPECT_FALSE(Reported("nicht verstanden"));
    EXPECT_EQ(design, Macros());
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

TEST_F(MacroUploadSim, AQueryTheDeviceDoesNotUnderstandIsNamedAndEndsTheWaitSoon)
{
    ConnectWith({QStringLiteral("unknown /MACRO/CLEAR")});
    CMacroDlgFrm frame;
    frame.show();

    QElapsedTimer took;
    took.start();
    Click(frame, macrocmd::Upload);
    EXPECT_LT(took.elapsed(), 5000) << "no wait for the stall limit";
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_TRUE(Reported("Die Übertragung 'Makro uploaden' ist nicht vollständig")) << messages.texts[0];
    EXPECT_TRUE(Reported("das Gerät hat '/MACRO/CLEAR ?' nicht verstanden.")) << messages.texts[0];
    EXPECT_EQ(2u, Macros().size()) << "the project keeps its macros";
    frame.close();

    messages.texts.clear();
    took.restart();
    UploadAllGroups();
    EXPECT_TRUE(Reported("QUILLOMER hat '/MACRO/CLEAR ?' nicht verstanden ! Die Übertragung wurde abgebrochen."))
        << (messages.texts.empty() ? "" : messages.texts.front());
    EXPECT_FALSE(Reported("Keine Antwort"));
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

TEST_F(MacroUploadSim, EveryStepTypeGoesDownInTheDevicesCodePageAndComesBackAsDesigned)
{
    ConnectWith({});
    namespace mt = macrotype;
    // Texts with umlauts, a degree and a micro sign, and a tab the user
    // pasted into the display text.
    const std::vector<std::pair<uint32_t, std::function<void(CMacro&)>>> designs = {
        {mt::LcdText, [](CMacro& m) { m.SetParamText(13, "L\u00e4rm\t\u00dcbung"), m.SetParam(20, 2), m.SetParam(39, 10); }},
        {mt::VirtCtrl,
         [](CMacro& m) { m.SetParam(12, 2), m.SetParamText(13, "Gr\u00f6\u00dfe"), m.SetParamText(14, "\u00b0C"), m.SetParam(15, 1); }},
        {mt::Buzzer, [](CMacro& m) { m.SetParamText(73, "--..--.."), m.SetParam(74, 5), m.SetParam(75, 3), m.SetParam(76, 10); }},
        {mt::Record, [](CMacro& m) { m.SetParamText(65, "10KHZ \u00b5-LAW"), m.SetParamFloat(66, 12.5f), m.SetParam(4, 2); }},
        {mt::Repeat, [](CMacro& m) { m.SetParam(39, 60), m.SetParam(68, 4); }},
        {mt::Sequence, [](CMacro& m) { m.SetParamFloat(47, 2.5f); }},
        {mt::SlaveClock, [](CMacro& m) { m.SetParam(71, 1), m.SetParam(3, 1); }},
        {mt::Volume, [](CMacro& m) { m.SetParamText(9, "IN2"), m.SetParamFloat(10, -12.0f), m.SetParam(11, 2); }},
        {mt::AuxSelect, [](CMacro& m) { m.SetParam(4, 3), m.SetParam(18, 2); }},
        {mt::MemoFlag, [](CMacro& m) { m.SetParam(40, 5), m.SetParam(22, 1); }},
        {mt::AmpMute, [](CMacro& m) { m.SetParam(29, 1), m.SetParamText(30, "ALL"); }},
        {mt::ZoneTest, [](CMacro& m) { m.SetParamText(72, "TEST"), m.SetParam(3, 1); }},
        {mt::Page, [](CMacro& m) { m.SetParam(4, 2), m.SetParam(1, 30), m.SetParam(18, 1); }},
    };
    int32_t number = 3;
    for (const auto& [type, setUp] : designs) {
        AddMacro(type, number);
        setUp(*Macro(number++));
    }
    // What each macro sends, in number order.
    const auto lines = [this] {
        std::vector<std::pair<std::string, std::vector<std::string>>> all;
        for (const auto& [n, type] : Macros()) {
            std::vector<std::string> params;
            const std::string keyword = Macro(n)->GetParamLines(params);
            all.emplace_back(keyword, params);
        }
        return all;
    };
    const auto design = lines();
    ASSERT_EQ(designs.size() + 2, design.size());

    CMacroDlgFrm frame;
    frame.show();
    const size_t mark = sim.Received().size();
    Click(frame, macrocmd::Download);
    ASSERT_TRUE(sim.AwaitReceivedEnd("/MACRO/LOCK OFF\r\n"));
    ASSERT_TRUE(messages.texts.empty()) << messages.texts.front();
    const std::string got = sim.Received().substr(mark);
    // One byte per character of the device's code page, no UTF-8, and no
    // control character but the line ends.
    EXPECT_NE(std::string::npos, got.find("/PARAM/TEXT L\xE4rm\xDC" "bung\r\n"));
    EXPECT_NE(std::string::npos, got.find("/PARAM/TITLE Gr\xF6\xDF" "e\r\n"));
    EXPECT_NE(std::string::npos, got.find("/PARAM/UNIT \xB0" "C\r\n"));
    EXPECT_NE(std::string::npos, got.find("/PARAM/QUALITY 10KHZ \xB5-LAW\r\n"));
    EXPECT_EQ(std::string::npos, got.find('\xC3'));
    for (size_t i = 0; i < got.size(); ++i) {
        const auto c = static_cast<unsigned char>(got[i]);
        if (c < 0x20)
            ASSERT_TRUE((c == '\r' && got[i + 1] == '\n') || (c == '\n' && i > 0 && got[i - 1] == '\r'))
                << "control character " << int(c) << " at " << i;
    }

    // The project loses its macros; the upload brings every one back.
    for (const auto& [n, type] : Macros())
        Macro(n)->OnCommand(objcmd::Delete);
    Click(frame, macrocmd::Upload);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(design, lines());
}
