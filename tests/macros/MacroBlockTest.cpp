// The macro block: the lines of a download with and without the clear
// capability, the upload's handshake per macro, and the answers it applies.

#include <gtest/gtest.h>

#include <algorithm>
#include <system_error>

#include "macros/CMacro.h"
#include "macros/CMacroObject.h"
#include "macros/MacroIds.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"

using namespace blocktest;
using Lines = std::vector<std::string>;
namespace mt = macrotype;

namespace {
struct Fixture : BlockHarness {
    CMacroObject* block = nullptr;
    explicit Fixture(int capability)
    {
        profile.Set("MACRO_CLR", capability);
        doc().m_data.deviceVariant = 0;
        block = Add<CMacroObject>(CMacroObject::kKindId, CAT_AUDIO);
    }
    CMacro* Macro(uint32_t type, int n)
    {
        auto* m = new CMacro;
        EXPECT_EQ(1, m->Create(type, StrFormat("M%d", n), n, CAT_MACRO, &doc()));
        doc().AddObject(m, CAT_MACRO);
        return m;
    }
    CMacro* Get(int n) { return dynamic_cast<CMacro*>(doc().GetIDManager().GetBaseDevice(n, OT_MACRO)); }
};
}  // namespace

TEST(MacroBlock, DownloadWithAndWithoutTheCapability)
{
    for (int capability : {0, 1}) {
        Fixture f(capability);
        CMacro* m = f.Macro(mt::Message, 7);
        m->SetParamText(2, "1-4");
        m->SetParam(1, 5);
        std::vector<std::string> params;
        ASSERT_EQ("MESSAGE", m->GetParamLines(params));
        EXPECT_EQ(CMacroObject::kStepCount, f.Walk(*f.block, 0));
        Lines expected = {"/MACRO/CLEAR ALL"};
        for (int n = 1; n <= 80; ++n) {
            if (n == 7) {
                expected.push_back("/MACRO/PROG7/TYPE MESSAGE");
                for (const std::string& p : params)
                    expected.push_back("/MACRO/PROG7" + p);
            } else if (!capability) {
                expected.push_back(StrFormat("/MACRO/PROG%d/TYPE EMPTY", n));
            }
        }
        expected.insert(expected.end(), {"/MACRO/BOOT 0", "/MACRO/SHUT 0"});
        EXPECT_EQ(expected, f.link.lines) << capability;
    }
}

TEST(MacroBlock, UploadAsksEachMacroAfterItsTypeAnswer)
{
    Fixture f(1);
    f.Macro(mt::Page, 3);
    f.Macro(mt::Page, 9);
    EXPECT_EQ(0, f.Walk(*f.block, 1));
    EXPECT_EQ(Lines{"/MACRO/CLEAR ?"}, f.link.lines);
    f.Answer("/MACRO/CLEAR x");  // does not read: nothing changes
    EXPECT_NE(nullptr, f.Get(9));
    EXPECT_EQ(0, f.Get(1) ? 1 : 0);
    f.Answer("/MACRO/CLEAR 2,4-80");
    EXPECT_EQ("1 *", f.Get(1)->GetName());
    EXPECT_EQ(static_cast<uint32_t>(mt::NoType), f.Get(1)->GetKindId());
    EXPECT_EQ(nullptr, f.Get(9));
    ASSERT_NE(nullptr, f.Get(3));

    f.link.lines.clear();
    EXPECT_EQ(1, f.block->GetDownloadLines(1, 0));
    EXPECT_EQ(1, f.block->GetDownloadLines(1, 1));
    EXPECT_EQ(1, f.block->GetDownloadLines(1, 1));  // waits for the type
    EXPECT_EQ(Lines{"/MACRO/PROG1/TYPE ?"}, f.link.lines);
    f.Answer("/MACRO/PROG1/TYPE EMPTY");
    EXPECT_EQ(nullptr, f.Get(1));
    EXPECT_EQ(2, f.block->GetDownloadLines(1, 1));
    EXPECT_EQ(3, f.block->GetDownloadLines(1, 2));
    f.Answer("/MACRO/PROG3/TYPE PAGE");
    f.link.lines.clear();
    int step = 3;
    while (step == 3)
        step = f.block->GetDownloadLines(1, step);
    ASSERT_FALSE(f.link.lines.empty());
    for (const std::string& l : f.link.lines)
        EXPECT_EQ(0u, l.rfind("/MACRO/PROG3/PARAM/", 0)) << l;

    f.Answer("/MACRO/PROG3/PARAM/PRIO 7");
    EXPECT_EQ(7, f.Get(3)->GetParam(1));
    f.Answer("/MACRO/PROG12/TYPE PAGE");
    EXPECT_EQ("12 *", f.Get(12)->GetName());
    EXPECT_EQ(static_cast<uint32_t>(mt::Page), f.Get(12)->GetKindId());
    f.Answer("/MACRO/PROG81/TYPE PAGE");  // beyond the standard limit
    EXPECT_EQ(nullptr, f.doc().GetIDManager().GetBaseDevice(81, OT_MACRO));

    // A type the project does not know, told to a difference file that
    // cannot be written (a folder): the walk has its answer and goes on.
    f.diffFile = ::testing::TempDir();
    f.block->GetDownloadLines(1, -1);
    EXPECT_EQ(12, f.block->GetDownloadLines(1, 4));
    EXPECT_THROW(f.Answer("/MACRO/PROG12/TYPE FOOBAR"), std::system_error);
    EXPECT_EQ(static_cast<uint32_t>(mt::Page), f.Get(12)->GetKindId());
    EXPECT_EQ(13, f.block->GetDownloadLines(1, 12)) << "waits for an answer that came";
}

