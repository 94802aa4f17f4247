#include "comm/windows/CProtocolMonitorFrm.h"

#include <QSettings>
#include <QVBoxLayout>

#include "comm/CCommLink.h"
#include "comm/SettingsFile.h"
#include "comm/windows/CProtocolMonitorView.h"
#include "comm/windows/CommWindowSamples.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CProtocolMonitorFrm"),
    [](CQuillomerDoc*) -> QWidget* {
        auto* frame = new CProtocolMonitorFrm;
        frame->SetLink(&SampleCommLink());
        return frame;
    });
}  // namespace

CProtocolMonitorFrm::CProtocolMonitorFrm(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new CProtocolMonitorView(this);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    setWindowTitle(tr("QUILLOMER Communication Monitor"));
}

void CProtocolMonitorFrm::SetLink(CCommLink* link)
{
    m_link = link;
    m_view->SetLink(link);
}

QString CProtocolMonitorFrm::PlacementText(const QRect& frame)
{
    return QStringLiteral("%1,%2,%3,%4").arg(frame.left()).arg(frame.top()).arg(frame.width()).arg(frame.height());
}

void CProtocolMonitorFrm::StorePlacement()
{
    if (!isVisible())
        return;
    WriteSetting(QStringLiteral("Settings/MonitorSize"), PlacementText(frameGeometry()));
}

void CProtocolMonitorFrm::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    StorePlacement();
}

void CProtocolMonitorFrm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    StorePlacement();
}

void CProtocolMonitorFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_link)
        m_link->ClearLastSentPath();
}
