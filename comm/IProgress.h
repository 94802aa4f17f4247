#pragma once
// A modeless progress dialog as the device link's long operations use it:
// every call that moves the bar and every cancel check lets waiting events
// run, so receive events, timers and painting go on while the operation's
// loop holds the thread. Cancel only raises a flag that the loop polls.

#include <string>

class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetRange(int lower, int upper) = 0;
    // Plain dialog only: the format of the percent text ("%d %%", "%d s").
    virtual void SetPercentFormat(const std::string& format) = 0;
    virtual void SetStep(int step) = 0;
    // Lets waiting events run, then moves the bar; returns the previous position.
    virtual int SetPos(int pos) = 0;
    virtual int StepIt() = 0;
    // Lets waiting events run; true once per press of Cancel.
    virtual bool CheckCancelButton() = 0;
    virtual void PumpMessages() = 0;
};
