#include "shell/CZoomToolBar.h"

#include "shell/CFontManager.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerView.h"
#include "shell/ShellIds.h"

#include <QComboBox>

const CZoomToolBar::ZoomEntry CZoomToolBar::kZoomTable[kEntryCount] = {
    {"50%", 2}, {"75%", 3}, {"100%", 4}, {"125%", 5}, {"150%", 6},
};

CZoomToolBar::CZoomToolBar(CMainFrame* frame) : QToolBar(frame), m_frame(frame)
{
    setObjectName(QStringLiteral("ZoomToolBar"));
}

void CZoomToolBar::SetupZoomCombo()
{
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("ZoomCombo"));
    m_combo->setProperty("commandId", ids::ZoomCombo);
    m_combo->setFixedWidth(80);
    m_combo->setMaxVisibleItems(8);
    m_combo->setFont(CFontManager::MakeFont(QStringLiteral("MS Sans Serif"), 8, 400));
    m_combo->setToolTip(tr("Zoom In / Zoom Out"));
    for (const ZoomEntry& e : kZoomTable)
        m_combo->addItem(QString::fromLatin1(e.text));
    m_combo->setCurrentIndex(2);
    addWidget(m_combo);
    connect(m_combo, &QComboBox::activated, this, &CZoomToolBar::OnSelectionChanged);
}

void CZoomToolBar::SetZoom(int level)
{
    if (!m_combo)
        return;
    const auto index = static_cast<uint16_t>(level - 2);
    // An index equal to the count is let through as "no selection".
    if (index <= kEntryCount)
        m_combo->setCurrentIndex(index < kEntryCount ? index : -1);
}

void CZoomToolBar::UpdateComboState(bool hasActiveView)
{
    if (!m_combo)
        return;
    if (!hasActiveView)
        m_combo->setCurrentIndex(-1);
    m_combo->setEnabled(hasActiveView);
}

void CZoomToolBar::OnSelectionChanged(int index)
{
    if (index < 0 || index >= kEntryCount || !m_frame)
        return;
    if (CQuillomerView* view = m_frame->GetActiveView())
        view->SetZoom(kZoomTable[index].level);
}
