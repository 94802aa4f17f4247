#pragma once
// What shows that a transfer over the device link still moves: characters
// given to the line or received, and output leaving the line. A transfer
// counts as stalled once none of them (nor a step, which the caller reports)
// has moved for its limit. A device that refused a line since the last step
// and has been silent since is no silent device: it will not answer what
// the step waits for, and the transfer stops at once, naming the line.
//
// The device echoes every line it reads. A line that left for it without
// its echo coming back, while it has said nothing for the answer wait since,
// shows a device that stopped reading: a transfer whose own lines keep the
// line moving would otherwise go on to its end as if the device had them.

#include <QElapsedTimer>

#include <cstdint>

class CCommLink;

class CTransferWatch {
public:
    // How long the device may say nothing while lines it has not echoed
    // have left for it.
    static constexpr int kAnswerWaitMs = 5000;

    CTransferWatch(const CCommLink* link, int limitMs);

    // Looks at the line; true when something moved since the last look.
    bool Moved();
    // The transfer took a step.
    void StepMoved();
    bool Stalled() const { return m_quiet.elapsed() > m_limitMs; }
    // The device refused a line since the last step and has said nothing more.
    bool Refused() const;
    // The transfer's lines are those sent after the first `linesBefore`.
    void SetFirstLine(uint64_t linesBefore) { m_linesBefore = linesBefore; }
    uint64_t FirstLine() const { return m_linesBefore; }
    // The transfer sent lines and the last of them has not come back as echo
    // (never when the device is not set to echo).
    bool Unechoed() const;
    // The oldest unechoed line has left for the device, and since then it
    // has said nothing for the answer wait: it stopped reading (the link's
    // rule, CCommLink::EchoOverdue).
    bool Silent() const;

    // Lets events run for `ms` milliseconds (receive events included).
    static void PumpFor(int ms);
    // The connection set-up found the device echoing what it reads.
    static bool EchoOn();

private:
    const CCommLink* m_link;
    int m_limitMs;
    uint64_t m_sent = 0;
    uint64_t m_received = 0;
    int m_out = 0;
    uint64_t m_refused = 0;  // the link's refusals at the last step
    QElapsedTimer m_quiet;
    bool m_echoOn = true;       // the device echoes what it reads
    uint64_t m_linesBefore = 0;  // lines sent before the transfer
};
