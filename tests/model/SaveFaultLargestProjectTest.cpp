// The largest legal project: it is built within every limit, saves, loads
// back to the same objects and links, and saves again to the same bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "support/LargestProject.h"
#include "support/ModelTestHost.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "paging/CRelaisTopology.h"
#include "platform/StringTable.h"

#include <unistd.h>

namespace {

class LargestProjectTest : public ::testing::Test {
protected:
    ModelTestHost host;
    MessageLog messages;
};

// The block objects take their fixed names when loaded.
bool IsBlockObject(const CBaseDevice* obj)
{
    switch (obj->GetType()) {
    case OT_MACRO_OBJECT:
    case OT_TRIGGER_OBJECT:
    case OT_CONDITION_OBJECT:
    case OT_CAL_OBJECT:
    case OT_LOGIC_OUT_OBJECT:
    case OT_READY_INP_OBJECT:
    case OT_CONSOLE_OBJECT:
        return true;
    default:
        return false;
    }
}

// Every object in list order with its identity and links, as text. `asBuilt`
// leaves out what loading sets anew: the protocol paths (groups answer under
// the clear path once loaded) and the names of the block objects.
std::string Describe(const CQuillomerDoc& doc, bool asBuilt)
{
    std::string out;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c) {
        for (const CBaseDevice* obj : doc.GetList(c)) {
            const bool keepName = !asBuilt || !IsBlockObject(obj);
            out += StrFormat("%d %s t%u k%u n%d '%s' %s r%d,%d,%d,%d\n", c, obj->GetRuntimeClass()->className,
                             obj->GetType(), obj->GetKindId(), obj->GetNumber(),
                             keepName ? obj->GetName().c_str() : "", asBuilt ? "" : obj->GetPath().c_str(),
                             obj->GetRect().left, obj->GetRect().top,
                             obj->GetRect().right, obj->GetRect().bottom);
            for (const LinkRecord* r : obj->m_outLinks)
                out += StrFormat("  out %d -> %s/%d key %d cat %d\n", r->ownKey,
                                 r->HasPartner() ? r->partner->GetName().c_str() : "-",
                                 r->HasPartner() ? r->partner->GetNumber() : -1, r->partnerKey, r->partnerCategory);
            for (const LinkRecord* r : obj->m_inLinks)
                out += StrFormat("  in %d <- %s/%d key %d cat %d\n", r->ownKey,
                                 r->HasPartner() ? r->partner->GetName().c_str() : "-",
                                 r->HasPartner() ? r->partner->GetNumber() : -1, r->partnerKey, r->partnerCategory);
        }
    }
    return out;
}

TEST_F(LargestProjectTest, FillsEveryTypeToItsLimitAndNoFurther)
{
    // With the windows linked in, a new topology opens its dialog modally:
    // the project is built without it, and the dialog is back afterwards.
    static int dialogs = 0;
    const CRelaisTopology::DialogFn counting = [](CRelaisTopology*) { return ++dialogs > 0; };
    const CRelaisTopology::DialogFn previous = CRelaisTopology::SetDialog(counting);
    CQuillomerDoc doc;
    const largest::BuildReport report = largest::Build(doc);
    EXPECT_EQ(counting, CRelaisTopology::SetDialog(previous));
    EXPECT_EQ(0, dialogs);
    EXPECT_EQ("", report.problems);
    for (uint32_t type = OT_FIRST; type <= OT_LAST; ++type) {
        const int32_t n = doc.GetIDManager().GetCount(type);
        EXPECT_LE(n, largest::TargetCount(type)) << "type " << type;
        const uint32_t limit = GetMaxObjectCount(type, 1);
        if (limit == 0)
            continue;
        EXPECT_LE(n, static_cast<int32_t>(limit)) << "type " << type;
        // The device numbers its objects 1..limit.
        DeviceList objects;
        doc.GetIDManager().GetBaseDeviceList(objects, type);
        for (const CBaseDevice* obj : objects) {
            EXPECT_GE(obj->GetNumber(), 1) << obj->GetName();
            EXPECT_LE(obj->GetNumber(), static_cast<int32_t>(limit)) << obj->GetName();
        }
    }
    // The families a user fills by hand are full.
    for (const auto& [type, className] : largest::FilledTypes()) {
        if (CClassRegistry::Find(className) && type != OT_RELAIS_TOPOLOGY) {  // a topology per zone
            EXPECT_EQ(largest::TargetCount(type), doc.GetIDManager().GetCount(type)) << className;
        }
    }
    EXPECT_EQ(250, doc.GetIDManager().GetCount(OT_MACRO));
    EXPECT_EQ(100, doc.GetIDManager().GetCount(OT_ZONE));
    // Linked as a user links: every zone hangs on a topology, macros on zones.
    for (const CBaseDevice* zone : doc.GetList(CAT_ZONE))
        EXPECT_NE(nullptr, zone->GetOutLinkToType(OT_RELAIS_TOPOLOGY)) << zone->GetName();
    EXPECT_GT(report.links, 2000);
    EXPECT_EQ(1, doc.m_data.deviceVariant);
}

TEST_F(LargestProjectTest, SavesAndLoadsBackIdentically)
{
    CQuillomerDoc doc;
    largest::Build(doc);
    const std::string before = Describe(doc, true);
    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    ASSERT_GT(bytes.size(), 10000u);

    const auto dir = std::filesystem::temp_directory_path() / StrFormat("ql-largest-%d", ::getpid());
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "largest.qlx").string();
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(bytes.size(), std::filesystem::file_size(path));

    CQuillomerDoc loaded;
    ActiveDocScope active(&loaded);
    messages.texts.clear();
    ASSERT_TRUE(loaded.OnOpenDocument(path));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(1, loaded.m_data.deviceVariant);
    EXPECT_EQ(doc.m_data.projectName, loaded.m_data.projectName);
    EXPECT_EQ(doc.m_data.projectNumber, loaded.m_data.projectNumber);
    EXPECT_EQ(before, Describe(loaded, true));
    for (uint32_t type = OT_FIRST; type <= OT_LAST; ++type)
        EXPECT_EQ(doc.GetIDManager().GetCount(type), loaded.GetIDManager().GetCount(type)) << "type " << type;

    // From the first load on, saving and loading change nothing at all.
    const std::vector<uint8_t> second = loaded.SaveToBytes();
    CQuillomerDoc again;
    ActiveDocScope activeAgain(&again);
    ASSERT_TRUE(again.LoadFromBytes(second));
    EXPECT_EQ(Describe(loaded, false), Describe(again, false));
    EXPECT_TRUE(second == again.SaveToBytes());
    std::filesystem::remove_all(dir);
}

}  // namespace
