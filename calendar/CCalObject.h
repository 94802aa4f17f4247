#pragma once
// The calendar block "/CAL": the one object per project that writes the
// device's appointments, day programmes and holidays and reads them back.
// It holds no calendar data of its own; the items are ordinary objects of
// the document found by number.

#include <cstdint>
#include <list>
#include <string>

#include "model/CBaseDevice.h"

class CCalObject : public CBaseDevice {
    QL_DECLARE_SERIAL(CCalObject)
public:
    static constexpr uint32_t kKindId = 33088;  // "Kalender"
    static constexpr int kStepCount = 123;

    CCalObject();

    // Gives the object its display name "Kalender".
    int PostLoad() override;

    // Transfer state, reset at the start of every transfer.
    int32_t m_clearCapability = 0;   // device capability "CAL_CLR"
    int32_t m_answerReceived = 0;    // the last awaited "/CLEAR" answer has been applied
    int32_t m_querySent = 0;         // the last clear query has been sent
    std::list<std::string> m_pending;  // lines of the current item still to send
    int32_t m_itemInProgress = 0;
    int32_t m_partAppointments = 0;
    int32_t m_partDayprogs = 0;
    int32_t m_partHolidays = 0;
};
