#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "ModelTestObjects.h"
#include "audio/CInternalPowerManagement.h"
#include "audio/CMessageSignal.h"
#include "audio/CMiscAudio.h"
#include "calendar/CAppoint.h"
#include "calendar/CClock.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "hardware/CAudioInputSlot.h"
#include "hardware/CAudioOutputSlot.h"
#include "logic/CBusyCondition.h"
#include "logic/CTrigger.h"
#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "macros/CMacro.h"
#include "model/CControlPad.h"
#include "model/CQuillomerDoc.h"
#include "model/ModelStrings.h"
#include "platform/StringTable.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/ConsoleIds.h"
#include "paging/CZone.h"
#include "service/CEventLog.h"
#include "service/CFuse.h"
#include "support/BlockTestSupport.h"
#include "support/ModelTestHost.h"
#include "support/ZoneTestSupport.h"

namespace fs = std::filesystem;

void PrintTo(const HeldOnLoad& h, std::ostream* os)
{
    *os << h.item << ": " << h.file << " -> " << h.held;
}

namespace {

// Records the answer lines handed to it.
class RecordingDevice : public CBaseDevice {
    QL_DECLARE_SERIAL(RecordingDevice)
public:
    RecordingDevice() { m_type = OT_NONE; }
    void ParseUploadLines(std::string line, const std::string& diff, int state) override
    {
        lines.push_back(line);
        lastDiff = diff;
        lastState = state;
    }
    std::vector<std::string> lines;
    std::string lastDiff;
    int lastState = 0;
};
QL_IMPLEMENT_SERIAL(RecordingDevice, 1)

std::map<int32_t, size_t> CountPerCategory(const CQuillomerDoc& doc)
{
    std::map<int32_t, size_t> counts;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
        if (!doc.GetList(c).empty())
            counts[c] = doc.GetList(c).size();
    return counts;
}

size_t CountType(const CQuillomerDoc& doc, uint32_t type, int32_t category)
{
    size_t n = 0;
    for (const CBaseDevice* o : doc.GetList(category))
        if (o->GetType() == type)
            ++n;
    return n;
}

struct TempDir {
    TempDir()
    {
        char tmpl[] = "/tmp/ql-model-XXXXXX";
        path = ::mkdtemp(tmpl);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Takes an object out of its document with all its links and deletes it,
// whatever its own delete command allows.
void Drop(CQuillomerDoc& doc, CBaseDevice* obj)
{
    obj->RemoveAllInLinks();
    obj->RemoveAllOutLinks();
    doc.RemoveObject(obj);
    delete obj;
}

void DropCategory(CQuillomerDoc& doc, int32_t category)
{
    while (!doc.GetList(category).empty())
        Drop(doc, doc.GetList(category).front());
}

void DropType(CQuillomerDoc& doc, uint32_t type)
{
    DeviceList list;
    doc.GetIDManager().GetBaseDeviceList(list, type);
    for (CBaseDevice* o : list)
        Drop(doc, o);
}

struct DocTest : ::testing::Test {
    DocTest() { host.projectDataDialog = [](ProjectData&) { return false; }; }
    MessageLog messages;
    ModelTestHost host;
};

// ------------------------------------------------------------------ new document

TEST_F(DocTest, NewDocumentHoldsTheDefaultSystem)
{
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    const std::map<int32_t, size_t> expected = {
        {CAT_RELAIS_TOPOLOGY, 10}, {CAT_GROUP, 1}, {CAT_OUTPUT_SLOT, 2}, {CAT_INPUT_SLOT, 2},
        {CAT_CALENDAR, 2}, {CAT_INTERNAL_SLOT, 9}, {CAT_INFO, 1}, {CAT_INTERFACE, 2}, {CAT_DIGITAL_SLOT, 1},
        {CAT_DIGITAL_IO, 10},
        // 17 alarms + 17 signals, 6 gongs + 6 signals, common audio, 15 block objects
        {CAT_AUDIO, 17 * 2 + 6 * 2 + 1 + 15},
    };
    EXPECT_EQ(CountPerCategory(doc), expected);
    EXPECT_EQ(CountType(doc, OT_CONTROL_PAD, CAT_DIGITAL_IO), 8u);
    EXPECT_EQ(CountType(doc, OT_ALARM, CAT_AUDIO), 17u);
    EXPECT_EQ(CountType(doc, OT_CHIME_SIGNAL, CAT_AUDIO), 6u);
    EXPECT_TRUE(doc.GetIDManager().GetBaseDevice(1, OT_MONITOR) != nullptr);
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(1, OT_MONITOR)->GetName(), "Monitor");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_data.deviceVariant, 1);
    EXPECT_EQ(host.postedCommands, std::vector<uint32_t>{doccmd::ProjectData});
    ASSERT_EQ(host.closingCalls.size(), 1u);
    EXPECT_FALSE(host.closingCalls[0].second);

    // The "24 Volt" pad is part of the default system.
    DeviceList volts;
    doc.GetIDManager().GetBaseDeviceListByKind(volts, OT_CONTROL_PAD, padkind::Volts24);
    EXPECT_EQ(volts.size(), 1u);

    // Every alarm is linked to its own signal.
    CBaseDevice* alarm5 = doc.GetIDManager().GetBaseDevice(5, OT_ALARM);
    ASSERT_NE(alarm5, nullptr);
    EXPECT_EQ(alarm5->GetName(), "Telefon");
    LinkRecord* r = alarm5->GetOutLinkAtKey(0);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->partner->GetType(), OT_ALARM_SIGNAL);
    EXPECT_EQ(r->partner->GetInLinkAtKey(0)->partner, alarm5);

    CBaseDevice* group = doc.GetList(CAT_GROUP).front();
    EXPECT_EQ(group->GetNumber(), 0);
    EXPECT_EQ(group->GetName(), "'Alle' Gruppe");
    EXPECT_EQ(doc.GetList(CAT_INFO).front()->GetName(), "KVT 7000");
}

TEST_F(DocTest, BuildersThatTestForPresenceAddNothingTheSecondTime)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    const auto before = CountPerCategory(doc);
    doc.UpgradeControlPads();
    doc.AddMissingSystemObjects();
    doc.AddMissingAlarms();
    EXPECT_EQ(CountPerCategory(doc), before);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DocTest, Lmz771PadsAreRelinkedToTheirCard)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    TestDevice* card1 = MakeDevice(doc, OT_LMZ771, CAT_DIGITAL_IO, "K1");
    TestDevice* card2 = MakeDevice(doc, OT_LMZ771, CAT_DIGITAL_IO, "K2");
    auto makePad = [&](const char* name) {
        auto* pad = new CControlPad;
        pad->Create(padkind::SlotIn, 1, 1, std::string(name), 500, 500, 0, 0, CAT_DIGITAL_IO, 0, 3, &doc);
        doc.AddObject(pad, CAT_DIGITAL_IO);
        return pad;
    };
    CControlPad* p14 = makePad("LMZ771-14");
    CControlPad* p3 = makePad("LMZ771-3");
    doc.UpgradeControlPads();
    EXPECT_EQ(p14->GetKindId(), padkind::LMZ771);
    ASSERT_NE(p14->GetInLinkAtKey(0), nullptr);
    EXPECT_EQ(p14->GetInLinkAtKey(0)->partner, card2);
    EXPECT_EQ(p14->GetInLinkAtKey(0)->partnerKey, 14);
    EXPECT_EQ(p3->GetInLinkAtKey(0)->partner, card1);
    EXPECT_EQ(card1->GetOutLinkAtKey(3)->partner, p3);
}

// ------------------------------------------------------------------ files

