#pragma once
// One entry of the device's analog condition table: an analog input of an
// LMZ775 card (the control pad linked at own key 0, its key 2) watched
// against a range of 0.0..10.0. A condition of function ANALOG points to it.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CAnalogCondition : public CBaseDevice {
    QL_DECLARE_SERIAL(CAnalogCondition)
public:
    static constexpr uint32_t kKindId = 34358;  // "Bereichsprüfung"

    CAnalogCondition();
    ~CAnalogCondition() override;

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // 0 the pad's name, 1 / 2 the bounds "%.1f".
    std::string GetText(int key) const;
    // 0 the linked pad's signal index (0 without one).
    int32_t GetValue(int key) const;
    // 0 the control pad by number; 3 the input's signal index read back.
    void SetValue(int key, int32_t value, const std::string* diffFile = nullptr);
    // 1 minimum, 2 maximum, limited to 0.0..10.0.
    void SetLimit(int key, float value);
    // 1 / 2: a bound as text; a text that is no number changes nothing.
    void ParseValue(int key, const std::string& text);

    int GetEntryLines(std::vector<std::string>& lines) const;
    static int GetEntryQueries(std::vector<std::string>& lines);

    float m_min = 0.0f;
    float m_max = 0.0f;

private:
    const CBaseDevice* LinkedPad() const;
};
