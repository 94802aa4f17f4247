#pragma once
// The condition block "/CONDITION": the one object per project that stands
// for the device's whole condition table (analog, busy, combined and plain
// conditions). The conditions themselves are ordinary objects of the
// document; this object writes the block and reads the device's answers.

#include <cstdint>
#include <list>
#include <string>

#include "model/CBaseDevice.h"

class CConditionObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CConditionObject)
public:
    static constexpr uint32_t kKindId = 34129;  // "Bedingung"
    static constexpr int kStepCount = 374;      // 4 clear steps + 20 + 50 + 50 + 250 entries

    CConditionObject();

    // Gives the object its display name "Bedingung".
    int PostLoad() override;

    // Transfer state; set at the reset step of every transfer.
    int32_t m_clearCapability = 0;  // device capability "COND_CLR"
    int32_t m_answered = 0;         // free-list answer of the last selected part applied
    int32_t m_asked = 0;            // free-list query of the last selected part sent
    std::list<std::string> m_pending;  // line tails of the current entry still to send
    int32_t m_pendingFilled = 0;
    int32_t m_selAnalog = 0;
    int32_t m_selBusy = 0;
    int32_t m_selCombine = 0;
    int32_t m_selConditions = 0;
};