TEST_F(DocTest, SaveOpenSaveIsByteIdentical)
{
    TempDir dir;
    CQuillomerDoc doc;
    doc.OnNewDocument();
    doc.m_data.projectName = "Anlage Nord";
    doc.m_data.projectNumber = "P-17";
    doc.m_data.company = "Müller & Söhne";
    doc.m_data.systemCallNumber = "0815";
    doc.m_data.extraWord = 0xDEADBEEF;
    ASSERT_TRUE(doc.OnSaveDocument(dir / "a.qlx"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "a");

    // The card slots' bounding rectangles take their margin when loaded; from
    // then on the file stays the same.
    CQuillomerDoc first;
    ASSERT_TRUE(first.OnOpenDocument(dir / "a.qlx"));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(CountPerCategory(first), CountPerCategory(doc));
    EXPECT_EQ(first.m_data.company, "Müller & Söhne");
    EXPECT_EQ(first.m_data.projectNumber, "P-17");
    EXPECT_EQ(first.m_data.extraWord, 0xDEADBEEFu);
    EXPECT_EQ(first.m_fileVersion, 1101u);
    ASSERT_TRUE(first.OnSaveDocument(dir / "b.qlx"));

    CQuillomerDoc second;
    ASSERT_TRUE(second.OnOpenDocument(dir / "b.qlx"));
    ASSERT_TRUE(second.OnSaveDocument(dir / "c.qlx"));
    EXPECT_EQ(ReadFile(dir / "b.qlx"), ReadFile(dir / "c.qlx"));
    // The list order survives.
    auto ia = doc.GetList(CAT_AUDIO).begin();
    for (CBaseDevice* o : second.GetList(CAT_AUDIO))
        EXPECT_EQ(o->GetType(), (*ia++)->GetType());
}

TEST_F(DocTest, LoadingNamesTheBlocksInTheLanguageInUseAndShowsTheStoredDate)
{
    // A project made in German, with the date typed in a form of the user's
    // own; then opened in German and with other texts in use (as after the
    // switch to English).
    CQuillomerDoc doc;
    doc.OnNewDocument();
    doc.m_data.dateText = "7.12.26";
    doc.m_data.projectDate = static_cast<uint32_t>(*host.ParseShortDate("07.12.2026"));
    const std::string shown = host.FormatShortDate(static_cast<std::time_t>(doc.m_data.projectDate));
    ASSERT_NE(shown, doc.m_data.dateText);
    const std::vector<std::pair<uint32_t, int32_t>> blocks = {{OT_MACRO_OBJECT, 1}, {OT_CONDITION_OBJECT, 1},
        {OT_CAL_OBJECT, 1}, {OT_TRIGGER_OBJECT, 1}, {OT_COLLECTION_CALL, 1}, {OT_COLLECTION_CALL, 10}};
    auto isBlock = [&](const CBaseDevice* o) {
        return o->GetType() == OT_COLLECTION_CALL ||
               std::find(blocks.begin(), blocks.end(), std::make_pair(o->GetType(), o->GetNumber())) != blocks.end();
    };
    auto blockNames = [&](CQuillomerDoc& d) {
        std::vector<std::string> all;
        for (const auto& [type, number] : blocks) {
            const CBaseDevice* o = d.GetIDManager().GetBaseDevice(number, type);
            all.push_back(o ? o->m_name : "(none)");
        }
        return all;
    };
    // Every other object keeps the name the file holds.
    auto otherNames = [&](CQuillomerDoc& d) {
        std::vector<std::string> all;
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (CBaseDevice* o : d.GetList(c))
                if (!isBlock(o))
                    all.push_back(std::to_string(o->GetType()) + " " + o->GetName());
        return all;
    };
    doc.GetIDManager().GetBaseDevice(1, OT_MACRO_OBJECT)->SetName("Makroobjekt 1");
    const std::vector<std::string> others = otherNames(doc);
    auto loadInEnglish = [](CQuillomerDoc& d, const std::vector<uint8_t>& bytes) {
        const StringTranslator previous =
            SetStringTranslator([](uint32_t, const std::string& german) { return "English " + german; });
        const bool loaded = d.LoadFromBytes(bytes);
        SetStringTranslator(previous);
        return loaded;
    };

    CQuillomerDoc german;
    ASSERT_TRUE(german.LoadFromBytes(doc.SaveToBytes()));
    EXPECT_EQ(blockNames(german), (std::vector<std::string>{"Makro", "Bedingung", "Kalender", "Trigger",
                                                            "Sammelruf 1", "Sammelruf 10"}));
    EXPECT_EQ(otherNames(german), others);
    EXPECT_EQ(german.m_data.dateText, shown);
    EXPECT_EQ(german.m_data.projectDate, doc.m_data.projectDate);

    CQuillomerDoc english;
    ASSERT_TRUE(loadInEnglish(english, doc.SaveToBytes()));
    EXPECT_EQ(blockNames(english),
              (std::vector<std::string>{"English Makro", "English Bedingung", "English Kalender", "English Trigger",
                                        "English Sammelruf 1", "English Sammelruf 10"}));
    EXPECT_EQ(otherNames(english), others);
    EXPECT_EQ(english.m_data.dateText, shown);

    // A day of work in one language: the file stays the same, byte for byte.
    const std::vector<uint8_t> inGerman = german.SaveToBytes();
    CQuillomerDoc germanAgain;
    ASSERT_TRUE(germanAgain.LoadFromBytes(inGerman));
    EXPECT_EQ(germanAgain.SaveToBytes(), inGerman);
    const std::vector<uint8_t> inEnglish = english.SaveToBytes();
    CQuillomerDoc englishAgain;
    ASSERT_TRUE(loadInEnglish(englishAgain, inEnglish));
    EXPECT_EQ(englishAgain.SaveToBytes(), inEnglish);
}

TEST_F(DocTest, LinksSurviveAFileRoundTrip)
{
    CQuillomerDoc doc;
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V");
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z");
    TestDevice* group = MakeDevice(doc, OT_GROUP, CAT_GROUP, "G");
    zone->LinkTo(0, amp, 1);
    group->LinkTo(0, zone, 0);
    group->AddOutLink(group, 7, LinkRecord::NoPartner(), 3, CAT_ZONE);
    const std::vector<uint8_t> bytes = doc.SaveToBytes();

    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    CBaseDevice* a = loaded.FindObject(CAT_AMPLIFIER, 1);
    CBaseDevice* z = loaded.FindObject(CAT_ZONE, 1);
    CBaseDevice* g = loaded.FindObject(CAT_GROUP, 0);
    ASSERT_TRUE(a && z && g);
    ASSERT_EQ(z->m_outLinks.size(), 1u);
    EXPECT_EQ(*z->m_outLinks.front(), (LinkRecord{a, 1, z, 0, CAT_AMPLIFIER}));
    ASSERT_EQ(a->m_inLinks.size(), 1u);
    EXPECT_EQ(*a->m_inLinks.front(), (LinkRecord{z, 0, a, 1, CAT_ZONE}));
    ASSERT_EQ(z->m_inLinks.size(), 1u);
    EXPECT_EQ(z->m_inLinks.front()->partner, g);
    ASSERT_EQ(g->m_outLinks.size(), 2u);
    EXPECT_EQ(g->m_outLinks.back()->partner, LinkRecord::NoPartner());
    EXPECT_EQ(g->m_outLinks.back()->partnerKey, 3);
    EXPECT_EQ(z->GetPath(), "/KVT/ZONE1");
    EXPECT_EQ(loaded.LookupPath("/AMP1"), a);
    g->RemoveAllOutLinks();
    EXPECT_TRUE(z->m_inLinks.empty());
    EXPECT_EQ(a->m_inLinks.size(), 1u);
}

TEST_F(DocTest, LinkBlockLayout)
{
    CQuillomerDoc doc;
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V");
    MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z0");
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z1");
    zone->LinkTo(2, amp, 5);
    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    // The amplifier's incoming block: one record naming zone index 1.
    const uint8_t record[] = {1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 3, 0, 0, 0};
    auto it = std::search(bytes.begin(), bytes.end(), std::begin(record), std::end(record));
    EXPECT_NE(it, bytes.end());
}

TEST_F(DocTest, UnresolvableLinksAreSkippedWithAMessage)
{
    CQuillomerDoc doc;
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V");
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z");
    zone->LinkTo(0, amp, 0);
    std::vector<uint8_t> bytes = doc.SaveToBytes();
    // Each link block: its count, then index, partner key, own key and the
    // partner's list. The zone's outgoing record names list 15 (no object
    // there), the amplifier's incoming record list 40 (no such list).
    auto retarget = [&bytes](uint8_t list, uint8_t wrong) {
        const uint8_t block[] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, list, 0, 0, 0};
        const auto at = std::find_end(bytes.begin(), bytes.end(), std::begin(block), std::end(block));
        ASSERT_NE(bytes.end(), at);
        at[16] = wrong;
    };
    retarget(static_cast<uint8_t>(CAT_AMPLIFIER), 15);
    retarget(static_cast<uint8_t>(CAT_ZONE), 40);
    CQuillomerDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    EXPECT_TRUE(messages.Contains("Eingangsverbindungen beim Gerät Z können nur teilweise erzeugt werden !"));
    EXPECT_TRUE(messages.Contains("Eingangsverbindungen beim Gerät V können nur teilweise erzeugt werden !"));
    EXPECT_TRUE(loaded.FindObject(CAT_ZONE, 1)->m_outLinks.empty());
}

