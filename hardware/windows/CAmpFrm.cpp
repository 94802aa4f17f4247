#include "hardware/windows/CAmpFrm.h"

#include <QAction>
#include <QSplitter>
#include <QToolBar>

#include "hardware/windows/CAmpView.h"
#include "model/DocContext.h"
#include "platform/StringTable.h"
#include "ui/CObjectDlg.h"
#include "ui/CPictureSet.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CAmpFrm"),
    [](CQuillomerDoc* doc) -> QWidget* {
        return new CObjectDlg(doc, CAmpFrm::kWindowKind);
    });
}  // namespace

namespace {
// The feature window host shows this window for its kind 3.
const bool g_registered = [] {
    CObjectDlg::RegisterFrame(CAmpFrm::kWindowKind,
                              [](CQuillomerDoc*, QWidget* parent) -> QWidget* { return new CAmpFrm(parent); });
    return true;
}();
}  // namespace


CAmpFrm::CAmpFrm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("AmpFrm"));
    setWindowFlags(Qt::Widget);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    for (int i = 0; i < 3; ++i) {
        m_panes[i] = new CAmpView(m_splitter);
        m_splitter->addWidget(m_panes[i]);
    }
    // The panes share the width 1 : 2 : 2.
    m_splitter->setSizes({150, 300, 300});
    setCentralWidget(m_splitter);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QString::number(kToolBarId));
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // The buttons only show whether this document is the one on the device.
    const bool connected = IsDocConnected() != 0;
    m_button1 = AddButton(kButton1, connected);
    m_button2 = AddButton(kButton2, connected);
    CPictureSet::ApplyToolBar(m_toolBar, kToolBarId);
}

QAction* CAmpFrm::AddButton(unsigned commandId, bool checked)
{
    QAction* action = m_toolBar->addAction(QString());
    action->setObjectName(QString::number(commandId));
    action->setCheckable(true);
    action->setChecked(checked);
    action->setToolTip(ToolTipText(commandId));
    // The commands do nothing: a click must not change what the button shows.
    connect(action, &QAction::triggered, action, [action, checked] { action->setChecked(checked); });
    return action;
}

CAmpView* CAmpFrm::GetPane(int column) const
{
    return column >= 0 && column < 3 ? m_panes[column] : nullptr;
}

QString CAmpFrm::ToolTipText(unsigned commandId)
{
    const QString text = QString::fromStdString(LoadStringId(commandId));
    const qsizetype nl = text.indexOf(QLatin1Char('\n'));
    if (nl < 0)
        return {};
    return text.mid(nl + 1).left(80);
}
