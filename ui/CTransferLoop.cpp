#include "ui/CTransferLoop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>

#include "comm/CCommLink.h"
#include "model/CBaseDevice.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"

namespace {
// Lets events run for up to `ms` milliseconds (receive events included).
void PumpFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// What shows that a transfer still moves: characters given to the line or
// received, and output leaving the line. The limit counts from the last of
// them (or from the last step change, which the caller reports).
class TransferWatch {
public:
    TransferWatch(const CCommLink* link, int limitMs) : m_link(link), m_limitMs(limitMs)
    {
        Moved();
        m_quiet.start();
    }
    bool Moved()
    {
        const uint64_t sent = m_link ? m_link->GetCharsSent() : 0;
        const uint64_t received = m_link ? m_link->GetCharsReceived() : 0;
        const int out = m_link ? m_link->GetOutBufferCount() : 0;
        const bool moved = sent != m_sent || received != m_received || out != m_out;
        m_sent = sent;
        m_received = received;
        m_out = out;
        if (moved)
            m_quiet.restart();
        return moved;
    }
    void StepMoved() { m_quiet.restart(); }
    bool Stalled() const { return m_quiet.elapsed() > m_limitMs; }

private:
    const CCommLink* m_link;
    int m_limitMs;
    uint64_t m_sent = 0;
    uint64_t m_received = 0;
    int m_out = 0;
    QElapsedTimer m_quiet;
};
}  // namespace

void CTransferLoop::SetProgress(QProgressBar* bar)
{
    m_progress = bar;
}

void CTransferLoop::Begin(int mode, bool diffFile)
{
    m_cancelled = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CCommLink* link = GetCommLink();
    m_wasConnected = link && link->IsConnected();
    if (link) {
        link->SetLinkState(mode ? linkstate::Upload : linkstate::Download);
        if (mode && diffFile)
            link->ResetErrorFile();
    }
}

CTransferLoop::Stop CTransferLoop::RunSteps(CBaseDevice* obj, int mode, int first, int end, int count, int* reached)
{
    const CCommLink* link = GetCommLink();
    TransferWatch watch(link, m_stallLimitMs);
    // The bar follows the steps and, within a step that sends its lines one
    // call at a time (a queue of entries), every line that goes out.
    int position = first;
    int step = first;
    Stop stop = Stop::None;
    while (step >= first && step < end) {
        if (m_cancelled) {
            stop = Stop::Cancelled;
            break;
        }
        if (m_wasConnected && !link->IsConnected()) {
            stop = Stop::LineLost;
            break;
        }
        const uint64_t sentBefore = link ? link->GetCharsSent() : 0;
        const int next = obj->GetDownloadLines(mode, step);
        const bool sent = link && link->GetCharsSent() != sentBefore;
        watch.Moved();
        const bool stepped = next != step;
        if (stepped) {
            step = next;
            position = std::max(position, step);
            watch.StepMoved();
        } else if (sent && position < count - 1) {
            ++position;
        }
        if (m_progressOf)
            position = m_progressOf(step);
        if (m_progress)
            m_progress->setValue(qBound(0, position, count));
        if (stepped || sent) {
            QCoreApplication::processEvents();  // on at once: the machine holds back when the buffer is full
        } else if (watch.Stalled()) {
            stop = Stop::Stalled;
            break;
        } else {
            PumpFor(5);
        }
    }
    *reached = qBound(0, position, count);
    return stop;
}

CTransferLoop::Stop CTransferLoop::WaitDeviceDone()
{
    CCommLink* link = GetCommLink();
    if (!link)
        return Stop::None;
    TransferWatch watch(link, m_stallLimitMs);
    for (;;) {
        if (m_cancelled)
            return Stop::Cancelled;
        if (m_wasConnected && !link->IsConnected())
            return Stop::LineLost;
        const int64_t idle = link->GetLinkIdleTime();
        if (link->GetOutBufferCount() == 0 && idle > 1000)
            return Stop::None;
        watch.Moved();
        if (watch.Stalled())
            return Stop::Stalled;
        PumpFor(static_cast<int>(std::clamp<int64_t>(1001 - idle, 5, 100)));
    }
}

void CTransferLoop::End(int mode, bool diffFile)
{
    if (CCommLink* link = GetCommLink()) {
        // A link whose line died stays idle; otherwise it is online again,
        // whatever ended the transfer.
        if (!m_wasConnected || link->IsConnected())
            link->SetLinkState(linkstate::Online);
        if (mode && diffFile)
            link->ShowErrorFile();
    }
    QApplication::restoreOverrideCursor();
}

CTransferLoop::Result CTransferLoop::Run(CBaseDevice* obj, int mode, int resetStep, bool diffFile, const Hook& started,
                                         const Hook& stepsDone)
{
    Result r;
    if (!obj)
        return r;
    // The name now: an answer may rename the block.
    r.block = obj->GetName();
    r.count = obj->GetDownloadLines(mode, resetStep);
    Begin(mode, diffFile);
    if (started)
        started();
    r.stop = RunSteps(obj, mode, 0, r.count, r.count, &r.reached);
    if (stepsDone)
        stepsDone();
    if (r.stop == Stop::None)
        r.stop = WaitDeviceDone();
    End(mode, diffFile);
    return r;
}

void CTransferLoop::ReportStop(Stop stop, const std::string& block, int reached, int count) const
{
    // An early end leaves the device or the window holding part of the
    // block: the user must know which, and how far it got.
    if (stop == Stop::Stalled) {
        const int seconds = (m_stallLimitMs + 999) / 1000;
        ShowMessage(StrFormat(LoadStringId(CFeatureFrm::kTransferStalled).c_str(), block.c_str(), reached, count, seconds),
                    mb::IconExclamation);
    } else if (stop == Stop::LineLost) {
        ShowMessage(StrFormat(LoadStringId(CFeatureFrm::kTransferLineLost).c_str(), block.c_str(), reached, count),
                    mb::IconExclamation);
    } else if (stop == Stop::Cancelled) {
        ShowMessage(StrFormat(LoadStringId(CFeatureFrm::kTransferCancelled).c_str(), block.c_str(), reached, count),
                    mb::IconExclamation);
    }
}
