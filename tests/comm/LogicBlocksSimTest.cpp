// The control-logic blocks against the device simulator: what a download
// leaves on the device comes back unchanged in an upload (empty ".err"), an
// upload whose free-list query gets no answer ends after its time-out, and a
// device whose entries name free ones holds the same after an upload and a
// download.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include "calendar/CCalObject.h"
#include "calendar/CDayprog.h"
#include "calendar/CHoliday.h"
#include "calendar/CWeek.h"
#include "calendar/CalendarIds.h"
#include "calendar/CalendarTime.h"
#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CCondition.h"
#include "logic/CConditionObject.h"
#include "logic/CGlobalReadyInput.h"
#include "logic/CLogicOut.h"
#include "logic/CLogicOutObject.h"
#include "logic/CReadyInput.h"
#include "logic/CTrigger.h"
#include "logic/CTriggerObject.h"
#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "macros/CMacro.h"
#include "macros/CMacroObject.h"
#include "macros/MacroIds.h"
#include "model/CControlPad.h"
#include "platform/Cp1252.h"
#include "platform/StringTable.h"

using namespace commtest;
using serialtest::Pump;

namespace {

class Session {
public:
    Session()
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 1);
        SetProfile(QStringLiteral("Configuration/StayOnline"), {});
        doc.SetTitle("Halle");
        doc.SetPathName(dir.filePath(QStringLiteral("Halle.qlx")).toStdString());
        doc.m_data.deviceVariant = 0;
        sim.version = QStringLiteral("V0.551");  // a standard device for a standard project
        previousHook = SetActiveDocHook([this] { return &doc; });
        link.SetHost(&host);
        previousSender = SetLineSender(&link);
    }
    ~Session()
    {
        if (link.IsConnected())
            link.ClosePort();
        SetLineSender(previousSender);
        SetActiveDocHook(previousHook);
        serialtest::SetDevicePath(kPort, {});
    }
    template <class T>
    T* Add(uint32_t kind, int n, int32_t category = CAT_DIGITAL_IO)
    {
        auto* o = new T;
        EXPECT_EQ(1, o->Create(kind, StrFormat("obj %d", n), n, category, &doc));
        doc.AddObject(o, category);
        return o;
    }
    // One transfer of the chosen blocks: direction 1 download, 0 upload.
    void Transfer(std::vector<CBaseDevice*> blocks, int direction)
    {
        host.paramSelect = [blocks, direction](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = blocks;
            return true;
        };
        link.OnTransferParameters();
        ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    }

    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    TestHost host;
    CCommLink link;
    Messages messages;
    SettingsHost settings;
    ActiveDocHook previousHook;
    ILineSender* previousSender = nullptr;
};

template <class T>
T* AddBlock(Session& s, uint32_t kind, int32_t category = CAT_AUDIO)
{
    auto* block = new T;
    EXPECT_EQ(1, block->Create(kind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, category, 0, 3, &s.doc));
    s.doc.AddObject(block, category);
    return block;
}

CConditionObject* AddConditionBlock(Session& s)
{
    return AddBlock<CConditionObject>(s, CConditionObject::kKindId);
}

// A contact whose signal index comes from a slot link at `slotKey`.
CControlPad* AddPad(Session& s, uint32_t kind, uint32_t slotType, int slotKey, bool padLinksOut)
{
    auto* slot = new CBaseDevice;
    slot->m_type = slotType;
    EXPECT_EQ(1, slot->Create(1, "Slot", 1, CAT_DIGITAL_SLOT, &s.doc));
    s.doc.AddObject(slot, CAT_DIGITAL_SLOT);
    auto* pad = new CControlPad;
    EXPECT_EQ(1, pad->Create(kind, 1, 1, std::string("Pad"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, &s.doc));
    s.doc.AddObject(pad, CAT_DIGITAL_IO);
    if (padLinksOut)
        pad->LinkTo(0, slot, slotKey);
    else
        slot->LinkTo(slotKey, pad, 0);
    return pad;
}

}  // namespace

TEST(LogicBlocksSim, UnansweredFreeListEndsTheUploadAfterItsWait)
{
    Session s;
    // A device that holds no condition table answers the free-list query with "?".
    ASSERT_TRUE(s.sim.Start({QStringLiteral("--unknown"), QStringLiteral("/CONDITION")}))
        << Simulator::Program().toStdString();
    s.link.OnConnect();
    ASSERT_TRUE(s.link.IsConnected());
    CConditionObject* block = AddConditionBlock(s);
    s.Transfer({block}, 0);
    // The device answered: what it did not understand is named, not its silence.
    EXPECT_TRUE(s.messages.Contains("QUILLOMER hat '/CONDITION/CLEAR"));
    EXPECT_TRUE(s.messages.Contains("nicht verstanden ! Die Übertragung wurde abgebrochen."));
    EXPECT_FALSE(s.messages.Contains("Keine Antwort von QUILLOMER"));
    EXPECT_FALSE(s.messages.Contains("Upload beendet"));
    EXPECT_EQ(linkstate::Online, s.link.GetLinkState());
    EXPECT_EQ(std::string::npos, s.sim.Received().find("/CONDITION/ENTRY1/"));
}

