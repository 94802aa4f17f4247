#pragma once
// An alarm signal, fed by an alarm generator (CAlarm) at incoming key 0.

#include "audio/CAudioSignal.h"

class CAlarmSignal : public CAudioSignal {
    QL_DECLARE_SERIAL(CAlarmSignal)
public:
    CAlarmSignal();
};
