// Relays, relay tables and LMZ cards; zones, groups, LAN groups, collective
// calls and relay topologies: numbering, stored forms, lines and answers.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <unistd.h>

#include "hardware/CAmplifier.h"
#include "hardware/CLMZ.h"
#include "model/CQuillomerDoc.h"
#include "paging/CCollectionCall.h"
#include "paging/CGroup.h"
#include "paging/CLANGroup.h"
#include "paging/CRelais.h"
#include "paging/CRelaisManager.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"
#include "support/LargestProject.h"
#include "support/ModelTestHost.h"

using blocktest::Bytes;

namespace {

constexpr uint32_t k4ChRemote = 33074;  // "HBE 6683 (4x1)"

class ZoneRelayTest : public ::testing::Test {
protected:
    ZoneRelayTest()
    {
        m_previousDialog = CRelaisTopology::SetDialog(nullptr);
        Doc().OnNewDocument();
        Doc().m_data.deviceVariant = 1;
    }
    ~ZoneRelayTest() override { CRelaisTopology::SetDialog(m_previousDialog); }

    CQuillomerDoc& Doc() { return doc.doc(); }
    CRelaisManager& Tables() { return *Doc().GetRelaisManager(); }

    // A remote four-channel amplifier fed by output 1 of the first output card.
    CAmplifier* MakeAmp()
    {
        const AmpTypeEntry* row = CAmplifier::GetTypeEntryByKind(k4ChRemote);
        auto* amp = new CAmplifier;
        EXPECT_EQ(1, amp->Create(k4ChRemote, row->channels, row->channels, nullptr, 100, 200, 100, 200,
                                 CAT_AMPLIFIER, row->bitmapId, 0, &Doc()));
        Doc().AddObject(amp, CAT_AMPLIFIER);
        amp->LinkTo(0, Doc().GetList(CAT_OUTPUT_SLOT).front(), 0);
        return amp;
    }

    // A "1 in N" topology of two zones on the amplifier, its relays from 3 on.
    CRelaisTopology* TwoZonesOnRelay3()
    {
        MakeAmp()->OnCommand(ampcmd::OneInN);
        CRelaisTopology* t = LastTopology();
        t->m_zoneCount = 2;
        t->SetKindId(topologykind::OneInN);
        t->AssignRelais(3);
        return t;
    }

    CRelaisTopology* LastTopology()
    {
        CRelaisTopology* last = nullptr;
        for (CBaseDevice* obj : Doc().GetList(CAT_RELAIS_TOPOLOGY))
            if (auto* t = dynamic_cast<CRelaisTopology*>(obj))
                last = t;
        return last;
    }

    // Every entry of both relay tables is a live relay of that family with that number.
    void ExpectTablesSound(CQuillomerDoc& d)
    {
        CRelaisManager& m = *d.GetRelaisManager();
        DeviceList relays;
        d.GetIDManager().GetBaseDeviceList(relays, OT_RELAIS);
        for (int32_t n = 1; n <= CRelaisManager::kRelais; ++n) {
            if (CBaseDevice* r = m.GetRelais(n)) {
                ASSERT_NE(relays.end(), std::find(relays.begin(), relays.end(), r)) << "stale entry " << n;
                EXPECT_EQ(static_cast<uint32_t>(n), static_cast<CRelais*>(r)->GetRelayNumber());
            }
        }
        for (int32_t n = 1; n <= CRelaisManager::kSRelais; ++n) {
            if (CBaseDevice* r = m.GetSRelais(n)) {
                ASSERT_NE(relays.end(), std::find(relays.begin(), relays.end(), r)) << "stale entry s" << n;
                EXPECT_EQ(static_cast<uint32_t>(n), static_cast<CRelais*>(r)->GetRelayNumber());
            }
        }
    }

    blocktest::ActiveDoc doc;
    ModelTestHost host;
    MessageLog messages;
    blocktest::RecordingSender link;

private:
    CRelaisTopology::DialogFn m_previousDialog = nullptr;
};

// A device that keeps every value it is sent and answers queries with it.
struct StoringDevice {
    std::map<std::string, std::string> values;
    std::vector<std::string> answers;
    void Take(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines) {
            const size_t blank = line.find(' ');
            const std::string path = line.substr(0, blank);
            const std::string value = line.substr(blank + 1);
            if (value == "?")
                answers.push_back(path + " " + values[path]);
            else
                values[path] = value;
        }
    }
};

}  // namespace

