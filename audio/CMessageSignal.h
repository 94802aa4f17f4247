#pragma once
// A message (text playback) signal: plays the message with its message number.

#include "audio/CAudioSignal.h"

class CMessageSignal : public CAudioSignal {
    QL_DECLARE_SERIAL(CMessageSignal)
public:
    CMessageSignal();

    // After the signal's record: the message number (from schema 2 on).
    void Serialize(CArchive& ar) override;
};