TEST_F(DocTest, CutOrLengthenedFileIsRefusedWithItsReason)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z");
    zone->LinkTo(0, doc.GetList(CAT_OUTPUT_SLOT).front(), 0);
    doc.m_data.projectNumber = "X";
    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    CQuillomerDoc loaded;
    // Every cut, and any byte after the project number, refuses the file:
    // nothing of it is kept, nothing is shown by the document itself, and
    // the caller learns the message and the reason.
    auto refused = [&](const std::vector<uint8_t>& damaged, const char* reason) {
        EXPECT_FALSE(loaded.LoadFromBytes(damaged));
        EXPECT_EQ(loaded.GetLoadError().messageId, IDS_OPEN_FAILED);
        EXPECT_NE(loaded.GetLoadError().reason.find(reason), std::string::npos) << loaded.GetLoadError().reason;
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            EXPECT_TRUE(loaded.GetList(c).empty());
        EXPECT_TRUE(loaded.GetPathMap().empty());
        EXPECT_FALSE(loaded.IsModified());
        return !::testing::Test::HasFailure();
    };
    for (size_t n = 1; n < bytes.size(); ++n)
        ASSERT_TRUE(refused({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)}, "endet vor")) << n;
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_TRUE(refused(longer, "noch 1 Bytes"));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    ASSERT_TRUE(loaded.LoadFromBytes(bytes));
    EXPECT_EQ(loaded.GetLoadError().messageId, 0u);
}

TEST_F(DocTest, DamagedBytesNeverCrashTheLoader)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z");
    zone->LinkTo(0, doc.GetList(CAT_OUTPUT_SLOT).front(), 0);
    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    uint32_t x = 99;
    auto next = [&x] {
        x = x * 1103515245u + 12345u;
        return x >> 8;
    };
    CQuillomerDoc loaded;
    for (int round = 0; round < 500; ++round) {
        std::vector<uint8_t> damaged = bytes;
        const int flips = 1 + static_cast<int>(next() % 4);
        for (int i = 0; i < flips; ++i)
            damaged[next() % damaged.size()] = static_cast<uint8_t>(next());
        if (!loaded.LoadFromBytes(damaged)) {
            for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
                ASSERT_TRUE(loaded.GetList(c).empty());
        } else {
            (void)loaded.SaveToBytes();
        }
    }
}


