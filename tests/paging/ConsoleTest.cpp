// Paging consoles: fitting one to an audio input, the protocol lines of its
// settings, groups and keys, the project file, the upload, copying the keys
// and the group slots.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "audio/CMessageSignal.h"
#include "hardware/CAudioInputSlot.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "model/CQuillomerDoc.h"
#include "paging/CConsKey.h"
#include "paging/CConsole.h"
#include "paging/CGroup.h"
#include "paging/CZone.h"
#include "paging/ConsoleIds.h"
#include "paging/PagingIds.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"

namespace {

class ConsoleTest : public ::testing::Test {
protected:
    ConsoleTest()
    {
        m_previousHandler = SetMessageHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return mb::IdOk;
        });
        EXPECT_TRUE(Doc().OnNewDocument());
    }
    ~ConsoleTest() override { SetMessageHandler(m_previousHandler); }

    CQuillomerDoc& Doc() { return h.doc(); }
    CZone* Zone(int n)
    {
        auto* z = new CZone;
        EXPECT_EQ(1, z->CBaseDevice::Create(CZone::kKind, "Linie " + std::to_string(n), n, CAT_ZONE, &Doc()));
        Doc().AddObject(z, CAT_ZONE);
        return z;
    }
    CGroup* Group(std::initializer_list<int> zones)
    {
        auto* g = new CGroup;
        EXPECT_EQ(1, g->Create(0, 1, 1, nullptr, 0, 0, 0, 0, CAT_GROUP, 313, 3, &Doc()));
        Doc().AddObject(g, CAT_GROUP);
        int key = 0;
        for (int n : zones)
            g->LinkTo(key++, Doc().GetIDManager().GetBaseDevice(n, OT_ZONE), 0);
        return g;
    }
    CMacro* Macro(int n)
    {
        auto* m = new CMacro;
        EXPECT_EQ(1, m->Create(macrotype::Page, "Makro " + std::to_string(n), n, CAT_MACRO, &Doc()));
        Doc().AddObject(m, CAT_MACRO);
        return m;
    }
    CAudioInputSlot* Slot1()
    {
        for (CBaseDevice* obj : Doc().GetList(CAT_INPUT_SLOT))
            if (obj->GetName() == "Slot1")
                return dynamic_cast<CAudioInputSlot*>(obj);
        return nullptr;
    }
    // A console fitted from the slot's context menu at input `input`.
    CConsole* Fit(uint32_t model, int input)
    {
        CAudioInputSlot* slot = Slot1();
        if (slot->GetKindId() != inputcard::Console2)
            slot->SetCardType(inputcard::Console2);
        slot->SetHoverConnectors(input, -1);
        const size_t before = Doc().GetList(CAT_CONSOLE).size();
        EXPECT_EQ(1, slot->AddConsole(model));
        EXPECT_EQ(before + 1, Doc().GetList(CAT_CONSOLE).size());
        return dynamic_cast<CConsole*>(Doc().GetList(CAT_CONSOLE).back());
    }
    std::vector<std::string> Download(CConsole& console, int mode = 0)
    {
        h.link.lines.clear();
        EXPECT_EQ(console.GetDownloadLines(mode, -1), h.Walk(console, mode));
        return h.link.lines;
    }
    static CConsKey& Key(CConsole& c, int n) { return *c.GetProp().FindKey(n); }

    blocktest::BlockHarness h;
    std::vector<std::string> messages;

private:
    MessageHandler m_previousHandler;
};

std::string Line(const std::string& path, const std::string& value) { return path + " " + value; }

bool HasMirror(const LinkRecord& out, const CBaseDevice* console)
{
    for (const LinkRecord* r : out.partner->m_inLinks)
        if (r->partner == console && r->ownKey == 0 && r->partnerKey == out.ownKey && r->partnerCategory == CAT_CONSOLE)
            return true;
    return false;
}

}  // namespace