TEST_F(ZoneRelayTest, RelayTablesRefuseWhatDoesNotFit)
{
    CRelaisManager m;
    CBaseDevice a, b;
    for (int32_t n = 1; n < 500; ++n)
        ASSERT_EQ(1, m.ClaimRelaisNumber(&a, n));
    EXPECT_EQ(0, m.ClaimRelaisNumber(&b, 7));  // taken: unchanged
    EXPECT_EQ(&a, m.GetRelais(7));
    EXPECT_EQ(500, m.ClaimFreeRelaisNumber(&b));
    EXPECT_EQ(0, m.ClaimFreeRelaisNumber(&b));
    EXPECT_EQ(0, m.ReleaseRelaisNumber(&b, 7));  // not its entry
    EXPECT_EQ(1, m.ClaimSRelaisNumber(&a, 100));
    EXPECT_EQ(0, m.ClaimSRelaisNumber(&a, 101));
    EXPECT_EQ(0, m.ClaimCollCallNumber(&a, 11));
    EXPECT_EQ(1, m.ClaimCollCallNumber(&a, 10));
    DeviceList all, second;
    m.GetAllRelais(all);
    m.GetAllSRelais(second);
    EXPECT_EQ(&b, all.back());
    EXPECT_EQ(std::vector<CBaseDevice*>{&a}, second);
    m.ReleaseRelaisNumber(&a, 3);
    m.ReleaseRelaisNumber(&a, 9);
    EXPECT_TRUE(m.AreRelaisNumbersFree(2, 2));
    EXPECT_FALSE(m.AreRelaisNumbersFree(4, 2));
}

TEST_F(ZoneRelayTest, ARelayMakesItsCardsAndNamesFollowTheCard)
{
    CRelais* r12 = FindOrCreateRelaisBank(&Doc(), 12, relaiskind::Line, true);
    ASSERT_NE(nullptr, r12);
    EXPECT_EQ(3, Doc().GetIDManager().GetCount(OT_LMZ763));
    EXPECT_EQ(1, Doc().GetIDManager().GetCount(OT_LMZ752));
    for (int32_t n = 1; n <= 15; ++n)
        ASSERT_NE(nullptr, Tables().GetRelais(n)) << n;
    EXPECT_EQ(nullptr, Tables().GetRelais(16));
    EXPECT_EQ("r12 ", r12->GetName());
    auto* carrier = Doc().GetIDManager().GetBaseDevice(1, OT_LMZ752);
    for (int32_t key = 0; key < 3; ++key)
        EXPECT_EQ(key + 1, carrier->GetOutLinkAtKey(key)->partner->GetNumber());

    CRelais* mandatory = FindOrCreateRelaisBank(&Doc(), 7, relaiskind::Mandatory, true);
    EXPECT_EQ("r7 Pflichtrelais", mandatory->GetName());
    CRelais* s7 = FindOrCreateRelaisBank(&Doc(), 7, relaiskind::Second, false);
    EXPECT_EQ("s7 ", s7->GetName());
    EXPECT_EQ(s7, Tables().GetSRelais(7));

    // A relay in use is not deleted.
    CZone* zone = nullptr;
    MakeAmp()->OnCommand(ampcmd::Direct);
    zone = dynamic_cast<CZone*>(Doc().GetList(CAT_ZONE).front());
    r12->LinkTo(0, zone, 1);
    r12->OnCommand(objcmd::Delete);
    EXPECT_EQ(r12, Tables().GetRelais(12));
    ExpectTablesSound(Doc());
}

TEST_F(ZoneRelayTest, ARelayWithoutANumberIsNeverPlaced)
{
    CBaseDevice holder;
    for (int32_t n = 1; n <= 500; ++n)
        Tables().ClaimRelaisNumber(&holder, n);
    CRelais* r = NewRelais(&Doc(), relaiskind::Line);
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(0u, r->GetRelayNumber());
    EXPECT_EQ(0, r->PlaceOnCard(relaiskind::Line, true));
    EXPECT_EQ(0, Doc().GetIDManager().GetCount(OT_LMZ763));
    EXPECT_TRUE(messages.Contains("Keine freie Relaisnummer"));
    for (int32_t n = 1; n <= 500; ++n)
        Tables().ReleaseRelaisNumber(&holder, n);
}

