#include "shell/CChildFrame.h"

#include "model/CQuillomerDoc.h"
#include "shell/CDocTemplate.h"
#include "shell/CQuillomerView.h"
#include "ui/CWindowRegistry.h"

#include <QCloseEvent>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CChildFrame"),
    [](CQuillomerDoc* doc) -> QWidget* { return new CChildFrame(nullptr, doc); });
}  // namespace

CChildFrame::CChildFrame(CDocTemplate* docTemplate, CQuillomerDoc* doc, QWidget* parent)
    : QMdiSubWindow(parent), m_template(docTemplate)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_view = new CQuillomerView(doc, this);
    setWidget(m_view);
    UpdateTitle();
}

void CChildFrame::UpdateTitle()
{
    CQuillomerDoc* doc = m_view ? m_view->GetDocument() : nullptr;
    if (!doc)
        return;
    const QString title = QString::fromStdString(doc->GetTitle());
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (!m_closing && m_template && m_view && m_view->GetDocument()) {
        if (!m_template->CloseDocument(m_view->GetDocument())) {
            event->ignore();
            return;
        }
    }
    event->accept();
    QMdiSubWindow::closeEvent(event);
}
