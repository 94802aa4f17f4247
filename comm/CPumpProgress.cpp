#include "comm/CPumpProgress.h"

#include <QCoreApplication>

void CPumpProgress::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

int CPumpProgress::SetPos(int pos)
{
    PumpMessages();
    const int previous = m_pos;
    m_pos = pos;
    return previous;
}

int CPumpProgress::StepIt()
{
    PumpMessages();
    const int previous = m_pos;
    m_pos += m_step;
    if (m_pos > m_upper)
        m_pos = m_lower + (m_pos - m_upper);
    return previous;
}

bool CPumpProgress::CheckCancelButton()
{
    PumpMessages();
    const bool cancel = m_cancel;
    m_cancel = false;
    return cancel;
}

void CPumpProgress::PumpMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
