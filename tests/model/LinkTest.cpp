#include <gtest/gtest.h>

#include "ModelTestObjects.h"
#include "model/CQuillomerDoc.h"
#include "support/ModelTestHost.h"

namespace {

struct LinkTest : ::testing::Test {
    MessageLog messages;
    ModelTestHost host;
    CQuillomerDoc doc;
};

TEST_F(LinkTest, LinkIsKeptAtBothEnds)
{
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    zone->LinkTo(0, amp, 1);
    LinkRecord* out = zone->GetOutLinkAtKey(0);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(*out, (LinkRecord{amp, 1, zone, 0, CAT_AMPLIFIER}));
    LinkRecord* in = amp->GetInLinkAtKey(1);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(*in, (LinkRecord{zone, 0, amp, 1, CAT_ZONE}));
    EXPECT_EQ(zone->GetLinkedObjectName(0), "Verstärker 1");
    EXPECT_EQ(zone->GetLinkedName(0), "Verstärker 1");
    EXPECT_EQ(zone->GetLinkedNumber(0), 1);
    EXPECT_EQ(zone->GetLinkedNumber(3), 0);
    EXPECT_EQ(zone->GetLinkedObjectName(3), "");
    EXPECT_EQ(zone->GetOutLinkToType(OT_AMPLIFIER), out);
    EXPECT_EQ(amp->GetInLinkAtKeyOfType(1, OT_ZONE), in);
    EXPECT_EQ(amp->GetInLinkAtKeyOfType(1, OT_GROUP), nullptr);
    EXPECT_EQ(zone->FindOutLink(0, amp, 1, CAT_AMPLIFIER), out);
    EXPECT_EQ(zone->FindOutLink(0, amp, 1, CAT_ZONE), nullptr);
}

TEST_F(LinkTest, RemovingALinkRemovesItsTwin)
{
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    TestDevice* z1 = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    TestDevice* z2 = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    TestDevice* g = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    z1->LinkTo(0, amp, 0);
    z2->LinkTo(0, amp, 1);
    g->LinkTo(0, z1, 0);
    g->LinkTo(0, z2, 0);

    amp->RemoveInLinksAtKey(1);
    EXPECT_TRUE(z2->m_outLinks.empty());
    EXPECT_EQ(amp->m_inLinks.size(), 1u);

    g->RemoveOutLinksTo(z1);
    EXPECT_TRUE(z1->m_inLinks.empty());
    EXPECT_EQ(g->m_outLinks.size(), 1u);

    // Unlink with the record itself: it is copied before it goes.
    z2->UnlinkIn(*z2->m_inLinks.front());
    EXPECT_TRUE(g->m_outLinks.empty());
    EXPECT_TRUE(z2->m_inLinks.empty());

    LinkRecord none{amp, 5, z1, 5, CAT_AMPLIFIER};
    z1->UnlinkOut(none);  // matches nothing: nothing happens
    EXPECT_EQ(z1->m_outLinks.size(), 1u);

    z1->RemoveOutLinksToType(OT_AMPLIFIER);
    EXPECT_TRUE(z1->m_outLinks.empty());
    EXPECT_TRUE(amp->m_inLinks.empty());
}

TEST_F(LinkTest, MissingTwinRemovesOnlyTheRecordThatIsThere)
{
    TestDevice* a = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    TestDevice* z = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    z->AddOutLink(z, 0, a, 0, CAT_AMPLIFIER);  // one end only
    a->AddInLink(a, 7, z, 7, CAT_ZONE);        // an unrelated record
    z->RemoveAllOutLinks();
    EXPECT_TRUE(z->m_outLinks.empty());
    EXPECT_EQ(a->m_inLinks.size(), 1u);
}

TEST_F(LinkTest, NoPartnerRecordIsDroppedWithoutTouchingOthers)
{
    TestDevice* a = MakeDevice(doc, OT_MACRO, CAT_MACRO);
    TestDevice* b = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    a->AddOutLink(a, 3, LinkRecord::NoPartner(), 0, CAT_ZONE);
    a->LinkTo(4, b, 0);
    b->AddInLink(b, 3, a, 3, CAT_MACRO);  // looks like a twin of nothing
    a->RemoveAllOutLinks();
    EXPECT_TRUE(a->m_outLinks.empty());
    EXPECT_EQ(b->m_inLinks.size(), 1u) << "only the real link's twin went";
    EXPECT_EQ(b->m_inLinks.front()->ownKey, 3);
}

TEST_F(LinkTest, DeleteRecordsWorkAtOneEndOnly)
{
    TestDevice* a = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    TestDevice* z = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    z->LinkTo(0, a, 0);
    z->DeleteOutRecord(0, a, 0, CAT_AMPLIFIER);
    EXPECT_TRUE(z->m_outLinks.empty());
    EXPECT_EQ(a->m_inLinks.size(), 1u);
    a->DeleteInRecord(0, z, 0, CAT_ZONE);
    EXPECT_TRUE(a->m_inLinks.empty());
}

TEST_F(LinkTest, CollectorsFilterByTypeAndKind)
{
    TestDevice* pad = MakeDevice(doc, OT_CONTROL_PAD, CAT_DIGITAL_IO);
    TestDevice* c1 = MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO, "c1", CRect(), 1, 1, 34129);
    TestDevice* c2 = MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO, "c2", CRect(), 1, 1, 34323);
    TestDevice* m = MakeDevice(doc, OT_MACRO, CAT_MACRO);
    c1->LinkTo(0, pad, 1);
    c2->LinkTo(0, pad, 1);
    m->LinkTo(1, pad, 2);
    LinkRefList byKind;
    pad->CollectInLinksOfKindAndType(byKind, OT_CONDITION, 34323);
    ASSERT_EQ(byKind.size(), 1u);
    EXPECT_EQ(byKind.front()->partner, c2);
    DeviceList partners;
    m->CollectPartnersOfType(partners, OT_CONTROL_PAD);
    EXPECT_EQ(partners, DeviceList{pad});
    LinkRefList outs;
    c1->CollectOutLinksToType(outs, OT_CONTROL_PAD);
    EXPECT_EQ(outs.size(), 1u);
}