TEST_F(ZoneRelayTest, TopologiesNumberTheirRelaysAndKeepThemThroughSaveAndLoad)
{
    CAmplifier* amp = MakeAmp();
    amp->OnCommand(ampcmd::OneInN);
    CRelaisTopology* oneInN = LastTopology();
    ASSERT_NE(nullptr, oneInN);
    ASSERT_EQ(1u, oneInN->GetZones().size());
    EXPECT_EQ("1", oneInN->GetZones()[0]->GetAttributeText(zoneattr::Relay));

    amp->OnCommand(ampcmd::Direct);
    CRelaisTopology* t = LastTopology();
    t->m_zoneCount = 3;
    t->SetKindId(topologykind::NInOne);
    ASSERT_EQ(3u, t->GetZones().size());
    EXPECT_EQ(4, t->m_inputCount);
    t->AssignRelais(21);
    const std::vector<CZone*> zones = t->GetZones();
    EXPECT_EQ("21,22,23,24", zones[0]->GetAttributeText(zoneattr::Relay));
    EXPECT_EQ("25,26,27,28", zones[1]->GetAttributeText(zoneattr::Relay));
    EXPECT_EQ("29,30,31,32", zones[2]->GetAttributeText(zoneattr::Relay));
    EXPECT_EQ(7, Doc().GetIDManager().GetCount(OT_LMZ763));
    ExpectTablesSound(Doc());

    // A renamed topology and its relays come back as they were.
    std::string name = "Halle Nord";
    t->SetNameUnique(name, false);
    const std::vector<uint8_t> bytes = Doc().SaveToBytes();
    CQuillomerDoc loaded;
    ActiveDocScope scope(&loaded);
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    CBaseDevice* back = loaded.GetIDManager().GetBaseDevice(t->GetNumber(), OT_RELAIS_TOPOLOGY);
    ASSERT_NE(nullptr, back);
    EXPECT_EQ("Halle Nord", back->GetName());
    for (CZone* z : zones) {
        auto* back = dynamic_cast<CZone*>(loaded.FindObject(CAT_ZONE, z->GetNumber()));
        ASSERT_NE(nullptr, back);
        EXPECT_EQ(z->GetAttributeText(zoneattr::Relay), back->GetAttributeText(zoneattr::Relay));
        EXPECT_EQ(z->GetAttributeText(zoneattr::Output), back->GetAttributeText(zoneattr::Output));
    }
    ExpectTablesSound(loaded);
    EXPECT_EQ(Tables().GetRelais(32)->GetName(), loaded.GetRelaisManager()->GetRelais(32)->GetName());
}

TEST_F(ZoneRelayTest, ResizingAndDeletingTopologiesAndAmplifiers)
{
    CAmplifier* amp = MakeAmp();
    amp->OnCommand(ampcmd::OneInN);
    CRelaisTopology* t = LastTopology();
    t->m_zoneCount = 4;
    t->SetKindId(topologykind::OneInN);
    EXPECT_EQ(4, Doc().GetIDManager().GetCount(OT_ZONE));
    t->m_zoneCount = 2;
    t->SetKindId(topologykind::OneInN);
    EXPECT_EQ(2, Doc().GetIDManager().GetCount(OT_ZONE));
    EXPECT_EQ(nullptr, t->GetInLinkAtKey(2));
    ExpectTablesSound(Doc());

    // The amplifier goes alone; its topology stays deletable by menu and key alike.
    amp->OnCommand(objcmd::Delete);
    CCmdUI ui(objcmd::Delete);
    t->OnUpdateCommand(ui);
    EXPECT_TRUE(ui.m_enabled);
    t->OnKeyDown(vk::Delete, 1, 0);
    EXPECT_EQ(0, Doc().GetIDManager().GetCount(OT_RELAIS_TOPOLOGY));
    EXPECT_EQ(0, Doc().GetIDManager().GetCount(OT_ZONE));
    ExpectTablesSound(Doc());

    // The ten collective calls stay whatever is asked of them.
    Doc().GetList(CAT_RELAIS_TOPOLOGY).front()->OnCommand(objcmd::Delete);
    EXPECT_EQ(10, Doc().GetIDManager().GetCount(OT_COLLECTION_CALL));
}

