#pragma once
// A text signal of older projects; only ever read from a stored document.

#include "audio/CAudioSignal.h"

class CInternalMessageSignal : public CAudioSignal {
    QL_DECLARE_SERIAL(CInternalMessageSignal)
public:
    CInternalMessageSignal();
};
