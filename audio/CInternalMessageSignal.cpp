#include "audio/CInternalMessageSignal.h"

QL_IMPLEMENT_SERIAL(CInternalMessageSignal, 1)

CInternalMessageSignal::CInternalMessageSignal()
{
    m_type = OT_INTERNAL_MESSAGE_SIGNAL;
}