TEST_F(ZoneRelayTest, LinesOfAZoneAGroupALanGroupAndACollectiveCallAndTheirUpload)
{
    CRelaisTopology* t = TwoZonesOnRelay3();
    CZone* zone = t->GetZones()[0];
    CZone* zone2 = t->GetZones()[1];
    CRelais* prio = FindOrCreateRelaisBank(&Doc(), 7, relaiskind::Second, false);
    prio->LinkTo(0, zone, CZone::kPrioKey);
    zone->SetAttribute(zoneattr::Ignore, 5);
    zone->OnCommand(zonecmd::AddLanGroup);
    auto* lan = dynamic_cast<CLANGroup*>(Doc().GetIDManager().GetBaseDevice(1, OT_LAN_GROUP));
    ASSERT_NE(nullptr, lan);
    CCmdUI again(zonecmd::AddLanGroup);
    zone->OnUpdateCommand(again);
    EXPECT_FALSE(again.m_enabled);
    zone2->OnCommand(zonecmd::AddGroup);
    auto* group = dynamic_cast<CGroup*>(Doc().GetIDManager().GetBaseDevice(1, OT_GROUP));
    ASSERT_NE(nullptr, group);
    lan->ApplyMembers({zone, group});
    lan->UpdateMembersText(true);
    auto* call = dynamic_cast<CCollectionCall*>(Doc().GetIDManager().GetBaseDevice(2, OT_COLLECTION_CALL));
    CRelais* callRelay = FindOrCreateRelaisBank(&Doc(), 17, relaiskind::CollectiveCall, true);
    callRelay->LinkTo(0, call, 0);
    call->LinkTo(0, group, 0);
    call->LinkTo(0, zone2, CZone::kCollCallKey);
    auto* all = dynamic_cast<CGroup*>(Doc().GetIDManager().GetBaseDevice(0, OT_GROUP));

    const std::vector<CBaseDevice*> objects = {all, zone, group, lan, call};
    for (CBaseDevice* obj : objects)
        GetAppHost().TransferObject(obj, false);
    const std::vector<std::string> expected = {
        "/KVT/CLEAR/ZONE ALL",
        "/KVT/CLEAR/COLLCALL ALL",
        "/KVT/CLEAR/LANGRP ALL",
        "/KVT/ZONE1/OUTPUT 1",
        "/KVT/ZONE1/RELAY 3",
        "/KVT/ZONE1/PRIOCALL/RELAY 7",
        "/KVT/ZONE1/PRIOCALL/TYPE 764",
        "/KVT/ZONE1/CONTROL/RELAY 0",
        "/KVT/ZONE1/CONTROL/TYPE 763",
        "/KVT/ZONE1/LANGRP 1",
        "/KVT/ZONE1/TEST/POSTOL 0",
        "/KVT/ZONE1/TEST/NEGTOL 0",
        "/KVT/ZONE1/TEST/IGNORE POSTOL,GNDFLT",
        "/KVT/ZONE1/AMPCHAN 1",
        "/KVT/ZONE1/TESTVOL -20",
        "/KVT/LANGRP1 1-2",
        "/KVT/COLLCALL2/RELAY 17",
        "/KVT/COLLCALL2/ZONES 2",
    };
    EXPECT_EQ(expected, link.lines);
    EXPECT_EQ("Linien: 1-2", lan->GetListText());

    // Read back from a device that holds what was sent: no difference anywhere.
    StoringDevice device;
    device.Take(link.lines);
    link.lines.clear();
    for (CBaseDevice* obj : objects)
        GetAppHost().TransferObject(obj, true);
    EXPECT_EQ(std::string::npos, link.lines[0].find("CLEAR"));  // the clear steps send nothing
    device.Take(link.lines);
    const auto dir = std::filesystem::temp_directory_path() / StrFormat("ql-zones-%d", ::getpid());
    std::filesystem::create_directories(dir);
    const std::string err = (dir / "p.err").string();
    for (const std::string& answer : device.answers)
        Doc().DispatchAnswerLine(answer, err, linkstate::Upload);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_FALSE(std::filesystem::exists(err) && std::filesystem::file_size(err) > 0);

    // A differing answer is reported; "OFF" counts as no relay.
    Doc().DispatchAnswerLine("/KVT/ZONE1/RELAY 4", err, linkstate::Upload);
    Doc().DispatchAnswerLine("/KVT/COLLCALL2/RELAY OFF", err, linkstate::Upload);
    Doc().DispatchAnswerLine("/KVT/ZONE1/TEST/POSTOL OFF", err, linkstate::Upload);
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Linienrelais für Linie Linie 1 stimmen nicht überein (4 -> 3)!", messages.texts[0]);
    EXPECT_EQ("0", zone->GetAttributeText(zoneattr::PosTol));
    // Values out of range are clamped, however large.
    Doc().DispatchAnswerLine("/KVT/ZONE1/TEST/NEGTOL 5000000000", err, linkstate::Upload);
    Doc().DispatchAnswerLine("/KVT/ZONE1/TESTVOL -2000000", err, linkstate::Upload);
    EXPECT_EQ("100", zone->GetAttributeText(zoneattr::NegTol));
    EXPECT_EQ("-78", zone->GetAttributeText(zoneattr::TestVolume));
    Doc().DispatchAnswerLine("/KVT/COLLCALL3/ZONES 2,5", err, linkstate::Upload);
    EXPECT_TRUE(messages.Contains("Linie 5 im Arbeitsblatt nicht vorhanden !"));
    // A zone set that does not fit is refused whole.
    auto* call4 = Doc().GetIDManager().GetBaseDevice(4, OT_COLLECTION_CALL);
    Doc().DispatchAnswerLine("/KVT/COLLCALL4/ZONES 1,150", err, linkstate::Upload);
    EXPECT_TRUE(call4->m_outLinks.empty());
    Doc().DispatchAnswerLine("/KVT/COLLCALL4/ZONES 1", err, linkstate::Upload);
    EXPECT_EQ(1u, call4->m_outLinks.size());
    std::filesystem::remove_all(dir);

    // A text a file brought never breaks the line.
    zone->m_ignoredFaults = "NONE\r\n/SERVICE/START EEPCLR";
    EXPECT_EQ(10, zone->GetDownloadLines(0, 9));
    EXPECT_EQ("/KVT/ZONE1/TEST/IGNORE NONE  /SERVICE/START EEPCLR", link.lines.back());

    // The standard device knows no LAN groups and fewer zone keys.
    Doc().m_data.deviceVariant = 0;
    EXPECT_EQ(-1, lan->GetDownloadLines(0, -1));
    EXPECT_EQ(6, zone->GetDownloadLines(0, -1));
}

