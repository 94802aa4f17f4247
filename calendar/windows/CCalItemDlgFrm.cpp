#include "calendar/windows/CCalItemDlgFrm.h"

#include <QAction>
#include <QEvent>

#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"

CCalItemDlgFrm::CCalItemDlgFrm(const CCalItemDlgView::Variant& variant, const Commands& commands, QWidget* parent)
    : CFeatureFrm(Form::Edit, parent), m_commands(commands)
{
    AddCommandBar(commands.toolBarId, {commands.newItem, commands.deleteItem, 0, commands.upload, commands.download});
    SetTransferCommands(commands.upload, commands.download);
    m_view = new CCalItemDlgView(variant, this);
    setCentralWidget(m_view);
    // The Delete key is the frame's delete command.
    connect(m_view, &CCalendarListView::DeletePressed, this, [this] { OnCommand(m_commands.deleteItem); });
    UpdateTransferButtons();
    UpdateButtons();
}

void CCalItemDlgFrm::UpdateTransferButtons()
{
    const bool connected = IsDocConnected() != 0;
    GetAction(m_commands.upload)->setEnabled(connected);
    GetAction(m_commands.download)->setEnabled(connected);
}

void CCalItemDlgFrm::changeEvent(QEvent* event)
{
    CFeatureFrm::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !IsTransferring())
        UpdateTransferButtons();
}

void CCalItemDlgFrm::UpdateButtons()
{
    const CQuillomerDoc* doc = GetActiveDoc();
    const uint32_t type = m_view->GetVariant().type;
    const int count = doc ? doc->GetIDManager().GetCount(type) : 0;
    GetAction(m_commands.newItem)->setEnabled(doc && count != static_cast<int>(GetMaxObjectCount(type)));
    GetAction(m_commands.deleteItem)->setEnabled(count != 0);
}

bool CCalItemDlgFrm::OnFrameCommand(unsigned commandId)
{
    if (commandId == m_commands.newItem)
        m_view->NewItem();
    else if (commandId == m_commands.deleteItem)
        m_view->DeleteSelected();
    else if (commandId == m_commands.download)
        m_view->TransferAll(0);
    else if (commandId == m_commands.upload)
        m_view->TransferAll(1);
    else
        return false;
    UpdateButtons();
    return true;
}
