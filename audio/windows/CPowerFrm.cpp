#include "audio/windows/CPowerFrm.h"

#include <QAction>

#include "audio/windows/CPowerView.h"
#include "model/DocContext.h"

CPowerFrm::CPowerFrm(QWidget* parent) : CFeatureFrm(Form::Service, parent)
{
    setObjectName(QStringLiteral("PowerFrm"));
    AddCommandBar(529, {kUpload, kDownload});
    SetTransferCommands(kUpload, kDownload);
    const bool connected = IsDocConnected() != 0;
    GetAction(kUpload)->setEnabled(connected);
    GetAction(kDownload)->setEnabled(connected);
    m_view = new CPowerView(this);
    setCentralWidget(m_view);
    AddDeviceControls({m_view->m_on});
    m_view->OnInitialUpdate();
}

bool CPowerFrm::OnFrameCommand(unsigned commandId)
{
    if (commandId == kDownload || commandId == kUpload) {
        m_view->Transfer(commandId == kUpload);
        return true;
    }
    return false;
}
