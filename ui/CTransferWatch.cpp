#include "ui/CTransferWatch.h"

#include <QEventLoop>
#include <QTimer>

#include "comm/CCommLink.h"

CTransferWatch::CTransferWatch(const CCommLink* link, int limitMs) : m_link(link), m_limitMs(limitMs)
{
    Moved();
    m_quiet.start();
    m_refused = m_link ? m_link->GetRefusedCount() : 0;
}

void CTransferWatch::StepMoved()
{
    m_quiet.restart();
    m_refused = m_link ? m_link->GetRefusedCount() : 0;
}

bool CTransferWatch::Refused() const
{
    return m_link && m_link->GetRefusedCount() != m_refused && m_link->GetOutBufferCount() == 0 &&
           m_link->GetLinkIdleTime() > CCommLink::kRefusedWaitMs;
}

bool CTransferWatch::Moved()
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

void CTransferWatch::PumpFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