TEST_F(ConsoleTest, FittedConsoleIsProgrammedAndDownloadsItsLines)
{
    Zone(1);
    Zone(2);
    Zone(4);
    CConsole* c = Fit(consmodel::WRN2271, 0);
    ASSERT_NE(nullptr, c);
    EXPECT_EQ("/CONS/ADR1", c->GetPath());
    EXPECT_EQ(c, Doc().LookupPath("/CONS/ADR1"));
    ASSERT_NE(nullptr, c->GetInLinkAtKey(0));
    EXPECT_EQ(Slot1(), c->GetInLinkAtKey(0)->partner);
    EXPECT_EQ(0, c->GetInputIndex());

    const std::vector<std::string> lines = Download(*c);
    std::vector<std::string> expected = {
        "/CONS/ADR1/NAME Sprechstelle 1", "/CONS/ADR1/COMP OFF",   "/CONS/ADR1/BUZZER ON",
        "/CONS/ADR1/PRECHIME OFF",        "/CONS/ADR1/GERMAN ON",  "/CONS/ADR1/DOSCHAR OFF",
        "/CONS/ADR1/PTTPRIO INT",         "/CONS/ADR1/EXT OFF",    "/CONS/ADR1/PASSW 815,4711",
        "/CONS/ADR1/ON_PRIO 40",
    };
    for (int g = 0; g <= 30; ++g)
        expected.push_back(Line("/CONS/ADR1/GROUP" + std::to_string(g), "0"));
    // Keys 1..3 on the zones 1, 2 and (zone 3 missing) 4 is not reached: key 3 stays.
    const char* fixed[10] = {"SEL,1", "SEL,2", "DISABLED", "SEL,4", "DISABLED",
                             "DISABLED", "DISABLED", "DISABLED", "DISABLED", "DISABLED"};
    for (int k = 1; k <= 10; ++k)
        expected.push_back(Line("/CONS/ADR1/KEY" + std::to_string(k), fixed[k - 1]));
    const char* prog[12] = {"SEL,0",    "CLEAR",         "ON,28",    "STOP,2",   "PROGRAM",  "CHIME,0,4,80",
                            "DISABLED", "TALK,-1,0,50",  "ALARM,0,1,90,UNPROT", "DISABLED", "DISABLED", "DISABLED"};
    for (int k = 101; k <= 112; ++k)
        expected.push_back(Line("/CONS/ADR1/KEY" + std::to_string(k), prog[k - 101]));
    EXPECT_EQ(expected, lines);
    EXPECT_EQ(65, c->GetDownloadLines(0, -1));
    EXPECT_TRUE(messages.empty()) << messages.front();

    // Queries ask the same keys.
    const std::vector<std::string> queries = Download(*c, 1);
    ASSERT_EQ(lines.size(), queries.size());
    EXPECT_EQ("/CONS/ADR1/KEY112 ?", queries.back());
}

