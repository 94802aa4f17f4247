#include <gtest/gtest.h>

#include <set>

#include "calendar/CAppoint.h"
#include "logic/CLogicOut.h"
#include "logic/CTrigger.h"
#include "model/CControlPad.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "service/CZonetestObject.h"
#include "support/BlockTestSupport.h"

using namespace blocktest;

namespace {
CZonetestObject* MakeZonetest(CQuillomerDoc* doc)
{
    auto* zt = new CZonetestObject;
    EXPECT_EQ(1, zt->Create(34577, 1, 1, nullptr, 0, 0, 0, 0, CAT_AUDIO, 0, 3, doc));
    doc->AddObject(zt, CAT_AUDIO);
    return zt;
}
}  // namespace

TEST(Zonetest, StoresTwentyOneWordsWithTheAppointmentBeforeTheDisplayMacro)
{
    CZonetestObject zt;
    zt.m_lineTestMacro = 1;
    zt.m_lineTestDisplayMacro = 2;
    zt.m_startAppointment = 3;
    zt.m_testCondition = 4;
    zt.m_outputLogic = 5;
    zt.m_impedanceMacro = 6;
    zt.m_impedanceDisplayMacro = 7;
    zt.m_lineTestTrigger = 8;
    zt.m_impedanceTrigger = 9;
    zt.m_displayOffMacro = 10;
    Bytes own;
    for (int32_t v : {1, 3, 2, 4, 5, 6, 7, 8, 9, 10})
        PutI32(own, v);
    PutF32(own, 66.0f);
    PutF32(own, 0.005f);
    PutI32(own, 2);
    PutI32(own, 0);
    PutF32(own, 1000.0f);
    for (int32_t v : {-20, -17, -14, -20})
        PutI32(own, v);
    PutF32(own, 5.0f);
    PutI32(own, 5);
    EXPECT_EQ(own, StoreOwnData(zt));

    auto loaded = LoadTagged("CZonetestObject", 1, StoreData(zt));
    auto* back = dynamic_cast<CZonetestObject*>(loaded.get());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(3, back->m_startAppointment);
    EXPECT_EQ(2, back->m_lineTestDisplayMacro);
    EXPECT_EQ(10, back->m_displayOffMacro);
    EXPECT_EQ("66.0", back->GetValue(10));
    EXPECT_EQ("0.005", back->GetValue(11));
    EXPECT_EQ("5", back->GetValue(20));
}

TEST(Zonetest, SetValueClampsAndIgnoresUnreadableTexts)
{
    CZonetestObject zt;
    zt.SetValue(10, "5");
    EXPECT_EQ("10.0", zt.GetValue(10));
    zt.SetValue(10, "30000");
    EXPECT_EQ("23000.0", zt.GetValue(10));
    zt.SetValue(10, "abc");
    EXPECT_EQ("23000.0", zt.GetValue(10));
    zt.SetValue(11, "2");
    EXPECT_EQ("1.000", zt.GetValue(11));
    zt.SetValue(11, "0");
    EXPECT_EQ("0.001", zt.GetValue(11));
    zt.SetValue(12, "-3");
    EXPECT_EQ("0", zt.GetValue(12));
    zt.SetValue(12, "31");
    EXPECT_EQ("30", zt.GetValue(12));
    zt.SetValue(13, "on");
    EXPECT_EQ("OFF", zt.GetValue(13));
    zt.SetValue(13, "ON");
    EXPECT_EQ("ON", zt.GetValue(13));
    zt.SetValue(16, "-90");
    EXPECT_EQ("-78", zt.GetValue(16));
    zt.SetValue(19, "-1");
    EXPECT_EQ("0.0", zt.GetValue(19));
    zt.SetValue(20, "OFF");
    EXPECT_EQ(0, zt.m_wipeCycles);
    EXPECT_EQ("OFF", zt.GetValue(20));
    zt.SetValue(20, "250");
    EXPECT_EQ("100", zt.GetValue(20));
    // Schedule numbers are not set through SetValue.
    zt.SetValue(1, "5");
    EXPECT_EQ("0", zt.GetValue(1));
}

