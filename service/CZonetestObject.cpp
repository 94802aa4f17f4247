#include "service/CZonetestObject.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "calendar/CAppoint.h"
#include "calendar/CalendarIds.h"
#include "logic/CCondition.h"
#include "logic/CLogicOut.h"
#include "logic/CTrigger.h"
#include "macros/CMacro.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CZonetestObject, 1)

namespace {
constexpr const char* kPath = "/SERVICE/ZONETEST";

struct StepKey {
    const char* key;
    int valueKey;
};
// The settings a download sends, in order (the amplifier volumes are only read).
constexpr StepKey kDownloadKeys[] = {
    {"/TEST/FREQU", CZonetestObject::TestFrequency},
    {"/TEST/ADJPERDAY", CZonetestObject::AdjustPerDay},
    {"/TEST/ADJMAX", CZonetestObject::MaxAdjust},
    {"/TEST/SHORT_DIS", CZonetestObject::ShortDisconnect},
    {"/IMP/FREQU", CZonetestObject::ImpedanceFrequency},
    {"/GNDFLT_TIME", CZonetestObject::GroundFaultDelay},
    {"/WIPE", CZonetestObject::WipeCycles},
};
constexpr int kStepCount = 7;

constexpr StepKey kAnswerKeys[] = {
    {"/TEST/FREQU", CZonetestObject::TestFrequency},
    {"/TEST/ADJPERDAY", CZonetestObject::AdjustPerDay},
    {"/TEST/ADJMAX", CZonetestObject::MaxAdjust},
    {"/TEST/SHORT_DIS", CZonetestObject::ShortDisconnect},
    {"/IMP/FREQU", CZonetestObject::ImpedanceFrequency},
    {"/AMPVOL/100V", CZonetestObject::AmpVolume100V},
    {"/AMPVOL/70V", CZonetestObject::AmpVolume70V},
    {"/AMPVOL/50V", CZonetestObject::AmpVolume50V},
    {"/AMPVOL/4OHM", CZonetestObject::AmpVolume4Ohm},
    {"/GNDFLT_TIME", CZonetestObject::GroundFaultDelay},
    {"/WIPE", CZonetestObject::WipeCycles},
};

// The ranges the settings hold, from the device and from the form alike.
constexpr float kMinFrequency = 10.0f;  // Hz, test and impedance frequency
constexpr float kMaxFrequency = 23000.0f;
constexpr float kMinAdjustPerDay = 0.001f;  // percent
constexpr float kMaxAdjustPerDay = 1.0f;
constexpr int32_t kMaxAdjust = 30;  // percent
constexpr int32_t kMinAmpVolume = -78;  // dB
constexpr int32_t kMaxAmpVolume = 0;
constexpr float kMaxGroundFaultDelay = 1000.0f;  // s
constexpr int32_t kMaxWipeCycles = 100;

// The protocol key of a setting.
const char* KeyOf(int valueKey)
{
    for (const StepKey& k : kAnswerKeys)
        if (k.valueKey == valueKey)
            return k.key;
    return "";
}

template <typename T>
T Clamp(T v, T lo, T hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// Reads a float; clamps it into [lo, hi]. False when the text does not scan
// or gives no finite number ("nan", "inf", "1e40"): the field keeps its value.
bool ReadFloat(const std::string& text, float lo, float hi, float& out)
{
    const std::optional<float> v = ScanFiniteFloat(text);
    if (!v)
        return false;
    out = Clamp(*v, lo, hi);
    return true;
}

// Reads a whole number; clamps it into [lo, hi], also one too long for any
// integer type. False when the text does not scan, or starts with a number
// that is no finite one ("1e40" is not 1).
bool ReadInt(const std::string& text, int32_t lo, int32_t hi, int32_t& out)
{
    const char* s = text.c_str();
    if (!ScanFiniteFloat(s))
        return false;
    char* end = nullptr;
    const long long v = std::strtoll(s, &end, 10);  // saturates beyond its range
    if (end == s)
        return false;
    out = static_cast<int32_t>(Clamp<long long>(v, lo, hi));
    return true;
}

template <typename T>
void Transfer(CArchive& ar, T& v)
{
    if (ar.IsStoring())
        ar << v;
    else
        ar >> v;
}
}  // namespace

CZonetestObject::CZonetestObject()
{
    m_type = OT_ZONETEST_OBJECT;
}

int CZonetestObject::InitObject()
{
    m_path = kPath;
    if (m_pDocument != nullptr) {
        EnterPath(m_path);
        m_pDocument->GetIDManager().AddID(this, m_type, m_number);
    }
    return 1;
}

void CZonetestObject::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    // The start appointment stands before the line-test display macro.
    Transfer(ar, m_lineTestMacro);
    Transfer(ar, m_startAppointment);
    Transfer(ar, m_lineTestDisplayMacro);
    Transfer(ar, m_testCondition);
    Transfer(ar, m_outputLogic);
    Transfer(ar, m_impedanceMacro);
    Transfer(ar, m_impedanceDisplayMacro);
    Transfer(ar, m_lineTestTrigger);
    Transfer(ar, m_impedanceTrigger);
    Transfer(ar, m_displayOffMacro);
    Transfer(ar, m_testFrequency);
    Transfer(ar, m_adjustPerDay);
    Transfer(ar, m_maxAdjust);
    Transfer(ar, m_shortDisconnect);
    Transfer(ar, m_impedanceFrequency);
    Transfer(ar, m_ampVolume100V);
    Transfer(ar, m_ampVolume70V);
    Transfer(ar, m_ampVolume50V);
    Transfer(ar, m_ampVolume4Ohm);
    Transfer(ar, m_groundFaultDelay);
    Transfer(ar, m_wipeCycles);
    if (ar.IsStoring())
        return;
    // Settings beyond their ranges are held at them, as the device's answers
    // are; one that is no number at all gets what a new project holds.
    const CZonetestObject fresh;
    ClampLoaded(m_testFrequency, kMinFrequency, kMaxFrequency, fresh.m_testFrequency, KeyOf(TestFrequency), false, 1);
    ClampLoaded(m_adjustPerDay, kMinAdjustPerDay, kMaxAdjustPerDay, fresh.m_adjustPerDay, KeyOf(AdjustPerDay), false,
                3);
    ClampLoaded(m_maxAdjust, 0, kMaxAdjust, fresh.m_maxAdjust, KeyOf(MaxAdjust));
    ClampLoaded(m_impedanceFrequency, kMinFrequency, kMaxFrequency, fresh.m_impedanceFrequency,
                KeyOf(ImpedanceFrequency), false, 1);
    for (const auto& [volume, key] :
         {std::pair{&m_ampVolume100V, AmpVolume100V}, std::pair{&m_ampVolume70V, AmpVolume70V},
          std::pair{&m_ampVolume50V, AmpVolume50V}, std::pair{&m_ampVolume4Ohm, AmpVolume4Ohm}})
        ClampLoaded(*volume, kMinAmpVolume, kMaxAmpVolume, kMaxAmpVolume, KeyOf(key));
    ClampLoaded(m_groundFaultDelay, 0.0f, kMaxGroundFaultDelay, fresh.m_groundFaultDelay, KeyOf(GroundFaultDelay),
                false, 1);
    ClampLoaded(m_wipeCycles, 0, kMaxWipeCycles, fresh.m_wipeCycles, KeyOf(WipeCycles));
}

