#include "audio/CAudioSignal.h"

#include "audio/AudioText.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CAudioSignal, 2)

CAudioSignal::CAudioSignal()
{
    m_type = OT_AUDIO_SIGNAL;
}

void CAudioSignal::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring())
        ar << m_priority;
    else
        ar >> m_priority;
}

std::string CAudioSignal::GetValue(uint32_t key) const
{
    switch (key & 0xFFFF) {
    case signalkey::Priority:
        return StrFormat("%d", m_priority);
    case signalkey::MessageNumber:
        return StrFormat("%d", m_messageNumber);
    default:
        return {};
    }
}

bool CAudioSignal::SetValue(uint32_t key, const std::string& text)
{
    switch (key) {
    case signalkey::Priority: {
        m_priority = audiotext::LeadingInt(text);
        const bool editorKind = m_kindId == signalkind::Alarm || m_kindId == signalkind::Chime ||
                                m_kindId == signalkind::Message;
        if (editorKind && (m_priority < 1 || m_priority > 10))
            m_priority = 1;
        return true;
    }
    case signalkey::MessageNumber:
        m_messageNumber = audiotext::ScanInt(text).value_or(0);
        return true;
    default:
        return false;
    }
}

int32_t CAudioSignal::GetMacroNumber(int32_t key) const
{
    for (const LinkRecord* rec : m_outLinks) {
        if (rec->ownKey == key && rec->HasPartner() && rec->partnerCategory == CAT_MACRO)
            return rec->partner->GetNumber();
    }
    return -1;
}
