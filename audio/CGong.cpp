#include "audio/CGong.h"

QL_IMPLEMENT_SERIAL(CGong, 1)

CGong::CGong()
{
    m_type = OT_GONG;
}

void CGong::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (uint32_t w : m_words)
            ar << w;
    } else {
        for (uint32_t& w : m_words)
            ar >> w;
    }
}
