#include "audio/CMessageSignal.h"

QL_IMPLEMENT_SERIAL(CMessageSignal, 2)

CMessageSignal::CMessageSignal()
{
    m_type = OT_MESSAGE_SIGNAL;
}

void CMessageSignal::Serialize(CArchive& ar)
{
    CAudioSignal::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_messageNumber;
    } else if (m_loadedSchema >= 2) {
        ar >> m_messageNumber;
    }
}
