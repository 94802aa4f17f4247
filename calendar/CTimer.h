#pragma once
// The clock symbol of the designer sheet. Opening it runs the clock dialog.
// It keeps a few texts of its own that are stored with the project but never
// sent to the device.

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

class CTimer : public CBaseDevice {
    QL_DECLARE_SERIAL(CTimer)
public:
    CTimer();

    void Serialize(CArchive& ar) override;
    // The symbol has no type code: it takes no directory entry and no
    // protocol path (the clock's "/CLOCK" stays the clock's), only its
    // connection points.
    int InitObject() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;

    // Runs the clock dialog modally for a timer; true when it ended with OK.
    // The clock dialog installs it; without one, opening does nothing.
    using ClockDialogRunner = bool (*)(CTimer* timer);
    static ClockDialogRunner SetClockDialogRunner(ClockDialogRunner runner);

    int32_t m_hidden = 1;
    std::string m_time1 = "00:00";
    std::string m_time2 = "00:00";
    std::string m_time3 = "00:00";
    std::string m_date = "00.00.0000";
    std::string m_text;
    int32_t m_value = 0;
};
