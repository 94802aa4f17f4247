#include <gtest/gtest.h>

#include "service/CEventLog.h"
#include "service/CFault.h"
#include "service/CFuse.h"
#include "service/CZonetestObject.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
template <typename T>
T* Find(CQuillomerDoc& doc, uint32_t type)
{
    return dynamic_cast<T*>(doc.GetIDManager().GetBaseDevice(1, type));
}
}  // namespace

TEST(ServiceDocument, NewProjectHoldsTheServiceObjectsAndTheFileKeepsThem)
{
    Bytes file;
    {
        ActiveDoc d;
        ASSERT_TRUE(d.doc().OnNewDocument());
        auto* fuse = Find<CFuse>(d.doc(), OT_FUSE);
        auto* fault = Find<CFault>(d.doc(), OT_FAULT);
        auto* log = Find<CEventLog>(d.doc(), OT_EVENT_LOG);
        auto* zt = Find<CZonetestObject>(d.doc(), OT_ZONETEST_OBJECT);
        ASSERT_NE(nullptr, fuse);
        ASSERT_NE(nullptr, fault);
        ASSERT_NE(nullptr, log);
        ASSERT_NE(nullptr, zt);
        EXPECT_EQ(CAT_INTERFACE, fuse->GetCategory());
        EXPECT_EQ(CAT_AUDIO, fault->GetCategory());
        EXPECT_EQ(fuse, d.doc().LookupPath("/FUSE"));
        EXPECT_EQ(fault, d.doc().LookupPath("/FAULT"));
        EXPECT_EQ(log, d.doc().LookupPath("/EVENT/LOG"));
        EXPECT_EQ(zt, d.doc().LookupPath("/SERVICE/ZONETEST"));

        fuse->m_steps[CFuse::Amp485] = 1;
        fault->SetValue(0, "LMZ,CONS");
        fault->SetValue(2, "4");
        log->SetValue(3, "1-5");
        zt->SetValue(CZonetestObject::WipeCycles, "12");
        zt->m_startAppointment = 2;
        file = d.doc().SaveToBytes();
    }
    ActiveDoc d;
    ASSERT_TRUE(d.doc().LoadFromBytes(file));
    auto* fuse = Find<CFuse>(d.doc(), OT_FUSE);
    auto* fault = Find<CFault>(d.doc(), OT_FAULT);
    auto* log = Find<CEventLog>(d.doc(), OT_EVENT_LOG);
    auto* zt = Find<CZonetestObject>(d.doc(), OT_ZONETEST_OBJECT);
    ASSERT_NE(nullptr, fuse);
    ASSERT_NE(nullptr, fault);
    ASSERT_NE(nullptr, log);
    ASSERT_NE(nullptr, zt);
    EXPECT_EQ(1, fuse->m_steps[CFuse::Amp485]);
    EXPECT_EQ(3, fuse->m_steps[CFuse::Slot1A]);
    EXPECT_EQ("LMZ,CONS", fault->GetValue(0));
    EXPECT_EQ("4", fault->GetValue(2));
    EXPECT_EQ("1-5", log->GetValue(3));
    EXPECT_EQ("12", zt->GetValue(CZonetestObject::WipeCycles));
    EXPECT_EQ(2, zt->m_startAppointment);
    EXPECT_EQ(fuse, d.doc().LookupPath("/FUSE"));
    EXPECT_EQ(log, d.doc().LookupPath("/EVENT/LOG"));
    EXPECT_EQ(zt, d.doc().LookupPath("/SERVICE/ZONETEST"));
    EXPECT_EQ(1, d.doc().GetIDManager().GetCount(OT_EVENT_LOG));
}

TEST(ServiceDocument, ClassTagsCarryTheFileSchemas)
{
    EXPECT_EQ(1, CFuse::classInfo.schema);
    EXPECT_EQ(2, CFault::classInfo.schema);
    EXPECT_EQ(2, CEventLog::classInfo.schema);
    EXPECT_EQ(1, CZonetestObject::classInfo.schema);
    EXPECT_EQ(&CFuse::classInfo, CClassRegistry::Find("CFuse"));
    EXPECT_EQ(&CZonetestObject::classInfo, CClassRegistry::Find("CZonetestObject"));
    EXPECT_EQ(32u, CFuse().GetType());
    EXPECT_EQ(59u, CFault().GetType());
    EXPECT_EQ(65u, CEventLog().GetType());
    EXPECT_EQ(66u, CZonetestObject().GetType());
}
