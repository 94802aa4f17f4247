#pragma once
// One virtual controller of the device (numbers 1..40): a value between a
// minimum and a maximum, moved in a number of steps along a response curve.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CVirtCtrlItem : public CBaseDevice {
    QL_DECLARE_SERIAL(CVirtCtrlItem)
public:
    static constexpr uint32_t kKindId = 34365;  // "Virtueller Controller"

    // Field keys of GetFloat/SetFloat (0..2) and GetInt/SetInt (3..5).
    enum Key : int { Min = 0, Max = 1, Value = 2, Steps = 3, Curve = 4, Link = 5 };

    CVirtCtrlItem();

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    float GetFloat(int key) const;
    void SetFloat(int key, float value);
    int32_t GetInt(int key) const;
    void SetInt(int key, int32_t value);

private:
    float m_min = 0.0f;
    float m_max = 0.0f;
    float m_value = 0.0f;
    int32_t m_steps = 0;  // 0..65535
    int32_t m_curve = 0;  // response-curve exponent, -128..127
    int32_t m_link = 0;   // taken over from old projects, shown only
};
