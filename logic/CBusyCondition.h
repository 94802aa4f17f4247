#pragma once
// One entry of the device's busy condition table: true while audio of the
// chosen kinds is active on the chosen outputs or zones from a priority on.
// The zones and groups are linked at own key 0 (their key 0); the zones text
// is the range text the device gets ("ALL" when the all-zones group is linked).

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CBusyCondition : public CBaseDevice {
    QL_DECLARE_SERIAL(CBusyCondition)
public:
    static constexpr uint32_t kKindId = 34456;  // "Aktiv Bedingung"
    // The priority on the device's scale: the list's 0..10 times ten.
    static constexpr int32_t kMaxPriority = 100;

    // Audio kind bits.
    enum : uint32_t {
        AudioAlarm = 1, AudioChime = 2, AudioMessage = 4, AudioPage1 = 8,
        AudioPage2 = 16, AudioPage3 = 32, AudioPage4 = 64, AudioBackground = 128,
    };

    CBusyCondition();
    ~CBusyCondition() override;

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // 0 audio kinds, 1 zones text, 2 full, 3 priority / 10, 4 zones for
    // display, 5 outputs text, 6 outputs for display.
    std::string GetText(int key) const;
    // How an outputs text is shown (key 6): "Alle" for "1-4" and "ALL",
    // "Kein Eintrag" for "0" and "NONE", any other text as it is.
    static std::string OutputsDisplay(const std::string& outputs);
    // 0 audio bits, 2 full, 3 priority.
    int32_t GetValue(int key) const;
    void SetValue(int key, int32_t value);
    // 0 audio keywords, 1 zones range text (links the zones it names),
    // 3 priority as entered (0..10), 5 outputs text.
    void ParseValue(int key, const std::string& text, const std::string* diffFile = nullptr);
    // Links exactly the listed zones and groups and renews the zones text.
    void SetZones(const DeviceList& objects);
    void GetZonesAndGroups(DeviceList& out) const;
    // Drops from the zones text the zones of `zones` its links reach no more.
    void ZonesGone(const std::vector<int32_t>& zones) override;

    static int GetChoiceIds(int column, std::vector<uint32_t>* ids);
    int GetEntryLines(std::vector<std::string>& lines) const;
    static int GetEntryQueries(std::vector<std::string>& lines);

    uint32_t m_audio = 0;
    std::string m_zones = "0";
    std::string m_outputs = "0";
    uint32_t m_full = 0;
    int32_t m_priority = 0;  // on the device's scale (the list shows a tenth)

private:
    // The range text of the zones reached through the links; `all` when the
    // all-zones group is linked.
    std::string LinkedZonesText(bool& all) const;
};
