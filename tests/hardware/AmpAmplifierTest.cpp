// The amplifier object: type table, bus addresses, system-wide channels,
// model changes, relay topology commands, file schemas and list texts.

#include <gtest/gtest.h>

#include "hardware/AmpTypeTable.h"
#include "hardware/CAmplifier.h"
#include "hardware/CAudioOutputSlot.h"
#include "hardware/CSpareAmp.h"
#include "model/CQuillomerDoc.h"
#include "paging/CGroup.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"

using blocktest::Bytes;

namespace {

constexpr uint32_t k4ChRemote = 33074;   // "HBE 6683 (4x1)"
constexpr uint32_t k2ChRemote = 33078;   // "HBE 6683 (2x2)"
constexpr uint32_t k3ChRemote = 33077;   // "HBE 6683 (112)"
constexpr uint32_t k1ChRemote = 33160;   // "HBE 6631 + YOK 58417"
constexpr uint32_t k4ChPlain = 33079;    // "HBE 6682 (4x1)"
constexpr uint32_t k1ChPlain = 33007;    // "HBE 6631"

std::vector<CRelaisTopology*> g_dialogTopologies;
bool RecordTopologyDialog(CRelaisTopology* t)
{
    g_dialogTopologies.push_back(t);
    return true;
}

class AmpAmplifierTest : public ::testing::Test {
protected:
    AmpAmplifierTest()
    {
        host.bitmaps[150] = CSize(40, 60);
        host.bitmaps[193] = CSize(60, 120);
        host.bitmaps[456] = CSize(50, 80);
        g_dialogTopologies.clear();
        m_previousDialog = CRelaisTopology::SetDialog(&RecordTopologyDialog);
    }
    ~AmpAmplifierTest() override { CRelaisTopology::SetDialog(m_previousDialog); }

    CQuillomerDoc& Doc() { return doc.doc(); }

    // A new amplifier of a model at the point (x, y), as the output card makes it.
    CAmplifier* MakeAmp(uint32_t kind, int32_t x = 100, int32_t y = 200)
    {
        const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(kind);
        auto* amp = new CAmplifier;
        EXPECT_EQ(1, amp->Create(kind, row->channels, row->channels, nullptr, x, y, x, y, CAT_AMPLIFIER,
                                 row->bitmapId, 0, &Doc()));
        Doc().AddObject(amp, CAT_AMPLIFIER);
        return amp;
    }

    CAudioOutputSlot* MakeOutputSlot()
    {
        auto* slot = new CAudioOutputSlot;
        EXPECT_EQ(1, slot->Create(33014, 1, 2, "Slot3", 2107, 2088, 2163, 2228, CAT_OUTPUT_SLOT, 0, 0, &Doc()));
        Doc().AddObject(slot, CAT_OUTPUT_SLOT);
        return slot;
    }

    CGroup* MakeAllGroup()
    {
        auto* g = new CGroup;
        EXPECT_EQ(1, g->Create(0, 1, 1, "'Alle' Gruppe", 0, 0, 0, 0, CAT_GROUP, 313, 3, &Doc()));
        Doc().AddObject(g, CAT_GROUP);
        return g;
    }

    // A topology hung on channel `key` of the amplifier (both ends).
    CRelaisTopology* HangTopology(CAmplifier* amp, int32_t key)
    {
        auto* t = new CRelaisTopology;
        t->m_pDocument = &Doc();
        t->m_type = OT_RELAIS_TOPOLOGY;
        t->m_category = CAT_RELAIS_TOPOLOGY;
        Doc().AddObject(t, CAT_RELAIS_TOPOLOGY);
        amp->AddInLink(amp, key, t, 0, CAT_RELAIS_TOPOLOGY);
        t->AddOutLink(t, 0, amp, key, CAT_AMPLIFIER);
        return t;
    }

    static bool HasRecordTo(const LinkList& list, const CBaseDevice* partner)
    {
        for (const LinkRecord* r : list)
            if (r->partner == partner)
                return true;
        return false;
    }

    blocktest::ActiveDoc doc;
    ModelTestHost host;
    MessageLog messages;

private:
    CRelaisTopology::DialogFn m_previousDialog = nullptr;
};

}  // namespace

