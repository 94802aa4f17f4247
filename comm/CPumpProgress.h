#pragma once
// A progress "dialog" without a window: it keeps the range and position,
// lets waiting events run at every call and reports Cancel only when told.
// Used where no window host is installed, and as the base of test doubles.

#include <string>

#include "comm/IProgress.h"

class CPumpProgress : public IProgress {
public:
    void SetStatus(const std::string& text) override { m_status = text; }
    void SetRange(int lower, int upper) override;
    void SetPercentFormat(const std::string& format) override { m_format = format; }
    void SetStep(int step) override { m_step = step; }
    int SetPos(int pos) override;
    int StepIt() override;
    bool CheckCancelButton() override;
    void PumpMessages() override;

    // Raises the cancel flag as the Cancel button would.
    void PressCancel() { m_cancel = true; }

    const std::string& Status() const { return m_status; }
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    int Pos() const { return m_pos; }

private:
    std::string m_status;
    std::string m_format = "%d %%";
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 10;
    int m_pos = 0;
    bool m_cancel = false;
};
