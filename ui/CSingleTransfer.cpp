#include "ui/CSingleTransfer.h"

#include <algorithm>

#include "comm/CCommLink.h"
#include "model/CBaseDevice.h"
#include "model/DocContext.h"
#include "ui/CTransferWatch.h"

CSingleTransfer::CSingleTransfer(int stallLimitMs)
{
    m_loop.SetStallLimit(stallLimitMs);
}

CSingleTransfer::Stop CSingleTransfer::Run(CBaseDevice* obj, int mode, int resetStep, int first, int end,
                                           const std::string& name)
{
    m_stop = Stop::None;
    if (!obj)
        return m_stop;
    m_block = name.empty() ? obj->GetName() : name;
    m_reached = first;
    m_count = obj->GetDownloadLines(mode, resetStep);
    m_loop.Begin(mode, true);
    m_stop = RunSteps(obj, mode, first, end);
    // A download is done once its lines have left; an upload once the
    // device has said all it had to say.
    if (m_stop == Stop::None) {
        m_stop = m_loop.WaitDeviceDone(mode == 0);
        // A device that understood none of the queries gave the project nothing.
        if (m_stop == Stop::Refused)
            m_reached = 0;
    }
    m_loop.End(mode, true);
    return m_stop;
}

CSingleTransfer::Stop CSingleTransfer::RunSteps(CBaseDevice* obj, int mode, int first, int end)
{
    CTransferWatch watch(GetCommLink(), m_loop.GetStallLimit());
    int step = first;
    while (step >= first && step < end) {
        if (m_loop.LineLost())
            return Stop::LineLost;
        watch.Moved();
        if (watch.Silent())
            return Stop::Silent;
        const int next = obj->GetDownloadLines(mode, step);
        watch.Moved();
        if (next != step) {
            step = next;
            m_reached = step;
            watch.StepMoved();
        } else if (watch.Refused()) {
            return Stop::Refused;
        } else if (watch.Stalled()) {
            return Stop::Stalled;
        }
        CTransferWatch::PumpFor(kPauseMs);
    }
    return Stop::None;
}

void CSingleTransfer::ReportStop() const
{
    // The same messages as the whole block's transfer.
    m_loop.ReportStop(m_stop, m_block, std::clamp(m_reached, 0, std::max(m_count, 0)), m_count);
    m_loop.ReportRefused(m_stop, m_block);
}
