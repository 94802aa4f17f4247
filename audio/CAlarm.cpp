#include "audio/CAlarm.h"

QL_IMPLEMENT_SERIAL(CAlarm, 2)

CAlarm::CAlarm()
{
    m_type = OT_ALARM;
}

void CAlarm::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (uint32_t w : m_words)
            ar << w;
        return;
    }
    for (uint32_t& w : m_words)
        ar >> w;
    // Alarms of older projects carried "-60" in their names.
    static const std::string kOldSuffix = "-60";
    if (m_loadedSchema < 2 && m_name.size() >= kOldSuffix.size() &&
        m_name.compare(m_name.size() - kOldSuffix.size(), kOldSuffix.size(), kOldSuffix) == 0)
        m_name.erase(m_name.size() - kOldSuffix.size());
}
