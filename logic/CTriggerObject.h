#pragma once
// The trigger block "/TRIGGER": the one object per project that writes the
// device's trigger table and reads it back into the triggers of the document.

#include <cstdint>

#include "model/CBaseDevice.h"

class CTriggerObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CTriggerObject)
public:
    static constexpr uint32_t kKindId = 34424;      // "Triggerobjekt"
    static constexpr uint32_t kNameTextId = 33085;  // "Trigger"
    static constexpr int kStepCount = 401;          // clear + 4 keys for 100 entries

    CTriggerObject();

    // Gives the object its display name "Trigger".
    int PostLoad() override;

    // Transfer state; set at the reset step of every transfer.
    int32_t m_clearCapability = 0;  // device capability "TRIGGER_CLR"
    int32_t m_clearAnswered = 0;
    int32_t m_clearAsked = 0;
};