// A controller macro's index answer names a controller only from 1 to 40:
// "INDEX 0" (no controller) and numbers beyond make none, and say nothing.
TEST(MacroBlock, ControllerIndexAnswerMakesOnlyControllersInRange)
{
    Fixture f(1);
    std::vector<std::string> messages;
    MessageHandler previous = SetMessageHandler([&](const std::string& text, uint32_t) {
        messages.push_back(text);
        return static_cast<int>(mb::IdOk);
    });
    f.Answer("/MACRO/PROG19/TYPE VIRTCTRL");
    ASSERT_NE(nullptr, f.Get(19));
    ASSERT_EQ(static_cast<uint32_t>(mt::VirtCtrl), f.Get(19)->GetKindId());
    for (const char* index : {"0", "41", "250", "-3"}) {
        f.Answer(std::string("/MACRO/PROG19/PARAM/INDEX ") + index);
        EXPECT_EQ(0, f.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM)) << index;
    }
    f.Answer("/MACRO/PROG19/PARAM/INDEX 40");
    EXPECT_EQ(1, f.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));
    ASSERT_NE(nullptr, f.doc().GetIDManager().GetBaseDevice(40, OT_VIRT_CTRL_ITEM));
    EXPECT_EQ(40, f.Get(19)->GetParam(37));
    EXPECT_TRUE(messages.empty()) << messages.front();
    SetMessageHandler(std::move(previous));
}

TEST(MacroBlock, PowerMacrosGiveBootAndShut)
{
    Fixture f(1);
    CMacro* on = f.Macro(mt::Power, 1);
    CMacro* off = f.Macro(mt::Power, 2);
    on->SetParam(3, 1);
    off->SetParam(3, 0);
    f.Macro(mt::Page, 5);
    f.Macro(mt::Page, 6);
    on->SetParam(27, 5);
    off->SetParam(28, 6);
    f.Walk(*f.block, 0);
    EXPECT_EQ((Lines{"/MACRO/BOOT 5", "/MACRO/SHUT 6"}), Lines(f.link.lines.end() - 2, f.link.lines.end()));
    f.Answer("/MACRO/BOOT 6");
    f.Answer("/MACRO/SHUT 5");
    EXPECT_EQ(6, on->GetParam(27));
    EXPECT_EQ(5, off->GetParam(28));
}

TEST(MacroBlock, ADownloadSaysWhenMacrosLieAboveTheDevicesLimit)
{
    for (int capability : {0, 1}) {
        Fixture f(capability);
        MessageLog messages;
        f.Macro(mt::Chime, 80);
        f.Macro(mt::Chime, 81);  // from a project made before the limit was kept
        f.Macro(mt::Page, 200);
        EXPECT_EQ(CMacroObject::kStepCount, f.Walk(*f.block, 0));
        EXPECT_TRUE(std::find(f.link.lines.begin(), f.link.lines.end(), "/MACRO/PROG80/TYPE CHIME") !=
                    f.link.lines.end());
        for (const std::string& line : f.link.lines)
            EXPECT_EQ(std::string::npos, line.find("/PROG81")) << line;
        ASSERT_EQ(1u, messages.texts.size()) << capability;
        EXPECT_EQ(StrFormat(LoadStringId(IDS_MACRO_ABOVE_LIMIT).c_str(), 2, 80), messages.texts[0]);

        // The upgraded device takes them all, and says nothing.
        f.doc().m_data.deviceVariant = 1;
        f.link.lines.clear();
        f.Walk(*f.block, 0);
        EXPECT_EQ(1u, messages.texts.size());
        EXPECT_TRUE(std::find(f.link.lines.begin(), f.link.lines.end(), "/MACRO/PROG81/TYPE CHIME") !=
                    f.link.lines.end());
    }
    // A project within the limit downloads without a word.
    Fixture f(0);
    MessageLog messages;
    f.Macro(mt::Chime, 80);
    f.Walk(*f.block, 0);
    EXPECT_TRUE(messages.texts.empty());
}
