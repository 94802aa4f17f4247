// The spare-amplifier table's transfer and the extended LMZ card data.

#include <gtest/gtest.h>

#include "support/BlockTestSupport.h"
#include "hardware/CLMZEx.h"
#include "hardware/CSpareAmp.h"

using namespace blocktest;

namespace {

// The document's table, made as the document's default objects make it.
CSpareAmp* Table(BlockHarness& h)
{
    if (auto* t = dynamic_cast<CSpareAmp*>(h.doc().GetIDManager().GetBaseDevice(1, OT_SPARE_AMP)))
        return t;
    return h.Add<CSpareAmp>(34370, CAT_AUDIO);
}

}  // namespace

TEST(SpareAmpTransfer, EmptyTableDownloadWithAndWithoutClearCapability)
{
    {
        BlockHarness h;
        h.profile.Set("SPAREAMP_CLR", 1);
        ASSERT_NE(nullptr, Table(h));
        EXPECT_EQ(345, h.Walk(*Table(h), 0));
        EXPECT_EQ((std::vector<std::string>{"/SPAREAMP/CLEAR ALL"}), h.link.lines);
    }
    BlockHarness h;
    EXPECT_EQ(345, h.Walk(*Table(h), 0));
    ASSERT_EQ(9u, h.link.lines.size());
    EXPECT_EQ("/SPAREAMP/ENTRY1/INDEX 0", h.link.lines[1]);
    EXPECT_EQ("/SPAREAMP/ENTRY8/INDEX 0", h.link.lines[8]);
}

TEST(SpareAmpTransfer, EntryWithWatchesDownloadsAndRoundTrips)
{
    BlockHarness h;
    h.profile.Set("SPAREAMP_CLR", 1);
    CSpareAmp* t = Table(h);
    t->SetEntry(1, "Reserve", true, OT_READY_INPUT, 7, 0);
    t->SetWatch(0, 1, OT_READY_INPUT, 3, 0);
    t->m_entries[1].watch[0].outRelay = 12;
    t->m_entries[1].watch[0].inRelay = 4;
    t->m_entries[1].watch[2].outRelay = 9;  // a watch without index: only its index line
    h.Walk(*t, 0);
    EXPECT_EQ((std::vector<std::string>{
                  "/SPAREAMP/CLEAR ALL", "/SPAREAMP/ENTRY2/INDEX 7", "/SPAREAMP/ENTRY2/REMOTE NO",
                  "/SPAREAMP/ENTRY2/WATCH1/INDEX 3", "/SPAREAMP/ENTRY2/WATCH1/REMOTE NO",
                  "/SPAREAMP/ENTRY2/WATCH1/OUTRELAY 12", "/SPAREAMP/ENTRY2/WATCH1/INPRELAY 4",
                  "/SPAREAMP/ENTRY2/WATCH2/INDEX 0", "/SPAREAMP/ENTRY2/WATCH3/INDEX 0",
                  "/SPAREAMP/ENTRY2/WATCH4/INDEX 0", "/SPAREAMP/ENTRY2/WATCH5/INDEX 0",
                  "/SPAREAMP/ENTRY2/WATCH6/INDEX 0", "/SPAREAMP/ENTRY2/WATCH7/INDEX 0",
                  "/SPAREAMP/ENTRY2/WATCH8/INDEX 0", "/SPAREAMP/ENTRY2/WATCH9/INDEX 0",
                  "/SPAREAMP/ENTRY2/WATCH10/INDEX 0"}),
              h.link.lines);

    // Saved and loaded with the project: entries, watches and names come back.
    Bytes data = StoreOwnData(*t);
    auto loaded = LoadTagged("CSpareAmp", 3, Concat(StoreCommon(*t), data));
    auto* back = dynamic_cast<CSpareAmp*>(loaded.get());
    ASSERT_NE(nullptr, back);
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    EXPECT_TRUE(back->GetEntry(1, name, kind, index));
    EXPECT_EQ("Reserve", name);
    EXPECT_EQ(uint32_t{OT_READY_INPUT}, kind);
    EXPECT_EQ(7, index);
    EXPECT_EQ(12, back->m_entries[1].watch[0].outRelay);
    EXPECT_FALSE(back->GetEntry(0, name, kind, index));
}

