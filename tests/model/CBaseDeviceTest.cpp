#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/ModelTestHost.h"
#include "ModelTestObjects.h"
#include "support/RecordingPainter.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/CArchive.h"

namespace {

const char* kCannotCreate = "Das Gerät kann nicht mehr erzeugt werden !";

struct BaseDeviceTest : ::testing::Test {
    MessageLog messages;
    ModelTestHost host;
    CQuillomerDoc doc;
};

TEST_F(BaseDeviceTest, DefaultNamesFollowTheCategoryAndType)
{
    EXPECT_EQ(MakeDevice(doc, OT_ZONE, CAT_ZONE)->GetName(), "Linie 1");
    EXPECT_EQ(MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER)->GetName(), "Verstärker 1");
    EXPECT_EQ(MakeDevice(doc, OT_MACRO, CAT_MACRO)->GetName(), "Makro 1");
    // Category 16: kind text and number; a sequence uses "Sequenz".
    EXPECT_EQ(MakeDevice(doc, OT_ALARM, CAT_AUDIO, nullptr, CRect(0, 0, 1, 1), 0, 0, 32807)->GetName(), "Alarm 1");
    EXPECT_EQ(MakeDevice(doc, OT_QTB_SEQUENCE, CAT_AUDIO, nullptr, CRect(0, 0, 1, 1), 0, 0, 32807)->GetName(),
              "Sequenz 1");
    // Conditions and control pads: the kind text alone.
    EXPECT_EQ(MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO, nullptr, CRect(), 1, 1, 34129)->GetName(), "Bedingung");
    EXPECT_EQ(MakeDevice(doc, OT_READY_INPUT, CAT_DIGITAL_IO, nullptr, CRect(), 1, 1, 34282)->GetName(), "READYINP 1");
    EXPECT_EQ(MakeDevice(doc, OT_APPOINT, CAT_INTERFACE)->GetName(), "*** 1");
    EXPECT_EQ(MakeDevice(doc, OT_ZONE, CAT_ZONE, "Halle")->GetName(), "Halle");
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(BaseDeviceTest, PathsAreMadeFromCategoryKindAndType)
{
    EXPECT_EQ(MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER)->GetPath(), "/AMP1");
    EXPECT_EQ(MakeDevice(doc, OT_ZONE, CAT_ZONE)->GetPath(), "/KVT/ZONE1");
    TestDevice* g0 = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    TestDevice* g1 = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    EXPECT_EQ(g0->GetPath(), "/KVT/CLEAR");
    EXPECT_EQ(g1->GetPath(), "/GROUP1");
    EXPECT_TRUE(g0->GetRect().IsRectNull()) << "group 0 has no symbol";
    EXPECT_EQ(MakeDevice(doc, OT_DAYPROG, CAT_CALENDAR, nullptr, CRect(), 1, 1, 34119)->GetPath(), "/DAYPROG1");
    EXPECT_EQ(MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO, nullptr, CRect(), 1, 1, 34129)->GetPath(), "/COND1");
    TestDevice* call = MakeDevice(doc, OT_COLLECTION_CALL, CAT_RELAIS_TOPOLOGY);
    EXPECT_EQ(call->GetPath(), "/KVT/COLLCALL1");
    EXPECT_EQ(call->GetName(), "Sammelruf 1");
    EXPECT_TRUE(call->GetRect().IsRectNull());
    TestDevice* signal = MakeDevice(doc, OT_ALARM_SIGNAL, CAT_AUDIO, nullptr, CRect(0, 0, 1, 1), 0, 0, 32822);
    EXPECT_EQ(signal->GetPath(), "EVENT/ALARM");
    EXPECT_EQ(doc.LookupPath("/KVT/ZONE1")->GetName(), "Linie 1");
    EXPECT_EQ(doc.LookupPath("EVENT/ALARM"), signal);
}

TEST_F(BaseDeviceTest, ZoneWhosePathIsTakenMovesToTheNextFreeNumber)
{
    for (int i = 0; i < 4; ++i)
        MakeDevice(doc, OT_ZONE, CAT_ZONE);
    TestDevice stranger(OT_ZONE);
    doc.AddPath("/KVT/ZONE5", &stranger);
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Bühne");
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(zone->GetNumber(), 6);
    EXPECT_EQ(zone->GetPath(), "/KVT/ZONE6");
    EXPECT_EQ(zone->GetName(), "Linie 6");
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(6, OT_ZONE), zone);
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(5, OT_ZONE), nullptr) << "the given-up number is free again";
    doc.RemovePath("/KVT/ZONE5", &stranger);
}

