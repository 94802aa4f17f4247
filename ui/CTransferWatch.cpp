#include "ui/CTransferWatch.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>

#include "comm/CCommLink.h"
#include "model/DocContext.h"

CTransferWatch::CTransferWatch(const CCommLink* link, int limitMs) : m_link(link), m_limitMs(limitMs)
{
    Moved();
    m_quiet.start();
    m_heard.start();
    m_leftAtHeard = LeftTheLine();
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

uint64_t CTransferWatch::LeftTheLine() const
{
    if (!m_link)
        return 0;
    const uint64_t sent = m_link->GetCharsSent();
    const uint64_t waiting = static_cast<uint64_t>(std::max(0, m_link->GetOutBufferCount()));
    return sent > waiting ? sent - waiting : 0;
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
    // Output that cannot leave (the device holds the line) is no sign of a
    // silent device: the stall limit covers it.
    return Unechoed() && LeftTheLine() > m_leftAtHeard && m_heard.elapsed() > kAnswerWaitMs;
}

bool CTransferWatch::Moved()
{
    const uint64_t sent = m_link ? m_link->GetCharsSent() : 0;
    const uint64_t received = m_link ? m_link->GetCharsReceived() : 0;
    const int out = m_link ? m_link->GetOutBufferCount() : 0;
    if (received != m_received) {
        m_heard.restart();
        m_leftAtHeard = LeftTheLine();
    }
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