TEST(SpareAmpTransfer, UploadWaitsForClearAnswerAndReadsValuesBack)
{
    BlockHarness h;
    h.profile.Set("SPAREAMP_CLR", 1);
    CSpareAmp* t = Table(h);
    t->SetEntry(3, "Alt", true, OT_READY_INPUT, 2, 0);
    // Without the clear answer the upload stays at the clear step.
    EXPECT_EQ(0, h.Walk(*t, 1));
    EXPECT_EQ((std::vector<std::string>{"/SPAREAMP/CLEAR ?"}), h.link.lines);

    h.link.lines.clear();
    const int end = h.Walk(*t, 1, [](const std::string& sent) -> std::vector<std::string> {
        if (sent == "/SPAREAMP/CLEAR ?")
            return {"/SPAREAMP/CLEAR 1,4-8"};
        if (sent == "/SPAREAMP/ENTRY3/REMOTE ?")
            return {"/SPAREAMP/ENTRY3/REMOTE NO"};
        if (sent == "/SPAREAMP/ENTRY3/INDEX ?")
            return {"/SPAREAMP/ENTRY3/INDEX 5"};
        if (sent == "/SPAREAMP/ENTRY3/WATCH2/OUTRELAY ?")
            return {"/SPAREAMP/ENTRY3/WATCH2/OUTRELAY OFF"};
        return {};
    });
    EXPECT_EQ(345, end);
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    // Entries 2 and 3 stay in use and are named; the others are emptied.
    EXPECT_TRUE(t->GetEntry(1, name, kind, index));
    EXPECT_EQ("Havarieverstärker 2", name);
    EXPECT_TRUE(t->GetEntry(2, name, kind, index));
    EXPECT_EQ(uint32_t{OT_READY_INPUT}, kind);
    EXPECT_EQ(5, index);
    EXPECT_FALSE(t->GetEntry(3, name, kind, index));
    EXPECT_EQ("", name);
    // Only the named entries 2 and 3 were asked for: 43 lines each.
    EXPECT_EQ(1u + 2 * 43, h.link.lines.size());

    // Out-of-range entries and watches change nothing.
    const SpareEntry before = t->m_entries[2];
    h.Answer("/SPAREAMP/ENTRY9/INDEX 4");
    h.Answer("/SPAREAMP/ENTRY3/WATCH11/INDEX 4");
    h.Answer("/SPAREAMP/ENTRY3/INDEX ?");
    h.Answer("/SPAREAMP/ENTRY3/INDEX 8", linkstate::Download);
    EXPECT_EQ(before.index, t->m_entries[2].index);
    h.Answer("/SPAREAMP/ENTRY3/WATCH2/INPRELAY 6");
    EXPECT_EQ(6, t->m_entries[2].watch[1].inRelay);
}

// What the device answers replaces the design's table: an answer that differs
// marks the project modified, so closing it asks; the same values read back,
// or the same choice made again, leave it unmodified.
TEST(SpareAmpTransfer, AnUploadThatChangesTheTableMarksTheProject)
{
    BlockHarness h;
    CSpareAmp* t = Table(h);
    t->SetEntry(2, "Reserve", true, OT_READY_INPUT, 5, 0);
    h.doc().SetModifiedFlag(false);
    t->SetEntry(2, "Reserve", true, OT_READY_INPUT, 5, 0);
    t->SetWatch(0, 2, 0, 0, 0);
    EXPECT_FALSE(h.doc().IsModified()) << "the same choice again";

    h.Answer("/SPAREAMP/ENTRY3/INDEX 5");
    h.Answer("/SPAREAMP/ENTRY3/REMOTE NO");
    h.Answer("/SPAREAMP/CLEAR 1-2,4-8");
    EXPECT_FALSE(h.doc().IsModified()) << "the design's own values read back";

    for (const char* line : {"/SPAREAMP/ENTRY3/REMOTE YES", "/SPAREAMP/ENTRY3/WATCH2/OUTRELAY 6",
                             "/SPAREAMP/CLEAR 1,4-8"}) {
        h.doc().SetModifiedFlag(false);
        h.Answer(line);
        EXPECT_TRUE(h.doc().IsModified()) << line;
    }
}

TEST(SpareAmpTransfer, OldTableWithoutNamesLoadsUnused)
{
    CSpareAmp t;
    t.SetEntryCleared(0, false);
    t.m_entries[0].index = 4;
    auto loaded = LoadTagged("CSpareAmp", 2, Concat(StoreCommon(t), Bytes(8 * 84, 0)));
    auto* back = dynamic_cast<CSpareAmp*>(loaded.get());
    ASSERT_NE(nullptr, back);
    for (int n = 0; n < CSpareAmp::kEntries; ++n)
        EXPECT_TRUE(back->IsEntryCleared(n));
}

