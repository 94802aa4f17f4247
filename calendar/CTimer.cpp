#include "calendar/CTimer.h"

QL_IMPLEMENT_SERIAL(CTimer, 1)

namespace {
CTimer::ClockDialogRunner& Runner()
{
    static CTimer::ClockDialogRunner runner = nullptr;
    return runner;
}
}  // namespace

CTimer::CTimer()
{
    // The clock symbol has no directory entry: it keeps type code 0.
    m_contextMenuId = 110;
}

CTimer::ClockDialogRunner CTimer::SetClockDialogRunner(ClockDialogRunner runner)
{
    ClockDialogRunner old = Runner();
    Runner() = runner;
    return old;
}

void CTimer::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring())
        ar << m_time1 << m_time2 << m_time3 << m_date << m_text << m_value;
    else
        ar >> m_time1 >> m_time2 >> m_time3 >> m_date >> m_text >> m_value;
}

int CTimer::InitObject()
{
    // Connector counts come from the file; keep them within what a symbol can have.
    constexpr int32_t kMaxConnectors = 4096;
    const auto count = [](int32_t n) { return static_cast<size_t>(n < 0 ? 0 : (n > kMaxConnectors ? kMaxConnectors : n)); };
    m_inputPoints.assign(count(m_inputCount), CPoint());
    m_inputRoutes.assign(count(m_inputCount), ConnectorRoute());
    m_inputNames.assign(count(m_inputCount), std::string());
    m_outputPoints.assign(count(m_outputCount), CPoint());
    m_outputRoutes.assign(count(m_outputCount), ConnectorRoute());
    m_outputNames.assign(count(m_outputCount), std::string());
    LayoutConnectionPoints();
    return 1;
}

int CTimer::OnCommand(uint32_t commandId)
{
    // Only the properties command opens the symbol; it offers nothing else.
    if (commandId != objcmd::Properties)
        return 0;
    OnOpen(0, 0, 0);
    return 1;
}

void CTimer::OnUpdateCommand(CCmdUI& cmdUI)
{
    if (cmdUI.m_nID == objcmd::Properties) {
        cmdUI.Enable(true);
        return;
    }
    CBaseDevice::OnUpdateCommand(cmdUI);
}

void CTimer::OnOpen(uint32_t /*a*/, uint32_t /*b*/, uint32_t /*c*/)
{
    if (Runner() != nullptr && Runner()(this))
        Redraw();
}