std::string CZonetestObject::GetValue(int key) const
{
    switch (key) {
    case LineTestTrigger: return StrFormat("%d", m_lineTestTrigger);
    case LineTestMacro: return StrFormat("%d", m_lineTestMacro);
    case LineTestDisplayMacro: return StrFormat("%d", m_lineTestDisplayMacro);
    case TestCondition: return StrFormat("%d", m_testCondition);
    case OutputLogic: return StrFormat("%d", m_outputLogic);
    case ImpedanceTrigger: return StrFormat("%d", m_impedanceTrigger);
    case ImpedanceMacro: return StrFormat("%d", m_impedanceMacro);
    case ImpedanceDisplayMacro: return StrFormat("%d", m_impedanceDisplayMacro);
    case TestFrequency: return StrFormat("%.1f", m_testFrequency);
    case AdjustPerDay: return StrFormat("%.3f", m_adjustPerDay);
    case MaxAdjust: return StrFormat("%d", m_maxAdjust);
    case ShortDisconnect: return m_shortDisconnect ? "ON" : "OFF";
    case ImpedanceFrequency: return StrFormat("%.1f", m_impedanceFrequency);
    case AmpVolume100V: return StrFormat("%d", m_ampVolume100V);
    case AmpVolume70V: return StrFormat("%d", m_ampVolume70V);
    case AmpVolume50V: return StrFormat("%d", m_ampVolume50V);
    case AmpVolume4Ohm: return StrFormat("%d", m_ampVolume4Ohm);
    case GroundFaultDelay: return StrFormat("%.1f", m_groundFaultDelay);
    case WipeCycles: return m_wipeCycles != 0 ? StrFormat("%d", m_wipeCycles) : std::string("OFF");
    default: return {};  // 2, 9 and unknown keys
    }
}