TEST_F(AmpAmplifierTest, TypeTableLookups)
{
    // The properties dialog's walk: positions 0, 1, ... until null gives the 18 models.
    int count = 0;
    while (CAmplifier::GetTypeEntryAt(count))
        ++count;
    EXPECT_EQ(18, count);
    EXPECT_EQ(nullptr, CAmplifier::GetTypeEntryAt(18));
    EXPECT_EQ(nullptr, CAmplifier::GetTypeEntryAt(-1));
    EXPECT_EQ(nullptr, CAmplifier::GetTypeEntryAt(200));

    const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(33082);  // "HBE 6682 (112)"
    EXPECT_EQ(9, row->index);
    EXPECT_EQ(3, row->channels);
    EXPECT_EQ(200, row->power[2]);
    EXPECT_EQ(0, row->remote);
    EXPECT_EQ(4, row->frameWidth);
    EXPECT_EQ(193u, row->bitmapId);
    EXPECT_EQ("HBE 6682 (112)", LoadStringId(row->kindId));

    // An unknown model: the end row for the entry, row 0 for the index.
    const AmpTypeEntry* end = CAmplifier::GetTypeEntryByKind(12345);
    EXPECT_EQ(amptype::kEndKind, end->kindId);
    EXPECT_EQ(0, end->channels);
    EXPECT_EQ(0u, end->bitmapId);
    CAmplifier loose;
    loose.m_kindId = 12345;
    EXPECT_EQ(0, loose.GetTypeIndex());
    EXPECT_FALSE(loose.IsRemote());
    loose.m_kindId = 33075;
    EXPECT_EQ(16, loose.GetTypeIndex());
    EXPECT_TRUE(loose.IsRemote());
}

TEST_F(AmpAmplifierTest, NewAmplifierIdentityAndPlace)
{
    CAmplifier* amp = MakeAmp(k4ChRemote, 100, 200);
    EXPECT_EQ(OT_AMPLIFIER, amp->GetType());
    EXPECT_EQ(216u, amp->m_contextMenuId);
    EXPECT_EQ(1, amp->GetNumber());
    EXPECT_EQ("Verstärker 1", amp->GetName());
    EXPECT_EQ("/AMP1", amp->GetPath());
    EXPECT_EQ(amp, Doc().LookupPath("/AMP1"));
    EXPECT_EQ(4, amp->m_inputCount);
    EXPECT_EQ(4, amp->m_outputCount);
    EXPECT_EQ(0, amp->GetAddress());

    // The symbol starts 270 units right of the point; input 1 lies on the given top.
    EXPECT_EQ(370, amp->GetRect().left);
    ASSERT_EQ(4u, amp->m_inputPoints.size());
    EXPECT_EQ(CPoint(370, 200), amp->m_inputPoints[0]);
    // Channels spread over the bitmap height: y_k = top + h * k / (n + 1).
    const CRect b = amp->m_bitmapRect;
    for (int k = 1; k <= 4; ++k) {
        const int32_t y = b.top + b.Height() * k / 5;
        EXPECT_EQ(CPoint(b.left - 1, y), amp->m_inputPoints[k - 1]);
        EXPECT_EQ(CPoint(b.right + 1, y), amp->m_outputPoints[k - 1]);
        EXPECT_EQ(amp->m_inputPoints[k - 1], amp->m_inputRoutes[k - 1].pt[0]);
        EXPECT_EQ(y, amp->m_outputRoutes[k - 1].pt[0].y);
    }
}

TEST_F(AmpAmplifierTest, BusAddressesAndRemoteList)
{
    CAmplifier* a0 = MakeAmp(k4ChRemote);
    CAmplifier* plain = MakeAmp(k4ChPlain);
    CAmplifier* a1 = MakeAmp(k2ChRemote);
    CAmplifier* a2 = MakeAmp(k1ChRemote);
    EXPECT_EQ(0, a0->GetAddress());
    EXPECT_EQ(-1, plain->GetAddress());
    EXPECT_EQ(1, a1->GetAddress());
    EXPECT_EQ(2, a2->GetAddress());

    // A model without the remote module is not on the bus.
    DeviceList remote;
    Doc().GetIDManager().GetRemoteAmpsByAddress(remote);
    EXPECT_EQ((DeviceList{a0, a1, a2}), remote);
    EXPECT_EQ(-1, plain->GetGlobalChannel(0));

    // With addresses 0 and 2 taken, a new remote amplifier takes 1.
    a1->OnCommand(ampcmd::Delete);
    CAmplifier* fresh = MakeAmp(k3ChRemote);
    EXPECT_EQ(1, fresh->GetAddress());

    // The same lowest free address for a model change to a remote model.
    fresh->OnCommand(ampcmd::Delete);
    plain->SetKindId(k2ChRemote);
    EXPECT_EQ(1, plain->GetAddress());

    // Addresses outside 0..63 are refused.
    a2->SetAddress(64);
    EXPECT_EQ(2, a2->GetAddress());
    a2->SetAddress(-1);
    EXPECT_EQ(2, a2->GetAddress());
    a2->SetAddress(0x1f);
    EXPECT_EQ(0x1f, a2->GetAddress());
    EXPECT_EQ("1f", a2->GetAddressText());
}