// The members dialog of a LAN group shows the member links; after an upload
// the stored set is the device's ("1,5" names zone 5, which the sheet lacks).
// OK on the members as shown keeps that set and marks nothing; a real change
// of the members makes the set anew from the links.
TEST_F(ZoneRelayTest, LanGroupMembersConfirmedAsShownKeepTheDevicesSet)
{
    CRelaisTopology* t = TwoZonesOnRelay3();
    CZone* zone = t->GetZones()[0];
    CZone* zone2 = t->GetZones()[1];
    zone->OnCommand(zonecmd::AddLanGroup);
    auto* lan = dynamic_cast<CLANGroup*>(Doc().GetIDManager().GetBaseDevice(1, OT_LAN_GROUP));
    ASSERT_NE(nullptr, lan);
    static DeviceList* chosen = nullptr;  // null: OK on what the dialog shows
    const CLANGroup::MembersDialogFn previous = CLANGroup::SetMembersDialog([](CLANGroup*, DeviceList& members) {
        if (chosen)
            members = *chosen;
        return true;
    });
    const std::string err = testing::TempDir() + "langroup.err";
    enum Choice { AsShown, Reordered, FirstOnly };
    struct Row {
        const char* what;
        Choice choice;
        bool changed;
        const char* stored;
    };
    const Row rows[] = {
        {"confirmed as shown", AsShown, false, "1,5"},
        {"the same members in another order", Reordered, false, "1,5"},
        {"Linie 2 taken out", FirstOnly, true, "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        lan->ApplyMembers({zone, zone2});
        Doc().DispatchAnswerLine("/KVT/LANGRP1 1,5", err, linkstate::Upload);
        ASSERT_EQ("1,5", lan->GetMembersText(0));
        Doc().SetModifiedFlag(false);
        DeviceList choice = row.choice == Reordered ? DeviceList{zone2, zone} : DeviceList{zone};
        chosen = row.choice == AsShown ? nullptr : &choice;
        lan->OnOpen(0, 0, 0);
        EXPECT_EQ(row.stored, lan->GetMembersText(0));
        EXPECT_EQ(row.changed, Doc().IsModified());
    }
    chosen = nullptr;
    CLANGroup::SetMembersDialog(previous);
    std::remove(err.c_str());
}

TEST_F(ZoneRelayTest, CardsRenumberWithoutStaleRelayEntries)
{
    FindOrCreateRelaisBank(&Doc(), 15, relaiskind::Line, true);
    FindOrCreateRelaisBank(&Doc(), 15, relaiskind::Second, false);
    CIDManager& dir = Doc().GetIDManager();
    auto* card2 = dynamic_cast<CLMZ*>(dir.GetBaseDevice(2, OT_LMZ763));
    auto* card3 = dynamic_cast<CLMZ*>(dir.GetBaseDevice(3, OT_LMZ763));
    CBaseDevice* relay13 = Tables().GetRelais(13);
    ASSERT_EQ(1, card2->DeleteCard());
    EXPECT_EQ(2, card3->GetNumber());
    int32_t key = -1;
    EXPECT_NE(nullptr, card3->GetCarrier(&key));
    EXPECT_EQ(1, key);
    EXPECT_EQ(relay13, Tables().GetRelais(8));
    EXPECT_EQ(nullptr, Tables().GetRelais(13));
    ExpectTablesSound(Doc());

    // LMZ764 cards renumber in their own table.
    CBaseDevice* s13 = Tables().GetSRelais(13);
    ASSERT_EQ(1, dynamic_cast<CLMZ*>(dir.GetBaseDevice(1, OT_LMZ764))->DeleteCard());
    EXPECT_EQ(s13, Tables().GetSRelais(8));
    EXPECT_EQ(nullptr, Tables().GetSRelais(13));
    ExpectTablesSound(Doc());

    // A card whose relay is in use stays.
    MakeAmp()->OnCommand(ampcmd::Direct);
    Tables().GetRelais(1)->LinkTo(0, Doc().GetList(CAT_ZONE).front(), 1);
    EXPECT_EQ(0, dynamic_cast<CLMZ*>(dir.GetBaseDevice(1, OT_LMZ763))->DeleteCard());
    EXPECT_TRUE(messages.Contains("Die Karte kann erst gelöscht werden"));

    // Input and analog cards count their channels from their own first one.
    CLMZ* in1 = CLMZ::NewCard(&Doc(), lmzkind::In771);
    CLMZ* in2 = CLMZ::NewCard(&Doc(), lmzkind::In771);
    CLMZ* analog = CLMZ::NewCard(&Doc(), lmzkind::Analog775);
    CBaseDevice pad, other;
    in2->AddOutLink(in2, 3, &pad, 0, CAT_DIGITAL_IO);
    analog->AddOutLink(analog, CLMZ::kDaFirstKey + 2, &other, 0, CAT_DIGITAL_IO);
    EXPECT_EQ(16, in2->GetChannelNumber(&pad));
    EXPECT_EQ(3, analog->GetChannelNumber(&other));
    EXPECT_EQ(0, in1->GetChannelNumber(&pad));
    in2->RemoveAllOutLinks();
    analog->RemoveAllOutLinks();
}

TEST_F(ZoneRelayTest, OldFilesKeepTheirRelays)
{
    MakeAmp()->OnCommand(ampcmd::OneInN);
    CZone* model = dynamic_cast<CZone*>(Doc().GetList(CAT_ZONE).front());
    Bytes old;
    for (int i = 0; i < 8; ++i)
        blocktest::PutU32(old, 0);
    blocktest::PutU16(old, 0);  // first old table: empty
    blocktest::PutU16(old, 3);
    blocktest::PutU32(old, 40);
    blocktest::PutU32(old, 0);
    blocktest::PutU32(old, 0x10000009u);
    auto loaded = blocktest::LoadTagged("CZone", 1, blocktest::Concat(blocktest::StoreCommon(*model), old), &Doc());
    auto* zone = dynamic_cast<CZone*>(loaded.get());
    ASSERT_NE(nullptr, zone);
    zone->m_number = -1;
    ASSERT_EQ(1, zone->InitObject());
    Doc().AddObject(loaded.release(), CAT_ZONE);
    zone->PostLoad();
    EXPECT_EQ(40u, dynamic_cast<CRelais*>(zone->GetInLinkAtKey(1)->partner)->GetRelayNumber());
    auto* control = dynamic_cast<CRelais*>(zone->GetInLinkAtKey(3)->partner);
    EXPECT_EQ(9u, control->GetRelayNumber());
    EXPECT_EQ(control, Tables().GetSRelais(9));
    EXPECT_EQ(relaiskind::Control, control->GetKindId());
    EXPECT_TRUE(zone->m_oldRelays2.empty());
    ExpectTablesSound(Doc());
}

TEST(ZoneRelayNames, EveryRenamedObjectKeepsItsNameThroughSaveAndLoad)
{
    ModelTestHost host;
    MessageLog messages;
    CQuillomerDoc doc;
    largest::Build(doc);
    ActiveDocScope active(&doc);
    // Names the program sets itself: the block objects, the monitor, the
    // collective calls and the relays on cards.
    auto ownName = [](const CBaseDevice* obj) {
        switch (obj->GetType()) {
        case OT_MACRO_OBJECT: case OT_TRIGGER_OBJECT: case OT_CONDITION_OBJECT: case OT_CAL_OBJECT:
        case OT_LOGIC_OUT_OBJECT: case OT_READY_INP_OBJECT: case OT_CONSOLE_OBJECT: case OT_COLLECTION_CALL:
        case OT_RELAIS: case OT_MONITOR:
            return false;
        default:
            return true;
        }
    };
    int renamed = 0;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (CBaseDevice* obj : doc.GetList(c))
            if (ownName(obj)) {
                obj->SetName(StrFormat("Umbenannt %d-%d", c, renamed++));
            }
    CQuillomerDoc loaded;
    ActiveDocScope activeLoaded(&loaded);
    ASSERT_TRUE(loaded.LoadFromBytes(doc.SaveToBytes()));
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c) {
        ASSERT_EQ(doc.GetList(c).size(), loaded.GetList(c).size());
        auto it = loaded.GetList(c).begin();
        for (const CBaseDevice* obj : doc.GetList(c)) {
            if (ownName(obj) && obj->GetName() != (*it)->GetName())
                ADD_FAILURE() << obj->GetRuntimeClass()->className << " " << obj->GetName() << " -> "
                              << (*it)->GetName();
            EXPECT_EQ(obj->GetNumber(), (*it)->GetNumber()) << obj->GetName();
            ++it;
        }
    }
    EXPECT_GT(renamed, 1000);
}

