#pragma once
// Keeps a live window's polls to the pace at which the device reads them: a
// poll goes out only once the device has read (echoed) the window's last
// one. A device that reads slowly (a busy one, a modem line) would
// otherwise find question upon question queued before the settings the user
// makes, and the window would keep the line busy for ever. A device whose
// echo is off, or that has said nothing for the answer wait, is asked as
// before.

#include <cstdint>

class CPollPace {
public:
    // The window may send its next poll.
    bool MayPoll() const;
    // The window has just handed a poll to the link.
    void Polled();

private:
    uint64_t m_lastLine = 0;  // the number of the poll's last line (0: none yet)
};
