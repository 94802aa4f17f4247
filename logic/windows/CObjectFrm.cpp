#include "logic/windows/CObjectFrm.h"

#include <QAction>
#include <QSplitter>

#include "logic/CVirtCtrl.h"
#include "logic/windows/CDesignerListView.h"
#include "logic/windows/VirtCtrlIds.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"

CObjectFrm::CObjectFrm(CQuillomerDoc* doc, QWidget* parent)
    : CFeatureFrm(Form::Edit, parent), m_doc(doc ? doc : GetActiveDoc())
{
    setObjectName(QStringLiteral("ObjectFrm"));
    AddCommandBar(vcid::ToolBar, {vcid::NewController, vcid::DeleteController, 0, vcid::UploadAll, vcid::DownloadAll});
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    for (int i = 0; i < 3; ++i) {
        m_panes[i] = new virtctrl::CDesignerListView(m_doc, this, m_splitter);
        m_splitter->addWidget(m_panes[i]);
        m_splitter->setStretchFactor(i, i == 0 ? 1 : 2);
    }
    m_splitter->setSizes({150, 300, 300});
    setCentralWidget(m_splitter);
    // The transfer buttons keep the state the link had when the window opened,
    // until the line is lost.
    SetTransferCommands(vcid::UploadAll, vcid::DownloadAll);
    const bool connected = IsDocConnected() != 0;
    for (unsigned id : {vcid::DownloadAll, vcid::UploadAll})
        if (QAction* a = GetAction(id))
            a->setEnabled(connected);
    UpdatePanes();
}

virtctrl::CDesignerListView* CObjectFrm::GetPane(int i) const
{
    return i >= 0 && i < 3 ? m_panes[i] : nullptr;
}

CVirtCtrl* CObjectFrm::Table() const
{
    return m_panes[0]->Pane().GetTable();
}

void CObjectFrm::UpdatePanes()
{
    m_panes[0]->FillControllerList();
    m_panes[1]->FillSourceList();
    m_panes[2]->FillDestinationList();
    UpdateButtons();
}

void CObjectFrm::UpdateButtons()
{
    const virtctrl::CDesignerView& pane = m_panes[0]->Pane();
    if (QAction* a = GetAction(vcid::NewController))
        a->setEnabled(pane.CanCreateController());
    if (QAction* a = GetAction(vcid::DeleteController))
        a->setEnabled(pane.CanDeleteController());
}

bool CObjectFrm::OnFrameCommand(unsigned commandId)
{
    switch (commandId) {
    case vcid::NewController:
        m_panes[0]->Pane().NewController();
        UpdatePanes();
        return true;
    case vcid::DeleteController:
        m_panes[0]->setFocus();
        if (m_panes[0]->Pane().DeleteController())
            UpdatePanes();
        return true;
    case vcid::DownloadAll: TransferAllControllers(false); return true;
    case vcid::UploadAll: TransferAllControllers(true); return true;
    default: return false;
    }
}

void CObjectFrm::TransferAllControllers(bool upload)
{
    CVirtCtrl* table = Table();
    if (!table)
        return;
    CQuillomerDoc* doc = m_doc;
    auto locks = [doc](const char* state) {
        return [doc, state] {
            SendCommand(std::string("/VIRTCTRL/SOURCE/LOCK ") + state, doc, false);
            SendCommand(std::string("/VIRTCTRL/DEST/LOCK ") + state, doc, false);
        };
    };
    if (upload) {
        TransferAll(table, 1, -1);
        UpdatePanes();
    } else {
        TransferAll(table, 0, -1, locks("ON"), locks("OFF"));
    }
}

void CObjectFrm::TransferSelected(bool upload)
{
    CVirtCtrl* table = Table();
    const CVirtCtrlItem* item = m_panes[0]->SelectedController();
    if (!table || !item)
        return;
    const int n = item->GetNumber();
    TransferSteps(table, upload ? 1 : 0, -1, 6 * n - 5, 6 * n + 1, item->GetName());
    if (upload)
        m_panes[0]->FillControllerList();
}
