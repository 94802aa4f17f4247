// The macros read back from the device simulator at the line rate, through
// the macro window's upload button and through the upload of all parameter
// groups: the device's macro table comes back whole, and a device that
// answers a query it does not understand is told as such, not as silent.

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QToolBar>

#include "comm/CommTestSupport.h"
#include "comm/ParameterGroups.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "macros/windows/CMacroDlgFrm.h"
#include "model/CIDManager.h"

using namespace commtest;
using serialtest::Pump;

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

}  // namespace

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
    EXPECT_TRUE(Reported("Die Übertragung 'Makroobjekt 1' ist nicht vollständig")) << messages.texts[0];
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