TEST_F(BaseDeviceTest, FullTableRefusesCreationWithAMessage)
{
    for (int i = 1; i <= 64; ++i)
        ASSERT_NE(MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER), nullptr);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER), nullptr);
    ASSERT_EQ(messages.texts.size(), 1u) << "one message, nothing about the unnumbered object";
    EXPECT_TRUE(messages.Contains(kCannotCreate));
    EXPECT_EQ(doc.GetList(CAT_AMPLIFIER).size(), 64u);
}

TEST_F(BaseDeviceTest, FullGroupTableIsToldApartFromGroupZero)
{
    TestDevice* all = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->GetNumber(), 0);
    for (int i = 1; i <= 100; ++i)
        ASSERT_NE(MakeDevice(doc, OT_GROUP, CAT_GROUP), nullptr);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(MakeDevice(doc, OT_GROUP, CAT_GROUP), nullptr);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_TRUE(messages.Contains(kCannotCreate));
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(0, OT_GROUP), all) << "group 0 is not overwritten";
    EXPECT_EQ(doc.GetList(CAT_GROUP).size(), 101u);
}

TEST_F(BaseDeviceTest, BitmapShapesTheSymbol)
{
    host.bitmaps[313] = CSize{20, 30};
    auto* obj = new TestDevice(OT_ZONE);
    ASSERT_TRUE(obj->Create(0, 1, 1, "Z", 100, 100, 150, 120, CAT_ZONE, 313, 0, &doc));
    doc.AddObject(obj, CAT_ZONE);
    EXPECT_EQ(obj->m_bitmapRect, CRect(101, 115, 121, 145));
    EXPECT_EQ(obj->GetRect(), CRect(100, 100, 122, 161));
    MakeDevice(doc, OT_GROUP, CAT_GROUP);  // group 0 has no symbol
    auto* wide = new TestDevice(OT_GROUP);
    ASSERT_TRUE(wide->Create(0, 1, 1, "G", 100, 100, 150, 120, CAT_GROUP, 313, 3, &doc));
    doc.AddObject(wide, CAT_GROUP);
    EXPECT_EQ(wide->m_bitmapRect, CRect(105, 101, 125, 131));
    EXPECT_EQ(wide->GetRect().bottom, 132);
    auto* missing = new TestDevice(OT_ZONE);
    ASSERT_TRUE(missing->Create(0, 1, 1, "M", 0, 0, 10, 10, CAT_ZONE, 999, 0, &doc));
    doc.AddObject(missing, CAT_ZONE);
    EXPECT_EQ(missing->m_bitmapId, 0u);
}

TEST_F(BaseDeviceTest, ConnectionPointsAreSpreadOverTheHeight)
{
    TestDevice* obj = MakeDevice(doc, OT_AUDIO_INPUT_SLOT, CAT_INPUT_SLOT, "S", CRect(100, 100, 156, 240), 3, 2);
    ASSERT_EQ(obj->m_inputPoints.size(), 3u);
    // step 140 / 3 = 46: points at 100 + 23, 100 + 69, 100 + 115
    EXPECT_EQ(obj->m_inputPoints[0], CPoint(99, 123));
    EXPECT_EQ(obj->m_inputPoints[2], CPoint(99, 215));
    EXPECT_EQ(obj->m_outputPoints[1], CPoint(156, 205));
    EXPECT_EQ(obj->m_inputRoutes[2].pt[0], obj->m_inputPoints[2]);
    EXPECT_EQ(obj->m_inputNames.size(), 3u);
    obj->OffsetBy(10, -5);
    EXPECT_EQ(obj->m_inputPoints[0], CPoint(109, 118));
    EXPECT_EQ(obj->m_inputRoutes[0].pt[0], CPoint(109, 118));
}

TEST_F(BaseDeviceTest, NoConnectorsLayOutNothing)
{
    TestDevice* obj = MakeDevice(doc, OT_ALARM, CAT_AUDIO, "A", CRect(0, 0, 1, 1), 0, 0);
    ASSERT_NE(obj, nullptr);
    obj->LayoutConnectionPoints();
    EXPECT_TRUE(obj->m_inputPoints.empty());
    EXPECT_TRUE(obj->m_outputPoints.empty());
    // Counts set without arrays (as a derived class might) must not divide by zero either.
    obj->m_inputCount = 0;
    obj->m_outputCount = 2;
    obj->m_outputPoints.assign(2, CPoint());
    obj->SetRect(0, 0, 10, 0);
    obj->LayoutConnectionPoints();
    EXPECT_EQ(obj->m_outputPoints[1], CPoint(10, 0));
}