TEST(Zonetest, ValueTextsOfTheScheduleKeys)
{
    CZonetestObject zt;
    zt.m_lineTestTrigger = 11;
    zt.m_impedanceTrigger = 12;
    zt.m_impedanceMacro = 13;
    zt.m_startAppointment = 14;
    zt.m_displayOffMacro = 15;
    EXPECT_EQ("11", zt.GetValue(0));
    EXPECT_EQ("12", zt.GetValue(6));
    EXPECT_EQ("13", zt.GetValue(7));
    EXPECT_EQ("", zt.GetValue(2));
    EXPECT_EQ("", zt.GetValue(9));
    EXPECT_EQ("", zt.GetValue(21));
}

TEST(Zonetest, DownloadSevenLinesOnlyForTheUpgradedDevice)
{
    ActiveDoc d;
    RecordingSender sender;
    CZonetestObject* zt = MakeZonetest(d.get());
    EXPECT_EQ("/SERVICE/ZONETEST", zt->GetPath());
    EXPECT_EQ(zt, d.doc().LookupPath("/SERVICE/ZONETEST"));

    d.doc().m_data.deviceVariant = 0;
    EXPECT_EQ(0, zt->GetDownloadLines(0, -1));
    d.doc().m_data.deviceVariant = 1;
    ASSERT_EQ(7, zt->GetDownloadLines(0, -1));
    for (int step = 0; step < 7; ++step)
        EXPECT_EQ(step + 1, zt->GetDownloadLines(0, step));
    const std::vector<std::string> expected = {
        "/SERVICE/ZONETEST/TEST/FREQU 66.0",     "/SERVICE/ZONETEST/TEST/ADJPERDAY 0.005",
        "/SERVICE/ZONETEST/TEST/ADJMAX 2",       "/SERVICE/ZONETEST/TEST/SHORT_DIS OFF",
        "/SERVICE/ZONETEST/IMP/FREQU 1000.0",    "/SERVICE/ZONETEST/GNDFLT_TIME 5.0",
        "/SERVICE/ZONETEST/WIPE 5",
    };
    EXPECT_EQ(expected, sender.lines);
    EXPECT_EQ(7, zt->GetDownloadLines(0, 7));
    sender.lines.clear();
    zt->GetDownloadLines(1, 6);
    EXPECT_EQ(std::vector<std::string>{"/SERVICE/ZONETEST/WIPE ?"}, sender.lines);
}

TEST(Zonetest, AnswersOnlyInTheUploadState)
{
    CZonetestObject zt;
    zt.ParseUploadLines("SERVICE/ZONETEST/AMPVOL/70V -90", "", linkstate::Online);
    EXPECT_EQ(-17, zt.m_ampVolume70V);
    zt.ParseUploadLines("SERVICE/ZONETEST/AMPVOL/70V -90", "", linkstate::Upload);
    EXPECT_EQ(-78, zt.m_ampVolume70V);
    zt.ParseUploadLines("SERVICE/ZONETEST/TEST/FREQU ?", "", linkstate::Upload);
    EXPECT_EQ("66.0", zt.GetValue(10));
    zt.ParseUploadLines("SERVICE/ZONETEST/TEST/FREQU 440", "", linkstate::Upload);
    EXPECT_EQ("440.0", zt.GetValue(10));
    zt.ParseUploadLines("SERVICE/ZONETEST/WIPE OFF", "", linkstate::Upload);
    EXPECT_EQ(0, zt.m_wipeCycles);
    zt.ParseUploadLines("SERVICE/ZONETEST/TEST 12", "", linkstate::Upload);
    EXPECT_EQ("440.0", zt.GetValue(10));
    zt.ParseUploadLines("SERVICE/ZONETEST/IMP/FREQU nan", "", linkstate::Upload);
    EXPECT_EQ("1000.0", zt.GetValue(14));
}

namespace {
class ZtConsole : public CBaseDevice {
    QL_DECLARE_SERIAL(ZtConsole)
public:
    ZtConsole() { m_type = OT_CONSOLE; }
};
QL_IMPLEMENT_SERIAL(ZtConsole, 1)

// Names of every appointment, macro, trigger, condition and logic output.
std::set<std::string> ScheduleNames(CQuillomerDoc& doc)
{
    std::set<std::string> names;
    for (uint32_t type : {OT_APPOINT, OT_MACRO, OT_TRIGGER, OT_CONDITION, OT_LOGIC_OUT}) {
        DeviceList list;
        doc.GetIDManager().GetBaseDeviceList(list, type);
        for (CBaseDevice* o : list)
            names.insert(o->GetName());
    }
    return names;
}
}  // namespace

