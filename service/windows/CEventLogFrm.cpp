#include "service/windows/CEventLogFrm.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "model/DocContext.h"
#include "service/windows/CEventLogView.h"

CEventLogFrm::CEventLogFrm(QWidget* parent) : CFeatureFrm(Form::Service, parent)
{
    setObjectName(QStringLiteral("EventLogFrm"));
    AddCommandBar(541, {kUpload, kDownload});
    SetTransferCommands(kUpload, kDownload);
    const bool connected = IsDocConnected() != 0;
    GetAction(kUpload)->setEnabled(connected);
    GetAction(kDownload)->setEnabled(connected);
    statusBar()->addWidget(new QLabel(QStringLiteral(" "), statusBar()), 1);
    m_view = new CEventLogView(this);
    setCentralWidget(m_view);
    connect(m_view, &CEventLogView::LinkLost, this, [this] {
        GetAction(kUpload)->setEnabled(false);
        GetAction(kDownload)->setEnabled(false);
    });
    m_view->OnInitialUpdate();
}

bool CEventLogFrm::OnFrameCommand(unsigned commandId)
{
    switch (commandId) {
    case kUpload:
    case kDownload:
        m_view->SendMasks(commandId == kUpload);
        return true;
    case servicewinid::TogglePage:
        m_view->TogglePage();
        return true;
    default:
        return false;
    }
}