// A damaged or hand-made file whose values lie beyond what their keys take:
// each family holds or refuses them as its upload reader does the device's
// answers, the document names each once, what a download sends is within
// the range, and the project saved again loads without a word.
TEST_F(DocTest, ValuesBeyondTheirRangeInAFileAreHeldNamedOnceAndNeverSent)
{
    using blocktest::BlockHarness;
    using blocktest::Bytes;
    using Lines = std::vector<std::string>;
    const auto object = [](CQuillomerDoc& doc, uint32_t type) {
        CBaseDevice* obj = doc.GetIDManager().GetBaseDevice(1, type);
        EXPECT_NE(obj, nullptr) << type;
        return obj;
    };
    // The file with the object's own data written as `own` (a hand-made file).
    const auto patch = [](Bytes& file, CBaseDevice& obj, const Bytes& own) {
        const Bytes stored = blocktest::StoreData(obj);
        const auto at = std::search(file.begin(), file.end(), stored.begin(), stored.end());
        ASSERT_NE(at, file.end());
        ASSERT_EQ(std::search(at + 1, file.end(), stored.begin(), stored.end()), file.end());
        const Bytes made = blocktest::Concat(blocktest::StoreCommon(obj), own);
        ASSERT_EQ(made.size(), stored.size());
        std::copy(made.begin(), made.end(), at);
    };
    // What the whole download of objects of these types sends.
    const auto download = [&object](std::vector<uint32_t> types) {
        return [types, &object](BlockHarness& h) {
            for (uint32_t type : types)
                h.Walk(*object(h.doc(), type), 0);
            return h.link.lines;
        };
    };
    const struct {
        const char* family;
        std::function<void(CQuillomerDoc&, Bytes&)> craft;  // the file's values, written as they are
        std::function<Lines(BlockHarness&)> sent;
        std::vector<HeldOnLoad> held;
        Lines within;  // lines the download sends
        Lines beyond;  // lines it must not send
    } rows[] = {
        {"service: fuse steps 7 and -1",
         [&](CQuillomerDoc& d, Bytes& file) {
             auto* fuse = static_cast<CFuse*>(object(d, OT_FUSE));
             fuse->m_steps[CFuse::Amp485] = 7;
             fuse->m_steps[CFuse::Slot2B] = -1;
             file = d.SaveToBytes();
         },
         download({OT_FUSE}),
         {{"/FUSE/SLOT2/B/VALUE", "-1", "3"}, {"/FUSE/AMP485/VALUE", "7", "3"}},
         {"/FUSE/SLOT2/B/VALUE 3", "/FUSE/AMP485/VALUE 3"},
         {"/FUSE/SLOT2/B/VALUE -1", "/FUSE/AMP485/VALUE 7"}},
        {"service: an event-log mask word the device does not know",
         [&](CQuillomerDoc& d, Bytes& file) {
             static_cast<CEventLog*>(object(d, OT_EVENT_LOG))->m_masks[CEventLog::Audio] = "ALARM,XYZ";
             file = d.SaveToBytes();
         },
         download({OT_EVENT_LOG}),
         {{"/EVENT/LOG/MASK/AUDIO/ON", "ALARM,XYZ", "NONE"}},
         {"/EVENT/LOG/MASK/AUDIO/ON NONE"},
         {"/EVENT/LOG/MASK/AUDIO/ON ALARM,XYZ"}},
        {"hardware: an input's volume above 6 dB and a filter type 7",
         [&](CQuillomerDoc& d, Bytes& file) {
             auto* slot = static_cast<CAudioInputSlot*>(object(d, OT_AUDIO_INPUT_SLOT));
             slot->m_volume[0] = 9.5;
             slot->m_filters[0][1].type = 7;
             file = d.SaveToBytes();
         },
         download({OT_AUDIO_INPUT_SLOT}),
         {{"/AUDIO/IN1/VOL", "9.5", "6.0"}, {"/AUDIO/IN1/FILTER2/TYPE", "7", "PEQ"}},
         {"/AUDIO/IN1/VOL 6.0", "/AUDIO/IN1/FILTER2/TYPE PEQ"},
         {"/AUDIO/IN1/VOL 9.5", "/AUDIO/IN1/FILTER2/TYPE 7"}},
        {"hardware: a filter type the filter does not offer",
         [&](CQuillomerDoc& d, Bytes& file) {
             static_cast<CAudioInputSlot*>(object(d, OT_AUDIO_INPUT_SLOT))->m_filters[0][0].type = IFT_HICUT;
             file = d.SaveToBytes();
         },
         download({OT_AUDIO_INPUT_SLOT}),
         {{"/AUDIO/IN1/FILTER1/TYPE", "3", "PEQ"}},
         {"/AUDIO/IN1/FILTER1/TYPE PEQ"},
         {"/AUDIO/IN1/FILTER1/TYPE HICUT"}},
        {"hardware: an output's delay of 500 ms on the upgraded device",
         [&](CQuillomerDoc& d, Bytes& file) {
             static_cast<CAudioOutputSlot*>(object(d, OT_AUDIO_OUTPUT_SLOT))->m_delay[0] = 0.5;
             file = d.SaveToBytes();
         },
         download({OT_AUDIO_OUTPUT_SLOT}),
         {{"/AUDIO/OUT1/DELAY", "500.000", "330.000"}},
         {"/AUDIO/OUT1/DELAY 330.000"},
         {"/AUDIO/OUT1/DELAY 500.000"}},
        {"paging: a console's switch-on priority of 500 and a key's priority of 200",
         [&](CQuillomerDoc& d, Bytes& file) {
             auto* slot = static_cast<CAudioInputSlot*>(object(d, OT_AUDIO_INPUT_SLOT));
             slot->SetCardType(inputcard::Console2);
             slot->SetHoverConnectors(0, -1);
             ASSERT_EQ(1, slot->AddConsole(consmodel::WRN2271));
             auto* console = static_cast<CConsole*>(object(d, OT_CONSOLE));
             console->GetProp().m_onPrio = 500;
             CConsKey* key = console->GetProp().FindKey(2);
             ConsKeyValues v = key->Stored();
             v.function = CKF_STOP;
             v.c = 200;
             key->AssignValues(v);
             file = d.SaveToBytes();
         },
         download({OT_CONSOLE}),
         {{"/CONS/ADR1/ON_PRIO", "500", "40"}, {"/CONS/ADR1/KEY2", "STOP,0,0,200", "STOP"}},
         {"/CONS/ADR1/ON_PRIO 40", "/CONS/ADR1/KEY2 STOP"},
         {"/CONS/ADR1/ON_PRIO 500", "/CONS/ADR1/KEY2 STOP,0,0,200"}},
        {"paging: a zone's tolerance of 150 % and a test volume of +10 dB",
         [&](CQuillomerDoc& d, Bytes& file) {
             ASSERT_NE(AddOneInN(d, 1), nullptr);
             auto* zone = static_cast<CZone*>(object(d, OT_ZONE));
             zone->m_posTolerance = 150;
             zone->m_testVolume = 10;
             file = d.SaveToBytes();
         },
         download({OT_ZONE}),
         {{"/KVT/ZONE1/TEST/POSTOL", "150", "100"}, {"/KVT/ZONE1/TESTVOL", "10", "0"}},
         {"/KVT/ZONE1/TEST/POSTOL 100", "/KVT/ZONE1/TESTVOL 0"},
         {"/KVT/ZONE1/TEST/POSTOL 150", "/KVT/ZONE1/TESTVOL 10"}},
        {"macros: a buzzer's pattern time beyond a byte",
         [&](CQuillomerDoc& d, Bytes& file) {
             auto* m = new CMacro;
             ASSERT_TRUE(m->Create(macrotype::Buzzer, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO,
                                   0, 1, &d));
             d.AddObject(m, CAT_MACRO);
             m->m_shortTime = 999;
             file = d.SaveToBytes();
         },
         [&](BlockHarness& h) {
             Lines lines;
             static_cast<CMacro*>(object(h.doc(), OT_MACRO))->GetParamLines(lines);
             return lines;
         },
         {{"/MACRO/PROG1/PARAM/PTN_TIME", "999", "255"}},
         {"/PARAM/PTN_TIME 255"},
         {"/PARAM/PTN_TIME 999"}},
        {"macros: a repeat macro's interval and count beyond their ranges",
         [&](CQuillomerDoc& d, Bytes& file) {
             auto* m = new CMacro;
             ASSERT_TRUE(m->Create(macrotype::Repeat, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO,
                                   0, 1, &d));
             d.AddObject(m, CAT_MACRO);
             m->m_shortTime = 99999;
             m->m_index = -5;
             file = d.SaveToBytes();
         },
         [&](BlockHarness& h) {
             Lines lines;
             static_cast<CMacro*>(object(h.doc(), OT_MACRO))->GetParamLines(lines);
             return lines;
         },
         {{"/MACRO/PROG1/PARAM/TIME", "99999", "300"}, {"/MACRO/PROG1/PARAM/COUNT", "-5", "0"}},
         {"/PARAM/TIME 300", "/PARAM/COUNT 0"},
         {"/PARAM/TIME 99999", "/PARAM/COUNT -5"}},
        {"logic: a trigger's time of 99 s",
         [&](CQuillomerDoc& d, Bytes& file) {
             auto* t = new CTrigger;
             ASSERT_EQ(1, t->Create(CTrigger::kKindId, "T", 1, CAT_DIGITAL_IO, &d));
             d.AddObject(t, CAT_DIGITAL_IO);
             t->SetValue(triggerkey::Condition, 4);
             t->m_time = 99.0f;
             file = d.SaveToBytes();
         },
         download({OT_TRIGGER_OBJECT}),
         {{"/TRIGGER/ENTRY1/TIME", "99.0", "25.0"}},
         {"/TRIGGER/ENTRY1/TIME 25.0"},
         {"/TRIGGER/ENTRY1/TIME 99.0"}},
        {"logic: busy conditions' priorities of 999 and -5",
         [&](CQuillomerDoc& d, Bytes& file) {
             for (int n : {1, 2}) {
                 auto* b = new CBusyCondition;
                 ASSERT_EQ(1, b->Create(CBusyCondition::kKindId, "B", n, CAT_DIGITAL_IO, &d));
                 d.AddObject(b, CAT_DIGITAL_IO);
                 b->ParseValue(0, "ALARM");
                 b->m_priority = n == 1 ? 999 : -5;
             }
             file = d.SaveToBytes();
         },
         download({OT_CONDITION_OBJECT}),
         {{"/CONDITION/BUSY1/PRIO", "999", "100"}, {"/CONDITION/BUSY2/PRIO", "-5", "0"}},
         {"/CONDITION/BUSY1/PRIO 100", "/CONDITION/BUSY2/PRIO 0"},
         {"/CONDITION/BUSY1/PRIO 999", "/CONDITION/BUSY2/PRIO -5"}},
        {"logic: a virtual controller's 70000 steps and curve of 500",
         [&](CQuillomerDoc& d, Bytes& file) {
             CVirtCtrlItem* item = static_cast<CVirtCtrl*>(object(d, OT_VIRT_CTRL))->GetOrCreateItem(1);
             item->SetFloat(CVirtCtrlItem::Max, 5.0f);
             file = d.SaveToBytes();
             Bytes own;
             for (float f : {0.0f, 5.0f, 0.0f})
                 blocktest::PutF32(own, f);
             for (int32_t i : {70000, 500, 0})
                 blocktest::PutI32(own, i);
             patch(file, *item, own);
         },
         download({OT_VIRT_CTRL}),
         {{"/VIRTCTRL/ENTRY1/STEPS", "70000", "65535"}, {"/VIRTCTRL/ENTRY1/CURVE", "500", "127"}},
         {"/VIRTCTRL/ENTRY1/STEPS 65535", "/VIRTCTRL/ENTRY1/CURVE 127"},
         {"/VIRTCTRL/ENTRY1/STEPS 70000", "/VIRTCTRL/ENTRY1/CURVE 500"}},
        {"audio: a battery priority of 999 and an alarm level of +20 dB",
         [&](CQuillomerDoc& d, Bytes& file) {
             Bytes power;
             for (int32_t v : {999, 30, 0, 0, 0})
                 blocktest::PutI32(power, v);
             patch(file, *object(d, OT_INTERNAL_POWER_MANAGEMENT), power);
             Bytes levels;
             for (float v : {20.0f, -9.0f, -3.6f, 0.0f})
                 blocktest::PutF32(levels, v);
             for (int32_t v : {CMiscAudio::kBackAttOff, 2, 2, 3})
                 blocktest::PutI32(levels, v);
             patch(file, *object(d, OT_MISC_AUDIO), levels);
         },
         download({OT_INTERNAL_POWER_MANAGEMENT, OT_MISC_AUDIO}),
         {{"/AUDIO/ALARM_VOL", "20.0", "6.0"}, {"/POWER/BATT_PRIO", "999", "255"}},
         {"/POWER/BATT_PRIO 255", "/AUDIO/ALARM_VOL 6.0"},
         {"/POWER/BATT_PRIO 999", "/AUDIO/ALARM_VOL 20.0"}},
        {"audio: a message signal's priority of 99 and message number -5",
         [&](CQuillomerDoc& d, Bytes& file) {
             auto* signal = new CMessageSignal;
             ASSERT_EQ(1, signal->Create(signalkind::Message, "Durchsage", 1, CAT_AUDIO, &d));
             d.AddObject(signal, CAT_AUDIO);
             file = d.SaveToBytes();
             Bytes own;
             for (int32_t v : {99, -5})
                 blocktest::PutI32(own, v);
             patch(file, *signal, own);
         },
         download({OT_MESSAGE_SIGNAL}),
         {{"Durchsage", "Prio 99", "Prio 1"}, {"/EVENT/MESSAGE1/INTERN", "-5", "0"}},
         {"/EVENT/MESSAGE1/INTERN 0"},
         {"/EVENT/MESSAGE1/INTERN -5"}},
        {"calendar: a slave clock that runs \"MAYBE\"",
         [&](CQuillomerDoc& d, Bytes& file) {
             static_cast<CClock*>(object(d, OT_CLOCK))->m_run = "MAYBE";
             file = d.SaveToBytes();
         },
         download({OT_CLOCK}),
         {{"/CLOCK/SLAVE/RUN", "MAYBE", "OFF"}},
         {"/CLOCK/SLAVE/RUN OFF"},
         {"/CLOCK/SLAVE/RUN MAYBE"}},
        {"calendar: an appointment's and a holiday's function the device does not offer",
         [&](CQuillomerDoc& d, Bytes& file) {
             auto* ap = new CAppoint;
             ASSERT_EQ(1, ap->Create(CAppoint::kKindId, "A", 3, CAT_CALENDAR, &d));
             d.AddObject(ap, CAT_CALENDAR);
             ap->SetParamText(CAppoint::Function, "XYZ");
             auto* hol = new CHoliday;
             ASSERT_EQ(1, hol->Create(CHoliday::kKindId, "H", 2, CAT_CALENDAR, &d));
             d.AddObject(hol, CAT_CALENDAR);
             hol->SetParamText(CHoliday::Function, "WORT");
             file = d.SaveToBytes();
         },
         download({OT_CAL_OBJECT}),
         {{"/CAL/APPOINT3/FUNCTION", "XYZ", "OFF"}, {"/CAL/HOLIDAY2/FUNCTION", "WORT", "OFF"}},
         {"/CAL/APPOINT3/FUNCTION OFF", "/CAL/HOLIDAY2/FUNCTION OFF"},
         {"/CAL/APPOINT3/FUNCTION XYZ", "/CAL/HOLIDAY2/FUNCTION WORT"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.family);
        Bytes file;
        {
            BlockHarness made;
            ASSERT_TRUE(made.doc().OnNewDocument());
            file = made.doc().SaveToBytes();
            row.craft(made.doc(), file);
        }
        BlockHarness h;
        ASSERT_TRUE(h.doc().LoadFromBytes(file));
        EXPECT_EQ(h.doc().GetHeldOnLoad(), row.held) << "each value named once";
        EXPECT_TRUE(h.doc().IsModified());
        const Lines sent = row.sent(h);
        for (const std::string& line : row.within)
            EXPECT_EQ(std::count(sent.begin(), sent.end(), line), 1) << line;
        for (const std::string& line : row.beyond)
            EXPECT_EQ(std::find(sent.begin(), sent.end(), line), sent.end()) << line;
        CQuillomerDoc again;
        ASSERT_TRUE(again.LoadFromBytes(h.doc().SaveToBytes()));
        EXPECT_TRUE(again.GetHeldOnLoad().empty());
        EXPECT_FALSE(again.IsModified());
    }
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

TEST_F(DocTest, ForeignFilesFail)
{
    TempDir dir;
    CQuillomerDoc doc;
    std::vector<uint8_t> junk(5000);
    uint32_t x = 12345;
    for (uint8_t& b : junk) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 16);
    }
    EXPECT_FALSE(doc.LoadFromBytes(junk));
    std::vector<uint8_t> newer = {0x4E, 0x04, 0, 0};  // version 1102
    EXPECT_FALSE(doc.LoadFromBytes(newer));
    EXPECT_EQ(doc.GetLoadError().reason, "Unbekannte Dateiversion 1102.");
    WriteFile(dir / "junk.qlx", junk);
    EXPECT_FALSE(doc.OnOpenDocument(dir / "junk.qlx"));
    EXPECT_EQ(doc.GetLoadError().messageId, IDS_OPEN_FAILED);
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_FALSE(doc.OnOpenDocument(dir / "missing.qlx"));
    EXPECT_EQ(doc.GetLoadError().messageId, IDS_UNKNOWN_FORMAT);
    EXPECT_EQ(doc.GetLoadError().reason, "Die Datei kann nicht geöffnet werden: Die Datei ist nicht vorhanden.");
    EXPECT_TRUE(messages.texts.empty()) << "the caller shows the message";
}