TEST_F(AmpAmplifierTest, GlobalChannelsFollowBusAddressOrder)
{
    CAmplifier* second = MakeAmp(k2ChRemote);  // address 0
    CAmplifier* first = MakeAmp(k4ChRemote);   // address 1
    second->SetAddress(5);
    // In address order `first` (4 channels) comes before `second`.
    EXPECT_EQ(1, first->GetGlobalChannel(0));
    EXPECT_EQ(4, first->GetGlobalChannel(3));
    EXPECT_EQ(5, second->GetGlobalChannel(0));
    EXPECT_EQ(6, second->GetGlobalChannel(1));
    EXPECT_EQ("Verstärker 1 CH2", Doc().GetIDManager().GetAmpChannelText(6));

    // The spare amplifier table numbers its channels the same way.
    auto* spare = new CSpareAmp;
    ASSERT_EQ(1, spare->Create(34370, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, &Doc()));
    Doc().AddObject(spare, CAT_AUDIO);
    spare->SetEntry(0, "Havarie", true, OT_AMPLIFIER, second->GetNumber(), 1);
    std::string name;
    uint32_t kind = 0;
    int32_t index = 0;
    ASSERT_TRUE(spare->GetEntry(0, name, kind, index));
    EXPECT_EQ(6, index);
}

TEST_F(AmpAmplifierTest, ModelChangeToFewerChannels)
{
    CAudioOutputSlot* slot = MakeOutputSlot();
    CAmplifier* amp = MakeAmp(k4ChRemote);
    amp->SetAddress(7);
    CRelaisTopology* t[4];
    for (int c = 0; c < 4; ++c)
        t[c] = HangTopology(amp, c);
    amp->LinkTo(0, slot, 0);
    amp->LinkTo(1, slot, 1);
    const int32_t y1 = amp->m_inputPoints[0].y;
    const int32_t left = amp->GetRect().left;

    amp->SetKindId(33072);  // "HBE 6657", two channels, no remote module
    EXPECT_EQ(33072u, amp->GetKindId());
    EXPECT_EQ(2, amp->m_inputCount);
    EXPECT_EQ(2, amp->m_outputCount);
    EXPECT_EQ(456u, amp->m_bitmapId);
    ASSERT_EQ(2u, amp->m_inputPoints.size());
    EXPECT_EQ(y1, amp->m_inputPoints[0].y);
    EXPECT_EQ(left, amp->GetRect().left);
    EXPECT_EQ("/AMP1", amp->GetPath());
    EXPECT_EQ(amp, Doc().LookupPath("/AMP1"));

    // Every channel feed is gone, at both ends.
    EXPECT_TRUE(amp->m_outLinks.empty());
    EXPECT_FALSE(HasRecordTo(slot->m_inLinks, amp));
    // Topologies on channels 2 and 3 are unlinked; those on 0 and 1 stay.
    EXPECT_NE(nullptr, amp->GetInLinkAtKey(0));
    EXPECT_NE(nullptr, amp->GetInLinkAtKey(1));
    EXPECT_EQ(nullptr, amp->GetInLinkAtKey(2));
    EXPECT_EQ(nullptr, amp->GetInLinkAtKey(3));
    EXPECT_TRUE(HasRecordTo(t[1]->m_outLinks, amp));
    EXPECT_FALSE(HasRecordTo(t[2]->m_outLinks, amp));
    EXPECT_FALSE(HasRecordTo(t[3]->m_outLinks, amp));
    // A plain model keeps the address it had; it is just not on the bus.
    EXPECT_EQ(7, amp->GetAddress());
    EXPECT_EQ(-1, amp->GetGlobalChannel(0));
}

