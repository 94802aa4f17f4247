#include "audio/CInternalPilottoneGen.h"

#include "audio/AudioText.h"
#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CInternalPilottoneGen, 1)

namespace {
constexpr int kPilotSteps = 6;
// Protocol key of each step; step i >= 2 is the level of OUT(i-1).
constexpr const char* kStepKeys[kPilotSteps] = {"/GEN", "/FREQU", "/VOL1", "/VOL2", "/VOL3", "/VOL4"};

uint32_t ValueKeyOfStep(int step)
{
    if (step == 0)
        return pilotkey::On;
    if (step == 1)
        return pilotkey::Frequency;
    return pilotkey::LevelKey(static_cast<uint32_t>(step - 2));
}
}  // namespace

CInternalPilottoneGen::CInternalPilottoneGen()
{
    m_type = OT_INTERNAL_PILOTTONE_GEN;
}

void CInternalPilottoneGen::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_frequency;
        for (float v : m_levels)
            ar << v;
    } else {
        ar >> m_frequency;
        for (float& v : m_levels)
            ar >> v;
        m_on = 0;
        // A damaged file must not bring values the device cannot take: held
        // at the ranges, as the device's answers are, and named.
        ClampLoaded(m_frequency, kMinFrequency, kMaxFrequency, kMinFrequency, kStepKeys[1], false, 1);
        for (size_t i = 0; i < m_levels.size(); ++i)
            ClampLoaded(m_levels[i], kMinLevel, kMaxLevel, kMinLevel, kStepKeys[2 + i], false, 1);
    }
}

int32_t CInternalPilottoneGen::GetValue(uint32_t key) const
{
    return key == pilotkey::On ? m_on : 0;
}

int32_t CInternalPilottoneGen::SetValue(uint32_t key, int32_t value)
{
    const ChangeGuard guard(*this);
    if (key != pilotkey::On)
        return 0;
    m_on = value != 0 ? 1 : 0;
    return m_on;
}

float CInternalPilottoneGen::GetFloatValue(uint32_t key) const
{
    if (key == pilotkey::Frequency)
        return m_frequency;
    if ((key & 0xFFFF) == pilotkey::Level && (key >> 16) < m_levels.size())
        return m_levels[key >> 16];
    return 0.0f;
}

void CInternalPilottoneGen::SetFloatValue(uint32_t key, float value)
{
    const ChangeGuard guard(*this);
    if (key == pilotkey::Frequency) {
        m_frequency = audiotext::ClampFloat(value, kMinFrequency, kMaxFrequency, m_frequency);
    } else if ((key & 0xFFFF) == pilotkey::Level && (key >> 16) < m_levels.size()) {
        float& level = m_levels[key >> 16];
        level = audiotext::ClampFloat(value, kMinLevel, kMaxLevel, level);
    }
}

std::string CInternalPilottoneGen::GetValueText(uint32_t key) const
{
    if (key == pilotkey::On)
        return m_on ? "ON" : "OFF";
    if (key == pilotkey::Frequency || ((key & 0xFFFF) == pilotkey::Level && (key >> 16) < m_levels.size()))
        return StrFormat("%.1f", static_cast<double>(GetFloatValue(key)));
    return {};
}

int CInternalPilottoneGen::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return m_pDocument && m_pDocument->m_data.deviceVariant != 0 ? kPilotSteps : 0;
    if (step < 0 || step >= kPilotSteps)
        return kPilotSteps;
    if (IsOutBufferFull())
        return step;
    const std::string value = mode ? std::string("?") : GetValueText(ValueKeyOfStep(step));
    ::SendCommand(m_path + kStepKeys[step] + " " + value, m_pDocument, true);
    return step + 1;
}

void CInternalPilottoneGen::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    // "PILOT/FREQU 5": the key follows the object's own element.
    const size_t blank = line.find(' ');
    if (blank == std::string::npos)
        return;
    const std::string value = line.substr(blank + 1);
    if (IsRefusedValue(value))
        return;  // an echoed query, or a key the device did not understand
    const std::string path = line.substr(0, blank);
    const size_t slash = path.find('/');
    if (slash == std::string::npos)
        return;
    const std::string key = path.substr(slash);
    for (int step = 0; step < kPilotSteps; ++step) {
        if (key != kStepKeys[step])
            continue;
        const uint32_t valueKey = ValueKeyOfStep(step);
        bool held = true;
        if (step == 0) {
            // A word other than ON or OFF leaves the generator as it is, named.
            const std::optional<bool> on = ReadFlagWord(value);
            if (on)
                SetValue(pilotkey::On, *on ? 1 : 0);
            held = on.has_value();
        } else {
            // Only a number standing alone is a value; one beyond the range is held at its limit.
            const std::optional<float> v = ScanWholeFloat(value);
            if (v)
                SetFloatValue(valueKey, *v);
            held = v && GetFloatValue(valueKey) == *v;
        }
        if (!held)
            ReportNotHeld(diffFileName.empty() ? nullptr : &diffFileName, "/" + path, value,
                          GetValueText(valueKey));
        return;
    }
}