TEST_F(BaseDeviceTest, MoveLocksApplyOnlyToTheUser)
{
    TestDevice* console = MakeDevice(doc, OT_CONSOLE, CAT_CONSOLE, "C", CRect(100, 100, 200, 150));
    console->m_moveLock = 1;
    console->MoveBy(10, 20, true);
    EXPECT_EQ(console->GetRect(), CRect(110, 100, 210, 150));
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V", CRect(100, 100, 200, 150));
    amp->m_moveLock = 0;
    amp->MoveBy(10, 20, true);
    EXPECT_EQ(amp->GetRect(), CRect(100, 120, 200, 170));
    amp->MoveBy(10, 20, false);
    EXPECT_EQ(amp->GetRect(), CRect(110, 140, 210, 190));
    EXPECT_EQ(amp->m_inputPoints[0], CPoint(109, 165));
    console->m_fixed = 1;
    console->MoveBy(10, 0, true);
    EXPECT_EQ(console->GetRect().left, 110) << "a fixed object stays";
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(BaseDeviceTest, RelayTopologyTakesItsFeedersAlong)
{
    TestDevice* topo = MakeDevice(doc, OT_RELAIS_TOPOLOGY, CAT_RELAIS_TOPOLOGY, "T", CRect(100, 100, 200, 150));
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V", CRect(0, 100, 50, 150));
    amp->m_moveLock = 0;
    amp->LinkTo(0, topo, 0);
    topo->MoveBy(10, 20, false);
    EXPECT_EQ(topo->GetRect(), CRect(110, 120, 210, 170));
    EXPECT_EQ(amp->GetRect(), CRect(0, 120, 50, 170)) << "the amplifier keeps its own lock";
}

TEST_F(BaseDeviceTest, HoverConnectorsAcceptOnlyValidIndexes)
{
    TestDevice* obj = MakeDevice(doc, OT_AUDIO_INPUT_SLOT, CAT_INPUT_SLOT, "S", CRect(0, 0, 50, 90), 3, 1);
    obj->SetHoverConnectors(1, 0);
    obj->SetHoverConnectors(5, -1);
    EXPECT_EQ(obj->m_hoverInput, 1);
    EXPECT_EQ(obj->m_hoverOutput, -1);
    obj->SetHoverConnectors(-2, 1);
    EXPECT_EQ(obj->m_hoverInput, 1);
    EXPECT_EQ(obj->m_hoverOutput, -1);
}

TEST_F(BaseDeviceTest, BaseSendsNothing)
{
    TestDevice* obj = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    EXPECT_EQ(obj->GetDownloadLines(0, -1), 0);
    EXPECT_EQ(obj->GetDownloadLines(1, -1), 0);
}

TEST_F(BaseDeviceTest, SetNameUniqueAppendsACounter)
{
    MakeDevice(doc, OT_ZONE, CAT_ZONE, "Halle");
    MakeDevice(doc, OT_ZONE, CAT_ZONE, "Halle_1");
    TestDevice* obj = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V");
    std::string name = "Halle";
    EXPECT_EQ(obj->SetNameUnique(name, true), 0);
    EXPECT_EQ(name, "Halle_2");
    EXPECT_EQ(obj->GetName(), "Halle_2");
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Der Name Halle ist schon vorhanden und wird in Halle_2 geändert !\n");
    std::string same = "Halle_2";
    EXPECT_EQ(obj->SetNameUnique(same, true), 1) << "its own name does not collide";
    std::string lower = "halle";
    EXPECT_EQ(obj->SetNameUnique(lower, false), 1) << "names compare case-sensitively";
    std::string empty;
    EXPECT_EQ(obj->SetNameUnique(empty, false), 0);
    EXPECT_EQ(obj->GetName(), "halle");
    EXPECT_EQ(messages.texts.size(), 1u);
    // A name another object bears too (a file made elsewhere): given again
    // unchanged, it is still the object's own.
    MakeDevice(doc, OT_ZONE, CAT_ZONE, "halle");
    std::string again = "halle";
    EXPECT_EQ(obj->SetNameUnique(again, true), 1);
    EXPECT_EQ(obj->GetName(), "halle");
    EXPECT_EQ(messages.texts.size(), 1u);
}

TEST_F(BaseDeviceTest, SetNameCheckedRefusesEmptyAndTakenNames)
{
    MakeDevice(doc, OT_ZONE, CAT_ZONE, "Halle");
    TestDevice* obj = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V");
    EXPECT_EQ(obj->SetNameChecked("", false), 0);
    EXPECT_TRUE(messages.Contains("Sie müssen einen Namen"));
    EXPECT_EQ(messages.types.back(), mb::Ok | mb::IconStop);
    EXPECT_EQ(obj->SetNameChecked("Halle", true), 0);
    EXPECT_EQ(messages.texts.back(), "Der Name 'Halle' ist schon vorhanden. Wählen Sie bitte einen anderen !\n");
    const size_t shown = messages.texts.size();
    EXPECT_EQ(obj->SetNameChecked("Halle", false), 0);
    EXPECT_EQ(messages.texts.size(), shown);
    EXPECT_EQ(obj->GetName(), "V");
    doc.SetModifiedFlag(false);
    EXPECT_EQ(obj->SetNameChecked("V", true), 1);
    EXPECT_FALSE(doc.IsModified()) << "the same name again changes nothing";
    EXPECT_EQ(obj->SetNameChecked("Foyer", true), 1);
    EXPECT_EQ(obj->GetName(), "Foyer");
    EXPECT_TRUE(doc.IsModified()) << "a rename must be offered for saving";
    doc.SetModifiedFlag(false);
    std::string unique = "Halle";
    obj->SetNameUnique(unique, false);
    EXPECT_TRUE(doc.IsModified());
}

// A name travels in protocol lines: a line break or any other control
// character in it is refused with a message, by both name setters. Blanks
// alone are no name, refused as an empty one is.
TEST_F(BaseDeviceTest, NamesWithControlCharactersAreRefused)
{
    TestDevice* obj = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "V");
    const std::string control = "Der Name darf keine Steuerzeichen (Zeilenumbruch, Tabulator ...) enthalten !\n";
    const std::string empty = "Sie müssen einen Namen der mindestens 1 Zeichen lang ist, eingeben !\n";
    const struct {
        const char* name;
        const std::string& message;
    } rows[] = {
        {"Halle\r\n/MACRO/LOCK ON", control},
        {"A\tB", control},
        {"Ende\n", control},
        {"X\x7f", control},
        {"   ", empty},
        {" ", empty},
        {" \xC2\xA0 ", empty},  // with the blank that does not break
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        messages.texts.clear();
        EXPECT_EQ(obj->SetNameChecked(row.name, true), 0);
        EXPECT_EQ(messages.texts, std::vector<std::string> {row.message});
        std::string name = row.name;
        EXPECT_EQ(obj->SetNameUnique(name, true), 0);
        EXPECT_TRUE(name.empty()) << "a refused name is handed back empty";
        EXPECT_EQ(obj->GetName(), "V");
    }
    EXPECT_EQ(obj->SetNameChecked("Halle Süd", true), 1);
    EXPECT_EQ(obj->SetNameChecked(" Halle ", true), 1) << "blanks around a name are the user's";
    EXPECT_EQ(obj->GetName(), " Halle ");
}