void CZonetestObject::SetValue(int key, const std::string& text)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case TestFrequency: ReadFloat(text, kMinFrequency, kMaxFrequency, m_testFrequency); break;
    case AdjustPerDay: ReadFloat(text, kMinAdjustPerDay, kMaxAdjustPerDay, m_adjustPerDay); break;
    case MaxAdjust: ReadInt(text, 0, kMaxAdjust, m_maxAdjust); break;
    case ShortDisconnect: m_shortDisconnect = text == "ON" ? 1 : 0; break;
    case ImpedanceFrequency: ReadFloat(text, kMinFrequency, kMaxFrequency, m_impedanceFrequency); break;
    case AmpVolume100V: ReadInt(text, kMinAmpVolume, kMaxAmpVolume, m_ampVolume100V); break;
    case AmpVolume70V: ReadInt(text, kMinAmpVolume, kMaxAmpVolume, m_ampVolume70V); break;
    case AmpVolume50V: ReadInt(text, kMinAmpVolume, kMaxAmpVolume, m_ampVolume50V); break;
    case AmpVolume4Ohm: ReadInt(text, kMinAmpVolume, kMaxAmpVolume, m_ampVolume4Ohm); break;
    case GroundFaultDelay: ReadFloat(text, 0.0f, kMaxGroundFaultDelay, m_groundFaultDelay); break;
    case WipeCycles: ReadInt(text == "OFF" ? std::string("0") : text, 0, kMaxWipeCycles, m_wipeCycles); break;
    default: break;
    }
}

int CZonetestObject::GetDownloadLines(int mode, int step)
{
    if (step == -1) {
        const CQuillomerDoc* doc = m_pDocument ? m_pDocument : GetActiveDoc();
        return doc != nullptr && doc->m_data.deviceVariant != 0 ? kStepCount : 0;
    }
    if (step < 0 || step >= kStepCount || IsOutBufferFull())
        return step;
    const StepKey& k = kDownloadKeys[step];
    const std::string line = std::string(kPath) + k.key + " " + (mode ? std::string("?") : GetValue(k.valueKey));
    SendCommand(line, m_pDocument, true);
    return step + 1;
}