TEST_F(ConsoleTest, EveryKeyTypeRoundTripsThroughFileAndUpload)
{
    for (int n = 1; n <= 5; ++n)
        Zone(n);
    CGroup* g1 = Group({1, 2});
    CGroup* g2 = Group({3, 4, 5});
    for (int n = 1; n <= 3; ++n)
        Macro(n);
    if (!Doc().GetIDManager().GetBaseDevice(1, OT_MESSAGE_SIGNAL)) {
        auto* text = new CMessageSignal;
        ASSERT_EQ(1, text->CBaseDevice::Create(signalkind::Message, "Text 1", 1, CAT_AUDIO, &Doc()));
        Doc().AddObject(text, CAT_AUDIO);
    }
    CConsole* c = Fit(consmodel::WRN2272, 0);
    c->SetGroupSlot(1, g1);
    c->SetGroupSlot(2, g2);
    const std::pair<int, std::string> program[] = {
        {1, "SEL,5"},           {2, "SEL,101"},         {3, "SEL,0"},          {4, "AUX,102,0,30"},
        {5, "ALARM,3,2,90"},    {6, "CHIME,101,4,70,UNPROT"}, {7, "TEXT,-1,1,40"}, {8, "TALK,4,2,60"},
        {9, "TALKEXT,-1,0,50"}, {10, "MACRO,1,2"},      {11, "MACRO,3"},       {12, "MACREP,2,10"},
        {13, "MACRAD,3,7"},     {14, "MACSWT,1,3"},     {15, "ON,28"},         {16, "STOP,1,0,50,UNPROT"},
        {17, "PROGRAM"},        {18, "CLEAR"},          {19, "DISABLED"},      {20, "SEL,2"},
    };
    for (const auto& [k, value] : program)
        Key(*c, k).ParseAnswer(value);
    ASSERT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(3, Key(*c, 12).Stored().b);  // 30 / 10 repetitions per second
    // Applied as the keys page does: links from the targets, one slot per group.
    c->RefreshKeys();
    ASSERT_TRUE(c->RebuildKeyLinks());
    c->SetupModel();  // the AUX key takes the EXT connector
    ASSERT_TRUE(messages.empty()) << messages.front();

    const std::vector<std::string> lines = Download(*c);
    EXPECT_EQ("/CONS/ADR1/EXT AUX", lines.at(7));
    for (const auto& [k, value] : program)
        EXPECT_EQ(Line("/CONS/ADR1/KEY" + std::to_string(k), value), lines.at(10 + 31 + k - 1));
    EXPECT_EQ("/CONS/ADR1/GROUP1 1-2", lines.at(11));
    EXPECT_EQ("/CONS/ADR1/GROUP2 3-5", lines.at(12));
    EXPECT_EQ("/CONS/ADR1/GROUP3 0", lines.at(13));

    // The project file holds the console: it opens and sends the same.
    const std::vector<uint8_t> bytes = Doc().SaveToBytes();
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(bytes)) << (messages.empty() ? "" : messages.back());
    ASSERT_EQ(1u, reopened.GetList(CAT_CONSOLE).size());
    auto* again = dynamic_cast<CConsole*>(reopened.GetList(CAT_CONSOLE).front());
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(again, reopened.LookupPath("/CONS/ADR1"));
    EXPECT_EQ(consmodel::WRN2272, again->GetKindId());
    EXPECT_EQ(lines, Download(*again));

    // Read back from the device into a console whose keys were cleared.
    c->ClearKeys();
    c->SetGroupSlot(1, nullptr);
    c->SetGroupSlot(2, nullptr);
    EXPECT_EQ("/CONS/ADR1/KEY5 DISABLED", Download(*c).at(10 + 31 + 4));
    for (const std::string& answer : lines)
        h.Answer(answer);
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(lines, Download(*c));
    // Every link of a key has its mirror at the target.
    for (const LinkRecord* r : c->m_outLinks) {
        if (r->HasPartner() && r->partner != c) {
            EXPECT_TRUE(HasMirror(*r, c)) << r->ownKey;
        }
    }
}

TEST_F(ConsoleTest, KeyValueEdges)
{
    Zone(3);
    CConsole* c = Fit(consmodel::WRN2271, 0);
    CConsKey& key = Key(*c, 1);
    // A repetition rate of 0 from the device or the file never divides by zero.
    key.ParseAnswer("MACREP,3,0");
    EXPECT_EQ(1u, messages.size());  // no macro 3
    Macro(3);
    messages.clear();
    key.ParseAnswer("MACREP,3,0");
    EXPECT_EQ(1, key.Stored().b);
    key.AssignValues({CKF_MACREP, 3, 0, 0, 1});
    EXPECT_EQ("/CONS/ADR1/KEY1 MACREP,3,30", key.WriteDownloadLine(false, false));
    // Any other rate is divided as it stands, a negative one too.
    key.ParseAnswer("MACREP,3,-10");
    EXPECT_EQ(-3, key.Stored().b);
    EXPECT_EQ("/CONS/ADR1/KEY1 MACREP,3,-10", key.WriteDownloadLine(false, false));

    // Group slots 28..30 are A = 128..130: stored in a byte, read back whole.
    std::vector<CGroup*> groups;
    for (int i = 0; i < 3; ++i)
        groups.push_back(Group({3}));
    c->SetGroupSlot(30, groups[2]);
    key.ParseValueText(CKF_SEL, "130", true);
    EXPECT_EQ(130, key.Stored().a);
    const std::vector<uint8_t> bytes = Doc().SaveToBytes();
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(bytes));
    auto* again = dynamic_cast<CConsole*>(reopened.GetList(CAT_CONSOLE).front());
    EXPECT_EQ(130, again->GetProp().FindKey(1)->Stored().a);
    EXPECT_EQ("/CONS/ADR1/KEY1 SEL,130", again->GetProp().FindKey(1)->WriteDownloadLine(false, false));

    // A missing target changes nothing; the second target set before it goes.
    messages.clear();
    key.ParseAnswer("ALARM,7,2,90");
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(LoadStringId(IDS_KEY_NO_TARGET), messages[0]);
    key.ParseAnswer("DISABLED");
    for (const LinkRecord* r : c->m_outLinks)
        EXPECT_NE(1, static_cast<int16_t>(r->ownKey & 0xFFFF) < 0 ? -static_cast<int16_t>(r->ownKey & 0xFFFF)
                                                                 : r->ownKey & 0xFFFF);
    messages.clear();
    key.ParseAnswer("ALARM,0,99,90");
    EXPECT_EQ(StrFormat(LoadStringId(IDS_KEY_NO_SIGNAL).c_str(), 1), messages.at(0));
    EXPECT_EQ(CKF_DISABLED, key.Stored().function);
    key.ParseAnswer("FOO,1");
    EXPECT_EQ(LoadStringId(IDS_CONS_PARSER_ERROR), messages.back());
}

