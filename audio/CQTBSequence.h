#pragma once
// One external signal of a digital message device: ties an audio signal
// (incoming key 2) to the contacts and control objects by which the central
// device starts and stops the message device and learns that it plays. It has
// no fields and no protocol lines of its own; the signal and the control
// objects travel in their own blocks.

#include <cstdint>

#include "model/CBaseDevice.h"

namespace qtbkind {
enum : uint32_t {
    Alarm = 32934,  // "Alarm"
    Gong = 32935,   // "Gong"
    Text = 32936,   // "Text"
};
}

class CQTBSequence : public CBaseDevice {
    QL_DECLARE_SERIAL(CQTBSequence)
public:
    static constexpr int32_t kMaxSequences = 15;

    CQTBSequence();

    static bool IsSequenceKind(uint32_t kindId) { return kindId >= qtbkind::Alarm && kindId <= qtbkind::Text; }
};