void CZonetestObject::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    // "SERVICE/ZONETEST/TEST/FREQU 66.0": the first two segments are the object's path.
    std::string key, value;
    if (!ReadAnswerLine(line, 2, key, value))
        return;
    for (const StepKey& k : kAnswerKeys) {
        if (key != k.key)
            continue;
        // Where the project holds a number, only a number standing alone is
        // one, and only a whole one where it holds a whole number: another
        // text leaves the project's. What it keeps or holds at its limit
        // instead of the device's value is named with the value kept.
        // ("OFF" is no wipe cycles at all.)
        const std::string before = GetValue(k.valueKey);
        const std::string asNumber = k.valueKey == WipeCycles && value == "OFF" ? std::string("0") : value;
        const bool number = ScanWholeFloat(before).has_value();
        const bool whole = before.find('.') == std::string::npos;
        bool reads = true;
        if (k.valueKey == ShortDisconnect)  // ON or OFF only: another word leaves the switch as it is
            reads = ReadFlagWord(value).has_value();
        else if (number)
            reads = whole ? ScanWholeNumber(asNumber, LONG_MIN, LONG_MAX).has_value()
                          : ScanWholeFloat(asNumber).has_value();
        if (reads)
            SetValue(k.valueKey, k.valueKey == ShortDisconnect ? (*ReadFlagWord(value) ? "ON" : "OFF") : value);
        const std::string held = GetValue(k.valueKey);
        const std::optional<float> heldNumber = ScanWholeFloat(held);
        if (held != value && (!heldNumber || heldNumber != ScanWholeFloat(value)))
            ReportNotHeld(diffFileName.empty() ? nullptr : &diffFileName, kPath + key, value, held);
        return;
    }
}

// ---- The daily test's schedule objects ----

namespace {
constexpr uint32_t kTextLineTest = 34577;   // "Linientest"
constexpr uint32_t kTextImpedance = 34616;  // "Impedanzmessung aktiv"
constexpr uint32_t kTextLcd = 34257;        // "Textausgabe auf LCD"
constexpr uint32_t kTextCondition = 34129;  // "Bedingung"
constexpr uint32_t kTextLogicOut = 34460;   // "Logikzustand"
constexpr uint32_t kTextOn = 34477;         // "ON"
constexpr const char* kPrefix = "ZT ";
constexpr uint32_t kTriggerKind = 33085;
constexpr uint32_t kLogicOutKind = 34460;

// Macro parameters the schedule sets.
constexpr int kParamSwitch = 3;
constexpr int kParamText = 13;
constexpr int kParamLine = 20;
constexpr int kParamAddress = 38;
constexpr int kParamMode = 72;

std::string Text(uint32_t id)
{
    return LoadStringId(id);
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}
}  // namespace

CBaseDevice* CZonetestObject::FindSchedule(uint32_t type, int32_t number) const
{
    CQuillomerDoc* doc = GetDocument();
    if (!doc || number == 0)
        return nullptr;
    return doc->GetIDManager().GetBaseDevice(number, type);
}

void CZonetestObject::RemoveSchedule(uint32_t type, int32_t& field)
{
    CBaseDevice* obj = FindSchedule(type, field);
    // An object the user renamed without the prefix is his now: it stays.
    if (obj && obj->GetName().find(kPrefix) != std::string::npos)
        obj->OnCommand(objcmd::Delete);
    field = 0;
}

CBaseDevice* CZonetestObject::EnsureSchedule(uint32_t type, int32_t& field, const CRuntimeClass& cls,
                                             uint32_t kindId, int32_t category, uint32_t style,
                                             const std::string& name, bool* created)
{
    if (created)
        *created = false;
    if (CBaseDevice* obj = FindSchedule(type, field))
        return obj;
    field = 0;
    CQuillomerDoc* doc = GetDocument();
    if (!doc)
        return nullptr;
    CBaseDevice* obj = dynamic_cast<CBaseDevice*>(cls.create());
    if (!obj)
        return nullptr;
    // A refused creation (no free number) has told the user already.
    if (!obj->Create(kindId, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, category, 0, style, doc)) {
        delete obj;
        return nullptr;
    }
    doc->AddObject(obj, category);
    std::string unique = name;
    obj->SetNameUnique(unique, true);
    if (created)
        *created = true;
    return obj;
}

void CZonetestObject::ApplyZoneGroup(CMacro* macro) const
{
    DeviceList targets;
    if (CBaseDevice* group = GetDocument() ? GetDocument()->GetIDManager().GetBaseDevice(0, OT_GROUP) : nullptr)
        targets.push_back(group);
    macro->SetZones(targets);
}

