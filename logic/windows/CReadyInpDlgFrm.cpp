#include "logic/windows/CReadyInpDlgFrm.h"

#include <QSplitter>

#include "logic/windows/CReadyInpDlgView.h"
#include "logic/windows/CReadyInpOptionsView.h"
#include "logic/windows/LogicWindowIds.h"

CReadyInpDlgFrm::CReadyInpDlgFrm(QWidget* parent)
    : CLogicListFrm({logicwin::ReadyBar, logicwin::NewReady, logicwin::DeleteReady, logicwin::UploadReady,
                     logicwin::DownloadReady},
                    nullptr, parent)
{
    setObjectName(QStringLiteral("ReadyInpDlgFrm"));
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* view = new CReadyInpDlgView(splitter);
    view->setMinimumSize(560, 100);
    m_options = new CReadyInpOptionsView(splitter);
    splitter->addWidget(view);
    splitter->addWidget(m_options);
    splitter->setStretchFactor(0, 1);
    connect(m_options, &CReadyInpOptionsView::TextsChanged, this, &CReadyInpDlgFrm::RefreshPanes);
    SetView(view, splitter);
}

void CReadyInpDlgFrm::RefreshPanes()
{
    CLogicListFrm::RefreshPanes();
    if (m_options)
        m_options->FillOptions();
}