TEST_F(AmpAmplifierTest, TopologyCommandHangsOnFirstFreeChannel)
{
    MakeAllGroup();
    CAmplifier* amp = MakeAmp(k3ChRemote);
    HangTopology(amp, 0);
    const size_t topologiesBefore = Doc().GetList(CAT_RELAIS_TOPOLOGY).size();

    EXPECT_EQ(1, amp->OnCommand(ampcmd::OneInN));
    ASSERT_EQ(topologiesBefore + 1, Doc().GetList(CAT_RELAIS_TOPOLOGY).size());
    auto* t = dynamic_cast<CRelaisTopology*>(Doc().GetList(CAT_RELAIS_TOPOLOGY).back());
    ASSERT_NE(nullptr, t);
    EXPECT_EQ(33033u, t->GetKindId());
    EXPECT_EQ(1, t->m_inputCount);
    EXPECT_EQ(1, t->m_outputCount);
    EXPECT_EQ(CAT_RELAIS_TOPOLOGY, t->GetCategory());
    // Channel 1 is the first without a topology.
    const LinkRecord* in = amp->GetInLinkAtKey(1);
    ASSERT_NE(nullptr, in);
    EXPECT_EQ(t, in->partner);
    EXPECT_EQ(0, in->partnerKey);
    EXPECT_EQ(CAT_RELAIS_TOPOLOGY, in->partnerCategory);
    const LinkRecord* out = t->GetOutLinkAtKey(0);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(amp, out->partner);
    EXPECT_EQ(1, out->partnerKey);
    EXPECT_EQ(CAT_AMPLIFIER, out->partnerCategory);
    // The topology stands right of the amplifier's first output and made its zone.
    EXPECT_EQ(amp->m_outputPoints[0].x + 150, t->GetRect().left);
    ASSERT_EQ(1u, Doc().GetList(CAT_ZONE).size());
    CBaseDevice* zone = Doc().GetList(CAT_ZONE).front();
    EXPECT_EQ("/KVT/ZONE1", zone->GetPath());
    EXPECT_EQ(t, zone->GetOutLinkAtKey(0)->partner);
    EXPECT_NE(nullptr, zone->GetInLinkAtKey(0));  // the all-zones group
    // The topology dialog was shown for the new topology.
    EXPECT_EQ(std::vector<CRelaisTopology*>{t}, g_dialogTopologies);

    // "Programm/Ruf" gets two inputs; "N in 1" arrives without a menu entry and is handled too.
    EXPECT_EQ(1, amp->OnCommand(ampcmd::ProgramCall));
    EXPECT_EQ(2, Doc().GetList(CAT_RELAIS_TOPOLOGY).back()->m_inputCount);
    EXPECT_EQ(Doc().GetList(CAT_RELAIS_TOPOLOGY).back(), amp->GetInLinkAtKey(2)->partner);
    EXPECT_EQ(1, amp->OnCommand(ampcmd::NInOne));
    EXPECT_EQ(33034u, Doc().GetList(CAT_RELAIS_TOPOLOGY).back()->GetKindId());
    // All channels taken: the next one goes to channel 0.
    const LinkRecord* again = Doc().GetList(CAT_RELAIS_TOPOLOGY).back()->GetOutLinkAtKey(0);
    EXPECT_EQ(0, again->partnerKey);
}

TEST_F(AmpAmplifierTest, TopologyRefusedAtZoneLimit)
{
    for (int n = 1; n <= 100; ++n) {
        auto* z = new CZone;
        ASSERT_EQ(1, z->CBaseDevice::Create(CZone::kKind, "Linie", n, CAT_ZONE, &Doc()));
        Doc().AddObject(z, CAT_ZONE);
    }
    CAmplifier* amp = MakeAmp(k1ChPlain);
    g_dialogTopologies.clear();
    EXPECT_EQ(1, amp->OnCommand(ampcmd::Direct));
    EXPECT_TRUE(Doc().GetList(CAT_RELAIS_TOPOLOGY).empty());
    EXPECT_EQ(nullptr, amp->GetInLinkAtKey(0));
    EXPECT_TRUE(g_dialogTopologies.empty());
    EXPECT_TRUE(messages.Contains("Es können keine weitere Linien erzeugt werden."));
    EXPECT_EQ(0, Doc().GetIDManager().GetCount(OT_RELAIS_TOPOLOGY));
}

TEST_F(AmpAmplifierTest, DeleteRemovesLinksAtBothEnds)
{
    CAudioOutputSlot* slot = MakeOutputSlot();
    CAmplifier* amp = MakeAmp(k2ChRemote);
    CRelaisTopology* t = HangTopology(amp, 0);
    amp->LinkTo(0, slot, 1);
    EXPECT_EQ(1, amp->OnCommand(ampcmd::Delete));
    EXPECT_TRUE(Doc().GetList(CAT_AMPLIFIER).empty());
    EXPECT_TRUE(slot->m_inLinks.empty());
    EXPECT_TRUE(t->m_outLinks.empty());
    EXPECT_EQ(nullptr, Doc().GetIDManager().GetBaseDevice(1, OT_AMPLIFIER));
    EXPECT_FALSE(Doc().HasPath("/AMP1"));
}

