#include "logic/windows/CLogicListFrm.h"

#include <QAction>

#include "logic/windows/CLogicListView.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"

CLogicListFrm::CLogicListFrm(const Commands& commands, CLogicListView* view, QWidget* parent)
    : CFeatureFrm(Form::Edit, parent), m_commands(commands)
{
    if (commands.upload) {
        AddCommandBar(commands.toolBarId, {commands.newItem, commands.deleteItem, 0, commands.upload, commands.download});
        SetTransferCommands(commands.upload, commands.download);
    } else
        AddCommandBar(commands.toolBarId, {commands.newItem, commands.deleteItem});
    if (view)
        SetView(view);
}

void CLogicListFrm::SetView(CLogicListView* view, QWidget* central)
{
    m_view = view;
    setCentralWidget(central ? central : view);
    // Every rebuild selects a row while there are any (an upload may bring
    // the first or take the last): the delete button follows. The new button
    // keeps its state until New or Delete.
    connect(view, &CLogicListView::ListRebuilt, this, &CLogicListFrm::UpdateDeleteButton);
    // The transfer buttons follow the connection as it is when the window opens.
    const bool connected = IsDocConnected() != 0;
    for (unsigned id : {m_commands.upload, m_commands.download})
        if (QAction* a = id ? GetAction(id) : nullptr)
            a->setEnabled(connected);
    RefreshPanes();
    UpdateButtons();
}

void CLogicListFrm::RefreshPanes()
{
    if (m_view)
        m_view->RefreshList();
}

void CLogicListFrm::UpdateButtons()
{
    if (!m_view)
        return;
    const CQuillomerDoc* doc = GetActiveDoc();
    const uint32_t type = m_view->GetType();
    const int count = m_view->ObjectCount();
    const int limit = doc ? static_cast<int>(GetMaxObjectCount(type, doc->m_data.deviceVariant)) : 0;
    GetAction(m_commands.newItem)->setEnabled(doc && count != limit);
    UpdateDeleteButton();
}

void CLogicListFrm::UpdateDeleteButton()
{
    if (m_view)
        GetAction(m_commands.deleteItem)->setEnabled(m_view->ObjectCount() != 0);
}

bool CLogicListFrm::OnFrameCommand(unsigned commandId)
{
    if (!m_view || commandId == 0)
        return false;
    if (commandId == m_commands.newItem) {
        m_view->NewEntry();
        RefreshPanes();
        UpdateButtons();
    } else if (commandId == m_commands.deleteItem) {
        m_view->DeleteSelectedItem();
        RefreshPanes();
        UpdateButtons();
    } else if (commandId == m_commands.download) {
        m_view->TransferAll(0);
    } else if (commandId == m_commands.upload) {
        m_view->TransferAll(1);
        RefreshPanes();
    } else {
        return false;
    }
    return true;
}
