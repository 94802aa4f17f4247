#include <gtest/gtest.h>

#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;
using EP = CVirtCtrl::Endpoint;

namespace {
struct Fixture : BlockHarness {
    CVirtCtrl* vc = nullptr;

    explicit Fixture(int capability)
    {
        profile.Set("VIRTCTRL_CLR", capability);
        vc = Add<CVirtCtrl>(CVirtCtrl::kKindId, CAT_AUDIO);
        EXPECT_NE(nullptr, vc);
    }
    int Walk(int mode, const Device& device = {}) { return BlockHarness::Walk(*vc, mode, device); }
    CVirtCtrlItem* Item(int n)
    {
        return dynamic_cast<CVirtCtrlItem*>(doc().GetIDManager().GetBaseDevice(n, OT_VIRT_CTRL_ITEM));
    }
};
}  // namespace

TEST(VirtCtrlBlock, EmptyDocumentWithCapabilitySendsOnlyTheClearLine)
{
    Fixture f(1);
    EXPECT_EQ(601, f.vc->GetDownloadLines(0, -1));
    EXPECT_EQ(601, f.Walk(0));
    EXPECT_EQ(std::vector<std::string>{"/VIRTCTRL/CLEAR ALL"}, f.link.lines);
}

TEST(VirtCtrlBlock, DownloadOfOneControllerWithTwoLinks)
{
    Fixture f(1);
    CVirtCtrlItem* item = f.vc->GetOrCreateItem(3);
    item->SetFloat(CVirtCtrlItem::Max, 10.0f);
    item->SetFloat(CVirtCtrlItem::Value, 2.5f);
    item->SetInt(CVirtCtrlItem::Steps, 20);
    item->SetInt(CVirtCtrlItem::Curve, -5);
    f.vc->SetLink(EP::Encoder, 1, 3);
    f.vc->SetLink(EP::DA, 2, 3);
    EXPECT_EQ(601, f.Walk(0));
    const std::vector<std::string> expected = {
        "/VIRTCTRL/CLEAR ALL",          "/VIRTCTRL/ENTRY3/MIN 0.000000", "/VIRTCTRL/ENTRY3/MAX 10.000000",
        "/VIRTCTRL/ENTRY3/VALUE 2.500000", "/VIRTCTRL/ENTRY3/STEPS 20",   "/VIRTCTRL/ENTRY3/CURVE -5",
        "/VIRTCTRL/SOURCE/ENC1 3",      "/VIRTCTRL/DEST/DA2 3",
    };
    EXPECT_EQ(expected, f.link.lines);
}

TEST(VirtCtrlBlock, WithoutCapabilityEveryEntryAndLinkIsWritten)
{
    Fixture f(0);
    CVirtCtrlItem* item = f.vc->GetOrCreateItem(40);
    item->SetInt(CVirtCtrlItem::Steps, 65535);
    item->SetInt(CVirtCtrlItem::Curve, -128);
    EXPECT_EQ(601, f.Walk(0));
    // clear + 40 entries x 5 lines + 360 links
    EXPECT_EQ(1u + 200u + 360u, f.link.lines.size());
    EXPECT_EQ("/VIRTCTRL/ENTRY1/MIN 0.000000", f.link.lines[1]);
    EXPECT_EQ("/VIRTCTRL/ENTRY40/STEPS 65535", f.link.lines[199]);
    EXPECT_EQ("/VIRTCTRL/ENTRY40/CURVE -128", f.link.lines[200]);
    EXPECT_EQ("/VIRTCTRL/SOURCE/VC1 0", f.link.lines[201]);
    EXPECT_EQ("/VIRTCTRL/DEST/IN1 0", f.link.lines[201 + 88]);
    EXPECT_EQ("/VIRTCTRL/DEST/MONITOR 0", f.link.lines[201 + 99]);
    EXPECT_EQ("/VIRTCTRL/DEST/AMPCHAN120 0", f.link.lines[201 + 100 + 119]);
    EXPECT_EQ("/VIRTCTRL/DEST/DELAY4 0", f.link.lines.back());
}

TEST(VirtCtrlBlock, UploadWaitsForTheClearAnswer)
{
    Fixture f(1);
    EXPECT_EQ(0, f.Walk(1));
    EXPECT_EQ(0, f.vc->GetDownloadLines(1, 0));
    EXPECT_EQ(std::vector<std::string>{"/VIRTCTRL/CLEAR ?"}, f.link.lines);

    // A device that answers the clear query: the walk goes on to the end.
    f.link.lines.clear();
    const auto device = [](const std::string& sent) {
        return sent == "/VIRTCTRL/CLEAR ?" ? std::vector<std::string>{"/VIRTCTRL/CLEAR 1,3-40"}
                                           : std::vector<std::string>{};
    };
    EXPECT_EQ(601, f.Walk(1, device));
    ASSERT_NE(nullptr, f.Item(2));
    EXPECT_EQ("2 *", f.Item(2)->GetName());
    // The clear query, entry 2's five queries, then all 360 sources and destinations.
    ASSERT_EQ(1u + 5u + 360u, f.link.lines.size());
    EXPECT_EQ("/VIRTCTRL/ENTRY2/MIN ?", f.link.lines[1]);
    EXPECT_EQ("/VIRTCTRL/SOURCE/ENC5 ?", f.link.lines[6 + 40 + 4]);
}

