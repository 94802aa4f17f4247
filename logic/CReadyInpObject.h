#pragma once
// A system object of the ready-input family with no data or behaviour of its
// own; kept so that project files holding one load.

#include "model/CBaseDevice.h"

class CReadyInpObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CReadyInpObject)
public:
    CReadyInpObject();
};
