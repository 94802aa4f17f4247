// What the internal slots and the information slot of the central device
// draw: the slot box and their icon, or nothing at all.

#include <gtest/gtest.h>

#include <map>

#include "SlotTestUtil.h"
#include "hardware/CInfoSlot.h"
#include "hardware/CInternalSlot.h"
#include "model/CQuillomerDoc.h"
#include "support/RecordingPainter.h"

using namespace slottest;

namespace {

std::string IconCall(uint32_t id, int x, int y)
{
    return "icon " + std::to_string(id) + " " + std::to_string(x) + "," + std::to_string(y);
}

int IconCalls(const RecordingPainter& dc)
{
    int n = 0;
    for (const std::string& c : dc.calls)
        n += c.rfind("icon ", 0) == 0;
    return n;
}

}  // namespace

TEST(SlotIconDrawTest, NewDocumentInternalSlotsDrawTheirIconOrNothing)
{
    MessageRecorder messages;
    blocktest::ActiveDoc active;
    CQuillomerDoc& doc = active.doc();
    ASSERT_TRUE(doc.OnNewDocument());

    const std::map<uint32_t, uint32_t> icons = {
        {internalslot::Macro, 340},    {internalslot::Clock, 335}, {internalslot::Trigger, 338},
        {internalslot::Calendar, 334}, {internalslot::Audio, 336}, {internalslot::System, 339},
    };
    int drawnWithIcon = 0, drawnNothing = 0;
    for (CBaseDevice* obj : doc.GetList(CAT_INTERNAL_SLOT)) {
        auto* slot = dynamic_cast<CInternalSlot*>(obj);
        ASSERT_NE(slot, nullptr);
        RecordingPainter dc;
        slot->Draw(dc);
        const uint32_t kind = slot->GetKindId();
        if (kind == internalslot::Fuse || kind == internalslot::Service || kind == internalslot::Monitor) {
            EXPECT_TRUE(dc.calls.empty()) << slot->GetName() << ": " << dc.calls.front();
            ++drawnNothing;
            continue;
        }
        ASSERT_TRUE(icons.count(kind)) << kind;
        const CRect r = slot->GetRect();
        // The box and name first, the icon on top of them.
        ASSERT_GE(dc.calls.size(), 2u) << slot->GetName();
        EXPECT_EQ(IconCall(icons.at(kind), r.left + 6, r.top + (r.Height() - 32) / 2), dc.calls.back())
            << slot->GetName();
        EXPECT_EQ(1, IconCalls(dc)) << slot->GetName();
        ++drawnWithIcon;
    }
    EXPECT_EQ(3, drawnNothing);
    EXPECT_EQ(6, drawnWithIcon);
}

TEST(SlotIconDrawTest, InternalSlotIconIsCentredOnOddHeightsAndUnknownKindsDrawNoIcon)
{
    CInternalSlot slot;
    slot.m_category = CAT_INTERNAL_SLOT;
    slot.SetKindId(internalslot::Macro);
    slot.SetRect(10, 20, 110, 61);  // 41 high: (41 - 32) / 2 = 4
    RecordingPainter dc;
    slot.Draw(dc);
    ASSERT_FALSE(dc.calls.empty());
    EXPECT_EQ(IconCall(340, 16, 24), dc.calls.back());

    CInternalSlot other;
    other.m_category = CAT_INTERNAL_SLOT;
    other.SetKindId(12345);
    other.SetRect(0, 0, 100, 40);
    RecordingPainter dc2;
    other.Draw(dc2);
    EXPECT_FALSE(dc2.calls.empty());  // the box is drawn
    EXPECT_EQ(0, IconCalls(dc2));
}

TEST(SlotIconDrawTest, InfoSlotShowsTheConnectedIconOnlyWhileConnected)
{
    MessageRecorder messages;
    blocktest::ActiveDoc active;
    CQuillomerDoc& doc = active.doc();
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(1u, doc.GetList(CAT_INFO).size());
    auto* info = dynamic_cast<CInfoSlot*>(doc.GetList(CAT_INFO).front());
    ASSERT_NE(info, nullptr);
    const CRect r = info->GetRect();

    RecordingPainter off;
    info->Draw(off);
    EXPECT_FALSE(off.calls.empty());  // the field itself
    EXPECT_EQ(0, IconCalls(off));

    info->SetShowIcon(1);
    RecordingPainter on;
    info->Draw(on);
    ASSERT_FALSE(on.calls.empty());
    EXPECT_EQ(IconCall(140, r.left + 2, r.top + (r.Height() - 32) / 2), on.calls.back());
    EXPECT_EQ(1, IconCalls(on));
    // Apart from the icon the field looks the same.
    on.calls.pop_back();
    EXPECT_EQ(off.calls, on.calls);

    info->SetShowIcon(0);
    RecordingPainter again;
    info->Draw(again);
    EXPECT_EQ(off.calls, again.calls);
}
