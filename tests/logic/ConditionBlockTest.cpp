// The condition block: the lines it sends in value and query mode, the
// free-list handshake of an upload and the answers it applies.

#include <gtest/gtest.h>

#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
#include "logic/CMemoFlag.h"
#include "model/CControlPad.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;
using Lines = std::vector<std::string>;

namespace {
struct Fixture : BlockHarness {
    CConditionObject* block = nullptr;

    Fixture(int capability, int variant)
    {
        profile.Set("COND_CLR", capability);
        doc().m_data.deviceVariant = variant;
        block = Add<CConditionObject>(CConditionObject::kKindId, CAT_AUDIO);
    }
    template <class T>
    T* Get(uint32_t type, int n)
    {
        return dynamic_cast<T*>(doc().GetIDManager().GetBaseDevice(n, type));
    }
    template <class T>
    T* Make(uint32_t kind, int n)
    {
        auto* o = new T;
        EXPECT_EQ(1, o->Create(kind, StrFormat("obj %d", n), n, CAT_DIGITAL_IO, &doc()));
        doc().AddObject(o, CAT_DIGITAL_IO);
        return o;
    }
    int Count(uint32_t type) { return doc().GetIDManager().GetCount(type); }
};

const Lines kClearAll = {"/CONDITION/CLEAR/ANALOG ALL", "/CONDITION/CLEAR/BUSY ALL",
                         "/CONDITION/CLEAR/COMBINE ALL", "/CONDITION/CLEAR/ENTRY ALL"};

void AppendNumbered(Lines& lines, const char* word, int count, const char* tail)
{
    for (int n = 1; n <= count; ++n)
        lines.push_back(StrFormat("/CONDITION/%s%d%s", word, n, tail));
}
}  // namespace

TEST(ConditionBlock, EmptyStandardDocumentWritesEveryNumberWithoutTheCapability)
{
    Fixture f(0, 0);
    EXPECT_EQ(CConditionObject::kStepCount, f.Walk(*f.block, 0));
    Lines expected = kClearAll;
    AppendNumbered(expected, "ANALOG", 16, "/LMZ775 OFF");
    AppendNumbered(expected, "BUSY", 5, "/AUDIO NONE");
    AppendNumbered(expected, "COMBINE", 10, "/LOGIC OFF");
    AppendNumbered(expected, "ENTRY", 100, "/FUNCTION OFF");
    EXPECT_EQ(expected, f.link.lines);
    for (size_t i = 0; i < f.link.lines.size(); ++i) {
        EXPECT_EQ(&f.doc(), f.link.docs[i]);
        EXPECT_TRUE(f.link.shortenFlags[i]);
    }
}

