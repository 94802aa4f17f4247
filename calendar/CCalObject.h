#pragma once
// The calendar block "/CAL": the one object per project that writes the
// device's appointments, day programmes and holidays and reads them back.
// It holds no calendar data of its own; the items are ordinary objects of
// the document found by number.
//
// Steps: 0..2 the "/CLEAR" lines of the three parts, 3..52 appointments
// 1..50, 53..72 day programmes 1..20, 73..122 holidays 1..50. The reset step
// chooses the parts: -1 all, -2 appointments, -3 day programmes, -4 holidays.

#include <cstdint>
#include <list>
#include <string>

#include "model/CBaseDevice.h"

class CCalObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CCalObject)
public:
    static constexpr uint32_t kKindId = 33088;  // "Kalender"
    static constexpr int kStepCount = 123;
    // First step of each part; the step of item n is first + n - 1.
    static constexpr int kAppointStep = 3;
    static constexpr int kDayprogStep = 53;
    static constexpr int kHolidayStep = 73;
    enum : int { ResetAll = -1, ResetAppointments = -2, ResetDayprogs = -3, ResetHolidays = -4 };

    // One of the three parts of the block (appointments, day programmes, holidays).
    struct Part;

    CCalObject();

    // Gives the object its display name "Kalender".
    int PostLoad() override;
    int GetDownloadLines(int mode, int step) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // Transfer state, reset at the start of every transfer.
    int32_t m_clearCapability = 0;   // device capability "CAL_CLR"
    int32_t m_answerReceived = 0;    // the last awaited "/CLEAR" answer has been applied
    int32_t m_querySent = 0;         // the last clear query has been sent
    std::list<std::string> m_pending;  // lines of the current item still to send
    int32_t m_itemInProgress = 0;
    int32_t m_partAppointments = 0;
    int32_t m_partDayprogs = 0;
    int32_t m_partHolidays = 0;

private:
    const Part& PartAt(int index) const;
    bool IsPartOn(int index) const;
    int ClearStep(int mode, int step);
    int ItemStep(int mode, int step);
    int32_t Limit(uint32_t type) const;
    CBaseDevice* FindItem(uint32_t type, int32_t number) const;
    CBaseDevice* MakeItem(int part, int32_t number);
    void ApplyClearAnswer(int part, const std::string& value, const std::string& diffFile);
    // Whether the project holds, or can make, the macro (`dayprog`: the day
    // programme) an answer names; the difference file names one it cannot,
    // for item `n` of the kind `itemKind`, and the item keeps what it had.
    bool CanTake(bool dayprog, int32_t number, uint32_t itemKind, int32_t n, const std::string& diffFile);
    void ParseAppointAnswer(int32_t n, const std::string& sub, const std::string& value, const std::string& diffFile);
    void ParseDayprogAnswer(int32_t n, const std::string& sub, const std::string& value, const std::string& diffFile);
    void ParseHolidayAnswer(int32_t n, const std::string& sub, const std::string& value, const std::string& diffFile);
};
