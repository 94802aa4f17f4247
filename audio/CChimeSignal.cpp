#include "audio/CChimeSignal.h"

QL_IMPLEMENT_SERIAL(CChimeSignal, 1)

CChimeSignal::CChimeSignal()
{
    m_type = OT_CHIME_SIGNAL;
}

int CChimeSignal::GetDownloadLines(int /*mode*/, int /*step*/)
{
    return 0;
}