TEST(LMZExData, EntriesRoundTripTablesDoNotAndClearLines)
{
    CLMZEx ex;
    ex.m_entries[0].firstText = "Eingangskarte 1";
    ex.m_entries[7].secondText = "ABCDE";
    ex.m_entries[3].words[8] = 0xBEEF;
    ex.m_firstTable[10] = 3;
    ex.m_markers[0] = 1;
    auto loaded = LoadTagged("CLMZEx", 1, Concat(StoreCommon(ex), StoreOwnData(ex)));
    auto* back = dynamic_cast<CLMZEx*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(OT_LMZ_EX, back->GetType());
    EXPECT_EQ("Eingangskarte 1", back->m_entries[0].firstText);
    EXPECT_EQ("ABCDE", back->m_entries[7].secondText);
    EXPECT_EQ(0xBEEF, back->m_entries[3].words[8]);
    EXPECT_EQ(-1, back->m_firstTable[10]);
    EXPECT_EQ(-1, back->m_markers[0]);

    // Texts longer than their buffers are cut on loading.
    Bytes own;
    PutText(own, "12345678901234567890");
    PutText(own, "1234567");
    own.resize(own.size() + 18, 0);
    for (int e = 1; e < CLMZEx::kEntries; ++e) {
        PutText(own, "");
        PutText(own, "");
        own.resize(own.size() + 18, 0);
    }
    auto cut = LoadTagged("CLMZEx", 1, Concat(StoreCommon(ex), own));
    auto* c = dynamic_cast<CLMZEx*>(cut.get());
    ASSERT_NE(nullptr, c);
    EXPECT_EQ("123456789012345", c->m_entries[0].firstText);
    EXPECT_EQ("12345", c->m_entries[0].secondText);

    // One clear line per transfer. Without a path of its own nothing is sent
    // (a bare "/CLEAR ALL" would clear the whole device) and nothing is reset.
    BlockHarness h;
    auto* obj = new CLMZEx;
    ASSERT_EQ(1, obj->Create(0, 0, 0, "LMZ Ex", 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3, h.active.get()));
    h.doc().AddObject(obj, CAT_DIGITAL_IO);
    obj->m_entries[2].firstText = "kept";
    obj->m_entries[5].words[3] = 7;
    h.Walk(*obj, 1);
    EXPECT_TRUE(h.link.lines.empty());
    EXPECT_EQ("kept", obj->m_entries[2].firstText);
    obj->m_path = "/LMZEX";
    h.Walk(*obj, 0);
    EXPECT_EQ((std::vector<std::string>{"/LMZEX/CLEAR ALL"}), h.link.lines);
    EXPECT_EQ("kept", obj->m_entries[2].firstText);

    // A project file holding the card opens with it.
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(h.doc().SaveToBytes()));
    auto* back2 = dynamic_cast<CLMZEx*>(reopened.GetIDManager().GetBaseDevice(obj->GetNumber(), OT_LMZ_EX));
    ASSERT_NE(nullptr, back2);
    EXPECT_EQ("kept", back2->m_entries[2].firstText);
    EXPECT_EQ(7, back2->m_entries[5].words[3]);

    // The upload query resets the block before it is sent.
    obj->m_firstTable[4] = 2;
    obj->m_markers[1] = 0;
    bool resetWhenSent = false;
    h.Walk(*obj, 1, [&](const std::string& sent) {
        resetWhenSent = sent == "/LMZEX/CLEAR ?" && obj->m_entries[2].firstText.empty() &&
                        obj->m_entries[5].words[3] == 0 && obj->m_firstTable[4] == -1 && obj->m_markers[1] == -1;
        return std::vector<std::string>{};
    });
    EXPECT_EQ((std::vector<std::string>{"/LMZEX/CLEAR ALL", "/LMZEX/CLEAR ?"}), h.link.lines);
    EXPECT_TRUE(resetWhenSent);

    // The entries the reset empties are a change of the project; the query
    // of a block that holds nothing is none.
    h.doc().SetModifiedFlag(false);
    h.Walk(*obj, 1);
    EXPECT_FALSE(h.doc().IsModified());
    obj->m_entries[6].secondText = "AB";
    h.doc().SetModifiedFlag(false);
    h.Walk(*obj, 1);
    EXPECT_TRUE(h.doc().IsModified());
}