// An empty file is a project without contents: it opens with everything a
// new project holds, information slot included, and nothing changed yet.
TEST_F(DocTest, EmptyFileOpensWithTheDefaultSystemOfANewProject)
{
    TempDir dir;
    WriteFile(dir / "leer.qlx", {});
    CQuillomerDoc fresh;
    fresh.OnNewDocument();
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir / "leer.qlx"));
    EXPECT_EQ(CountPerCategory(doc), CountPerCategory(fresh));
    EXPECT_EQ(doc.GetList(CAT_INFO).size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "leer");
    EXPECT_EQ(doc.m_data.fileTitle, "leer");
    CQuillomerDoc again;
    EXPECT_TRUE(again.LoadFromBytes(doc.SaveToBytes()));
}

TEST_F(DocTest, FailedSaveKeepsTheOldFileAndTheModifiedMark)
{
    TempDir dir;
    CQuillomerDoc doc;
    doc.OnNewDocument();
    doc.GetList(CAT_INFO).front()->SetDocModified();
    fs::create_directory(dir / "target.qlx");  // cannot be replaced by a file
    EXPECT_FALSE(doc.OnSaveDocument(dir / "target.qlx"));
    EXPECT_TRUE(messages.Contains("nicht gespeichert"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(fs::is_directory(dir / "target.qlx"));
    size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir.path)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1u) << "no temporary file is left behind";
    EXPECT_FALSE(doc.OnSaveDocument(dir / "no/such/dir/x.qlx"));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocTest, SavingReplacesAnExistingFile)
{
    TempDir dir;
    WriteFile(dir / "p.qlx", {1, 2, 3});
    CQuillomerDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(dir / "p.qlx"));
    EXPECT_EQ(ReadFile(dir / "p.qlx"), doc.SaveToBytes());
}

// ------------------------------------------------------------------ old versions

// Rewrites the header of a stored 1101 file as an older version writes it.
std::vector<uint8_t> AsVersion(const std::vector<uint8_t>& v1101, uint32_t version)
{
    size_t pos = 4;
    for (int i = 0; i < 8; ++i)
        pos += 1 + v1101.at(pos);  // short texts only
    const size_t dateAt = pos;
    const size_t afterVariant = dateAt + 8;
    const size_t extraAt = afterVariant;
    const size_t listsAt = extraAt + 4 + 1 + v1101.at(extraAt + 4);
    const size_t numberLen = 1;  // empty project number: one length byte
    std::vector<uint8_t> out = {static_cast<uint8_t>(version), static_cast<uint8_t>(version >> 8), 0, 0};
    out.insert(out.end(), v1101.begin() + 4, v1101.begin() + static_cast<std::ptrdiff_t>(dateAt));
    if (version >= 992)
        out.insert(out.end(), v1101.begin() + static_cast<std::ptrdiff_t>(dateAt),
                   v1101.begin() + static_cast<std::ptrdiff_t>(dateAt + 4));
    if (version >= 1100)
        out.insert(out.end(), v1101.begin() + static_cast<std::ptrdiff_t>(dateAt + 4),
                   v1101.begin() + static_cast<std::ptrdiff_t>(afterVariant));
    if (version >= 1101)
        out.insert(out.end(), v1101.begin() + static_cast<std::ptrdiff_t>(extraAt),
                   v1101.begin() + static_cast<std::ptrdiff_t>(listsAt));
    const auto end = version >= 982 ? v1101.end() : v1101.end() - static_cast<std::ptrdiff_t>(numberLen);
    out.insert(out.end(), v1101.begin() + static_cast<std::ptrdiff_t>(listsAt), end);
    return out;
}

