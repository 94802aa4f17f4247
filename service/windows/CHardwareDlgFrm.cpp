#include "service/windows/CHardwareDlgFrm.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "model/DocContext.h"
#include "service/windows/CHardwareDlgTreeView.h"

using namespace servicewinid;

CHardwareDlgFrm::CHardwareDlgFrm(QWidget* parent) : CFeatureFrm(Form::Edit, parent)
{
    setObjectName(QStringLiteral("HardwareDlgFrm"));
    AddCommandBar(524, {ScanSlots, ScanConsoles, ScanAmplifiers, ScanCards});
    const bool connected = IsDocConnected() != 0;
    AddDeviceCommands({ScanSlots, ScanConsoles, ScanAmplifiers, ScanCards});
    for (unsigned id : {ScanSlots, ScanConsoles, ScanAmplifiers, ScanCards})
        GetAction(id)->setEnabled(connected);
    statusBar()->addWidget(new QLabel(QStringLiteral(" "), statusBar()), 1);
    m_view = new CHardwareDlgTreeView(this);
    setCentralWidget(m_view);
    if (connected)
        m_view->ScanSlots();
    else
        m_view->ClearTree();
}

void CHardwareDlgFrm::OnLineLost()
{
    m_view->ClearTree();
}

bool CHardwareDlgFrm::OnFrameCommand(unsigned commandId)
{
    switch (commandId) {
    case ScanSlots: m_view->ScanSlots(); return true;
    case ScanConsoles: m_view->ScanConsoles(); return true;
    case ScanAmplifiers: m_view->ScanAmplifiers(); return true;
    case ScanCards: m_view->ScanCards(); return true;
    default: return false;
    }
}
