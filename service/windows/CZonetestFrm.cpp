#include "service/windows/CZonetestFrm.h"

#include <QAction>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>

#include "model/DocContext.h"
#include "paging/windows/CZoneListView.h"
#include "service/windows/CZonetestPropDlg.h"
#include "service/windows/CZonetestView.h"

CZonetestFrm::CZonetestFrm(QWidget* parent) : CFeatureFrm(Form::Service, parent)
{
    setObjectName(QStringLiteral("ZonetestFrm"));
    AddCommandBar(542, {kUpload, kDownload, 0, kProperties, kRefresh, 0, kExport, kPrint});
    SetTransferCommands(kUpload, kDownload);
    const bool connected = IsDocConnected() != 0;
    GetAction(kUpload)->setEnabled(connected);
    GetAction(kDownload)->setEnabled(connected);
    statusBar()->addWidget(new QLabel(QStringLiteral(" "), statusBar()), 1);
    m_modePane = new QLabel(QStringLiteral(" "), statusBar());
    m_modePane->setMinimumWidth(150);
    statusBar()->addPermanentWidget(m_modePane);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_zoneList = new CZoneListView(GetActiveDoc(), splitter);
    m_zoneList->setMinimumHeight(120);
    m_view = new CZonetestView(m_zoneList, splitter);
    splitter->addWidget(m_zoneList);
    splitter->addWidget(m_view);
    splitter->setSizes({220, 200});
    setCentralWidget(splitter);
    m_zoneList->statusChanged = [this](const QString& text) { m_modePane->setText(text); };
    // A query round or a transfer of the list holds the commands that would
    // start another one; a refresh also waits for a connection.
    // A lost line keeps them off.
    m_zoneList->buttonsEnabled = [this, connected](bool on) {
        GetAction(kUpload)->setEnabled(on && connected && IsOnline());
        GetAction(kDownload)->setEnabled(on && connected && IsOnline());
    };
    m_zoneList->refreshEnabled = [this](bool on) { GetAction(kRefresh)->setEnabled(on); };
    m_zoneList->OnInitialUpdate();
    m_view->OnInitialUpdate();
    // The measurement and its buttons.
    for (int id : {1551, 1693, 1694, 1695, 1696})
        AddDeviceControls({m_view->GetButton(id)});
}

bool CZonetestFrm::OnFrameCommand(unsigned commandId)
{
    switch (commandId) {
    case kUpload:
    case kDownload:
        m_zoneList->TransferLineData(commandId == kUpload);
        return true;
    case kProperties: {
        CZonetestPropDlg dialog;
        dialog.exec();
        return true;
    }
    case kRefresh:
        m_zoneList->OnRefresh();
        return true;
    case kExport:
        m_zoneList->ExportList();
        return true;
    case kPrint:
        m_zoneList->PrintList();
        return true;
    default:
        return false;
    }
}
