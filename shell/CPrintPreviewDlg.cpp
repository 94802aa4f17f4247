#include "shell/CPrintPreviewDlg.h"

#include <QToolBar>

#include "ui/CScreenFit.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CPrintPreviewDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CPrintPreviewDlg; });
}  // namespace

CPrintPreviewDlg::CPrintPreviewDlg(QPrinter* printer, QWidget* parent) : QPrintPreviewDialog(printer, parent)
{
    setObjectName(QStringLiteral("PrintPreviewDlg"));
}

CPrintPreviewDlg::CPrintPreviewDlg(QWidget* parent) : QPrintPreviewDialog(parent)
{
    setObjectName(QStringLiteral("PrintPreviewDlg"));
}

void CPrintPreviewDlg::setVisible(bool visible)
{
    QPrintPreviewDialog::setVisible(visible);
    // Shown, it widens to its bar's whole width; the screen fit then keeps
    // it on its screen.
    const QToolBar* bar = findChild<QToolBar*>();
    if (!visible || !bar)
        return;
    const int whole = bar->sizeHint().width() + width() - bar->width();
    if (width() >= whole)
        return;
    resize(whole, height());
    CScreenFit::Fit(this);
}
