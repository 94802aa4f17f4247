#include "audio/windows/CPilotFrm.h"

#include <QAction>

#include "audio/windows/CPilotView.h"
#include "model/DocContext.h"

CPilotFrm::CPilotFrm(QWidget* parent) : CFeatureFrm(Form::Service, parent)
{
    setObjectName(QStringLiteral("PilotFrm"));
    AddCommandBar(528, {kUpload, kDownload});
    SetTransferCommands(kUpload, kDownload);
    const bool connected = IsDocConnected() != 0;
    GetAction(kUpload)->setEnabled(connected);
    GetAction(kDownload)->setEnabled(connected);
    m_view = new CPilotView(this);
    setCentralWidget(m_view);
    m_view->OnInitialUpdate();
}

bool CPilotFrm::OnFrameCommand(unsigned commandId)
{
    if (commandId == kDownload || commandId == kUpload) {
        m_view->Transfer(commandId == kUpload);
        return true;
    }
    return false;
}
