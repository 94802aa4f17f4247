#include "hardware/CInfoSlot.h"

#include "model/DocContext.h"

QL_IMPLEMENT_SERIAL(CInfoSlot, 1)

namespace {
constexpr uint32_t kCmdProjectData = 32876;
}

CInfoSlot::CInfoSlot()
{
    m_type = OT_INFO_SLOT;
    m_contextMenuId = 110;
    m_fixed = 1;
}

void CInfoSlot::SetShowIcon(int32_t flag)
{
    m_connected = flag;
    Redraw();
}

void CInfoSlot::Draw(IPainter& dc)
{
    CBaseDevice::Draw(dc);
    if (m_connected)
        dc.DrawIcon(kConnectedIcon, CPoint(m_rect.left + kIconLeft, m_rect.top + (m_rect.Height() - kIconSize) / 2));
}

void CInfoSlot::OnOpen(uint32_t, uint32_t, uint32_t)
{
    GetAppHost().PostCommand(kCmdProjectData);
}

int CInfoSlot::OnCommand(uint32_t commandId)
{
    if (commandId == objcmd::Properties) {
        OnOpen(0, 0, 0);
        return 1;
    }
    // Part of the central device: it cannot be deleted.
    return 0;
}

void CInfoSlot::OnUpdateCommand(CCmdUI& cmdUI)
{
    cmdUI.Enable(cmdUI.m_nID == objcmd::Properties);
}