TEST_F(AmpAmplifierTest, PropertiesCommandRunsTheDialog)
{
    static int calls = 0;
    calls = 0;
    const auto previous = CAmplifier::SetPropertiesDialog([](CAmplifier*) {
        ++calls;
        return true;
    });
    CAmplifier* amp = MakeAmp(k1ChPlain);
    EXPECT_EQ(1, amp->OnCommand(ampcmd::Properties));
    amp->OnOpen(0, 0, 0);
    EXPECT_EQ(2, calls);
    CAmplifier::SetPropertiesDialog(previous);

    // Nothing of the menu is enabled or disabled by the amplifier.
    CCmdUI ui(ampcmd::Delete);
    amp->OnUpdateCommand(ui);
    EXPECT_FALSE(ui.m_enableSet);
    CCmdUI props(ampcmd::Properties);
    amp->OnUpdateCommand(props);
    EXPECT_FALSE(props.m_enableSet);
}

TEST_F(AmpAmplifierTest, StoredBytesAndSchemas)
{
    CAmplifier* amp = MakeAmp(k4ChRemote);
    amp->SetAddress(0x2a);
    Bytes own;
    blocktest::PutI32(own, 0x2a);
    EXPECT_EQ(own, blocktest::StoreOwnData(*amp));

    // Schema 3 loads the address back.
    const Bytes common = blocktest::StoreCommon(*amp);
    auto loaded3 = blocktest::LoadTagged("CAmplifier", 3, blocktest::Concat(common, own));
    auto* amp3 = dynamic_cast<CAmplifier*>(loaded3.get());
    ASSERT_NE(nullptr, amp3);
    EXPECT_EQ(0x2a, amp3->GetAddress());
    const CRect r = amp3->GetRect();
    amp3->PostLoad();
    EXPECT_EQ(r, amp3->GetRect());

    // Schema 1 has no address and drew amplifiers 50 units further left.
    auto loaded1 = blocktest::LoadTagged("CAmplifier", 1, common);
    auto* amp1 = dynamic_cast<CAmplifier*>(loaded1.get());
    ASSERT_NE(nullptr, amp1);
    EXPECT_EQ(-1, amp1->GetAddress());
    amp1->PostLoad();
    EXPECT_EQ(r.left + 50, amp1->GetRect().left);
    EXPECT_EQ(r.top, amp1->GetRect().top);
    auto loaded0 = blocktest::LoadTagged("CAmplifier", 0, common);
    loaded0->PostLoad();
    EXPECT_EQ(r.left + 50, loaded0->GetRect().left);
}

TEST_F(AmpAmplifierTest, DocumentRoundTripKeepsAddressesAndFeeds)
{
    CAudioOutputSlot* slot = MakeOutputSlot();
    CAmplifier* amp = MakeAmp(k2ChRemote);
    amp->SetAddress(9);
    amp->LinkTo(1, slot, 0);
    const Bytes bytes = Doc().SaveToBytes();

    CQuillomerDoc again;
    ASSERT_TRUE(again.LoadFromBytes(bytes));
    ASSERT_EQ(1u, again.GetList(CAT_AMPLIFIER).size());
    auto* back = dynamic_cast<CAmplifier*>(again.GetList(CAT_AMPLIFIER).front());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(9, back->GetAddress());
    EXPECT_EQ(amp->GetRect(), back->GetRect());
    const LinkRecord* feed = back->GetOutLinkAtKey(1);
    ASSERT_NE(nullptr, feed);
    EXPECT_EQ(0, feed->partnerKey);
    EXPECT_EQ(CAT_OUTPUT_SLOT, feed->partnerCategory);
    EXPECT_EQ(back, again.LookupPath("/AMP1"));
}

TEST_F(AmpAmplifierTest, ListTextsAndColumns)
{
    CAmplifier* amp = MakeAmp(33073);
    std::vector<std::string> titles;
    EXPECT_EQ(3, amp->GetListTexts(1, titles));
    EXPECT_EQ((std::vector<std::string>{"Name", "ID", "Typ"}), titles);
    std::vector<std::string> row{"x"};
    EXPECT_EQ(4, amp->GetListTexts(0, row));
    EXPECT_EQ((std::vector<std::string>{"x", "Verstärker 1", "1", "HBE 6659"}), row);
    std::vector<ListColumn> columns;
    EXPECT_EQ(1, amp->GetListColumns(columns));
    ASSERT_EQ(3u, columns.size());
    EXPECT_EQ(2, columns[0].xMm);
    EXPECT_EQ(30, columns[1].xMm);
    EXPECT_EQ(50, columns[2].xMm);
    EXPECT_EQ(0, columns[2].line);
}
