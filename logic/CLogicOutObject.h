#pragma once
// The logic-output block "/LOGICOUT": the one object per project that writes
// the device's logic-output table and reads it back into the document.

#include <cstdint>
#include <string>

#include "model/AnswerGroup.h"
#include "model/BlockWalk.h"
#include "model/CBaseDevice.h"

class CLogicOutObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CLogicOutObject)
public:
    static constexpr uint32_t kKindId = 34460;  // "Logikzustand"
    static constexpr int kStepCount = 1001;     // clear + 4 keys for 250 entries

    CLogicOutObject();

    // Clear, then four steps for each entry. One line per call.
    int GetDownloadLines(int mode, int step) override;
    // Applies the device's answers of the block (upload state only).
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Transfer state; set at the reset step of every transfer.
    BlockClearState m_clear;  // device capability "LOGICOUT_CLR"

private:
    // An output's function and its index are taken together or not at all:
    // the function word each output read before its answer (by number).
    AnswerGroup<std::string> m_functionAnswers;
};
