#pragma once
// One entry of the device's logic-output table: an output contact (a control
// pad, link key 0) that shows the state of a condition (link key 1),
// optionally inverted.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

// Value keys (LogicOutValueKey).
namespace logicoutkey {
enum : int {
    Function = 0,
    Index = 1,
    Condition = 2,
    Invert = 3,
    Contact = 4,
};
}

class CLogicOut : public CBaseDevice {
    QL_DECLARE_SERIAL(CLogicOut)
public:
    std::string GetHeldItem(int32_t ownKey) const override;
    static constexpr uint32_t kKindId = 34460;  // "Logikzustand"

    CLogicOut();
    ~CLogicOut() override;

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    int32_t GetValue(int key) const;
    std::string GetValueText(int key) const;
    // `diffFile`: the upload difference file, or null when nothing is reported.
    void SetValue(int key, int32_t value, const std::string* diffFile = nullptr);
    void SetValueText(int key, const std::string& text);

    int32_t m_invert = 0;
    std::string m_functionKeyword;  // keyword last received; not stored

private:
    const CBaseDevice* Contact() const;
};