// An upload takes the name the device holds for an object as it is: an
// object whose name the project made up gives way. Where the name cannot be
// held, the difference file names it with what the project keeps instead.
TEST_F(BaseDeviceTest, ANameTheDeviceGivesStandsAndAMadeUpOneGivesWay)
{
    const std::string diffFile = ::testing::TempDir() + "ql_device_names.err";
    enum Named { ByTheProject, InAnEarlierUpload, InThisUpload };
    struct Holder {
        uint32_t type;
        int32_t category;
        const char* name;
        Named named = ByTheProject;
        bool fixed = false;
    };
    const struct {
        const char* what;
        std::vector<Holder> holders;
        const char* deviceName;
        const char* taken;
        std::vector<std::string> holderNames;  // afterwards, in order
        const char* diffLines;
        bool marks;  // the project has changed
    } rows[] = {
        {"a macro the upload made", {{OT_MACRO, CAT_MACRO, "3 *"}}, "3 *", "3 *", {"3 *_1"}, "", true},
        {"two placeholders of other kinds",
         {{OT_CONDITION, CAT_DIGITAL_IO, "3 *"}, {OT_MACRO, CAT_MACRO, "3 *"}},
         "3 *",
         "3 *",
         {"3 *_1", "3 *_2"},
         "",
         true},
        {"a zone the user named", {{OT_ZONE, CAT_ZONE, "Halle"}}, "Halle", "Halle", {"Halle_1"}, "", true},
        {"a day programme the device named so in an earlier upload",
         {{OT_DAYPROG, CAT_CALENDAR, "Ferien", InAnEarlierUpload}},
         "Ferien",
         "Ferien",
         {"Ferien_1"},
         "",
         true},
        {"a day programme the device named so in this upload",
         {{OT_DAYPROG, CAT_CALENDAR, "Ferien", InThisUpload}},
         "Ferien",
         "Ferien_1",
         {"Ferien"},
         "ERROR: /CAL/HOLIDAY2/NAME >>Ferien<< should be >>Ferien_1<<\r\n",
         true},
        {"a slot",
         {{OT_AUDIO_INPUT_SLOT, CAT_INPUT_SLOT, "Slot1", ByTheProject, true}},
         "Slot1",
         "Slot1_1",
         {"Slot1"},
         "ERROR: /CAL/HOLIDAY2/NAME >>Slot1<< should be >>Slot1_1<<\r\n",
         true},
        {"no name", {}, "", "Feiertag", {}, "ERROR: /CAL/HOLIDAY2/NAME >><< should be >>Feiertag<<\r\n", false},
        {"a line break", {}, "A\nB", "Feiertag", {}, "ERROR: /CAL/HOLIDAY2/NAME >>A\nB<< should be >>Feiertag<<\r\n",
         false},
        {"its own name", {}, "Feiertag", "Feiertag", {}, "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CQuillomerDoc rowDoc;
        std::remove(diffFile.c_str());
        std::vector<TestDevice*> holders;
        for (const Holder& h : row.holders) {
            holders.push_back(MakeDevice(rowDoc, h.type, h.category, h.name));
            holders.back()->m_fixed = h.fixed ? 1 : 0;
        }
        for (const Named round : {InAnEarlierUpload, InThisUpload}) {
            rowDoc.BeginUploadRound();
            for (size_t i = 0; i < holders.size(); ++i)
                if (row.holders[i].named == round)
                    holders[i]->TakeDeviceName(row.holders[i].name, diffFile, "/CAL/DAYPROG1/NAME");
        }
        TestDevice* holiday = MakeDevice(rowDoc, OT_HOLIDAY, CAT_CALENDAR, "Feiertag");
        rowDoc.SetModifiedFlag(false);
        holiday->TakeDeviceName(row.deviceName, diffFile, "/CAL/HOLIDAY2/NAME");
        EXPECT_EQ(row.taken, holiday->GetName());
        std::vector<std::string> names;
        for (const TestDevice* o : holders)
            names.push_back(o->GetName());
        EXPECT_EQ(row.holderNames, names);
        std::ifstream in(diffFile, std::ios::binary);
        EXPECT_EQ(row.diffLines, std::string(std::istreambuf_iterator<char>(in), {}));
        EXPECT_EQ(row.marks, rowDoc.IsModified());
        EXPECT_TRUE(messages.texts.empty());
    }
    std::remove(diffFile.c_str());
}

TEST_F(BaseDeviceTest, ChangeNumberKeepsTheOldNumberWhenTaken)
{
    TestDevice* a = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    MakeDevice(doc, OT_ZONE, CAT_ZONE);
    EXPECT_EQ(a->ChangeNumber(2), 0);
    EXPECT_EQ(a->GetNumber(), 1);
    EXPECT_EQ(a->ChangeNumber(7), 7);
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(7, OT_ZONE), a);
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(1, OT_ZONE), nullptr);
}

