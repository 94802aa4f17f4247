#pragma once
// A chime (gong) signal, fed by a gong generator (CGong) at incoming key 0.

#include "audio/CAudioSignal.h"

class CChimeSignal : public CAudioSignal {
    QL_DECLARE_SERIAL(CChimeSignal)
public:
    CChimeSignal();
    // A chime signal has no lines of its own: every step reports 0.
    int GetDownloadLines(int mode, int step) override;
};