TEST(Zonetest, ScheduleObjectsComeAndGoWithTheFormsOptions)
{
    ActiveDoc d;
    CZonetestObject* zt = MakeZonetest(d.get());
    auto* console = new ZtConsole;
    ASSERT_EQ(1, console->Create(0, "Pult", 3, CAT_CONSOLE, d.get()));
    d.doc().AddObject(console, CAT_CONSOLE);
    const std::set<std::string> lineTest = {"ZT  ON", "ZT Zoneteststart"};
    const std::set<std::string> display = {"ZT  ON", "ZT Zoneteststart", "ZT Linientest", "ZT Textausgabe auf LCD ON",
                                           "ZT Linientest OFF Bedingung", "ZT Textausgabe auf LCD OFF"};
    std::set<std::string> all = display;
    all.insert("ZT Logikzustand");
    std::set<std::string> displayOff = lineTest;
    displayOff.insert({"ZT Linientest OFF Bedingung", "ZT Logikzustand"});
    struct Step {
        std::vector<std::pair<int, int32_t>> calls;
        std::set<std::string> names;
    };
    const std::vector<Step> steps = {
        {{{1, 1}, {2, 3600}}, lineTest},
        {{{3, 3}}, display},
        {{{5, 7}}, all},
        // Setting everything again makes nothing new; console 3 -> all consoles.
        {{{1, 1}, {2, 7200}, {3, -1}, {5, 7}}, all},
        // The output logic still switches on the condition: it stays.
        {{{3, 0}}, displayOff},
        {{{4, 0}}, displayOff},
        {{{5, 0}, {4, 0}, {2, 0}, {1, 0}}, {}},
    };
    int32_t conditionNumber = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        for (auto [key, value] : steps[i].calls)
            zt->SetScheduleObject(key, value);
        EXPECT_EQ(steps[i].names, ScheduleNames(d.doc())) << "step " << i;
        if (i == 2) {
            conditionNumber = zt->m_testCondition;
            auto* trigger = dynamic_cast<CTrigger*>(d.doc().GetIDManager().GetBaseDevice(zt->m_lineTestTrigger, OT_TRIGGER));
            ASSERT_NE(nullptr, trigger);
            EXPECT_EQ(conditionNumber, trigger->GetValue(triggerkey::Condition));
            EXPECT_EQ(zt->m_lineTestDisplayMacro, trigger->GetValue(triggerkey::OnMacro));
            EXPECT_EQ(zt->m_displayOffMacro, trigger->GetValue(triggerkey::OffMacro));
            auto* out = dynamic_cast<CLogicOut*>(d.doc().GetIDManager().GetBaseDevice(zt->m_outputLogic, OT_LOGIC_OUT));
            ASSERT_NE(nullptr, out);
            EXPECT_EQ(conditionNumber, out->GetValue(logicoutkey::Condition));
            EXPECT_EQ(3, zt->GetScheduleValue(3));
        }
        if (i == 3) {
            EXPECT_EQ(conditionNumber, zt->m_testCondition);
            EXPECT_EQ(-1, zt->GetScheduleValue(3));
            // Moving the time moves only the appointment's date-time.
            EXPECT_EQ(7200, zt->GetScheduleValue(2));
            auto* appoint =
                dynamic_cast<CAppoint*>(d.doc().GetIDManager().GetBaseDevice(zt->m_startAppointment, OT_APPOINT));
            ASSERT_NE(nullptr, appoint);
            EXPECT_EQ(zt->m_lineTestMacro, appoint->GetParam(CAppoint::Macro));
            EXPECT_EQ(34239, appoint->GetParam(CAppoint::Function));
        }
    }
    EXPECT_EQ(0, zt->GetScheduleValue(1));
    EXPECT_EQ(0, zt->GetScheduleValue(4));

    // A line-test macro the user renamed is his: turning the test off keeps
    // it but forgets it, so turning on again makes a new one.
    zt->SetScheduleObject(1, 1);
    CBaseDevice* mine = d.doc().GetIDManager().GetBaseDevice(zt->m_lineTestMacro, OT_MACRO);
    ASSERT_NE(nullptr, mine);
    mine->SetName("Mein Test");
    zt->SetScheduleObject(1, 0);
    EXPECT_EQ(0, zt->GetScheduleValue(1));
    zt->SetScheduleObject(1, 1);
    EXPECT_EQ((std::set<std::string>{"Mein Test", "ZT  ON"}), ScheduleNames(d.doc()));
}

