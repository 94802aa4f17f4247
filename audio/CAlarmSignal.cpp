#include "audio/CAlarmSignal.h"

QL_IMPLEMENT_SERIAL(CAlarmSignal, 1)

CAlarmSignal::CAlarmSignal()
{
    m_type = OT_ALARM_SIGNAL;
}
