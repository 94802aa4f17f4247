#include "hardware/windows/CLMZFrm.h"

#include <QAction>
#include <QSplitter>
#include <QToolBar>

#include "model/DocContext.h"
#include "ui/CObjectDlg.h"
#include "ui/CPictureSet.h"
#include "ui/CWindowRegistry.h"

namespace {
const bool g_registered = [] {
    CObjectDlg::RegisterFrame(CLMZFrm::kWindowKind,
                              [](CQuillomerDoc*, QWidget* parent) -> QWidget* { return new CLMZFrm(parent); });
    return CWindowRegistry::Register(QStringLiteral("CLMZFrm"), [](CQuillomerDoc* doc) -> QWidget* {
        return new CObjectDlg(doc, CLMZFrm::kWindowKind);
    });
}();
}  // namespace

CLMZView::CLMZView(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setHeaderHidden(true);
}

CLMZFrm::CLMZFrm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("LMZFrm"));
    // A main window is a window of its own by birth; this one lives inside
    // its host.
    setWindowFlags(Qt::Widget);
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QString::number(kToolBarId));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    const bool connected = IsDocConnected() != 0;
    // Both buttons do nothing yet; they only hold their place.
    for (unsigned id : {kCardIn, kCardOut}) {
        QAction* a = m_toolBar->addAction(CPictureSet::ToolButton(kToolBarId, id), QString());
        a->setObjectName(QString::number(id));
        a->setEnabled(connected);
    }
    m_toolBar->setIconSize(QSize(18, 18));
    CPictureSet::ApplyToolBar(m_toolBar, kToolBarId);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    for (CLMZView*& pane : m_panes) {
        pane = new CLMZView(splitter);
        splitter->addWidget(pane);
    }
    splitter->setSizes({150, 300, 300});
    setCentralWidget(splitter);
}