TEST(ConditionBlock, WithTheCapabilityOnlyTheClearLinesAndTheObjectsGoOut)
{
    Fixture f(1, 0);
    EXPECT_EQ(CConditionObject::kStepCount, f.Walk(*f.block, 0));
    EXPECT_EQ(kClearAll, f.link.lines);

    f.link.lines.clear();
    auto* card = new CBaseDevice;  // stands for LMZ775 card 1
    card->m_type = OT_LMZ775;
    ASSERT_EQ(1, card->Create(34263, "LMZ775", 1, CAT_DIGITAL_IO, &f.doc()));
    f.doc().AddObject(card, CAT_DIGITAL_IO);
    auto* pad = new CControlPad;
    ASSERT_EQ(1, pad->Create(padkind::LMZ775In, 1, 1, std::string("AIN"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, &f.doc()));
    f.doc().AddObject(pad, CAT_DIGITAL_IO);
    card->LinkTo(2, pad, 0);
    auto* analog = f.Make<CAnalogCondition>(34358, 2);
    analog->LinkTo(0, pad, 2);
    analog->SetLimit(1, 2.5f);
    analog->SetLimit(2, 7.0f);
    const std::string channel = "3";  // key 2 of card 1
    auto* cond = f.Make<CCondition>(condkind::Memo, 1);
    cond->SetValue(condkey::Object, 12);
    cond->SetValue(condkey::Level, 1);
    auto* unused = f.Make<CCondition>(condkind::None, 7);
    (void)unused;

    EXPECT_EQ(CConditionObject::kStepCount, f.Walk(*f.block, 0));
    Lines expected = kClearAll;
    expected.insert(expected.end(), {"/CONDITION/ANALOG2/LMZ775 " + channel, "/CONDITION/ANALOG2/MIN 2.5",
                                     "/CONDITION/ANALOG2/MAX 7.0", "/CONDITION/ENTRY1/FUNCTION MEMO",
                                     "/CONDITION/ENTRY1/INDEX 12", "/CONDITION/ENTRY1/LEVEL ON",
                                     "/CONDITION/ENTRY7/FUNCTION OFF"});
    EXPECT_EQ(expected, f.link.lines);
}

TEST(ConditionBlock, ResetSelectsOnePartAndStepsOfOtherPartsPassSilently)
{
    Fixture f(0, 0);
    using CO = CConditionObject;
    EXPECT_EQ(CO::kStepCount, f.block->GetDownloadLines(0, -3));
    EXPECT_EQ(1, f.block->GetDownloadLines(0, 0));
    EXPECT_EQ(2, f.block->GetDownloadLines(0, 1));
    EXPECT_EQ(3, f.block->GetDownloadLines(0, 2));
    EXPECT_EQ(CO::FirstEntryStep(CO::Busy), f.block->GetDownloadLines(0, CO::FirstEntryStep(CO::Analog)));
    EXPECT_EQ(CO::FirstEntryStep(CO::Conditions), f.block->GetDownloadLines(0, CO::EntryStep(CO::Combine, 3)));
    EXPECT_EQ(Lines{"/CONDITION/CLEAR/BUSY ALL"}, f.link.lines);

    // A full output buffer holds the walk back.
    f.link.outBufferCount = 512;
    EXPECT_EQ(1, f.block->GetDownloadLines(0, 1));
    EXPECT_EQ(1u, f.link.lines.size());
}

TEST(ConditionBlock, UpgradedVariantCarriesAnalogConditionsUpToFifty)
{
    Fixture f(1, 1);
    f.Make<CAnalogCondition>(34358, 45);
    f.Make<CBusyCondition>(34456, 50);
    EXPECT_EQ(CConditionObject::kStepCount, f.Walk(*f.block, 0));
    Lines expected = kClearAll;
    expected.push_back("/CONDITION/ANALOG45/LMZ775 OFF");
    expected.insert(expected.end(), {"/CONDITION/BUSY50/AUDIO NONE", "/CONDITION/BUSY50/OUTPUTS NONE",
                                     "/CONDITION/BUSY50/ZONES NONE", "/CONDITION/BUSY50/FULL OFF",
                                     "/CONDITION/BUSY50/PRIO 0"});
    EXPECT_EQ(expected, f.link.lines);

    // Analog answers above 20 are read like the others.
    f.Answer("/CONDITION/ANALOG45/MAX 3.5");
    EXPECT_EQ(3.5f, f.Get<CAnalogCondition>(OT_ANALOG_CONDITION, 45)->m_max);
}

TEST(ConditionBlock, QueryWithoutCapabilityAsksEveryNumberAndNoFreeList)
{
    Fixture f(0, 0);
    EXPECT_EQ(CConditionObject::kStepCount, f.Walk(*f.block, 1));
    ASSERT_EQ(16u * 3 + 5 * 5 + 10 * 9 + 100 * 3, f.link.lines.size());
    for (const std::string& l : f.link.lines)
        EXPECT_EQ(std::string::npos, l.find("CLEAR")) << l;
    EXPECT_EQ("/CONDITION/ANALOG1/LMZ775 ?", f.link.lines[0]);
    EXPECT_EQ("/CONDITION/COMBINE1/COND1/IDX ?", f.link.lines[16 * 3 + 25 + 1]);
    EXPECT_EQ((Lines{"/CONDITION/ENTRY100/FUNCTION ?", "/CONDITION/ENTRY100/LEVEL ?", "/CONDITION/ENTRY100/INDEX ?"}),
              Lines(f.link.lines.end() - 3, f.link.lines.end()));
}

TEST(ConditionBlock, QueryHandshakeWaitsForTheLastFreeListAndAppliesTheAnswers)
{
    Fixture f(1, 0);
    f.Make<CAnalogCondition>(34358, 3);   // free on the device: deleted
    f.Make<CCondition>(condkind::None, 9);  // free on the device: deleted
    EXPECT_EQ(CConditionObject::kStepCount, f.block->GetDownloadLines(1, -1));
    EXPECT_EQ(1, f.block->GetDownloadLines(1, 0));
    EXPECT_EQ(2, f.block->GetDownloadLines(1, 1));
    EXPECT_EQ(3, f.block->GetDownloadLines(1, 2));
    EXPECT_EQ(3, f.block->GetDownloadLines(1, 3));
    EXPECT_EQ(3, f.block->GetDownloadLines(1, 3));  // asked once, waits
    EXPECT_EQ((Lines{"/CONDITION/CLEAR/ANALOG ?", "/CONDITION/CLEAR/BUSY ?", "/CONDITION/CLEAR/COMBINE ?",
                     "/CONDITION/CLEAR/ENTRY ?"}),
              f.link.lines);

    // The analog answer does not end the wait while later parts are selected.
    f.Answer("/CONDITION/CLEAR/ANALOG 1-3,5-50");
    EXPECT_EQ(3, f.block->GetDownloadLines(1, 3));
    EXPECT_EQ(nullptr, f.Get<CAnalogCondition>(OT_ANALOG_CONDITION, 3));
    auto* made = f.Get<CAnalogCondition>(OT_ANALOG_CONDITION, 4);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ("4 *", made->GetName());
    EXPECT_EQ(1, f.Count(OT_ANALOG_CONDITION));

    // An echo, another link state and an answer that does not read change nothing.
    f.Answer("/CONDITION/CLEAR/ENTRY ?");
    f.Answer("/CONDITION/CLEAR/ENTRY 1-100", linkstate::Online);
    f.Answer("/CONDITION/CLEAR/BUSY x");
    EXPECT_EQ(3, f.block->GetDownloadLines(1, 3));
    EXPECT_NE(nullptr, f.Get<CCondition>(OT_CONDITION, 9));
    EXPECT_EQ(0, f.Count(OT_BUSY_CONDITION));

    f.Answer("/CONDITION/CLEAR/ENTRY 0");
    EXPECT_EQ(100, f.Count(OT_CONDITION));
    EXPECT_EQ("1 *", f.Get<CCondition>(OT_CONDITION, 1)->GetName());
    EXPECT_EQ(4, f.block->GetDownloadLines(1, 3));

    f.Answer("/CONDITION/CLEAR/ENTRY 1-100");
    EXPECT_EQ(0, f.Count(OT_CONDITION));
    // Then only the objects that exist now are asked.
    f.link.lines.clear();
    for (int step = 4; step < CConditionObject::kStepCount;)
        step = f.block->GetDownloadLines(1, step);
    EXPECT_EQ((Lines{"/CONDITION/ANALOG4/LMZ775 ?", "/CONDITION/ANALOG4/MIN ?", "/CONDITION/ANALOG4/MAX ?"}),
              f.link.lines);
}

TEST(ConditionBlock, EntryAnswersMakeDeleteAndSetObjects)
{
    Fixture f(1, 0);
    struct Case {
        const char* line;
        uint32_t type;
        int number;
        bool exists;
    };
    const Case cases[] = {
        {"/CONDITION/ANALOG3/LMZ775 OFF", OT_ANALOG_CONDITION, 3, false},
        {"/CONDITION/ANALOG3/MIN 2", OT_ANALOG_CONDITION, 3, false},
        {"/CONDITION/ANALOG3/LMZ775 4", OT_ANALOG_CONDITION, 3, true},
        {"/CONDITION/ANALOG17/LMZ775 4", OT_ANALOG_CONDITION, 17, false},  // beyond the standard limit
        {"/CONDITION/ANALOG0/LMZ775 4", OT_ANALOG_CONDITION, 0, false},
        {"/CONDITION/BUSY2/PRIO 70", OT_BUSY_CONDITION, 2, false},
        {"/CONDITION/BUSY2/AUDIO NONE", OT_BUSY_CONDITION, 2, true},
        {"/CONDITION/BUSY6/AUDIO ALARM", OT_BUSY_CONDITION, 6, false},
        {"/CONDITION/COMBINE2/LOGIC OFF", OT_COMBINE_CONDITION, 2, false},
        {"/CONDITION/COMBINE2/LOGIC AND", OT_COMBINE_CONDITION, 2, true},
        {"/CONDITION/ENTRY5/FUNCTION MEMO", OT_CONDITION, 5, true},
        {"/CONDITION/ENTRY101/FUNCTION MEMO", OT_CONDITION, 101, false},
        {"/CONDITION/ENTRYx/FUNCTION MEMO", OT_CONDITION, 0, false},
        {"/CONDITION/ENTRY1/FUNCTION ?", OT_CONDITION, 1, false},
    };
    for (const Case& c : cases) {
        f.Answer(c.line);
        EXPECT_EQ(c.exists, f.doc().GetIDManager().IsValidID(c.number, c.type) &&
                                f.doc().GetIDManager().GetBaseDevice(c.number, c.type) != nullptr)
            << c.line;
    }
    EXPECT_EQ("3 *", f.Get<CAnalogCondition>(OT_ANALOG_CONDITION, 3)->GetName());

    f.Answer("/CONDITION/BUSY2/PRIO 70");
    f.Answer("/CONDITION/BUSY2/FULL ON");
    f.Answer("/CONDITION/BUSY2/OUTPUTS 1-4");
    auto* busy = f.Get<CBusyCondition>(OT_BUSY_CONDITION, 2);
    EXPECT_EQ(70, busy->m_priority);
    EXPECT_EQ(1u, busy->m_full);
    EXPECT_EQ("1-4", busy->m_outputs);

    f.Answer("/CONDITION/COMBINE2/COND2/IDX 5");
    f.Answer("/CONDITION/COMBINE2/COND2/INV ON");
    f.Answer("/CONDITION/COMBINE2/COND5/IDX 3");
    f.Answer("/CONDITION/COMBINE2/COND1/IDX OFF");
    auto* comb = f.Get<CCombineCondition>(OT_COMBINE_CONDITION, 2);
    EXPECT_EQ(5, comb->GetValue(5));
    EXPECT_EQ(1, comb->GetValue(4));
    EXPECT_EQ(0, comb->GetValue(3));
    EXPECT_EQ(static_cast<int32_t>(34468), comb->GetValue(0));

    f.Answer("/CONDITION/ENTRY5/INDEX 12");
    f.Answer("/CONDITION/ENTRY5/LEVEL ON");
    auto* cond = f.Get<CCondition>(OT_CONDITION, 5);
    EXPECT_EQ(12, cond->GetValue(condkey::Object));
    EXPECT_EQ("12 *", f.Get<CMemoFlag>(OT_MEMO_FLAG, 12)->GetName());
    EXPECT_EQ(1u, cond->m_level);
    f.Answer("/CONDITION/ENTRY5/FUNCTION OFF");
    EXPECT_EQ(nullptr, f.Get<CCondition>(OT_CONDITION, 5));
}

// The device holding other values than the project: each answer that changes
// an existing entry leaves the project to be saved, one that repeats what the
// entry holds does not.
TEST(ConditionBlock, ReadBackChangesMarkTheProjectAndRepeatedValuesDoNot)
{
    Fixture f(1, 0);
    auto* busy = f.Make<CBusyCondition>(CBusyCondition::kKindId, 1);
    busy->ParseValue(0, "ALARM", nullptr);
    busy->ParseValue(1, "0", nullptr);
    busy->ParseValue(5, "0", nullptr);
    auto* comb = f.Make<CCombineCondition>(CCombineCondition::kKindId, 1);
    comb->ParseValue(0, "AND");
    auto* cond = f.Make<CCondition>(34253, 1);
    cond->ParseValue(condkey::Keyword, "ALARM");
    struct Case {
        const char* line;
        bool changes;
    };
    const Case cases[] = {
        {"/CONDITION/BUSY1/AUDIO ALARM", false},
        {"/CONDITION/BUSY1/AUDIO CHIME", true},
        {"/CONDITION/BUSY1/OUTPUTS 1-4", true},
        {"/CONDITION/BUSY1/ZONES 0", false},
        {"/CONDITION/BUSY1/ZONES 3-5", true},
        {"/CONDITION/COMBINE1/LOGIC AND", false},
        {"/CONDITION/COMBINE1/LOGIC XOR", true},
        {"/CONDITION/ENTRY1/FUNCTION ALARM", false},
        {"/CONDITION/ENTRY1/FUNCTION CHIME", true},
    };
    for (const Case& c : cases) {
        f.doc().SetModifiedFlag(false);
        f.Answer(c.line);
        EXPECT_EQ(c.changes, f.doc().IsModified()) << c.line;
    }
}
