#pragma once
// The fuse settings of the central device: the trip-current step (0..3) of the
// five fuses, one per channel of audio input slots 1 and 2 and one for the
// remote bus. One object per project, path "/FUSE".

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

class CFuse : public CBaseDevice {
    QL_DECLARE_SERIAL(CFuse)
public:
    // The five fuses in stored and protocol order.
    enum Field : int { Slot1A = 0, Slot1B = 1, Slot2A = 2, Slot2B = 3, Amp485 = 4, FieldCount = 5 };
    static constexpr int32_t kDefaultStep = 3;  // 990 mA
    // The four steps the fuses have: 0, 330, 660 and 990 mA.
    static constexpr int32_t kMinStep = 0;
    static constexpr int32_t kMaxStep = 3;

    CFuse();

    void Serialize(CArchive& ar) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    int GetDownloadLines(int mode, int step) override;

    // Protocol key (under "/FUSE") of a field; empty outside 0..4.
    static const char* FieldKey(int field);

    // Sets the trip-current step of a field (nothing outside 0..4); a step
    // other than the one held marks the project modified.
    void SetStep(int field, int32_t step);

    // Trip-current steps (written through SetStep).
    int32_t m_steps[FieldCount] = {kDefaultStep, kDefaultStep, kDefaultStep, kDefaultStep, kDefaultStep};
};
