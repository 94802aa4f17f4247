#pragma once
// The trigger block "/TRIGGER": the one object per project that writes the
// device's trigger table and reads it back into the triggers of the document.

#include <cstdint>
#include <string>

#include "model/BlockWalk.h"
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

    // Clear, then four steps for each entry. One line per call.
    int GetDownloadLines(int mode, int step) override;
    // Applies the device's answers of the block (upload state only).
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Transfer state; set at the reset step of every transfer.
    BlockClearState m_clear;  // device capability "TRIGGER_CLR"
};
