#include "audio/windows/CRecorderFrm.h"

#include <QLabel>
#include <QStatusBar>

#include "audio/windows/CRecorderView.h"

CRecorderFrm::CRecorderFrm(QWidget* parent) : CFeatureFrm(Form::Service, parent)
{
    setObjectName(QStringLiteral("RecorderFrm"));
    const int widths[4] = {0, 140, 45, 35};
    for (int i = 0; i < 4; ++i) {
        m_panes[i] = new QLabel(QStringLiteral(" "), statusBar());
        if (i == 0) {
            statusBar()->addWidget(m_panes[i], 1);
        } else {
            m_panes[i]->setMinimumWidth(widths[i]);
            statusBar()->addPermanentWidget(m_panes[i]);
        }
    }
    m_view = new CRecorderView(this);
    setCentralWidget(m_view);
    AddDeviceControls({m_view->m_info, m_view->m_play, m_view->m_stop, m_view->m_record, m_view->m_erase,
                       m_view->m_format});
    m_view->OnInitialUpdate();
}

void CRecorderFrm::OnLineLost()
{
    m_view->OnLineLost();
    for (QLabel* pane : m_panes)
        pane->setText(QStringLiteral(" "));
}

void CRecorderFrm::SetPaneText(int pane, const QString& text)
{
    if (pane >= 0 && pane < 4)
        m_panes[pane]->setText(text);
}

QString CRecorderFrm::GetPaneText(int pane) const
{
    return pane >= 0 && pane < 4 ? m_panes[pane]->text() : QString();
}