TEST_F(ConsoleTest, ANewZoneTakesTheFreeKeyOfItsNumberAndDeletingItDisablesTheKey)
{
    Zone(1);
    CConsole* c = Fit(consmodel::WRN2271, 0);  // key 1 SEL,1, keys 2..10 DISABLED
    Key(*c, 4).ParseAnswer("ON,28");           // key 4 acts on the console itself
    Zone(2);
    // Zones read from a file leave the keys as stored.
    CQuillomerDoc reopened;
    ASSERT_TRUE(reopened.LoadFromBytes(Doc().SaveToBytes()));
    auto* loaded = dynamic_cast<CConsole*>(reopened.GetList(CAT_CONSOLE).front());
    EXPECT_EQ(CKF_DISABLED, loaded->GetProp().FindKey(2)->Stored().function);
    EXPECT_EQ(nullptr, loaded->GetOutLinkAtKey(2));

    auto newZone = [&] {
        auto* z = new CZone;
        EXPECT_EQ(1, z->Create(CZone::kKind, 1, 1, nullptr, 0, 0, 0, 0, CAT_ZONE, CZone::kBitmap, 0, &Doc()));
        Doc().AddObject(z, CAT_ZONE);
        return z;
    };
    CZone* z3 = newZone();
    CZone* z4 = newZone();
    ASSERT_EQ(3, z3->GetNumber());
    ASSERT_EQ(4, z4->GetNumber());
    EXPECT_EQ("/CONS/ADR1/KEY3 SEL,3", Key(*c, 3).WriteDownloadLine(false, false));
    ASSERT_NE(nullptr, c->GetOutLinkAtKey(3));
    EXPECT_EQ(z3, c->GetOutLinkAtKey(3)->partner);
    EXPECT_TRUE(HasMirror(*c->GetOutLinkAtKey(3), c));
    EXPECT_EQ("/CONS/ADR1/KEY4 ON,28", Key(*c, 4).WriteDownloadLine(false, false));
    EXPECT_EQ(c, c->GetOutLinkAtKey(4)->partner);

    z3->OnCommand(zonecmd::Delete);
    EXPECT_EQ("/CONS/ADR1/KEY3 DISABLED", Key(*c, 3).WriteDownloadLine(false, false));
    EXPECT_EQ(nullptr, c->GetOutLinkAtKey(3));
    EXPECT_EQ(nullptr, Key(*c, 3).GetFirstTarget());
    EXPECT_EQ("/CONS/ADR1/KEY1 SEL,1", Key(*c, 1).WriteDownloadLine(false, false));
    EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST_F(ConsoleTest, SettingsAnswersAndParameterTexts)
{
    CGroup* g = Group({});
    Zone(3);
    Zone(4);
    Zone(5);
    g->LinkTo(0, Doc().GetIDManager().GetBaseDevice(3, OT_ZONE), 0);
    CConsole* c = Fit(consmodel::WRN2271, 0);
    CConsProp& p = c->GetProp();

    h.Answer("/CONS/ADR1/BUZZER OFF");
    h.Answer("/CONS/ADR1/EXT 2296");
    h.Answer("/CONS/ADR1/PTTPRIO EXT");
    h.Answer("/CONS/ADR1/EXT XYZ");
    h.Answer("/CONS/ADR1/GROUP4 NONE");
    EXPECT_EQ("0", p.GetParamText(consparam::Buzzer));
    EXPECT_EQ("2", p.GetParamText(consparam::Ext));
    EXPECT_EQ("2", p.GetParamText(consparam::PttPrio));
    EXPECT_TRUE(messages.empty());
    h.Answer("/CONS/ADR1/GROUP4 3-5");
    EXPECT_EQ(StrFormat(LoadStringId(IDS_CONS_NO_GROUP).c_str(), 4), messages.at(0));
    h.Answer("/CONS/ADR1/GROUP4 3");
    EXPECT_EQ(g, c->GetGroupSlot(4));
    h.Answer("/CONS/ADR1/GROUP5 " + std::string(600, '3'));  // no number set: refused
    h.Answer("/CONS/ADR1/GROUP5 3,x");
    h.Answer("/CONS/ADR1/GROUP5 3,101");
    EXPECT_EQ(nullptr, c->GetGroupSlot(5));
    EXPECT_EQ(1u, messages.size());  // refused without a word
    h.Answer("/CONS/ADR1/SPEED 3");
    EXPECT_EQ(LoadStringId(IDS_CONS_PARSER_ERROR), messages.back());

    EXPECT_TRUE(p.SetParamText(consparam::Prio, "11"));
    EXPECT_EQ("2", p.GetParamText(consparam::Prio));
    p.SetParamText(consparam::ExpertPassword, "123");
    EXPECT_EQ("4711", p.GetParamText(consparam::ExpertPassword));
    p.SetParamText(consparam::ExpertPassword, "1000");
    EXPECT_EQ("1000", p.GetParamText(consparam::ExpertPassword));
    p.SetParamText(consparam::UserPassword, "0456x\r");  // the number, not the text
    EXPECT_EQ("456", p.GetParamText(consparam::UserPassword));
    h.Answer("/CONS/ADR1/PASSW 321,9876");
    EXPECT_EQ("321,9876", p.GetParamText(consparam::Passwords));
    EXPECT_FALSE(p.SetParamText(consparam::Type, "X"));

    // Names go out as one line.
    c->SetName("Pforte\r\n/SERVICE/START EEPCLR");
    EXPECT_EQ("/CONS/ADR1/NAME Pforte/SERVICE/START EEPCLR", c->WriteParamLine(consparam::Name, false));

    // A console that is not connected ends its download; the next one starts over.
    messages.clear();
    h.Answer("/CONS/ADR1/KEY1 CONSOLE NOT CONNECTED");
    EXPECT_EQ(1u, messages.size());
    h.link.lines.clear();
    EXPECT_EQ(65, c->GetDownloadLines(0, 20));
    EXPECT_TRUE(h.link.lines.empty());
    EXPECT_EQ(65, c->GetDownloadLines(0, -1));
    EXPECT_EQ(21, c->GetDownloadLines(0, 20));
}

// The name a console or a zone has on the device stands in an upload; a
// name the project made up gives way, and a name that cannot be held is
// named in the difference file.
TEST_F(ConsoleTest, TheNameAConsoleOrAZoneHasOnTheDeviceStands)
{
    Zone(3);
    CConsole* c = Fit(consmodel::WRN2271, 0);
    CBaseDevice* zone = Doc().GetIDManager().GetBaseDevice(3, OT_ZONE);
    CMacro* macro = Macro(4);
    h.diffFile = ::testing::TempDir() + "ql_console_names.err";
    const struct {
        const char* answer;
        const char* macroName;  // the made-up name the macro bears before
        const CBaseDevice* named;
        const char* name;       // afterwards, of the object named
        const char* macroAfter;
        const char* diffLines;
    } rows[] = {
        {"/CONS/ADR1/NAME Pforte", "Pforte", c, "Pforte", "Pforte_1", ""},
        {"/KVT/ZONE3/NAME Halle", "Halle", zone, "Halle", "Halle_1", ""},
        {"/CONS/ADR1/NAME ", "Makro 4", c, "Pforte", "Makro 4", "ERROR: /CONS/ADR1/NAME >><< should be >>Pforte<<\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        std::remove(h.diffFile.c_str());
        macro->SetName(row.macroName);
        h.Answer(row.answer);
        EXPECT_EQ(row.name, row.named->GetName());
        EXPECT_EQ(row.macroAfter, macro->GetName());
        std::ifstream in(h.diffFile, std::ios::binary);
        EXPECT_EQ(row.diffLines, std::string(std::istreambuf_iterator<char>(in), {}));
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    std::remove(h.diffFile.c_str());
}

TEST_F(ConsoleTest, CopyKeysLeavesTheTargetExactlyTheSource)
{
    for (int n = 1; n <= 12; ++n)
        Zone(n);
    CGroup* g = Group({1, 2});
    CConsole* a = Fit(consmodel::WRN2271, 0);
    CConsole* b = Fit(consmodel::WRN2272, 1);
    a->SetGroupSlot(1, g);
    Key(*a, 2).ParseAnswer("SEL,101");
    Key(*a, 3).ParseAnswer("DISABLED");
    Key(*a, 4).ParseAnswer("ALARM,-1,2,90");
    Key(*b, 3).ParseAnswer("SEL,12");
    Key(*b, 4).ParseAnswer("TALK,9,2,60");
    Key(*b, 15).ParseAnswer("SEL,7");
    a->RefreshKeys();
    ASSERT_TRUE(a->RebuildKeyLinks());

    a->CopyKeysTo(b);
    auto keyOf = [](const LinkRecord* r) { return static_cast<int16_t>(r->ownKey & 0xFFFF); };
    std::multimap<int, std::pair<CBaseDevice*, int32_t>> fromA, fromB;
    for (const LinkRecord* r : a->m_outLinks)
        fromA.emplace(r->ownKey, std::make_pair(r->partner == a ? b : r->partner, r->partnerCategory));
    for (const LinkRecord* r : b->m_outLinks) {
        const int k = keyOf(r) < 0 ? -keyOf(r) : keyOf(r);
        if (k <= 10 || k >= 101)
            fromB.emplace(r->ownKey, std::make_pair(r->partner, r->partnerCategory));
    }
    EXPECT_EQ(fromA, fromB);
    for (int k : {1, 2, 3, 4, 10, 101, 108, 112})
        EXPECT_EQ(Key(*a, k).Stored(), Key(*b, k).Stored()) << k;
    EXPECT_EQ("SEL,7", Key(*b, 15).BuildValueText());
    // No zone keeps a link of a key that was overwritten (keys 3 and 4 of the target).
    for (int zone : {9, 12})
        for (const LinkRecord* r : Doc().GetIDManager().GetBaseDevice(zone, OT_ZONE)->m_inLinks) {
            if (r->partner == b) {
                EXPECT_EQ(zone, r->partnerKey & 0xFFFF);
            }
        }
    int mirrors = 0;
    for (CBaseDevice* obj : {static_cast<CBaseDevice*>(g), Doc().GetIDManager().GetBaseDevice(1, OT_ZONE)})
        for (const LinkRecord* r : obj->m_inLinks)
            mirrors += r->partner == b ? 1 : 0;
    EXPECT_EQ(2, mirrors);  // zone 1 for key 1, the group for key 2
    // The group sent for the target's slot 1 is the source's.
    EXPECT_EQ("/CONS/ADR2/GROUP1 1-2", b->WriteParamLine((1u << 16) | consparam::Group, false));
}

TEST_F(ConsoleTest, GroupSlotsOnePerGroupAndAtMostThirty)
{
    Zone(1);
    CConsole* c = Fit(consmodel::WRN2318, 0);
    std::vector<CGroup*> groups;
    for (int i = 0; i < 31; ++i)
        groups.push_back(Group({1}));
    for (int k = 1; k <= 30; ++k) {
        c->SetGroupSlot(k, groups[k - 1]);
        Key(*c, k).ParseAnswer(StrFormat("SEL,%d", 100 + k));
    }
    c->SetGroupSlot(1, groups[0]);
    Key(*c, 31).ParseAnswer("SEL,101");  // the same group again
    c->RefreshKeys();
    ASSERT_TRUE(c->RebuildKeyLinks());
    EXPECT_EQ("SEL,101", Key(*c, 31).BuildValueText());
    EXPECT_EQ("SEL,130", Key(*c, 30).BuildValueText());
    ASSERT_NE(nullptr, c->GetOutLinkAtKey((1 << 16) | 31));
    EXPECT_EQ(groups[0], c->GetOutLinkAtKey((1 << 16) | 31)->partner);
    ASSERT_NE(nullptr, c->GetOutLinkAtKey((30 << 16) | 30));
    EXPECT_EQ(groups[29], c->GetOutLinkAtKey((30 << 16) | 30)->partner);

    // A thirty-first group has no slot: nothing changes.
    c->SetGroupSlot(1, groups[30]);
    Key(*c, 32).ParseAnswer("SEL,101");
    c->RefreshKeys();
    const size_t links = c->m_outLinks.size();
    std::string error;
    EXPECT_FALSE(c->RebuildKeyLinks(&error));
    EXPECT_NE(std::string::npos, error.find("(31)"));
    EXPECT_EQ(links, c->m_outLinks.size());
}

TEST_F(ConsoleTest, OldFileWithExtensionModelLoadsAsTheBaseModel)
{
    CConsole* c = Fit(consmodel::WRN2315X, 0);
    EXPECT_EQ(70, c->GetProp().GetFixedCount());
    EXPECT_EQ("2", c->GetProp().GetParamText(consparam::Ext));
    std::vector<uint8_t> data = Doc().SaveToBytes();
    // Made schema 2, which has no power-on priority.
    const std::string tag = std::string("\x08\0CConsole", 10);
    const auto name = std::search(data.begin(), data.end(), tag.begin(), tag.end());
    ASSERT_NE(data.end(), name);
    *(name - 2) = 2;
    const auto onPrio = name + static_cast<long>(tag.size() + blocktest::StoreCommon(*c).size() + 20 + 5 + 4 + 4);
    data.erase(onPrio, onPrio + 4);
    messages.clear();
    CQuillomerDoc old;
    ASSERT_TRUE(old.LoadFromBytes(data));
    auto* loaded = dynamic_cast<CConsole*>(old.GetList(CAT_CONSOLE).front());
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(consmodel::WRN2315, loaded->GetKindId());
    EXPECT_EQ("0", loaded->GetProp().GetParamText(consparam::Ext));  // no extension: EXT off
    EXPECT_EQ("40", loaded->GetProp().GetParamText(consparam::OnPrio));
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(std::string::npos, messages[0].find("Version < V0.955"));
}

TEST_F(ConsoleTest, TheFirstConsolesDefaultNameCanBeGivenBackToIt)
{
    CConsole* c = Fit(consmodel::WRN2271, 0);
    ASSERT_NE(nullptr, c);
    const std::string first = c->GetName();
    std::string name = "Pforte";
    ASSERT_EQ(1, c->SetNameUnique(name, true));
    // Renamed back by hand, and by the device's answer.
    name = first;
    EXPECT_EQ(1, c->SetNameUnique(name, true));
    EXPECT_EQ(first, c->GetName());
    c->SetName("Pforte");
    h.Answer("/CONS/ADR1/NAME " + first);
    EXPECT_EQ(first, c->GetName());
    EXPECT_TRUE(messages.empty()) << messages.front();
    // A second console still may not take it.
    CConsole* other = Fit(consmodel::WRN2272, 1);
    ASSERT_NE(nullptr, other);
    name = first;
    EXPECT_EQ(0, other->SetNameUnique(name, false));
    EXPECT_EQ(first + "_1", other->GetName());
}