TEST(LogicBlocksSim, EveryBlockComesBackUnchanged)
{
    Session s;
    ASSERT_TRUE(s.sim.Start({})) << Simulator::Program().toStdString();
    s.link.OnConnect();
    ASSERT_TRUE(s.link.IsConnected());
    auto* triggers = AddBlock<CTriggerObject>(s, CTriggerObject::kKindId, CAT_DIGITAL_IO);
    auto* outputs = AddBlock<CLogicOutObject>(s, CLogicOutObject::kKindId);
    auto* ready = AddBlock<CGlobalReadyInput>(s, CGlobalReadyInput::kKindId);
    auto* macros = AddBlock<CMacroObject>(s, CMacroObject::kKindId);
    auto* virt = AddBlock<CVirtCtrl>(s, CVirtCtrl::kKindId);

    CConditionObject* conditions = AddConditionBlock(s);
    auto* card = new CBaseDevice;  // stands for LMZ775 card 1
    card->m_type = OT_LMZ775;
    ASSERT_EQ(1, card->Create(34263, "LMZ775", 1, CAT_DIGITAL_IO, &s.doc));
    s.doc.AddObject(card, CAT_DIGITAL_IO);
    auto* pad = new CControlPad;
    ASSERT_EQ(1, pad->Create(padkind::LMZ775In, 1, 1, std::string("AIN"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9, &s.doc));
    s.doc.AddObject(pad, CAT_DIGITAL_IO);
    card->LinkTo(2, pad, 0);
    auto* analog = s.Add<CAnalogCondition>(CAnalogCondition::kKindId, 2);
    analog->SetValue(0, pad->GetNumber());
    analog->SetLimit(2, 4.5f);
    auto* busy = s.Add<CBusyCondition>(CBusyCondition::kKindId, 1);
    busy->ParseValue(0, "ALARM,PAGE2");
    busy->ParseValue(3, "3");
    auto* cond = s.Add<CCondition>(condkind::TalkKey, 4);
    cond->SetValue(condkey::Object, 6);
    cond->SetValue(condkey::Level, 1);
    auto* comb = s.Add<CCombineCondition>(CCombineCondition::kKindId, 3);
    comb->ParseValue(0, "OR");
    comb->SetValue(5, 4);

    auto* stop = s.Add<CMacro>(macrotype::Stop, 10, CAT_MACRO);
    stop->SetParam(1, 9);
    auto* memo = s.Add<CMacro>(macrotype::MemoFlag, 11, CAT_MACRO);
    memo->SetParam(40, 5);
    auto* trigger = s.Add<CTrigger>(CTrigger::kKindId, 1);
    trigger->SetValue(triggerkey::Condition, 4);
    trigger->SetTime(triggerkey::Time, 2.5f);
    trigger->SetValue(triggerkey::OnMacro, 10);
    trigger->SetValue(triggerkey::OffMacro, 11);
    CControlPad* outPad = AddPad(s, padkind::SlotOut, OT_DIGITAL_SLOT, 2, true);
    auto* out = s.Add<CLogicOut>(CLogicOut::kKindId, 2);
    out->SetValue(logicoutkey::Contact, outPad->GetNumber());
    out->SetValue(logicoutkey::Condition, 4);
    out->SetValue(logicoutkey::Invert, 1);
    CControlPad* inPad = AddPad(s, padkind::InterfaceIn, OT_INTERFACE_SLOT, 3, false);
    auto* ri = s.Add<CReadyInput>(CReadyInput::kKindId, 3);
    ri->SetValue(CReadyInput::Contact, inPad->GetNumber());
    ri->SetValue(CReadyInput::Level, 1);
    ri->SetValue(CReadyInput::TextNumber, 7);
    ready->SetValue(CGlobalReadyInput::MaskTime, "7.5");
    CVirtCtrlItem* item = virt->GetOrCreateItem(2);
    item->SetFloat(CVirtCtrlItem::Max, 8.0f);
    virt->SetLink(CVirtCtrl::Endpoint::Out, 1, 2);

    const std::vector<CBaseDevice*> blocks = {conditions, triggers, outputs, ready, macros, virt};
    s.Transfer(blocks, 1);
    const std::string sent = s.sim.Received();
    EXPECT_EQ(std::string::npos, sent.find("/CONDITION/ENTRY1/FUNCTION OFF\r\n"));  // unused numbers cost no line
    for (const char* line : {"/CONDITION/CLEAR/ENTRY ALL\r\n", "/CONDITION/ENTRY4/INDEX 6\r\n",
                             "/TRIGGER/ENTRY1/TIME 2.5\r\n", "/LOGICOUT/ENTRY2/FUNCTION SLOT5_OUT\r\n",
                             "/READYINP/ENTRY3/INDEX 2\r\n", "/MACRO/PROG10/TYPE STOP\r\n",
                             "/VIRTCTRL/DEST/OUT1 2\r\n"})
        EXPECT_NE(std::string::npos, sent.find(line)) << line;

    // Values changed after the download come back as the device holds them.
    trigger->SetTime(triggerkey::Time, 1.0f);
    out->SetValue(logicoutkey::Invert, 0);
    ri->SetValue(CReadyInput::Level, 0);
    stop->SetParam(1, 3);
    s.Transfer(blocks, 0);
    EXPECT_EQ("", ReadFile(s.dir.filePath(QStringLiteral("Halle.err"))));
    // Whatever else was said tells why a transfer ended early.
    EXPECT_TRUE(s.messages.Contains("Upload beendet"))
        << (s.messages.texts.empty() ? std::string("no message") : s.messages.texts.back());
    EXPECT_EQ(2.5f, trigger->GetTime());
    EXPECT_EQ(11, trigger->GetValue(triggerkey::OffMacro));
    EXPECT_EQ(1, out->m_invert);
    EXPECT_EQ(outPad->GetNumber(), out->GetValue(logicoutkey::Contact));
    EXPECT_EQ(1, ri->GetValue(CReadyInput::Level));
    EXPECT_EQ(inPad->GetNumber(), ri->GetLinkedNumber(0));
    EXPECT_EQ(9, stop->GetParam(1));
    EXPECT_EQ(7.5f, ready->m_maskTime);
    EXPECT_EQ(2, virt->GetLink(CVirtCtrl::Endpoint::Out, 1));
    EXPECT_EQ(4.5f, analog->m_max);
    EXPECT_EQ(3, analog->GetValue(0));
    EXPECT_EQ(30, busy->m_priority);
    EXPECT_EQ(static_cast<uint32_t>(CBusyCondition::AudioAlarm | CBusyCondition::AudioPage2), busy->m_audio);
    EXPECT_EQ(4, comb->GetValue(5));
    EXPECT_EQ(6, cond->m_index);
    EXPECT_EQ(1u, cond->m_level);
    EXPECT_EQ(linkstate::Online, s.link.GetLinkState());
}

// A device holding every third entry of a project's tables, whose entries
// still name the others (a trigger its condition and macro, a sequence step
// its condition, the week and a holiday their day programme): an upload into
// the project keeps each such number with a free placeholder and names it in
// the difference file, and the download that follows leaves the device as
// it was.
TEST(LogicBlocksSim, EntriesNamingFreeEntriesComeBackAsTheDeviceHeldThem)
{
    Session s;
    s.sim.lineRate = false;
    CCommLink::StoreCapabilities("V0.551");
    auto* triggers = AddBlock<CTriggerObject>(s, CTriggerObject::kKindId, CAT_DIGITAL_IO);
    auto* macros = AddBlock<CMacroObject>(s, CMacroObject::kKindId);
    CConditionObject* conditions = AddConditionBlock(s);
    auto* calendar = AddBlock<CCalObject>(s, CCalObject::kKindId);
    auto* week = s.Add<CWeek>(CWeek::kKindId, 1, CAT_CALENDAR);
    for (int n : {3, 5, 6, 7})
        s.Add<CCondition>(condkind::TalkKey, n)->SetValue(condkey::Object, n);
    for (int n : {3, 4})
        s.Add<CMacro>(macrotype::Stop, n, CAT_MACRO)->SetParam(1, n);
    auto* sequence = s.Add<CMacro>(macrotype::Sequence, 6, CAT_MACRO);
    sequence->SetParam(51, 7);  // step 1 under condition 7
    sequence->SetParam(42, 3);  // step 2 starts macro 3
    auto* trigger = s.Add<CTrigger>(CTrigger::kKindId, 3);
    trigger->SetValue(triggerkey::Condition, 5);
    trigger->SetValue(triggerkey::OnMacro, 4);
    trigger->SetValue(triggerkey::OffMacro, 6);
    for (int n : {2, 3}) {
        auto* dayprog = s.Add<CDayprog>(CDayprog::kKindId, n, CAT_CALENDAR);
        dayprog->SetName(StrFormat("Tag %d", n));
        dayprog->SetEntryParam(CDayprog::Code(1, CDayprog::EntryTime), caltime::OnEntryDay(6 + n, 0, 0));
        dayprog->SetEntryParam(CDayprog::Code(1, CDayprog::EntryMacro), 3);
    }
    week->SetDay(0, 2);
    week->SetDay(1, 3);
    auto* holiday = s.Add<CHoliday>(CHoliday::kKindId, 3, CAT_CALENDAR);
    holiday->SetParam(CHoliday::Function, IDS_CALFN_ONETIME);
    holiday->SetParam(CHoliday::Date, *caltime::Make(2001, 12, 24));
    holiday->SetParam(CHoliday::Dayprog, 2);
    const std::vector<CBaseDevice*> blocks = {triggers, macros, conditions, week, calendar};
    s.host.paramSelect = [blocks](ParamSelection& sel) {
        sel.direction = 1;
        sel.objects = blocks;
        return true;
    };
    s.link.OnExportWorksheet();
    const QString par = QString::fromStdString(s.doc.GetPathName() + ".par");
    const QStringList device {QStringLiteral("-e"), QStringLiteral("load ") + par, QStringLiteral("-e"),
                              QStringLiteral("keep-every 3")};
    const QString before = s.dir.filePath(QStringLiteral("before.held"));
    {
        Simulator untouched;
        untouched.lineRate = false;
        untouched.version = s.sim.version;
        ASSERT_TRUE(untouched.Start(device + QStringList {QStringLiteral("-e"), QStringLiteral("holdings ") + before}));
        untouched.Stop();
    }
    const std::string held = ReadFile(before);
    for (const char* line : {"/TRIGGER/ENTRY3/ON_MACRO 4\n", "/TRIGGER/ENTRY3/CONDITION 5\n", "/CAL/WEEK/MO 2\n",
                             "/CAL/HOLIDAY3/DAYPROG 2\n", "/MACRO/PROG6/PARAM/STEP1/CONDITION 7\n"})
        ASSERT_NE(std::string::npos, held.find(line)) << line;

    const QString after = s.dir.filePath(QStringLiteral("after.held"));
    ASSERT_TRUE(s.sim.Start(device + QStringList {QStringLiteral("-e"), QStringLiteral("holdings ") + after}));
    s.link.OnConnect();
    ASSERT_TRUE(s.link.IsConnected());
    s.Transfer(blocks, 0);
    const std::string kept = "ist im Gerät frei; das Projekt hält die Nummer als freien Platzhalter und sendet sie so "
                             "zurück\r\n";
    EXPECT_EQ(Utf8ToCp1252("/TRIGGER/ENTRY3/ON_MACRO : Makro 4 " + kept + "/TRIGGER/ENTRY3/CONDITION : Bedingung 5 " +
                           kept + "/MACRO/PROG6/PARAM/STEP1/CONDITION : Bedingung 7 " + kept +
                           "/CAL/WEEK/MO : Tagesprogramm 2 " + kept),
              ReadFile(s.dir.filePath(QStringLiteral("Halle.err"))));
    EXPECT_EQ(4, trigger->GetValue(triggerkey::OnMacro));
    EXPECT_EQ(2, holiday->GetLinkedNumber(0));
    const size_t mark = s.sim.Received().size();
    s.Transfer(blocks, 1);
    const std::string sent = s.sim.Received().substr(mark);
    for (const char* line : {"/TRIGGER/ENTRY3/ON_MACRO 4\r\n", "/MACRO/PROG4/TYPE EMPTY\r\n",
                             "/CONDITION/ENTRY7/FUNCTION OFF\r\n", "/CAL/DAYPROG2/ENTRY1/TIME OFF\r\n"})
        EXPECT_NE(std::string::npos, sent.find(line)) << line;
    s.link.ClosePort();
    s.sim.Stop();
    // The connection's own settings aside, the device holds what it held.
    auto withoutConnection = [](const std::string& text) {
        std::string out;
        for (size_t at = 0, end; at < text.size(); at = end + 1) {
            end = text.find('\n', at);
            const std::string line = text.substr(at, end - at);
            if (line.rfind("/COMM/", 0) != 0 && line.rfind("/CLOCK/", 0) != 0 && line.rfind("/PROMPT ", 0) != 0 &&
                line.rfind("/SERVICE/ACCESS/", 0) != 0)
                out += line + "\n";
        }
        return out;
    };
    EXPECT_EQ(withoutConnection(held), withoutConnection(ReadFile(after)));
}
