#include "service/windows/CFaultDlgFrm.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "model/DocContext.h"
#include "service/CFault.h"
#include "service/windows/CFaultDlgView.h"

CFaultDlgFrm::CFaultDlgFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    setObjectName(QStringLiteral("FaultDlgFrm"));
    AddCommandBar(518, {kUpload, kDownload});
    SetTransferCommands(kUpload, kDownload);
    const bool connected = IsDocConnected() != 0;
    GetAction(kUpload)->setEnabled(connected);
    GetAction(kDownload)->setEnabled(connected);
    statusBar()->addWidget(new QLabel(QStringLiteral(" "), statusBar()), 1);
    m_view = new CFaultDlgView(this);
    setCentralWidget(m_view);
    connect(m_view, &CFaultDlgView::LinkLost, this, [this] {
        GetAction(kUpload)->setEnabled(false);
        GetAction(kDownload)->setEnabled(false);
    });
    m_view->OnInitialUpdate();
    m_view->RefreshFromObject();
}

bool CFaultDlgFrm::OnFrameCommand(unsigned commandId)
{
    if (commandId != kDownload && commandId != kUpload)
        return false;
    TransferAll(CFaultDlgView::Fault(), commandId == kUpload ? 1 : 0, -1);
    if (commandId == kUpload)
        m_view->RefreshFromObject();
    return true;
}