struct OldVersionTest : DocTest {
    // A new project, saved, with the given categories' objects removed first.
    std::vector<uint8_t> Stored(std::initializer_list<int32_t> dropCategories, std::initializer_list<uint32_t> dropTypes = {})
    {
        CQuillomerDoc doc;
        doc.OnNewDocument();
        doc.m_data.dateText = "01.02.2003";
        doc.m_data.systemCallNumber = "";
        for (int32_t c : dropCategories)
            DropCategory(doc, c);
        for (uint32_t t : dropTypes)
            DropType(doc, t);
        reference = CountPerCategory(doc);
        return doc.SaveToBytes();
    }
    std::map<int32_t, size_t> reference;
};

TEST_F(OldVersionTest, Version1GetsTheCurrentSystemObjects)
{
    const auto bytes = AsVersion(Stored({CAT_AUDIO, CAT_INTERNAL_SLOT, CAT_CALENDAR, CAT_RELAIS_TOPOLOGY},
                                        {OT_FUSE, OT_CONTROL_PAD}),
                                 1);
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    CQuillomerDoc fresh;
    fresh.OnNewDocument();
    EXPECT_EQ(CountPerCategory(doc), CountPerCategory(fresh));
    EXPECT_EQ(doc.m_fileVersion, 1u);
    EXPECT_EQ(doc.m_data.deviceVariant, 0);
    EXPECT_EQ(doc.m_data.dateText, host.FormatShortDate(*host.ParseShortDate("01.02.2003")));
    EXPECT_FALSE(doc.IsModified());
    const auto saved = doc.SaveToBytes();
    EXPECT_EQ(saved[0] | saved[1] << 8, 1101);
}

TEST_F(OldVersionTest, Version1LosesItsOldInternalSlotsAndCalendar)
{
    CQuillomerDoc src;
    src.OnNewDocument();
    DropCategory(src, CAT_AUDIO);
    DropCategory(src, CAT_RELAIS_TOPOLOGY);
    DropType(src, OT_CONTROL_PAD);
    DropType(src, OT_FUSE);
    DropType(src, OT_CLOCK);
    // An old internal slot linked to a zone: the slot goes, the zone keeps no dangling record.
    CBaseDevice* oldSlot = src.GetList(CAT_INTERNAL_SLOT).front();
    oldSlot->SetName("Altslot");
    TestDevice* zone = MakeDevice(src, OT_ZONE, CAT_ZONE, "Z");
    zone->LinkTo(0, oldSlot, 0);
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(AsVersion(src.SaveToBytes(), 1)));
    EXPECT_EQ(doc.GetList(CAT_INTERNAL_SLOT).size(), 9u);
    for (CBaseDevice* o : doc.GetList(CAT_INTERNAL_SLOT))
        EXPECT_NE(o->GetName(), "Altslot");
    EXPECT_EQ(doc.GetList(CAT_CALENDAR).size(), 2u);
    EXPECT_TRUE(doc.FindObject(CAT_ZONE, 1)->m_outLinks.empty());
    const auto again = doc.SaveToBytes();
    CQuillomerDoc reloaded;
    EXPECT_TRUE(reloaded.LoadFromBytes(again));
}

TEST_F(OldVersionTest, Version902GetsClockFuseAndPads)
{
    const auto bytes = AsVersion(Stored({}, {OT_CLOCK, OT_FUSE, OT_CONTROL_PAD}), 902);
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes));
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_NE(doc.GetIDManager().GetBaseDevice(1, OT_CLOCK), nullptr);
    EXPECT_NE(doc.GetIDManager().GetBaseDevice(1, OT_FUSE), nullptr);
    EXPECT_EQ(doc.GetIDManager().GetCount(OT_CONTROL_PAD), 8);
    EXPECT_EQ(doc.LookupPath("/CLOCK"), doc.GetIDManager().GetBaseDevice(1, OT_CLOCK));
    EXPECT_EQ(doc.m_data.projectNumber, "");
}

TEST_F(OldVersionTest, Versions953And981HaveNoProjectNumber)
{
    for (uint32_t version : {953u, 981u}) {
        const auto bytes = AsVersion(Stored({}), version);
        CQuillomerDoc doc;
        ASSERT_TRUE(doc.LoadFromBytes(bytes)) << version;
        EXPECT_EQ(doc.m_data.projectNumber, "");
        EXPECT_EQ(CountPerCategory(doc), reference);
        EXPECT_EQ(doc.m_data.deviceVariant, 0);
    }
}

TEST_F(OldVersionTest, Version1099AddsTheMissingAlarms)
{
    // Only the first five alarms (and their signals) existed.
    CQuillomerDoc src;
    src.OnNewDocument();
    for (int n = 6; n <= 17; ++n) {
        CBaseDevice* alarm = src.GetIDManager().GetBaseDevice(n, OT_ALARM);
        Drop(src, alarm->GetOutLinkAtKey(0)->partner);
        Drop(src, alarm);
    }
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(AsVersion(src.SaveToBytes(), 1099)));
    EXPECT_EQ(doc.m_data.deviceVariant, 0);
    EXPECT_EQ(doc.GetIDManager().GetCount(OT_ALARM), 17);
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(6, OT_ALARM)->GetName(), "Manueller Alarm");
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(17, OT_ALARM)->GetName(), "Schiffsalarm11");
    EXPECT_NE(doc.GetIDManager().GetBaseDevice(17, OT_ALARM)->GetOutLinkAtKey(0), nullptr);
}

TEST_F(OldVersionTest, Version1100SavesBackAs1101)
{
    const auto stored = Stored({});
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(AsVersion(stored, 1100)));
    EXPECT_EQ(doc.m_data.deviceVariant, 1);
    EXPECT_EQ(doc.m_data.extraWord, 0u);
    EXPECT_EQ(doc.m_data.systemCallNumber, "");
    EXPECT_EQ(CountPerCategory(doc), reference);
    CQuillomerDoc current;
    ASSERT_TRUE(current.LoadFromBytes(stored));
    const auto saved = doc.SaveToBytes();
    EXPECT_EQ(saved[0] | saved[1] << 8, 1101);
    EXPECT_EQ(saved, current.SaveToBytes()) << "the 1101 form is written back";
}

// An old project's date text is its date when the project's 32-bit count
// of seconds from 1970 holds it, after 2037 too; a text that is no date, or
// a date the count would keep as another one, becomes "Error".
TEST_F(OldVersionTest, OldDateTextThatIsNoDateBecomesErrorUntilSavedAgain)
{
    struct Row {
        const char* text;
        bool kept;
    };
    for (const Row& row : {Row{"Montag", false}, Row{"01.01.1960", false}, Row{"31.12.2099", true},
                           Row{"01.01.2038", true}}) {
        SCOPED_TRACE(row.text);
        CQuillomerDoc src;
        src.OnNewDocument();
        src.m_data.dateText = row.text;
        CQuillomerDoc doc;
        ASSERT_TRUE(doc.LoadFromBytes(AsVersion(src.SaveToBytes(), 981)));
        EXPECT_EQ(doc.m_data.dateText, row.kept ? row.text : "Error");
        if (row.kept) {
            EXPECT_EQ(host.FormatShortDate(static_cast<std::time_t>(doc.m_data.projectDate)), row.text);
        }
        // Saved in the current form, the project shows its date again.
        CQuillomerDoc current;
        ASSERT_TRUE(current.LoadFromBytes(doc.SaveToBytes()));
        EXPECT_EQ(current.m_data.dateText, host.FormatShortDate(static_cast<std::time_t>(current.m_data.projectDate)));
    }
}

TEST_F(OldVersionTest, NullListEntriesAreDropped)
{
    CQuillomerDoc src;
    MakeDevice(src, OT_AMPLIFIER, CAT_AMPLIFIER, "V");
    std::vector<uint8_t> bytes = src.SaveToBytes();
    // Header of this file: version, 8 empty texts... find the list count of category 16.
    size_t pos = 4;
    for (int i = 0; i < 8; ++i)
        pos += 1 + bytes.at(pos);
    pos += 12;
    pos += 1 + bytes.at(pos);
    ASSERT_EQ(bytes.at(pos) | bytes.at(pos + 1) << 8, 0) << "category 16 is empty";
    bytes[pos] = 1;
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(pos + 2), {0, 0});  // a null reference
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes));
    for (const CBaseDevice* o : doc.GetList(CAT_AUDIO))
        EXPECT_NE(o, nullptr);
    ASSERT_NE(doc.FindObject(CAT_AMPLIFIER, 1), nullptr);
    EXPECT_EQ(doc.FindObject(CAT_AMPLIFIER, 1)->GetName(), "V");
}