TEST_F(ZoneRelayTest, OlderTopologiesAndInputCardsAreUpgraded)
{
    MakeAmp()->OnCommand(ampcmd::OneInN);
    CRelaisTopology* t = LastTopology();
    CZone* zone = t->GetZones()[0];
    t->m_loadedSchema = 1;
    t->m_relayFunction = 2;  // "gem. Pflichtrelais"
    t->m_relayList = {0x10000003u};
    t->PostLoad();
    auto* prio = dynamic_cast<CRelais*>(zone->GetInLinkAtKey(CZone::kPrioKey)->partner);
    ASSERT_NE(nullptr, prio);
    EXPECT_EQ(prio, Tables().GetSRelais(3));
    EXPECT_EQ("764", zone->GetAttributeText(zoneattr::PrioType));
    EXPECT_EQ(0, t->m_relayFunction);
    EXPECT_TRUE(t->m_relayList.empty());
    t->m_relayFunction = 4;
    t->PostLoad();
    EXPECT_TRUE(messages.Contains("D und E Relais werden nicht mehr unterstützt"));

    // An input card of an old file without a carrier gets one, at key number + 11.
    CLMZ* card = CLMZ::NewCard(&Doc(), lmzkind::In771);
    CLMZ* second = CLMZ::NewCard(&Doc(), lmzkind::In771);
    second->m_loadedSchema = 1;
    second->PostLoad();
    CLMZ* carrier = dynamic_cast<CLMZ*>(Doc().GetIDManager().GetBaseDevice(1, OT_LMZ752));
    ASSERT_NE(nullptr, carrier);
    EXPECT_EQ("LMZ752", carrier->GetName());
    int32_t key = 0;
    EXPECT_EQ(carrier, second->GetCarrier(&key));
    EXPECT_EQ(13, key);
    EXPECT_EQ(nullptr, card->GetCarrier());
}
