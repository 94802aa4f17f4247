// Project files the fuzzer found to break the loading of the central device's
// cards (fuzz/fuzz_qlx_load), rebuilt as regular cases: a damaged file either
// loads or is refused with a message, never runs into undefined behaviour
// (the sanitizer build catches that) and never leaves half a project behind.

#include <gtest/gtest.h>

#include <climits>

#include "support/ModelTestHost.h"
#include "hardware/CAudioOutputSlot.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"

namespace {

class HardwareFuzzFindings : public ::testing::Test {
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
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            EXPECT_TRUE(doc.GetList(c).empty());
        return false;
    }
};

// An output card stored with a number far beyond the two cards there are:
// naming its outputs computed 2 * number - 1 and overflowed.
TEST_F(HardwareFuzzFindings, OutputCardWithAHugeNumber)
{
    CQuillomerDoc doc;
    ActiveDocScope active(&doc);
    doc.OnNewDocument();
    CBaseDevice* card = nullptr;
    for (CBaseDevice* obj : doc.GetList(CAT_OUTPUT_SLOT))
        if (dynamic_cast<CAudioOutputSlot*>(obj))
            card = obj;
    ASSERT_NE(nullptr, card);
    for (int32_t number : {1702249795, INT_MAX, INT_MIN, -1702249795}) {
        card->m_number = number;
        const bool loaded = LoadsOrIsRefused(doc.SaveToBytes());
        (void)loaded;  // either is sound; the sanitizers judge the way there
    }
}

}  // namespace
