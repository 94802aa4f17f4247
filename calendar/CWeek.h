#pragma once
// The week programme ("/CAL/WEEK"): which day programme the device runs on
// each weekday. The assignment lives in the links: weekday d (0 Monday ..
// 6 Sunday) is the outgoing link at own key d to a day programme.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CWeek : public CBaseDevice {
    QL_DECLARE_SERIAL(CWeek)
public:
    std::string GetHeldItem(int32_t ownKey) const override;
    static constexpr uint32_t kKindId = 34118;         // "Wochenprogramm"
    static constexpr uint32_t kDayprogKindId = 34119;  // "Tagesprogramm"
    static constexpr uint32_t kMondayTextId = 36101;   // "Montag" .. "Sonntag" follow
    static constexpr uint32_t kWeekdayTextId = 36108;  // "Wochentag"
    static constexpr int kDays = 7;

    CWeek();

    void Serialize(CArchive& ar) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    int GetDownloadLines(int mode, int step) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // Gives weekday `day` the day programme `number` (0: none). A missing day
    // programme is made as a placeholder named "%d *".
    void SetDay(int day, int32_t number);

    // Protocol keyword of a weekday ("/MO" .. "/SU"); empty outside 0..6.
    static const char* DayKey(int day);
    // Display name of a weekday ("Montag" .. "Sonntag").
    static std::string DayName(int day);

    // Carried through the project file only; the weekdays live in the links.
    uint32_t m_words[kDays] = {0, 0, 0, 0, 0, 0, 0};
};
