// Project files the fuzzer found to break the loader (fuzz/fuzz_qlx_load),
// rebuilt as regular cases. A damaged file either loads or is refused with a
// reason; it never runs into undefined behaviour (the sanitizer build
// catches that) and never leaves half a project behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "support/ModelTestHost.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"

namespace {

class SaveFaultFuzzFindings : public ::testing::Test {
protected:
    ModelTestHost host;
    MessageLog messages;

    // Loads `bytes`; true when it loaded. A refusal must leave nothing behind.
    bool LoadsOrIsRefused(const std::vector<uint8_t>& bytes)
    {
        CQuillomerDoc doc;
        ActiveDocScope active(&doc);
        if (doc.LoadFromBytes(bytes))
            return true;
        EXPECT_FALSE(doc.GetLoadError().reason.empty());
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            EXPECT_TRUE(doc.GetList(c).empty());
        return false;
    }
};

// A symbol whose rectangle spans more than the int range (top far below 0,
// bottom above it): laying out its connection points computed the height as
// bottom - top and overflowed. Such coordinates are no sheet's: they are
// brought into range, the project loads and says which symbol was moved.
TEST_F(SaveFaultFuzzFindings, SymbolRectangleBeyondTheIntRange)
{
    CQuillomerDoc doc;
    ActiveDocScope active(&doc);
    doc.OnNewDocument();
    CBaseDevice* victim = nullptr;
    for (CBaseDevice* obj : doc.GetList(CAT_AUDIO))
        if (!obj->m_inputPoints.empty() || !obj->m_outputPoints.empty()) {
            victim = obj;
            break;
        }
    ASSERT_NE(nullptr, victim);
    const size_t objects = doc.GetList(CAT_AUDIO).size();
    // The digital slot lays its symbol out from the top when it loads: moved
    // to the limit of the bounds, its bottom ended beyond them again, and the
    // saved project was "moved" at every load.
    CBaseDevice* slot = doc.GetList(CAT_DIGITAL_SLOT).front();
    for (CBaseDevice* obj : {victim, slot}) {
        const CRect kept = obj->m_rect;
        for (const CRect r : {CRect(0, -2147418112, 10, 65536), CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)}) {
            obj->m_rect = r;
            CQuillomerDoc loaded;
            ASSERT_TRUE(loaded.LoadFromBytes(doc.SaveToBytes()));
            EXPECT_EQ(loaded.GetList(CAT_AUDIO).size(), objects);
            EXPECT_EQ(loaded.GetMovedOnLoad(), std::vector<std::string>{obj->GetName()});
            EXPECT_TRUE(loaded.IsModified());
            CQuillomerDoc again;
            ASSERT_TRUE(again.LoadFromBytes(loaded.SaveToBytes()));
            EXPECT_FALSE(again.IsModified()) << again.GetMovedOnLoad().front();
        }
        obj->m_rect = kept;
    }

    // Far outside the sheet but well inside the arithmetic: loaded as it is.
    victim->m_rect = CRect(-100000, -100000, 100000, 100000);
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(doc.SaveToBytes()));
    EXPECT_TRUE(loaded.GetMovedOnLoad().empty());
    EXPECT_FALSE(loaded.IsModified());
}

// A digital slot of an older file is moved 20 units down when it loads: one
// standing at the very bound ended beyond it, and the saved project was
// "moved" again at every load. Loading keeps it inside and says so once.
TEST_F(SaveFaultFuzzFindings, OlderSlotMovedPastTheBoundWhileLoading)
{
    CQuillomerDoc doc;
    ActiveDocScope active(&doc);
    doc.OnNewDocument();
    CBaseDevice* slot = doc.GetList(CAT_DIGITAL_SLOT).front();
    slot->m_rect.bottom = 1 << 24;
    std::vector<uint8_t> bytes = doc.SaveToBytes();
    const std::string tag = std::string("\x0c\0CDigitalSlot", 14);
    const auto at = std::search(bytes.begin(), bytes.end(), tag.begin(), tag.end());
    ASSERT_NE(at, bytes.end());
    at[-2] = 1;  // the class's schema: an older file
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    EXPECT_EQ(loaded.GetMovedOnLoad(), std::vector<std::string>{slot->GetName()});
    EXPECT_LE(loaded.GetList(CAT_DIGITAL_SLOT).front()->GetRect().bottom, 1 << 24);
    CQuillomerDoc again;
    ASSERT_TRUE(again.LoadFromBytes(loaded.SaveToBytes()));
    EXPECT_FALSE(again.IsModified());
}

}  // namespace

// A link record that still names the list its partner came from (the partner
// was moved to another list while loading) was saved with the partner's index
// in its new list under the old list's number: the next load found another
// object or none, and the link was lost on one side only.
TEST_F(SaveFaultFuzzFindings, LinkToAPartnerStoredInAnotherListKeepsItsPartner)
{
    CQuillomerDoc doc;
    ActiveDocScope active(&doc);
    doc.OnNewDocument();
    CBaseDevice* from = doc.GetList(CAT_AUDIO).front();
    CBaseDevice* to = doc.GetList(CAT_AUDIO).back();
    ASSERT_NE(from, to);
    from->LinkTo(77, to, 78);
    from->GetOutLinkAtKey(77)->partnerCategory = CAT_DIGITAL_SLOT;
    CQuillomerDoc loaded;
    ActiveDocScope activeLoaded(&loaded);
    ASSERT_TRUE(loaded.LoadFromBytes(doc.SaveToBytes()));
    const CBaseDevice* loadedFrom = loaded.GetList(CAT_AUDIO).front();
    const LinkRecord* out = loadedFrom->GetOutLinkAtKey(77);
    ASSERT_NE(nullptr, out);
    ASSERT_TRUE(out->HasPartner());
    EXPECT_EQ(loaded.GetList(CAT_AUDIO).back(), out->partner);
    EXPECT_EQ(CAT_AUDIO, out->partnerCategory);
    EXPECT_EQ(loadedFrom, loaded.GetList(CAT_AUDIO).back()->GetInLinkAtKey(78)->partner);
}
