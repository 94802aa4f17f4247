#include "service/windows/CFuseFrm.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "model/DocContext.h"
#include "service/windows/CFuseView.h"

CFuseFrm::CFuseFrm(QWidget* parent) : CFeatureFrm(Form::Service, parent)
{
    setObjectName(QStringLiteral("FuseFrm"));
    AddCommandBar(527, {kUpload, kDownload});
    SetTransferCommands(kUpload, kDownload);
    const bool connected = IsDocConnected() != 0;
    GetAction(kUpload)->setEnabled(connected);
    GetAction(kDownload)->setEnabled(connected);
    statusBar()->addWidget(new QLabel(QStringLiteral(" "), statusBar()), 1);
    m_view = new CFuseView(this);
    setCentralWidget(m_view);
    connect(m_view, &CFuseView::LinkLost, this, [this] {
        GetAction(kUpload)->setEnabled(false);
        GetAction(kDownload)->setEnabled(false);
    });
    m_view->OnInitialUpdate();
}

bool CFuseFrm::OnFrameCommand(unsigned commandId)
{
    if (commandId != kUpload && commandId != kDownload)
        return false;
    m_view->Transfer(commandId == kUpload);
    return true;
}
