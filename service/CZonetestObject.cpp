#include "service/CZonetestObject.h"

#include <cstdio>

#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
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

template <typename T>
T Clamp(T v, T lo, T hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// Reads a float; clamps it into [lo, hi]. False when the text does not scan.
bool ReadFloat(const std::string& text, float lo, float hi, float& out)
{
    float v = 0.0f;
    if (std::sscanf(text.c_str(), "%f", &v) != 1)
        return false;
    if (v != v)  // not a number: the lower bound
        v = lo;
    out = Clamp(v, lo, hi);
    return true;
}

bool ReadInt(const std::string& text, int32_t lo, int32_t hi, int32_t& out)
{
    int v = 0;
    if (std::sscanf(text.c_str(), "%d", &v) != 1)
        return false;
    out = Clamp<int32_t>(v, lo, hi);
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
    switch (key) {
    case TestFrequency: ReadFloat(text, 10.0f, 23000.0f, m_testFrequency); break;
    case AdjustPerDay: ReadFloat(text, 0.001f, 1.0f, m_adjustPerDay); break;
    case MaxAdjust: ReadInt(text, 0, 30, m_maxAdjust); break;
    case ShortDisconnect: m_shortDisconnect = text == "ON" ? 1 : 0; break;
    case ImpedanceFrequency: ReadFloat(text, 10.0f, 23000.0f, m_impedanceFrequency); break;
    case AmpVolume100V: ReadInt(text, -78, 0, m_ampVolume100V); break;
    case AmpVolume70V: ReadInt(text, -78, 0, m_ampVolume70V); break;
    case AmpVolume50V: ReadInt(text, -78, 0, m_ampVolume50V); break;
    case AmpVolume4Ohm: ReadInt(text, -78, 0, m_ampVolume4Ohm); break;
    case GroundFaultDelay: ReadFloat(text, 0.0f, 1000.0f, m_groundFaultDelay); break;
    case WipeCycles: ReadInt(text == "OFF" ? std::string("0") : text, 0, 100, m_wipeCycles); break;
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

void CZonetestObject::ParseUploadLines(std::string line, const std::string& /*diffFileName*/, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    // "SERVICE/ZONETEST/TEST/FREQU 66.0": the first two segments are the object's path.
    std::string key, value;
    if (!ReadAnswerLine(line, 2, key, value))
        return;
    for (const StepKey& k : kAnswerKeys) {
        if (key == k.key) {
            SetValue(k.valueKey, value);
            return;
        }
    }
}
