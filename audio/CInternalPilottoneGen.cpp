#include "audio/CInternalPilottoneGen.h"

#include "audio/AudioText.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CInternalPilottoneGen, 1)

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
    }
}

int32_t CInternalPilottoneGen::GetValue(uint32_t key) const
{
    return key == pilotkey::On ? m_on : 0;
}

int32_t CInternalPilottoneGen::SetValue(uint32_t key, int32_t value)
{
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