TEST_F(BaseDeviceTest, NumberedCreateRefusesATakenNumber)
{
    TestDevice* a = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    TestDevice b;
    b.m_type = OT_ZONE;
    EXPECT_EQ(b.Create(1, "B", a->GetNumber(), CAT_ZONE, &doc), 0);
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(a->GetNumber(), OT_ZONE), a);
}

TEST_F(BaseDeviceTest, DeletingUnlinksBothSidesAndReleasesTheHotObject)
{
    RecordingView view;
    doc.AddView(&view);
    TestDevice* amp = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE);
    TestDevice* group = MakeDevice(doc, OT_GROUP, CAT_GROUP);
    zone->LinkTo(0, amp, 1);
    group->LinkTo(0, zone, 0);
    view.hot = zone;
    zone->OnCommand(objcmd::Delete);
    EXPECT_EQ(view.hot, nullptr);
    EXPECT_TRUE(amp->m_inLinks.empty());
    EXPECT_TRUE(group->m_outLinks.empty());
    EXPECT_EQ(doc.GetList(CAT_ZONE).size(), 0u);
    EXPECT_EQ(doc.GetIDManager().GetBaseDevice(1, OT_ZONE), nullptr);
    EXPECT_FALSE(doc.HasPath("/KVT/ZONE1"));
    EXPECT_FALSE(view.invalidated.empty());
    doc.RemoveView(&view);
}

