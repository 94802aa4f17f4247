#include "audio/CMessage.h"

QL_IMPLEMENT_SERIAL(CMessage, 1)

CMessage::CMessage()
{
    m_type = OT_MESSAGE;
}

void CMessage::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring())
        ar << m_word;
    else
        ar >> m_word;
}
