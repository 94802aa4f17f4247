#include "paging/windows/CZoneListHost.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/CQuillomerDoc.h"
#include "paging/windows/CZoneListView.h"
#include "platform/StringTable.h"
#include "ui/CPictureSet.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

namespace {
constexpr int kZoneTestBarId = 542;  // the zone test's command bar

[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(
    QStringLiteral("CZoneListHost"), [](CQuillomerDoc* doc) -> QWidget* { return new CZoneListHost(doc); });
}  // namespace

CZoneListHost::CZoneListHost(CQuillomerDoc* doc, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(LoadStringId(34457)));
    m_pView = new CZoneListView(doc, this);
    m_pDownload = new QToolButton(this);
    m_pDownload->setText(QString::fromStdString(LoadStringId(34614)));
    m_pRefresh = new QToolButton(this);
    m_pRefresh->setText(QString::fromStdString(LoadStringId(34626)));
    // The pictures these commands have on the zone test's bar, beside their texts.
    m_pDownload->setIcon(CPictureSet::ToolButton(kZoneTestBarId, 34614));
    m_pRefresh->setIcon(CPictureSet::ToolButton(kZoneTestBarId, 34626));
    for (QToolButton* b : {m_pDownload, m_pRefresh})
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_pStatus = new QLabel(this);
    m_pStatus->setFrameShape(QFrame::Panel);
    m_pStatus->setFrameShadow(QFrame::Sunken);
    connect(m_pDownload, &QToolButton::clicked, this, [this] { m_pView->TransferLineData(false); });
    connect(m_pRefresh, &QToolButton::clicked, this, [this] { m_pView->OnRefresh(); });
    m_pView->statusChanged = [this](const QString& text) { m_pStatus->setText(text); };
    m_pView->buttonsEnabled = [this](bool on) { m_pDownload->setEnabled(on); };
    m_pView->refreshEnabled = [this](bool on) { m_pRefresh->setEnabled(on); };
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_pDownload);
    bar->addWidget(m_pRefresh);
    bar->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(bar);
    root->addWidget(m_pView, 1);
    root->addWidget(m_pStatus);
    m_pView->OnInitialUpdate();
    ApplyDesignedSize(this, QSize(700, 220));
}