TEST_F(BaseDeviceTest, DeleteKeyIsIgnoredOnZones)
{
    MakeDevice(doc, OT_ZONE, CAT_ZONE);
    MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER);
    doc.GetList(CAT_ZONE).front()->OnKeyDown(vk::Delete, 1, 0);
    doc.GetList(CAT_AMPLIFIER).front()->OnKeyDown(vk::Delete, 1, 0);
    EXPECT_EQ(doc.GetList(CAT_ZONE).size(), 1u);
    EXPECT_EQ(doc.GetList(CAT_AMPLIFIER).size(), 0u);
}

TEST_F(BaseDeviceTest, CommonRecordHasItsByteLayout)
{
    TestDevice obj(OT_ZONE, 3);
    obj.m_kindId = 0x01020304;
    obj.m_name = "Ä";
    obj.m_category = 3;
    obj.m_rect = CRect(1, 2, 3, 4);
    obj.m_number = -1;
    std::vector<uint8_t> bytes;
    {
        CArchive ar(bytes);
        obj.CBaseDevice::Serialize(ar);
    }
    ASSERT_EQ(bytes.size(), 4u + 4 + 2 + 4 * 5 + 48 + 4 + 4 + 4 + 16 + 4 + 4);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[4], 0x04);
    EXPECT_EQ(bytes[8], 1);
    EXPECT_EQ(bytes[9], 0xC4) << "texts are Windows-1252 in the file";
    EXPECT_EQ(bytes[30], 1) << "symbol rectangle left";
    EXPECT_EQ(bytes[bytes.size() - 8], 0xFF) << "number -1";
    EXPECT_EQ(bytes.back(), 0) << "class value high byte";
    EXPECT_EQ(bytes[bytes.size() - 4], 3);
}

TEST_F(BaseDeviceTest, VersionOneRecordKeepsTheConstructorClassValue)
{
    TestDevice src(OT_ZONE, 9);
    src.m_name = "Z";
    std::vector<uint8_t> bytes;
    {
        CArchive ar(bytes);
        src.CBaseDevice::Serialize(ar);
    }
    bytes[0] = 1;  // object version 1: no class value
    bytes.resize(bytes.size() - 4);
    TestDevice loaded(OT_ZONE, 5);
    CArchive in(bytes.data(), bytes.size());
    loaded.CBaseDevice::Serialize(in);
    EXPECT_EQ(loaded.m_classValue, 5);
    EXPECT_EQ(loaded.GetName(), "Z");
    EXPECT_TRUE(in.AtEnd());
}

TEST_F(BaseDeviceTest, AbsurdConnectorCountsInAFileAreRejected)
{
    TestDevice src(OT_ZONE);
    src.m_inputCount = 100000000;
    std::vector<uint8_t> bytes;
    {
        CArchive ar(bytes);
        src.CBaseDevice::Serialize(ar);
    }
    TestDevice loaded(OT_ZONE);
    CArchive in(bytes.data(), bytes.size());
    EXPECT_THROW(loaded.CBaseDevice::Serialize(in), CArchiveException);
}

TEST_F(BaseDeviceTest, AvoidOverlapMovesByTheSmallerShift)
{
    MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "A", CRect(100, 100, 200, 150));
    TestDevice* b = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "B", CRect(100, 140, 200, 190));
    b->AvoidOverlap();
    EXPECT_EQ(b->GetRect().top, 150);
    TestDevice* c = MakeDevice(doc, OT_AMPLIFIER, CAT_AMPLIFIER, "C", CRect(100, 60, 200, 105));
    c->AvoidOverlap();
    EXPECT_EQ(c->GetRect().top, 55);
    TestDevice* z1 = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z1", CRect(0, 0, 50, 50));
    TestDevice* z2 = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Z2", CRect(0, 0, 50, 50));
    z2->AvoidOverlap();
    EXPECT_EQ(z2->GetRect(), z1->GetRect()) << "zones never move";
}