// zone → amplifier (channel 1) → zones on channels 0 and 1 → ...; the walk
// leaves the amplifier only on the channel it entered.
TEST_F(LinkTest, ChainThroughAnAmplifierFollowsItsChannel)
{
    TestDevice* start = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    TestDevice* slotA = MakeDevice(doc, OT_AUDIO_OUTPUT_SLOT, CAT_OUTPUT_SLOT);
    TestDevice* slotB = MakeDevice(doc, OT_AUDIO_OUTPUT_SLOT, CAT_OUTPUT_SLOT);
    start->LinkTo(0, amp, 1);
    amp->LinkTo(0, slotA, 0);  // channel 0 input
    amp->LinkTo(1, slotB, 0);  // channel 1 input
    LinkRefList chain;
    EXPECT_EQ(start->CollectLinkChain(0, CAT_OUTPUT_SLOT, chain, false), 0);
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_EQ(chain.front()->partner, slotB);

    LinkRefList none;
    EXPECT_EQ(start->CollectLinkChain(5, CAT_OUTPUT_SLOT, none, true), 0);
    EXPECT_TRUE(none.empty());
}

TEST_F(LinkTest, ChainCollectsDeeperLevelsAndStopsAtTheCategory)
{
    TestDevice* a = MakeDevice(doc, OT_MACRO, CAT_MACRO);
    TestDevice* b = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    TestDevice* c = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    TestDevice* d = MakeDevice(doc, OT_AUDIO_OUTPUT_SLOT, CAT_OUTPUT_SLOT);
    TestDevice* e = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    a->LinkTo(0, b, 0);
    b->LinkTo(0, c, 0);
    c->LinkTo(0, d, 0);
    d->LinkTo(0, e, 0);  // beyond the wanted category: not walked
    LinkRefList chain;
    a->CollectLinkChain(0, CAT_OUTPUT_SLOT, chain, false);
    // b → c is first level (not the wanted category, not collected); c → d is deeper.
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_EQ(chain.front()->partner, d);
    LinkRefList all;
    a->CollectOutLinksToCategory(CAT_OUTPUT_SLOT, all, true);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all.front()->partner, d) << "collected at the head";
}

