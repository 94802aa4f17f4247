#pragma once
// The ready-input settings "/READYINP": the delay of masked fault signals and
// the 18 fault texts (1..5 user-defined, 6..18 built in). The one object per
// project also writes and reads the whole ready-input block, entries included.

#include <cstdint>
#include <string>
#include <vector>

#include "logic/CReadyInput.h"
#include "model/AnswerGroup.h"
#include "model/BlockWalk.h"
#include "model/CBaseDevice.h"

class CGlobalReadyInput : public CBaseDevice {
    QL_DECLARE_SERIAL(CGlobalReadyInput)
public:
    static constexpr uint32_t kKindId = 34295;  // "GlobalReadyInput"
    static constexpr int kTextCount = 18;
    static constexpr int kUserTextCount = 5;
    static constexpr int kStoredTextCount = 14;
    static constexpr float kDefaultMaskTime = 5.0f;
    static constexpr int kStepCount = 307;

    // Value keys: the low 16 bits select the value, the high 16 bits an index.
    enum Key : int { AllTexts = 0, FaultText = 1, MaskTime = 2, UserTexts = 3 };
    static constexpr int MakeKey(int key, int index) { return (index << 16) | (key & 0xFFFF); }

    CGlobalReadyInput();

    void Serialize(CArchive& ar) override;
    // The ready-input block: clear, mask time, the five user texts, then six
    // steps for each of the 50 entries. One line per call.
    int GetDownloadLines(int mode, int step) override;
    // Applies the device's answers of the block, entries included (upload state only).
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Key 1: the fault text of the index in the high word; 2: the mask time "%2.1f".
    std::string GetValue(int key) const;
    // Key 0: 18 texts; key 3: 5 user texts; others 0.
    static int GetValueCount(int key);
    // Key 1: sets the fault text of the index in the high word; key 2 reads a float.
    void SetValue(int key, const std::string& text);
    // Key 2: the mask time, limited to 0.0 .. 25.0.
    void SetFloatValue(int key, float value);
    // Appends all 18 fault texts; returns the list's count (0 without a list).
    int GetTextList(int key, std::vector<std::string>* texts) const;

    float m_maskTime = kDefaultMaskTime;  // seconds
    std::string m_texts[kTextCount];

    // Transfer state; set at the reset step of every transfer.
    BlockClearState m_clear;  // device capability "READYINP_CLR"

    // Ids of the built-in fault texts 6..18, in order.
    static const uint32_t kBuiltInTextIds[kTextCount - kUserTextCount];

private:
    // An input's function and its index are taken together or not at all:
    // the function each ready input held before its answer (by number).
    AnswerGroup<CReadyInput::FunctionHeld> m_functionAnswers;
};
