#pragma once
// The logic-output block "/LOGICOUT": the one object per project that writes
// the device's logic-output table and reads it back into the document.

#include <cstdint>

#include "model/CBaseDevice.h"

class CLogicOutObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CLogicOutObject)
public:
    static constexpr uint32_t kKindId = 34460;  // "Logikzustand"
    static constexpr int kStepCount = 1001;     // clear + 4 keys for 250 entries

    CLogicOutObject();

    // Transfer state; set at the reset step of every transfer.
    int32_t m_clearCapability = 0;  // device capability "LOGICOUT_CLR"
    int32_t m_clearAnswered = 0;
    int32_t m_clearAsked = 0;
};
