#pragma once
// One entry of the device's combined condition table: up to four conditions
// (linked at own keys 1..4, their key 0) combined with AND, OR or XOR, each
// input optionally inverted.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CCombineCondition : public CBaseDevice {
    QL_DECLARE_SERIAL(CCombineCondition)
public:
    std::string GetHeldItem(int32_t ownKey) const override;
    static constexpr uint32_t kKindId = 34359;  // "Verknüpfung"
    static constexpr int kInputs = 4;

    CCombineCondition();
    ~CCombineCondition() override;

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // 0 the logic; 2, 4, 6, 8 "NOT" when input 1..4 is inverted; 3, 5, 7, 9
    // the name of input condition 1..4.
    std::string GetText(int key) const;
    // 0 the logic id; 2, 4, 6, 8 the invert flags; 3, 5, 7, 9 the input numbers.
    int32_t GetValue(int key) const;
    // As GetValue; an input number of a missing condition creates it ("%d *").
    // An input's condition number the project cannot hold leaves the input
    // as it was and is reported to the upload difference file `diffFile`.
    void SetValue(int key, int32_t value, const std::string* diffFile = nullptr);
    // 0: "OFF", "AND", "OR" or "XOR"; other texts change nothing.
    void ParseValue(int key, const std::string& text);

    static int GetChoiceIds(int column, std::vector<uint32_t>* ids);
    int GetEntryLines(std::vector<std::string>& lines) const;
    static int GetEntryQueries(std::vector<std::string>& lines);

    uint32_t m_logic = 34235;  // "OFF"
    uint32_t m_invert[kInputs] = {0, 0, 0, 0};
};