TEST(VirtCtrlBlock, ClearAnswerDeletesAndCreates)
{
    Fixture f(1);
    for (int n : {2, 7, 40})
        f.vc->GetOrCreateItem(n);
    f.vc->ParseUploadLines("VIRTCTRL/CLEAR 5-40", "", linkstate::Upload);
    for (int n = 1; n <= 4; ++n) {
        ASSERT_NE(nullptr, f.Item(n));
        if (n != 2) {
            EXPECT_EQ(std::to_string(n) + " *", f.Item(n)->GetName());
        }
    }
    for (int n = 5; n <= 40; ++n)
        EXPECT_EQ(nullptr, f.Item(n)) << n;
    EXPECT_EQ(4, f.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));
    EXPECT_EQ(5u, f.doc().GetList(CAT_AUDIO).size());  // the table and four controllers

    f.vc->ParseUploadLines("VIRTCTRL/CLEAR x", "", linkstate::Upload);  // does not read: nothing changes
    EXPECT_EQ(4, f.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));
}

TEST(VirtCtrlBlock, EntryAndLinkAnswers)
{
    Fixture f(1);
    f.vc->ParseUploadLines("VIRTCTRL/ENTRY9/VALUE 3.0", "", linkstate::Upload);
    f.vc->ParseUploadLines("VIRTCTRL/ENTRY9/MIN 0.0", "", linkstate::Upload);
    f.vc->ParseUploadLines("VIRTCTRL/ENTRY9/STEPS 0", "", linkstate::Upload);
    EXPECT_EQ(nullptr, f.Item(9));
    f.vc->ParseUploadLines("VIRTCTRL/ENTRY9/MIN 1.0", "", linkstate::Online);
    EXPECT_EQ(nullptr, f.Item(9));
    f.vc->ParseUploadLines("VIRTCTRL/ENTRY9/MIN 1.0", "", linkstate::Upload);
    ASSERT_NE(nullptr, f.Item(9));
    EXPECT_EQ(1.0f, f.Item(9)->GetFloat(CVirtCtrlItem::Min));
    f.vc->ParseUploadLines("VIRTCTRL/ENTRY9/VALUE 3.0", "", linkstate::Upload);
    EXPECT_EQ(3.0f, f.Item(9)->GetFloat(CVirtCtrlItem::Value));
    f.vc->ParseUploadLines("VIRTCTRL/ENTRY10/CURVE -7", "", linkstate::Upload);
    ASSERT_NE(nullptr, f.Item(10));
    EXPECT_EQ(-7, f.Item(10)->GetInt(CVirtCtrlItem::Curve));
    f.vc->ParseUploadLines("VIRTCTRL/ENTRY41/MIN 1.0", "", linkstate::Upload);
    EXPECT_EQ(2, f.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));

    f.vc->ParseUploadLines("VIRTCTRL/DEST/AMPCHAN12 7", "", linkstate::Upload);
    EXPECT_EQ(7, f.vc->GetLink(EP::AmpChannel, 12));
    ASSERT_NE(nullptr, f.Item(7));
    f.vc->ParseUploadLines("VIRTCTRL/DEST/AMPCHAN12 OFF", "", linkstate::Upload);
    EXPECT_EQ(0, f.vc->GetLink(EP::AmpChannel, 12));
    f.vc->ParseUploadLines("VIRTCTRL/DEST/MONITOR 4", "", linkstate::Upload);
    f.vc->ParseUploadLines("VIRTCTRL/DEST/MONITOR 41", "", linkstate::Upload);
    f.vc->ParseUploadLines("VIRTCTRL/DEST/MONITOR -1", "", linkstate::Upload);
    EXPECT_EQ(4, f.vc->GetLink(EP::Monitor, 1));
    f.vc->ParseUploadLines("VIRTCTRL/SOURCE/VC3 5", "", linkstate::Upload);
    EXPECT_EQ(5, f.vc->GetLink(EP::Controller, 3));
    f.vc->ParseUploadLines("VIRTCTRL/DEST/DELAY9 4", "", linkstate::Upload);
    f.vc->ParseUploadLines("VIRTCTRL/DEST/IN2 ?", "", linkstate::Upload);
    EXPECT_EQ(0, f.vc->GetLink(EP::In, 2));
    EXPECT_EQ(5, f.doc().GetIDManager().GetCount(OT_VIRT_CTRL_ITEM));
}

TEST(VirtCtrlBlock, FullOutputBufferHoldsTheStep)
{
    Fixture f(0);
    f.vc->GetDownloadLines(0, -1);
    f.link.outBufferCount = 512;
    EXPECT_EQ(0, f.vc->GetDownloadLines(0, 0));
    EXPECT_EQ(300, f.vc->GetDownloadLines(0, 300));
    EXPECT_TRUE(f.link.lines.empty());
}
