#pragma once
// The condition block "/CONDITION": the one object per project that stands
// for the device's whole condition table (analog, busy, combined and plain
// conditions). The conditions themselves are ordinary objects of the
// document; this object writes the block and reads the device's answers.
//
// Steps: 0..3 clear the four parts, then one step per entry number: analog
// 1..50, busy 1..50, combined 1..50, conditions 1..250.

#include <cstdint>
#include <list>
#include <string>

#include "logic/CCondition.h"
#include "model/AnswerGroup.h"
#include "model/BlockWalk.h"
#include "model/CBaseDevice.h"

class CConditionObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CConditionObject)
public:
    static constexpr uint32_t kKindId = 34129;  // "Bedingung"

    // The block's parts, in block order.
    enum Part : int { Analog = 0, Busy = 1, Combine = 2, Conditions = 3, PartCount = 4 };
    static constexpr int kClearSteps = 4;
    static constexpr int kSectionSize[PartCount] = {50, 50, 50, 250};
    static constexpr int kStepCount = kClearSteps + 50 + 50 + 50 + 250;

    // The first step of a part's entries, and the step of its entry n.
    static constexpr int FirstEntryStep(int part)
    {
        int step = kClearSteps;
        for (int p = 0; p < part && p < PartCount; ++p)
            step += kSectionSize[p];
        return step;
    }
    static constexpr int EntryStep(int part, int n) { return FirstEntryStep(part) + n - 1; }
    // The reset step that selects one part (-1 selects all).
    static constexpr int ResetStepOf(int part) { return -2 - part; }

    CConditionObject();

    // Gives the object its display name "Bedingung".
    int PostLoad() override;
    // mode 0 values, 1 queries; a negative step resets (and selects the parts).
    int GetDownloadLines(int mode, int step) override;
    // Applies one answer of the block (upload state only).
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Transfer state; set at the reset step of every transfer.
    BlockClearState m_clear;                // "COND_CLR"; the flags of the last selected part
    std::list<std::string> m_pending;       // line tails of the current entry still to send
    int32_t m_pendingFilled = 0;
    int32_t m_selected[PartCount] = {0, 0, 0, 0};
    // A condition's function and its index are taken together or not at
    // all: the function each condition held before its answer (by number).
    AnswerGroup<CCondition::FunctionHeld> m_functionAnswers;

private:
    int ClearStep(int mode, int step);
    int EntryLinesStep(int mode, int step);
    bool LaterPartSelected(int part) const;
    int Limit(int part) const;
    CBaseDevice* Find(int part, int n) const;
    CBaseDevice* Make(int part, int n);
    void ApplyEntryAnswer(int part, int n, const std::string& key, const std::string& value, const std::string* diffFile);
};
