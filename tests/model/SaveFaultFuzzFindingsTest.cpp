// Project files the fuzzer found to break the loader (fuzz/fuzz_qlx_load),
// rebuilt as regular cases. A damaged file either loads or is refused with a
// message; it never runs into undefined behaviour (the sanitizer build
// catches that) and never leaves half a project behind.

#include <gtest/gtest.h>

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
        messages.texts.clear();
        if (doc.LoadFromBytes(bytes))
            return true;
        EXPECT_EQ(1u, messages.texts.size());
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            EXPECT_TRUE(doc.GetList(c).empty());
        return false;
    }
};

// A symbol whose rectangle spans more than the int range (top far below 0,
// bottom above it): laying out its connection points computed the height as
// bottom - top and overflowed. Such coordinates are no sheet's: the file is
// refused.
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
    victim->m_rect = CRect(0, -2147418112, 10, 65536);
    EXPECT_FALSE(LoadsOrIsRefused(doc.SaveToBytes()));

    victim->m_rect = CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_FALSE(LoadsOrIsRefused(doc.SaveToBytes()));

    // Far outside the sheet but well inside the arithmetic: still a project.
    victim->m_rect = CRect(-100000, -100000, 100000, 100000);
    EXPECT_TRUE(LoadsOrIsRefused(doc.SaveToBytes()));
}

}  // namespace
