#pragma once
// An appointment ("Ereignis"): the device starts one macro at a date and
// time, once or repeated. The macro is the outgoing link at own key 0.

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/CalendarTime.h"
#include "model/CBaseDevice.h"

class CAppoint : public CBaseDevice {
    QL_DECLARE_SERIAL(CAppoint)
public:
    std::string GetHeldItem(int32_t ownKey) const override;
    static constexpr uint32_t kKindId = 34121;  // "Ereignis"

    // Value selectors.
    enum : int { TimeOfDay = 0, Date = 1, Function = 2, Macro = 3 };

    CAppoint();
    using CBaseDevice::GetDownloadLines;

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // 0, 1: the calendar time; 2: the CalendarFunctionId; 3: the macro's number.
    int32_t GetParam(int n) const;
    // 0, 1: the calendar time; 2: a CalendarFunctionId; 3: links macro `value`
    // (a placeholder is made when missing; 0 removes the link).
    void SetParam(int n, int32_t value);
    // 0 time of day, 1 date (user's form), 2 the function's name, 3 the macro's name.
    std::string GetParamText(int n) const;
    // 2: stores the text as the function keyword as it stands.
    void SetParamText(int n, const std::string& text);

    // Lines of the appointment without the "/CAL/APPOINT<n>" prefix.
    int GetDownloadLines(std::vector<std::string>& lines) const;
    static int GetQueryLines(std::vector<std::string>& lines);
    // With kind 2: the function ids in list order.
    static int GetFunctionList(int kind, std::vector<uint32_t>* ids);

    // The CalendarFunctionId of a keyword (an unknown keyword counts as "OFF").
    static uint32_t FunctionIdOf(const std::string& keyword);
    // Whether the device offers the function keyword.
    static bool IsKnownFunction(const std::string& keyword);

    caltime::Time m_time;
    std::string m_function = "OFF";
};
