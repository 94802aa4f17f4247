#pragma once
// A holiday programme ("Feiertagsprogramm"): on a date (once, every year,
// every month or over a period of days) the device runs the linked day
// programme instead of the week's. The day programme is the outgoing link at
// own key 0; the period's length stays in the project and is not sent.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "calendar/CalendarTime.h"
#include "model/CBaseDevice.h"

class CHoliday : public CBaseDevice {
    QL_DECLARE_SERIAL(CHoliday)
public:
    std::string GetHeldItem(int32_t ownKey) const override;
    static constexpr uint32_t kKindId = 34120;  // "Feiertagsprogramm"
    static constexpr int32_t kMaxDays = 252;

    // Value selectors.
    enum : int { Date = 0, Function = 1, DayCount = 2, Dayprog = 3 };

    CHoliday();
    using CBaseDevice::GetDownloadLines;

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    int32_t GetParam(int n) const;
    // 0 the date; 1 a CalendarFunctionId (the day count becomes 0); 2 the day
    // count, kept within 1..252; 3 links day programme `value` (a placeholder
    // is made when missing; 0 removes the link).
    void SetParam(int n, int32_t value);
    // 0 the date (user's form), 1 the function's name, 2 the day count ("" for
    // 0), 3 the day programme's name.
    std::string GetParamText(int n) const;
    void SetParamText(int n, const std::string& text);

    // Lines of the holiday without the "/CAL/HOLIDAY<n>" prefix.
    int GetDownloadLines(std::vector<std::string>& lines) const;
    static int GetQueryLines(std::vector<std::string>& lines);
    // With kind 1: the function ids in list order.
    static int GetFunctionList(int kind, std::vector<uint32_t>* ids);
    static uint32_t FunctionIdOf(const std::string& keyword);
    // Whether the device offers the function keyword.
    static bool IsKnownFunction(const std::string& keyword);

    // The last day of a period: the date plus the day count.
    std::time_t PeriodEnd() const;

    caltime::Time m_time;
    std::string m_function = "OFF";  // a period is the empty keyword
    int32_t m_dayCount = 1;
};