TEST_F(OldVersionTest, StoredConditionGetsOneInputAndOutput)
{
    CQuillomerDoc src;
    TestDevice* cond = MakeDevice(src, OT_CONDITION, CAT_DIGITAL_IO, "C", CRect(), 0, 0);
    ASSERT_EQ(cond->m_inputCount, 0);
    CQuillomerDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(src.SaveToBytes()));
    CBaseDevice* loaded = doc.GetIDManager().GetBaseDevice(1, OT_CONDITION);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_inputCount, 1);
    EXPECT_EQ(loaded->m_outputCount, 1);
    EXPECT_EQ(loaded->m_inputPoints.size(), 1u);
}

// ------------------------------------------------------------------ project data and commands

TEST_F(DocTest, ProjectDataWithAnEmptyNameBecomesTestProjekt)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    MakeDevice(doc, OT_ZONE, CAT_ZONE, "TestProjekt");
    host.projectDataDialog = [](ProjectData& d) {
        d.projectName = "";
        d.company = "Firma X";
        d.fileTitle = "Neu";
        return true;
    };
    doc.OnCommand(doccmd::ProjectData);
    EXPECT_EQ(doc.m_data.projectName, "TestProjekt");
    EXPECT_EQ(doc.m_data.company, "Firma X");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "Neu *");
    EXPECT_EQ(doc.GetList(CAT_INFO).front()->GetName(), "TestProjekt_1");
    EXPECT_TRUE(messages.Contains("TestProjekt_1"));
}

TEST_F(DocTest, SwitchingTheUpgradeOffDeletesObjectsAboveTheLimits)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 82; ++i)
        MakeDevice(doc, OT_MACRO, CAT_MACRO);
    ASSERT_EQ(doc.m_data.deviceVariant, 1);
    host.projectDataDialog = [](ProjectData&) { return true; };
    doc.OnProjectData();
    EXPECT_EQ(doc.GetIDManager().GetCount(OT_MACRO), 82) << "confirming without a change deletes nothing";
    host.projectDataDialog = [](ProjectData& d) {
        d.deviceVariant = 0;
        return true;
    };
    doc.OnProjectData();
    EXPECT_EQ(doc.GetIDManager().GetCount(OT_MACRO), 80);
    EXPECT_NE(doc.GetIDManager().GetBaseDevice(80, OT_MACRO), nullptr);
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(81, OT_MACRO), nullptr);
    EXPECT_EQ(doc.GetList(CAT_MACRO).size(), 80u);
    host.projectDataDialog = [](ProjectData& d) {
        d.deviceVariant = 1;
        return true;
    };
    doc.OnProjectData();
    EXPECT_EQ(doc.GetIDManager().GetCount(OT_MACRO), 80);
}

TEST_F(DocTest, ProjectNameIsTheTitleBeforeItsFirstBlank)
{
    CQuillomerDoc doc;
    doc.SetTitle("Anlage Nord *");
    EXPECT_EQ(doc.GetProjectName(), "Anlage");
    doc.SetTitle("Test *");
    EXPECT_EQ(doc.GetProjectName(), "Test");
    doc.OnCommand(doccmd::Close);
    EXPECT_EQ(doc.GetTitle(), "Test");
}

TEST_F(DocTest, SideFileNamesAndTheirCommands)
{
    TempDir dir;
    CQuillomerDoc doc;
    EXPECT_EQ(doc.GetErrFileName(), "") << "no path: no side files";
    EXPECT_TRUE(doc.OnCommand(doccmd::DeleteLogFile));
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(dir / "x.QLX"));
    EXPECT_EQ(doc.GetLogFileName(), dir / "x.log");
    EXPECT_EQ(doc.GetErrFileName(), dir / "x.err");
    EXPECT_EQ(doc.GetEventFileName(), dir / "x.QLX.events") << "the whole project name, extension included";
    doc.SetPathName(dir / "plan.err");
    EXPECT_EQ(doc.GetErrFileName(), dir / "plan.err.err") << "never the project itself";
    doc.SetPathName(dir / "x.QLX");

    WriteFile(dir / "x.log", {1});
    WriteFile(dir / "x.QLX.events", {1});
    WriteFile(dir / "x.events", {1});
    EXPECT_TRUE(doc.OnCommand(doccmd::DeleteLogFile));
    EXPECT_FALSE(fs::exists(dir / "x.log"));
    EXPECT_TRUE(fs::exists(dir / "x.QLX.events"));
    EXPECT_TRUE(doc.OnCommand(doccmd::DeleteEventFile));
    EXPECT_FALSE(fs::exists(dir / "x.QLX.events"));
    EXPECT_TRUE(fs::exists(dir / "x.events")) << "a file of another name is not the project's to delete";
    EXPECT_TRUE(doc.OnCommand(doccmd::DeleteEventFile)) << "a missing file is not reported";
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DocTest, SideFileCommandsAreGreyedWhileConnected)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    CCmdUI noActive(doccmd::DeleteLogFile);
    doc.OnUpdateCommand(noActive);
    EXPECT_TRUE(noActive.m_enabled);
    EXPECT_EQ(doc.IsConnected(), 0) << "no active document: not connected";
    ActiveDocScope active(&doc);
    doc.SetConnected(1);
    EXPECT_EQ(doc.IsConnected(), 1);
    EXPECT_EQ(IsDocConnected(), 1);
    CCmdUI log(doccmd::DeleteLogFile);
    doc.OnUpdateCommand(log);
    EXPECT_FALSE(log.m_enabled);
    doc.SetConnected(0);
    CCmdUI ev(doccmd::DeleteEventFile);
    doc.OnUpdateCommand(ev);
    EXPECT_TRUE(ev.m_enabled);
}

TEST_F(DocTest, ServiceMenuEntriesFollowTheFlagWord)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    CCmdUI fuses(doccmd::Fuses);
    doc.OnUpdateCommand(fuses);
    EXPECT_TRUE(fuses.m_removed);
    host.profileInts["Configuration/KVT Registry"] = 8 | 16;
    CCmdUI fuses2(doccmd::Fuses), service(doccmd::Service), monitor(doccmd::Monitor);
    doc.OnUpdateCommand(fuses2);
    doc.OnUpdateCommand(service);
    doc.OnUpdateCommand(monitor);
    EXPECT_FALSE(fuses2.m_removed);
    EXPECT_FALSE(fuses2.m_enabled) << "enabled only while connected";
    EXPECT_FALSE(service.m_removed);
    EXPECT_TRUE(monitor.m_removed);
    doc.SetConnected(1);
    CCmdUI fuses3(doccmd::Fuses);
    doc.OnUpdateCommand(fuses3);
    EXPECT_TRUE(fuses3.m_enabled);
}

TEST_F(DocTest, BigLogFileIsOfferedForDeletion)
{
    TempDir dir;
    CQuillomerDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(dir / "p.qlx"));
    WriteFile(dir / "p.log", std::vector<uint8_t>(200000, 'x'));
    CQuillomerDoc a;
    ASSERT_TRUE(a.OnOpenDocument(dir / "p.qlx"));
    EXPECT_TRUE(messages.texts.empty());
    WriteFile(dir / "p.log", std::vector<uint8_t>(200001, 'x'));
    messages.answer = mb::IdNo;
    CQuillomerDoc b;
    ASSERT_TRUE(b.OnOpenDocument(dir / "p.qlx"));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.types[0], mb::YesNo | mb::IconQuestion);
    EXPECT_TRUE(fs::exists(dir / "p.log"));
    messages.answer = mb::IdYes;
    CQuillomerDoc c;
    ASSERT_TRUE(c.OnOpenDocument(dir / "p.qlx"));
    EXPECT_FALSE(fs::exists(dir / "p.log"));
    EXPECT_EQ(c.GetPathName(), dir / "p.qlx");
    EXPECT_FALSE(host.closingCalls.back().second);
}