void CZonetestObject::SetDisplay(int32_t value, bool lineTest)
{
    int32_t& trigField = lineTest ? m_lineTestTrigger : m_impedanceTrigger;
    int32_t& macroField = lineTest ? m_lineTestDisplayMacro : m_impedanceDisplayMacro;
    const int32_t otherTrigger = lineTest ? m_impedanceTrigger : m_lineTestTrigger;
    const std::string subject = Text(lineTest ? kTextLineTest : kTextImpedance);

    if (value != 0) {
        SetScheduleObject(9, value);
        SetScheduleObject(TestCondition, value);
    } else if (otherTrigger == 0) {
        SetScheduleObject(9, 0);
        SetScheduleObject(TestCondition, 0);
    }
    if (value == 0) {
        RemoveSchedule(OT_TRIGGER, trigField);
        RemoveSchedule(OT_MACRO, macroField);
        return;
    }
    auto* trigger = dynamic_cast<CTrigger*>(
        EnsureSchedule(OT_TRIGGER, trigField, CTrigger::classInfo, kTriggerKind, CAT_DIGITAL_IO, 9, kPrefix + subject, nullptr));
    if (trigger) {
        trigger->SetValue(triggerkey::Condition, m_testCondition);
        trigField = trigger->GetNumber();
    }
    bool created = false;
    auto* macro = dynamic_cast<CMacro*>(EnsureSchedule(OT_MACRO, macroField, CMacro::classInfo, macrotype::LcdText, CAT_MACRO, 9,
                                                      lineTest ? kPrefix + Text(kTextLcd) + " " + Text(kTextOn)
                                                               : kPrefix + subject + " " + Text(kTextLcd),
                                                      &created));
    if (!macro)
        return;
    if (created)
        macro->SetParam(kParamSwitch, 1);
    macro->SetParam(kParamAddress, value < 0 ? 0 : value);
    macro->SetParamText(kParamText, lineTest ? Upper(subject) : subject);
    macro->SetParam(kParamLine, 2);
    macroField = macro->GetNumber();
    if (trigger) {
        trigger->SetValue(triggerkey::OnMacro, macroField);
        trigger->SetValue(triggerkey::OffMacro, m_displayOffMacro);
    }
}