// An output logic without the zone test's condition (as projects kept it
// when the contact was chosen before any display) takes the condition as
// soon as a display makes it.
TEST(Zonetest, TheOutputLogicTakesTheConditionADisplayMakes)
{
    ActiveDoc d;
    CZonetestObject* zt = MakeZonetest(d.get());
    auto* pad = new CControlPad;
    ASSERT_EQ(1,
              pad->Create(padkind::SlotOut, 1, 1, std::string("Ausgang"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, d.get()));
    d.doc().AddObject(pad, CAT_DIGITAL_IO);
    zt->SetScheduleObject(1, 1);
    zt->SetScheduleObject(5, pad->GetNumber());
    auto* out = dynamic_cast<CLogicOut*>(d.doc().GetIDManager().GetBaseDevice(zt->m_outputLogic, OT_LOGIC_OUT));
    ASSERT_NE(nullptr, out);
    // The state of such a project: the output logic on no condition.
    out->SetValue(logicoutkey::Condition, 0);
    if (CBaseDevice* cond = d.doc().GetIDManager().GetBaseDevice(zt->m_testCondition, OT_CONDITION))
        cond->OnCommand(objcmd::Delete);
    zt->m_testCondition = 0;
    ASSERT_EQ(0, out->GetValue(logicoutkey::Condition));
    zt->SetScheduleObject(3, -1);
    ASSERT_NE(nullptr, d.doc().GetIDManager().GetBaseDevice(zt->m_testCondition, OT_CONDITION));
    EXPECT_EQ(zt->m_testCondition, out->GetValue(logicoutkey::Condition));
}

// A "ZT " object the user deletes in its own window is no longer the test's:
// a later object given its number keeps its name and settings, and the test
// makes its own again when the option is set again.
TEST(Zonetest, ADeletedScheduleObjectsNumberIsNotTakenUpAgain)
{
    const struct {
        const char* what;
        int key;  // the option set (and set again)
        int32_t value;
        int32_t CZonetestObject::*field;
        uint32_t type;
        const char* className;
        int32_t category;
    } rows[] = {
        {"line-test macro", 1, 1, &CZonetestObject::m_lineTestMacro, OT_MACRO, "CMacro", CAT_MACRO},
        {"impedance macro", 7, 1, &CZonetestObject::m_impedanceMacro, OT_MACRO, "CMacro", CAT_MACRO},
        {"start appointment", 2, 3600, &CZonetestObject::m_startAppointment, OT_APPOINT, "CAppoint", CAT_CALENDAR},
        {"display trigger", 3, 3, &CZonetestObject::m_lineTestTrigger, OT_TRIGGER, "CTrigger", CAT_DIGITAL_IO},
        {"display macro", 3, 3, &CZonetestObject::m_lineTestDisplayMacro, OT_MACRO, "CMacro", CAT_MACRO},
        {"test condition", 4, 1, &CZonetestObject::m_testCondition, OT_CONDITION, "CCondition", CAT_DIGITAL_IO},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ActiveDoc d;
        CZonetestObject* zt = MakeZonetest(d.get());
        auto* console = new ZtConsole;
        ASSERT_EQ(1, console->Create(0, "Pult", 3, CAT_CONSOLE, d.get()));
        d.doc().AddObject(console, CAT_CONSOLE);
        zt->SetScheduleObject(row.key, row.value);
        const int32_t number = zt->*row.field;
        CBaseDevice* made = d.doc().GetIDManager().GetBaseDevice(number, row.type);
        ASSERT_NE(nullptr, made);
        made->OnCommand(objcmd::Delete);
        EXPECT_EQ(0, zt->*row.field);
        // The user's own object at the freed number.
        CBaseDevice* mine = CreateNumberedPlaceholder(d.get(), row.className, row.type, 0, number, row.category);
        ASSERT_NE(nullptr, mine);
        mine->SetName("Mein Objekt");
        zt->SetScheduleObject(row.key, row.value);
        EXPECT_EQ("Mein Objekt", mine->GetName());
        EXPECT_NE(number, zt->*row.field);
        EXPECT_NE(0, zt->*row.field);
        // Turning the option off leaves the user's object where it is.
        zt->SetScheduleObject(row.key, 0);
        EXPECT_EQ(mine, d.doc().GetIDManager().GetBaseDevice(number, row.type));
    }
}