TEST_F(DocTest, FindObjectAndSlotPaths)
{
    CQuillomerDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 8; ++i)
        MakeDevice(doc, OT_MACRO, CAT_MACRO);
    EXPECT_EQ(doc.FindObject(CAT_MACRO, 7)->GetNumber(), 7);
    EXPECT_EQ(doc.FindObject(CAT_MACRO, 9), nullptr);
    EXPECT_EQ(doc.FindObject(17, 1), nullptr);
    EXPECT_EQ(doc.FindObject(0, 1), nullptr);
    ASSERT_NE(doc.FindSlotByPath("SLOT2"), nullptr);
    EXPECT_EQ(doc.FindSlotByPath("SLOT2")->GetName(), "Slot2");
    EXPECT_EQ(doc.FindSlotByPath("SLOT4")->GetName(), "Slot4");
    EXPECT_EQ(doc.FindSlotByPath("SLOT9"), nullptr);
    EXPECT_EQ(CQuillomerDoc::GetCategoryName(16), "Audio (Alarm,Gong,Text...)");
}

// ------------------------------------------------------------------ answer lines

struct DispatchTest : DocTest {
    RecordingDevice* Add(int32_t category, const std::string& path, bool inMap = true)
    {
        auto* d = new RecordingDevice;
        d->m_pDocument = &doc;
        d->m_category = category;
        d->m_path = path;
        doc.AddObject(d, category);
        if (inMap)
            doc.AddPath(path, d);
        return d;
    }
    RecordingDevice* AddSignal(uint32_t type, int32_t number)
    {
        RecordingDevice* d = Add(CAT_AUDIO, "", false);
        d->m_type = type;
        d->m_number = number;
        doc.GetIDManager().AddID(d, type, number);
        return d;
    }
    CQuillomerDoc doc;
};

TEST_F(DispatchTest, AudioLinesGoToTheirSlot)
{
    RecordingDevice* s1 = Add(CAT_INPUT_SLOT, "SLOT1", false);
    RecordingDevice* s2 = Add(CAT_INPUT_SLOT, "SLOT2", false);
    RecordingDevice* s3 = Add(CAT_OUTPUT_SLOT, "SLOT3", false);
    RecordingDevice* s4 = Add(CAT_OUTPUT_SLOT, "SLOT4", false);
    doc.DispatchAnswerLine("/AUDIO/IN3/VOL -10.0", "x.err", linkstate::Upload);
    ASSERT_EQ(s2->lines, std::vector<std::string>{"AUDIO/IN3/VOL -10.0"});
    EXPECT_EQ(s2->lastDiff, "x.err");
    EXPECT_EQ(s2->lastState, linkstate::Upload);
    doc.DispatchAnswerLine("/AUDIO/OUT2/DELAY 5", "", 4);
    doc.DispatchAnswerLine("/AUDIO/OUT4/DELAY 5", "", 4);
    EXPECT_EQ(s3->lines.size(), 1u);
    EXPECT_EQ(s4->lines.size(), 1u);
    EXPECT_TRUE(s1->lines.empty());
    doc.DispatchAnswerLine("/AUDIO/IN/VOL 1", "", 4);  // no input number: no slot
    EXPECT_TRUE(s1->lines.empty());
    RecordingDevice* common = Add(CAT_AUDIO, "AUDIO", false);
    doc.DispatchAnswerLine("/AUDIO/BGM 3", "", 4);
    EXPECT_EQ(common->lines, std::vector<std::string>{"AUDIO/BGM 3"});
}

TEST_F(DispatchTest, SlotAndCommLines)
{
    RecordingDevice* s1 = Add(CAT_INPUT_SLOT, "SLOT1", false);
    doc.DispatchAnswerLine("/SLOT1/TYPE 2", "", 4);
    EXPECT_EQ(s1->lines, std::vector<std::string>{"SLOT1/TYPE 2"});
    doc.DispatchAnswerLine("/SLOT7/TYPE 2", "", 4);  // nobody: dropped
    RecordingDevice* comm = Add(CAT_INFO, "/COMM");
    doc.DispatchAnswerLine("/COMM/BAUD 19200", "", 4);
    EXPECT_TRUE(comm->lines.empty());
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DispatchTest, EventLinesGoToNumberedSignals)
{
    RecordingDevice* a3 = AddSignal(OT_ALARM_SIGNAL, 3);
    doc.DispatchAnswerLine("/EVENT/ALARM3/STATE 1", "", 7);
    EXPECT_EQ(a3->lines, std::vector<std::string>{"EVENT/ALARM3/STATE 1"});
    EXPECT_TRUE(messages.texts.empty());
    doc.DispatchAnswerLine("/EVENT/ALARM11/STATE 1", "", 7);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Parser Fehler: Ungültiger 'Event'-Type oder ungültige 'Event'-Nummer ! ");
    EXPECT_EQ(messages.types[0], mb::Ok | mb::IconExclamation);
    doc.DispatchAnswerLine("/EVENT/MESSAGE2/STATE 1", "", 7);
    EXPECT_EQ(messages.texts.back(), "Parser Fehler: Kein Signalobjekt für diesen Parserbefehl !");
    doc.DispatchAnswerLine("/EVENT/ALARM/STATE 1", "", 7);
    doc.DispatchAnswerLine("/EVENT/CHIME1/STATE 1", "", 7);
    doc.DispatchAnswerLine("/EVENT/PRIO_BOOT 1", "", 7);
    EXPECT_EQ(messages.texts.size(), 5u);
    RecordingDevice* boot = Add(CAT_AUDIO, "/EVENT/PRIO_BOOT");
    doc.DispatchAnswerLine("/EVENT/PRIO_BOOT 1", "", 7);
    EXPECT_EQ(boot->lines.size(), 1u);
    EXPECT_EQ(messages.texts.size(), 5u);

    // The event log's own settings are answers, not events: they go to the
    // event log object, and without one they are dropped without a message.
    doc.DispatchAnswerLine("/EVENT/LOG/MASK/ON AUDIO,FAULT", "", 7);
    EXPECT_EQ(messages.texts.size(), 5u);
    // Alarm signals 11 to 17 exist in every new project: theirs, no error.
    RecordingDevice* a17 = AddSignal(OT_ALARM_SIGNAL, 17);
    doc.DispatchAnswerLine("/EVENT/ALARM17/INTERN 17", "", 7);
    EXPECT_EQ(a17->lines, std::vector<std::string>{"EVENT/ALARM17/INTERN 17"});
    EXPECT_EQ(messages.texts.size(), 5u);
    RecordingDevice* log = Add(CAT_AUDIO, "/EVENT/LOG");
    doc.DispatchAnswerLine("/EVENT/LOG/MASK/AUDIO/ON ALARM", "", 7);
    EXPECT_EQ(log->lines, std::vector<std::string>{"EVENT/LOG/MASK/AUDIO/ON ALARM"});
    EXPECT_EQ(messages.texts.size(), 5u);
}

// A number beyond what the directory holds for its type is checked before
// it is looked up: the user sees the parser error alone.
TEST_F(DispatchTest, EventNumberBeyondTheDirectoryShowsOneBox)
{
    for (const char* line : {"/EVENT/ALARM40/STATE 1", "/EVENT/MESSAGE31/STATE 1", "/EVENT/ALARM99999999/STATE 1",
                             "/EVENT/MESSAGE0/STATE 1"}) {
        messages.texts.clear();
        doc.DispatchAnswerLine(line, "", 7);
        EXPECT_EQ(messages.texts,
                  std::vector<std::string>{"Parser Fehler: Ungültiger 'Event'-Type oder ungültige 'Event'-Nummer ! "})
            << line;
    }
}

TEST_F(DispatchTest, OtherLinesAreFoundThroughThePathMap)
{
    RecordingDevice* amp = Add(CAT_AMPLIFIER, "/AMP3");
    doc.DispatchAnswerLine("/AMP3/VOL -6", "", 4);
    EXPECT_EQ(amp->lines, std::vector<std::string>{"AMP3/VOL -6"});
    RecordingDevice* vol = Add(CAT_AMPLIFIER, "/AMP3/VOL");
    doc.DispatchAnswerLine("/AMP3/VOL -6", "", 4);
    EXPECT_EQ(vol->lines.size(), 1u) << "the two-component path wins";
    EXPECT_EQ(amp->lines.size(), 1u);
    doc.DispatchAnswerLine("/NOBODY/X 1", "", 4);
    doc.DispatchAnswerLine("/", "", 4);
    doc.DispatchAnswerLine("", "", 4);
    doc.IgnoreLine("-12");
    EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
