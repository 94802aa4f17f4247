#include "ui/CTransferWatch.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <optional>

#include "comm/CCommLink.h"
#include "model/DocContext.h"

CTransferWatch::CTransferWatch(const CCommLink* link, int limitMs) : m_link(link), m_limitMs(limitMs)
{
    Moved();
    m_quiet.start();
    m_refused = m_link ? m_link->GetRefusedCount() : 0;
    m_echoOn = EchoOn();
    m_linesBefore = m_link ? m_link->GetEchoes().GetLinesSent() : 0;
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

bool CTransferWatch::Unechoed() const
{
    if (!m_link || !m_echoOn)
        return false;
    const CEchoTally& echoes = m_link->GetEchoes();
    return echoes.GetLinesSent() > m_linesBefore && echoes.GetLinesEchoed() < echoes.GetLinesSent();
}

bool CTransferWatch::Silent() const
{
    // The rule of the whole download: only a line that has left the line
    // can be overdue. One the device holds back with its XOFF has not, and
    // is waited for as long as the device holds it.
    if (!Unechoed())
        return false;
    const std::optional<CEchoTally::Unechoed> oldest = m_link->GetEchoes().OldestUnechoed(m_linesBefore);
    return oldest && m_link->EchoOverdue(oldest->end);
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

bool CTransferWatch::EchoOn()
{
    // The connection set-up switches the echo on and notes whether the device took it.
    return GetAppHost().GetProfileInt("KVT7000", "Echo On", 1) != 0;
}

void CTransferWatch::PumpFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