TEST_F(BaseDeviceTest, FitTextToWidthEndsInDots)
{
    RecordingPainter dc;  // 6 units per byte
    TestDevice obj(OT_ZONE);
    EXPECT_EQ(obj.FitTextToWidth(dc, 0, 72, "Lautsprecher"), "Lautsprecher");
    EXPECT_EQ(obj.FitTextToWidth(dc, 0, 40, "Lautsprecher"), "Lau...");
    EXPECT_EQ(obj.FitTextToWidth(dc, 0, 40, "Äpfelbaum"), "Äp...");
    EXPECT_EQ(obj.FitTextToWidth(dc, 0, 10, "ÄÖÜ"), "...");
    EXPECT_TRUE(dc.Has("font 0"));
}

// Measures like a proportional font (narrow "i", wide "W", a wide multi-byte
// character) and counts the measurements.
class ProportionalPainter : public RecordingPainter {
public:
    CSize TextExtent(const std::string& text) override
    {
        ++measured;
        int32_t width = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if ((c & 0xC0) == 0x80)
                continue;  // counted with its first byte
            width += c == 'i' || c == 'l' || c == '.' ? 2 : c == 'W' || c == 'M' ? 11 : c >= 0x80 ? 9 : 6;
        }
        return CSize{width, 12};
    }
    int measured = 0;
};

// Drops one character after the other until the text with "..." fits.
std::string FitByDropping(IPainter& dc, int32_t width, const std::string& text)
{
    std::string fitted = text;
    if (dc.TextExtent(fitted).cx <= width)
        return fitted;
    while (!fitted.empty()) {
        unsigned char c = 0;
        do {
            c = static_cast<unsigned char>(fitted.back());
            fitted.pop_back();
        } while (!fitted.empty() && (c & 0xC0) == 0x80);
        if (dc.TextExtent(fitted + "...").cx <= width)
            break;
    }
    return fitted + "...";
}

TEST_F(BaseDeviceTest, FitTextToWidthCutsWhereDroppingCharactersWould)
{
    ProportionalPainter dc;
    TestDevice obj(OT_ZONE);
    // Multi-byte characters of two, three and four bytes, stray continuation
    // bytes, an empty name and one character.
    const std::string texts[] = {"Lautsprecher Halle West", "Müllraum Süd", "WMWMWMWM iiii llll", "Ä€𝄞Ö", "\x80\x80abc",
                                 "ab\xC3", "", "W", std::string(64, 'i') + "WM"};
    for (const std::string& text : texts) {
        for (int32_t width = -1; width <= ProportionalPainter().TextExtent(text).cx + 1; ++width) {
            dc.measured = 0;
            EXPECT_EQ(FitByDropping(dc, width, text), obj.FitTextToWidth(dc, 0, width, text))
                << "\"" << text << "\" in " << width;
        }
    }
    // A long name costs a handful of measurements, not one per character.
    const std::string longName = "Beschallungszone Verwaltungsgebäude Erdgeschoss Nord, Flur und Treppenhaus";
    dc.measured = 0;
    EXPECT_EQ(FitByDropping(dc, 80, longName), obj.FitTextToWidth(dc, 0, 80, longName));
    dc.measured = 0;
    obj.FitTextToWidth(dc, 0, 80, longName);
    EXPECT_LE(dc.measured, 10);
}

}  // namespace

namespace {

TEST_F(BaseDeviceTest, SignalsShareTheirPathKey)
{
    TestDevice* s1 = MakeDevice(doc, OT_ALARM_SIGNAL, CAT_AUDIO, nullptr, CRect(0, 0, 1, 1), 0, 0, 32822);
    TestDevice* s2 = MakeDevice(doc, OT_ALARM_SIGNAL, CAT_AUDIO, nullptr, CRect(0, 0, 1, 1), 0, 0, 32822);
    EXPECT_EQ(s2->GetNumber(), 2);
    EXPECT_EQ(doc.GetPathMap().count("EVENT/ALARM"), 2u);
    doc.RemoveObject(s2);
    delete s2;
    EXPECT_EQ(doc.LookupPath("EVENT/ALARM"), s1) << "the other signal keeps its entry";
}

}  // namespace

