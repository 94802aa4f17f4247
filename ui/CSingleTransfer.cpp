#include "ui/CSingleTransfer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdint>

#include "comm/CCommLink.h"
#include "model/CBaseDevice.h"
#include "model/DocContext.h"

namespace {
// Lets events run for `ms` milliseconds (receive events included).
void PumpFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Whether anything moved on the line since the last look: characters given
// to the port or received, output leaving the buffer.
class LineWatch {
public:
    explicit LineWatch(const CCommLink* link) : m_link(link)
    {
        Moved();
        m_quiet.start();
    }
    void Moved()
    {
        if (!m_link)
            return;
        const uint64_t sent = m_link->GetCharsSent();
        const uint64_t received = m_link->GetCharsReceived();
        const int out = m_link->GetOutBufferCount();
        if (sent != m_sent || received != m_received || out != m_out)
            m_quiet.restart();
        m_sent = sent;
        m_received = received;
        m_out = out;
    }
    void StepMoved() { m_quiet.restart(); }
    int64_t Quiet() const { return m_quiet.elapsed(); }

private:
    const CCommLink* m_link;
    uint64_t m_sent = 0;
    uint64_t m_received = 0;
    int m_out = 0;
    QElapsedTimer m_quiet;
};
}  // namespace

CSingleTransfer::Stop CSingleTransfer::Run(CBaseDevice* obj, int mode, int resetStep, int first, int end)
{
    m_stop = Stop::None;
    if (!obj)
        return m_stop;
    m_block = obj->GetName();
    m_count = obj->GetDownloadLines(mode, resetStep);
    m_reached = first;
    CCommLink* link = GetCommLink();
    m_wasConnected = link && link->IsConnected();
    if (link)
        link->SetLinkState(mode ? linkstate::Upload : linkstate::Download);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_stop = RunSteps(obj, mode, first, end);
    if (m_stop == Stop::None)
        m_stop = WaitDone(mode);
    // A link whose line died stays idle; otherwise it is online again,
    // whatever ended the transfer (leaving the download state releases the macro lock).
    if (link && (!m_wasConnected || link->IsConnected()))
        link->SetLinkState(linkstate::Online);
    QApplication::restoreOverrideCursor();
    return m_stop;
}

CSingleTransfer::Stop CSingleTransfer::RunSteps(CBaseDevice* obj, int mode, int first, int end)
{
    const CCommLink* link = GetCommLink();
    LineWatch watch(link);
    int step = first;
    while (step >= first && step < end) {
        if (m_wasConnected && !link->IsConnected())
            return Stop::LineLost;
        const int next = obj->GetDownloadLines(mode, step);
        watch.Moved();
        if (next != step) {
            step = next;
            m_reached = step;
            watch.StepMoved();
        } else if (watch.Quiet() > m_stallLimitMs) {
            return Stop::Stalled;
        }
        PumpFor(kPauseMs);
    }
    return Stop::None;
}

CSingleTransfer::Stop CSingleTransfer::WaitDone(int mode)
{
    CCommLink* link = GetCommLink();
    if (!link)
        return Stop::None;
    LineWatch watch(link);
    for (;;) {
        if (m_wasConnected && !link->IsConnected())
            return Stop::LineLost;
        // A download is done once its lines have left; an upload once the
        // device has said all it had to say.
        const int64_t idle = link->GetLinkIdleTime();
        if (link->GetOutBufferCount() == 0 && (mode == 0 || idle > 1000))
            return Stop::None;
        watch.Moved();
        if (watch.Quiet() > m_stallLimitMs)
            return Stop::Stalled;
        PumpFor(link->GetOutBufferCount() > 0 ? 5 : static_cast<int>(std::clamp<int64_t>(1001 - idle, 5, 100)));
    }
}

void CSingleTransfer::ReportStop() const
{
    // The same messages as the whole block's transfer.
    CTransferLoop messages;
    messages.SetStallLimit(m_stallLimitMs);
    messages.ReportStop(m_stop, m_block, std::clamp(m_reached, 0, std::max(m_count, 0)), m_count);
}