TEST_F(LinkTest, LoopsOfLinksDoNotRunForever)
{
    TestDevice* g1 = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    TestDevice* g2 = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    g1->LinkTo(0, g2, 0);
    g2->LinkTo(0, g1, 0);
    LinkRefList chain;
    g1->CollectLinkChain(0, CAT_ZONE, chain, false);
    g1->CollectOutLinksToCategory(CAT_ZONE, chain, true);
    EXPECT_FALSE(chain.empty());
}

TEST_F(LinkTest, SetDocModifiedMarksTheTitleOnce)
{
    TestDevice* a = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    doc.SetModifiedFlag(false);
    doc.SetTitle("Projekt1 Beispiel");
    a->SetDocModified();
    EXPECT_EQ(doc.GetTitle(), "Projekt1 *");
    EXPECT_TRUE(doc.IsModified());
    doc.SetTitle("Projekt1 Beispiel");
    a->SetDocModified();
    EXPECT_EQ(doc.GetTitle(), "Projekt1 Beispiel");
    doc.SetModifiedFlag(false);
    a->AddInLink(a, 0, a, 0, CAT_AMPLIFIER);
    EXPECT_FALSE(doc.IsModified()) << "an incoming record alone does not mark";
    a->AddOutLink(a, 0, a, 0, CAT_AMPLIFIER);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(LinkTest, BoundingRectCoversLinkLines)
{
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "A", CRect(0, 0, 50, 40));
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z", CRect(200, 300, 260, 330));
    zone->m_linkMode = linkmode::DrawOutLinks;
    zone->LinkTo(0, amp, 0);
    zone->CalcBoundingRect();
    EXPECT_EQ(zone->GetBoundingRect(), CRect(50, 20, 260, 330));
    zone->m_fixed = 1;
    zone->CalcBoundingRect();
    EXPECT_EQ(zone->GetBoundingRect(), CRect(43, 20, 267, 330));

    // Incoming links cover the partner's input point, as the drawn line does:
    // the right and bottom edges go one past it.
    TestDevice* pad = MakeDevice(doc, OT_CONTROL_PAD, CAT_DIGITAL_IO, "P", CRect(0, 0, 50, 40));
    TestDevice* cond = MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO, "C", CRect(300, 100, 360, 140));
    pad->m_linkMode = linkmode::DrawInLinks;
    cond->LinkTo(0, pad, 0);
    pad->CalcBoundingRect();
    EXPECT_EQ(pad->GetBoundingRect(), CRect(0, 0, 300, 121));
}

}  // namespace

namespace {

TEST_F(LinkTest, PartnersOutsideTheDocumentAreNotWrittenAsIndexes)
{
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z");
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V");
    TestDevice outsider(OT_AMPLIFIER);
    outsider.m_category = CAT_AMPLIFIER;
    zone->LinkTo(0, &outsider, 0);
    zone->LinkTo(1, amp, 0);
    outsider.LinkTo(0, amp, 1);
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(doc.SaveToBytes()));
    CBaseDevice* z = loaded.FindObject(CAT_ZONE, 1);
    CBaseDevice* a = loaded.FindObject(CAT_AMPLIFIER, 1);
    ASSERT_EQ(z->m_outLinks.size(), 2u);
    EXPECT_EQ(z->m_outLinks.front()->partner, LinkRecord::NoPartner());
    EXPECT_EQ(z->m_outLinks.back()->partner, a);
    ASSERT_EQ(a->m_inLinks.size(), 1u) << "the outsider's link is left out";
    EXPECT_EQ(a->m_inLinks.front()->partner, z);
    zone->RemoveAllOutLinks();
    outsider.RemoveAllOutLinks();
}

}  // namespace
