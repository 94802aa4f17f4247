// Which objects of a new document each parameter group transfers, and in
// which order.
#include <gtest/gtest.h>

#include <algorithm>

#include "comm/ParameterGroups.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"

namespace {

std::vector<uint32_t> Types(const std::vector<CBaseDevice*>& objects)
{
    std::vector<uint32_t> out;
    for (const CBaseDevice* o : objects)
        out.push_back(o->GetType());
    return out;
}

class ParameterGroups : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    std::vector<CBaseDevice*> Group(int bit) { return CollectParameterGroupObjects(doc, 1u << bit); }
    CQuillomerDoc doc;
};

}  // namespace

TEST_F(ParameterGroups, TextsAreTheCheckListEntries)
{
    EXPECT_EQ(ParameterGroupTexts(),
              (std::vector<std::string> {"Audio", "Sprechstellen", "Linien und Gruppen", "Steuerung (Trigger, Makros ...)",
                                         "Timer und Kalender", "Textdatei  ( nur Download )"}));
    EXPECT_TRUE(HasTextFileGroup(0x20));
    EXPECT_FALSE(HasTextFileGroup(0x1F));
    EXPECT_TRUE(CollectParameterGroupObjects(doc, 0).empty());
    EXPECT_TRUE(CollectParameterGroupObjects(doc, 0x20).empty());  // the text file adds no objects
}

TEST_F(ParameterGroups, AudioTakesTheSlotsTheFuseAndTheSignalsButNotTheBlocks)
{
    const std::vector<CBaseDevice*> audio = Group(paramgroup::Audio);
    ASSERT_GE(audio.size(), 5u);
    // Output slots, then input slots, then the fuse of the interface list.
    EXPECT_EQ(audio[0]->GetCategory(), CAT_OUTPUT_SLOT);
    const auto firstInput = std::find_if(audio.begin(), audio.end(), [](CBaseDevice* o) { return o->GetCategory() == CAT_INPUT_SLOT; });
    ASSERT_NE(firstInput, audio.end());
    EXPECT_TRUE(std::all_of(audio.begin(), firstInput, [](CBaseDevice* o) { return o->GetCategory() == CAT_OUTPUT_SLOT; }));
    const std::vector<uint32_t> types = Types(audio);
    EXPECT_EQ(std::count(types.begin(), types.end(), uint32_t(OT_FUSE)), 1);
    EXPECT_EQ(std::count(types.begin(), types.end(), uint32_t(OT_INTERFACE_SLOT)), 0);
    for (uint32_t excluded : {OT_CAL_OBJECT, OT_GLOBAL_READY_INPUT, OT_MACRO_OBJECT, OT_CONDITION_OBJECT,
                              OT_LOGIC_OUT_OBJECT, OT_VIRT_CTRL, OT_SPARE_AMP, OT_FAULT, OT_LAN_GROUP, OT_CONSOLE_OBJECT})
        EXPECT_EQ(std::count(types.begin(), types.end(), excluded), 0) << excluded;
    EXPECT_GT(std::count(types.begin(), types.end(), uint32_t(OT_ALARM_SIGNAL)), 0);
}

TEST_F(ParameterGroups, ControlEndsWithTheBlockObjectsInTheirOrder)
{
    const std::vector<CBaseDevice*> control = Group(paramgroup::Control);
    const std::vector<uint32_t> tail = {OT_GLOBAL_READY_INPUT, OT_MACRO_OBJECT, OT_CONDITION_OBJECT, OT_LOGIC_OUT_OBJECT,
                                        OT_VIRT_CTRL, OT_SPARE_AMP, OT_FAULT};
    ASSERT_GE(control.size(), tail.size());
    const std::vector<uint32_t> types = Types(control);
    EXPECT_EQ(std::vector<uint32_t>(types.end() - static_cast<long>(tail.size()), types.end()), tail);
    for (size_t i = 0; i + tail.size() < control.size(); ++i)
        EXPECT_EQ(control[i]->GetCategory(), CAT_DIGITAL_IO);
    for (size_t i = control.size() - tail.size(); i < control.size(); ++i)
        EXPECT_EQ(control[i]->GetNumber(), 1);
}

TEST_F(ParameterGroups, ConsolesZonesAndTimersTakeTheirListsAndBlocks)
{
    EXPECT_EQ(Types(Group(paramgroup::Consoles)), (std::vector<uint32_t> {OT_CONSOLE_OBJECT}));
    const std::vector<CBaseDevice*> zones = Group(paramgroup::ZonesAndGroups);
    ASSERT_FALSE(zones.empty());
    EXPECT_EQ(zones.front()->GetType(), uint32_t(OT_GROUP));
    EXPECT_EQ(zones.front()->GetNumber(), 0);  // the group "all"
    EXPECT_EQ(zones.size(), 1 + doc.GetList(CAT_RELAIS_TOPOLOGY).size() + doc.GetList(CAT_ZONE).size());
    const std::vector<CBaseDevice*> timers = Group(paramgroup::TimerCalendar);
    ASSERT_EQ(timers.size(), doc.GetList(CAT_CALENDAR).size() + 1);
    EXPECT_EQ(timers.back()->GetType(), uint32_t(OT_CAL_OBJECT));

    // Several groups follow one another in group order.
    std::vector<CBaseDevice*> both = Group(paramgroup::Consoles);
    const std::vector<CBaseDevice*> more = Group(paramgroup::TimerCalendar);
    both.insert(both.end(), more.begin(), more.end());
    EXPECT_EQ(CollectParameterGroupObjects(doc, (1u << paramgroup::Consoles) | (1u << paramgroup::TimerCalendar)), both);
}
