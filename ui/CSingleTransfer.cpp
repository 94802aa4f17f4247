#include "ui/CSingleTransfer.h"

#include <algorithm>

#include "model/CBaseDevice.h"

CSingleTransfer::CSingleTransfer(int stallLimitMs)
{
    m_loop.SetStallLimit(stallLimitMs);
    m_loop.SetOneEntry(true);
    m_loop.SetPause(kPauseMs);
}

CSingleTransfer::Stop CSingleTransfer::Run(CBaseDevice* obj, int mode, int resetStep, int first, int end,
                                           const std::string& name, bool diffFile)
{
    m_stop = Stop::None;
    if (!obj)
        return m_stop;
    m_block = name.empty() ? obj->GetName() : name;
    // The entry's own steps: an early end counts them, not the block's.
    obj->GetDownloadLines(mode, resetStep);
    m_count = std::max(end - first, 0);
    m_reached = 0;
    m_loop.Begin(mode, diffFile);
    m_loop.SetProgressOf([first](int step) { return step - first; });
    m_stop = m_loop.RunSteps(obj, mode, first, end, m_count, &m_reached);
    m_loop.SetProgressOf({});
    // A download is done once the device has echoed its lines; an upload
    // once the device has said all it had to say.
    if (m_stop == Stop::None)
        m_stop = m_loop.WaitDeviceDone(mode == 0);
    m_reached = m_loop.Reached();
    if (const Stop end = m_loop.End(mode, diffFile); m_stop == Stop::None)
        m_stop = end;
    return m_stop;
}

void CSingleTransfer::ReportStop() const
{
    // The same messages as the whole block's transfer, told of the entry.
    m_loop.ReportStop(m_stop, m_block, std::clamp(m_reached, 0, m_count), m_count);
    m_loop.ReportRefused(m_stop, m_block);
}
