#pragma once
// One entry of the device's trigger table: a condition that starts an
// on-macro and an off-macro, and a duration. The condition and the macros are
// held as links (own key 2 the condition, 0 the on-macro, 1 the off-macro),
// so the numbers written to the device are always those of the moment.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

// Value keys (TriggerValueKey).
namespace triggerkey {
enum : int {
    Condition = 0,
    Time = 1,
    OnMacro = 2,
    OffMacro = 3,
};
}

class CTrigger : public CBaseDevice {
    QL_DECLARE_SERIAL(CTrigger)
public:
    std::string GetHeldItem(int32_t ownKey) const override;
    static constexpr uint32_t kKindId = 33085;  // "Trigger"
    static constexpr float kMaxTime = 25.0f;

    CTrigger();
    ~CTrigger() override;

    void Serialize(CArchive& ar) override;
    // May delete the trigger (an empty trigger of an old file): the caller
    // must not touch it when PostLoad returns 1 after a deletion; see IsDeleted.
    int PostLoad() override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    int32_t GetValue(int key) const;
    std::string GetValueText(int key) const;
    // Links the object with that number (a missing condition or macro is
    // created as "%d *"); 0 empties the reference. A number the project
    // cannot hold leaves the reference as it was and is reported to the
    // upload difference file `diffFile` (when given).
    void SetValue(int key, int32_t number, const std::string* diffFile = nullptr);
    void SetTime(int key, float seconds);
    float GetTime() const { return m_time; }

    // The link key of a value key; -1 when the key names no reference.
    static int32_t LinkKeyOf(int key);

    std::string m_text1;
    std::string m_text2;
    std::string m_text3;
    std::string m_timeText;
    float m_time = 0.0f;

private:
    void ReduceDuplicateLinks();
    bool m_readFromFile = false;  // only objects read from a file are upgraded
};