void CZonetestObject::SetScheduleObject(int key, int32_t value, int /*unused*/)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case LineTestMacro:
    case ImpedanceMacro: {
        const bool line = key == LineTestMacro;
        int32_t& field = line ? m_lineTestMacro : m_impedanceMacro;
        if (value == 0) {
            RemoveSchedule(OT_MACRO, field);
            return;
        }
        const std::string name = line ? std::string(kPrefix) + " " + Text(kTextOn)
                                      : kPrefix + Text(kTextImpedance) + " " + Text(kTextOn);
        bool created = false;
        auto* macro = dynamic_cast<CMacro*>(
            EnsureSchedule(OT_MACRO, field, CMacro::classInfo, macrotype::ZoneTest, CAT_MACRO, 9, name, &created));
        if (!macro)
            return;
        if (created)
            macro->SetParam(kParamSwitch, 1);
        macro->SetParam(kParamMode, line ? 1 : 0);
        ApplyZoneGroup(macro);
        field = macro->GetNumber();
        return;
    }
    case StartAppointment: {
        if (value == 0) {
            RemoveSchedule(OT_APPOINT, m_startAppointment);
            return;
        }
        bool created = false;
        auto* appoint = dynamic_cast<CAppoint*>(EnsureSchedule(OT_APPOINT, m_startAppointment, CAppoint::classInfo,
                                                              CAppoint::kKindId, CAT_CALENDAR, 3,
                                                              kPrefix + std::string("Zoneteststart"), &created));
        if (!appoint)
            return;
        appoint->SetParam(CAppoint::TimeOfDay, value);
        if (created) {
            appoint->SetParam(CAppoint::Function, IDS_CALFN_DAILY);
            appoint->SetParam(CAppoint::Macro, m_lineTestMacro);
        }
        m_startAppointment = appoint->GetNumber();
        return;
    }
    case LineTestDisplayMacro: SetDisplay(value, true); return;
    case ImpedanceDisplayMacro: SetDisplay(value, false); return;
    case TestCondition: {
        if (value == 0) {
            // The output logic still switches on the condition: it stays.
            if (FindSchedule(OT_LOGIC_OUT, m_outputLogic))
                return;
            RemoveSchedule(OT_CONDITION, m_testCondition);
            return;
        }
        auto* cond = dynamic_cast<CCondition*>(EnsureSchedule(
            OT_CONDITION, m_testCondition, CCondition::classInfo, condkind::ZoneTest, CAT_DIGITAL_IO, 9,
            kPrefix + Text(kTextLineTest) + " OFF " + Text(kTextCondition), nullptr));
        if (!cond)
            return;
        // Setting the level rewrites "OFF" in a condition's name; this one
        // keeps the name it was given.
        const std::string name = cond->GetName();
        cond->SetValue(condkey::Level, 1);
        cond->SetName(name);
        m_testCondition = cond->GetNumber();
        // The output logic switches on this condition, whichever of the two
        // came first.
        if (auto* out = dynamic_cast<CLogicOut*>(FindSchedule(OT_LOGIC_OUT, m_outputLogic)))
            out->SetValue(logicoutkey::Condition, m_testCondition);
        return;
    }
    case OutputLogic: {
        if (value == 0) {
            RemoveSchedule(OT_LOGIC_OUT, m_outputLogic);
            // The condition goes with its last user.
            if (!FindSchedule(OT_TRIGGER, m_lineTestTrigger) && !FindSchedule(OT_TRIGGER, m_impedanceTrigger))
                RemoveSchedule(OT_CONDITION, m_testCondition);
            return;
        }
        auto* out = dynamic_cast<CLogicOut*>(EnsureSchedule(OT_LOGIC_OUT, m_outputLogic, CLogicOut::classInfo, kLogicOutKind,
                                                            CAT_DIGITAL_IO, 3, kPrefix + Text(kTextLogicOut),
                                                            nullptr));
        if (!out)
            return;
        m_outputLogic = out->GetNumber();
        out->SetValue(logicoutkey::Contact, value);
        // The contact follows the zone test's condition: it is made when no
        // display has made it yet (and links the output logic itself).
        SetScheduleObject(TestCondition, 1);
        const CBaseDevice* cond = FindSchedule(OT_CONDITION, m_testCondition);
        out->SetValue(logicoutkey::Condition, cond ? cond->GetNumber() : 0);
        return;
    }
    case 9: {
        if (value == 0) {
            RemoveSchedule(OT_MACRO, m_displayOffMacro);
            return;
        }
        auto* macro = dynamic_cast<CMacro*>(EnsureSchedule(OT_MACRO, m_displayOffMacro, CMacro::classInfo, macrotype::LcdText,
                                                          CAT_MACRO, 9, kPrefix + Text(kTextLcd) + " OFF", nullptr));
        if (!macro)
            return;
        macro->SetParam(kParamAddress, value < 0 ? 0 : value);
        macro->SetParam(kParamLine, 2);
        macro->SetParamText(kParamText, "\"\"");
        m_displayOffMacro = macro->GetNumber();
        return;
    }
    default: return;
    }
}

int32_t CZonetestObject::GetScheduleValue(int key) const
{
    switch (key) {
    case LineTestMacro: return m_lineTestMacro;
    case TestCondition: return m_testCondition;
    case OutputLogic: return m_outputLogic;
    case ImpedanceMacro: return m_impedanceMacro;
    case StartAppointment: {
        const auto* appoint = dynamic_cast<const CAppoint*>(FindSchedule(OT_APPOINT, m_startAppointment));
        return appoint ? appoint->GetParam(CAppoint::TimeOfDay) : 0;
    }
    case LineTestDisplayMacro:
    case ImpedanceDisplayMacro: {
        // The console address; -1 for all consoles, 0 when there is no display.
        const auto* macro = dynamic_cast<const CMacro*>(
            FindSchedule(OT_MACRO, key == LineTestDisplayMacro ? m_lineTestDisplayMacro : m_impedanceDisplayMacro));
        if (!macro)
            return 0;
        const int32_t address = macro->GetParam(kParamAddress);
        return address == 0 ? -1 : address;
    }
    default: return 0;
    }
}
