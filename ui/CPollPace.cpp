#include "ui/CPollPace.h"

#include "comm/CCommLink.h"
#include "ui/CTransferWatch.h"

bool CPollPace::MayPoll() const
{
    const CCommLink* link = GetCommLink();
    if (!link || !link->IsConnected() || !link->GetEchoes().IsEchoOn())
        return true;
    // A device that has fallen silent is asked again once the line has been
    // quiet for as long as a transfer waits for an answer.
    if (link->GetLinkIdleTime() >= CTransferWatch::kAnswerWaitMs)
        return true;
    return m_lastLine == 0 || link->GetEchoes().GetLinesEchoed() >= m_lastLine;
}

void CPollPace::Polled()
{
    const CCommLink* link = GetCommLink();
    if (!link)
        return;
    // (Lines the port holds back are numbered when it takes them: the pace
    // then waits for those before them.)
    m_lastLine = link->GetEchoes().GetLinesSent();
}
