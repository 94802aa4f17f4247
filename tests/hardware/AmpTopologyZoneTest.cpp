// The relay topology and zone classes as far as the amplifier uses them:
// their stored data under every schema and the topology's zones.

#include <gtest/gtest.h>

#include "model/CQuillomerDoc.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"

using blocktest::Bytes;
using blocktest::PutI32;
using blocktest::PutText;
using blocktest::PutU16;
using blocktest::PutU32;

TEST(AmpTopologyZone, ZoneStoredBytesAndOlderSchemas)
{
    CZone zone;
    zone.m_negTolerance = 7;
    zone.m_posTolerance = 12;
    zone.m_ignoredFaults = "POSTOL,GNDFLT";
    zone.m_testVolume = -30;
    Bytes own;
    PutI32(own, 7);
    PutI32(own, 12);
    PutText(own, "POSTOL,GNDFLT");
    PutI32(own, -30);
    EXPECT_EQ(own, blocktest::StoreOwnData(zone));
    const Bytes common = blocktest::StoreCommon(zone);

    auto z3 = blocktest::LoadTagged("CZone", 3, blocktest::Concat(common, own));
    auto* back = dynamic_cast<CZone*>(z3.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(12, back->m_posTolerance);
    EXPECT_EQ("POSTOL,GNDFLT", back->m_ignoredFaults);
    EXPECT_EQ(-30, back->m_testVolume);

    // Schema 2 has nothing after the common part: the defaults stay.
    auto z2 = blocktest::LoadTagged("CZone", 2, common);
    auto* two = dynamic_cast<CZone*>(z2.get());
    ASSERT_NE(nullptr, two);
    EXPECT_EQ(-20, two->m_testVolume);
    EXPECT_EQ("NONE", two->m_ignoredFaults);

    // Schemas 0 and 1: eight words to skip, then the two old relay tables.
    Bytes old;
    for (int i = 0; i < 8; ++i)
        PutU32(old, 0xDEAD0000u + i);
    PutU16(old, 2);
    PutU32(old, 5);
    PutU32(old, 0x10000009u);
    PutU16(old, 0);
    auto z1 = blocktest::LoadTagged("CZone", 1, blocktest::Concat(common, old));
    auto* one = dynamic_cast<CZone*>(z1.get());
    ASSERT_NE(nullptr, one);
    EXPECT_EQ((std::vector<uint32_t>{5, 0x10000009u}), one->m_oldRelays);
    EXPECT_TRUE(one->m_oldRelays2.empty());
    one->m_kindId = 0;
    one->PostLoad();
    EXPECT_EQ(CZone::kKind, one->GetKindId());
}

TEST(AmpTopologyZone, TopologyStoredBytesAndOlderSchema)
{
    CRelaisTopology t;
    t.m_zoneCount = 3;
    t.m_relayFunction = 1;
    t.m_reserved = 9;
    t.m_collCallNumber = 4;
    Bytes own;
    PutI32(own, 3);
    PutI32(own, 1);
    PutI32(own, 9);
    PutI32(own, 4);
    EXPECT_EQ(own, blocktest::StoreOwnData(t));
    const Bytes common = blocktest::StoreCommon(t);
    auto t2 = blocktest::LoadTagged("CRelaisTopology", 2, blocktest::Concat(common, own));
    auto* back = dynamic_cast<CRelaisTopology*>(t2.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(3, back->m_zoneCount);
    EXPECT_EQ(4, back->m_collCallNumber);

    // Version 1 carries the relay lists; a call number without the collective-call function is dropped.
    Bytes old;
    PutI32(old, 2);
    PutI32(old, 2);  // "gem. Pflichtrelais"
    PutI32(old, 0);
    PutI32(old, 6);
    PutU16(old, 1);
    PutU32(old, 0x10000017u);
    PutU16(old, 1);
    PutU32(old, 8);
    auto t1 = blocktest::LoadTagged("CRelaisTopology", 1, blocktest::Concat(common, old));
    auto* one = dynamic_cast<CRelaisTopology*>(t1.get());
    ASSERT_NE(nullptr, one);
    EXPECT_EQ(0, one->m_collCallNumber);
    EXPECT_EQ(std::vector<uint32_t>{0x10000017u}, one->m_relayList);
    EXPECT_EQ(std::vector<uint32_t>{8}, one->m_secondList);
}

TEST(AmpTopologyZone, NewTopologyMakesOneZonePerOutput)
{
    blocktest::ActiveDoc doc;
    ModelTestHost host;
    auto* t = new CRelaisTopology;
    ASSERT_EQ(1, t->Create(topologykind::OneInN, 1, 3, nullptr, 500, 300, 500, 300, CAT_RELAIS_TOPOLOGY, 0, 0,
                           &doc.doc()));
    doc.doc().AddObject(t, CAT_RELAIS_TOPOLOGY);
    // 150 right of the point, 35 per output; its input lies on the given height.
    EXPECT_EQ(650, t->GetRect().left);
    EXPECT_EQ(750, t->GetRect().right);
    EXPECT_EQ(105, t->GetRect().Height());
    EXPECT_EQ(CPoint(649, 300), t->m_inputPoints[0]);
    EXPECT_EQ(3, t->m_zoneCount);
    EXPECT_EQ("Topologie 1", t->GetName());
    const ObjectList& zones = doc.doc().GetList(CAT_ZONE);
    ASSERT_EQ(3u, zones.size());
    int key = 0;
    for (CBaseDevice* z : zones) {
        EXPECT_EQ(CZone::kKind, z->GetKindId());
        EXPECT_EQ(OT_ZONE, z->GetType());
        const LinkRecord* up = z->GetOutLinkAtKey(0);
        ASSERT_NE(nullptr, up);
        EXPECT_EQ(t, up->partner);
        EXPECT_EQ(key, up->partnerKey);
        EXPECT_EQ(z, t->GetInLinkAtKey(key)->partner);
        // A zone stands 20 units right of the output it hangs on.
        EXPECT_EQ(t->m_outputPoints[key].x + 20, z->GetRect().left);
        ++key;
    }
    EXPECT_EQ("Linie 3", zones.back()->GetName());
    EXPECT_EQ("/KVT/ZONE3", zones.back()->GetPath());
}
