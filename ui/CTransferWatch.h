#pragma once
// What shows that a transfer over the device link still moves: characters
// given to the line or received, and output leaving the line. A transfer
// counts as stalled once none of them (nor a step, which the caller reports)
// has moved for its limit. A device that refused a line since the last step
// and has been silent since is no silent device: it will not answer what
// the step waits for, and the transfer stops at once, naming the line.

#include <QElapsedTimer>

#include <cstdint>

class CCommLink;

class CTransferWatch {
public:
    CTransferWatch(const CCommLink* link, int limitMs);

    // Looks at the line; true when something moved since the last look.
    bool Moved();
    // The transfer took a step.
    void StepMoved();
    bool Stalled() const { return m_quiet.elapsed() > m_limitMs; }
    // The device refused a line since the last step and has said nothing more.
    bool Refused() const;

    // Lets events run for `ms` milliseconds (receive events included).
    static void PumpFor(int ms);

private:
    const CCommLink* m_link;
    int m_limitMs;
    uint64_t m_sent = 0;
    uint64_t m_received = 0;
    int m_out = 0;
    uint64_t m_refused = 0;  // the link's refusals at the last step
    QElapsedTimer m_quiet;
};