namespace {

TEST_F(BaseDeviceTest, AbsurdCoordinatesAndLanesInAFileAreBroughtIntoRange)
{
    auto load = [](TestDevice& src) {
        std::vector<uint8_t> bytes;
        {
            CArchive ar(bytes);
            src.CBaseDevice::Serialize(ar);
        }
        auto loaded = std::make_unique<TestDevice>(OT_ZONE);
        CArchive in(bytes.data(), bytes.size());
        loaded->CBaseDevice::Serialize(in);
        return loaded;
    };
    TestDevice ok(OT_ZONE);
    ok.m_rect = CRect(-5000, -5000, 9000, 9000);
    ok.m_lanes[3] = 7;
    EXPECT_EQ(load(ok)->m_rect, ok.m_rect);
    TestDevice far(OT_ZONE);
    far.m_rect = CRect(0, -2147418112, 10, 65536);
    far.m_bitmapRect.right = 0x7FFFFFFF;
    far.m_lanes[0] = 0x7FFFFFF0;
    far.m_lanes[2] = -5;
    const auto moved = load(far);
    EXPECT_EQ(moved->m_rect, CRect(0, 0, 10, 65536)) << "onto the sheet's nearest edge";
    EXPECT_EQ(moved->m_bitmapRect.right, 4096);
    EXPECT_EQ(moved->m_lanes[0], 1 << 16);
    EXPECT_EQ(moved->m_lanes[2], -5);
    // Numbers: "none yet" and the largest directory's numbers load, absurd ones do not.
    for (int32_t n : {-1, 0, 960, 65535}) {
        TestDevice numbered(OT_ZONE);
        numbered.m_number = n;
        EXPECT_NO_THROW(load(numbered)) << n;
    }
    for (int32_t n : {-2, 65536, 1702249795}) {
        TestDevice numbered(OT_ZONE);
        numbered.m_number = n;
        EXPECT_THROW(load(numbered), CArchiveException) << n;
    }
}

TEST_F(BaseDeviceTest, OnlyLinksWithALineOnTheSheetGrowTheBoundingRectangle)
{
    // An interface card and two contacts at its inputs, the way the sheet
    // shows them; a condition without a symbol refers to the lower contact
    // at a key beyond the contact's one output, where no line is drawn.
    TestDevice* card = MakeDevice(doc, OT_INTERFACE_SLOT, CAT_INTERFACE, "Interface", CRect(1933, 2368, 2163, 2468), 5, 3);
    TestDevice* upper = MakeDevice(doc, OT_CONTROL_PAD, CAT_DIGITAL_IO, "DCF", CRect(1777, 2410, 1933, 2426), 1, 1);
    TestDevice* lower = MakeDevice(doc, OT_CONTROL_PAD, CAT_DIGITAL_IO, "INP1", CRect(1777, 2410, 1933, 2426), 1, 1);
    TestDevice* cond = MakeDevice(doc, OT_CONDITION, CAT_DIGITAL_IO, nullptr, CRect(), 1, 1, 34129);
    for (TestDevice* pad : {upper, lower})
        pad->m_linkMode = linkmode::DrawInLinks;
    card->LinkTo(0, upper, 0);  // the card's first input lies above the contact
    card->LinkTo(2, lower, 0);  // the third beside it
    cond->LinkTo(0, lower, 1);
    ASSERT_EQ(cond->m_inputPoints.at(0).y, 0) << "the condition's point lies at the sheet's top";

    lower->CalcBoundingRect();
    EXPECT_EQ(lower->GetBoundingRect(), CRect(1777, 2410, 1933, 2426));
    upper->CalcBoundingRect();
    EXPECT_EQ(upper->GetBoundingRect(), CRect(1777, 2378, 1933, 2426)) << "a drawn line still counts";
    // Painting the contacts covers what was worked out, and changes nothing.
    RecordingPainter painter;
    for (TestDevice* pad : {upper, lower}) {
        const CRect before = pad->GetBoundingRect();
        pad->Draw(painter);
        EXPECT_EQ(pad->GetBoundingRect(), before) << pad->GetName();
    }

    // The same for outgoing links drawn from own inputs.
    TestDevice* zone = MakeDevice(doc, OT_ZONE, CAT_ZONE, "Halle", CRect(400, 400, 500, 440), 1, 1);
    zone->m_linkMode = linkmode::DrawOutLinks;
    zone->LinkTo(3, card, 0);  // a key beyond the zone's one input
    zone->CalcBoundingRect();
    EXPECT_EQ(zone->GetBoundingRect(), CRect(400, 400, 500, 440));
    zone->LinkTo(0, card, 0);
    zone->CalcBoundingRect();
    EXPECT_EQ(zone->GetBoundingRect(), CRect(400, 400, 500, 2385));
}

}  // namespace
