#include "ui/CChooseDirectoryDlg.h"

#include "platform/MessageBox.h"
#include "ui/CDriveView.h"
#include "ui/CWindowRegistry.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CChooseDirectoryDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CChooseDirectoryDlg; });
}  // namespace

CChooseDirectoryDlg::CChooseDirectoryDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Projektverzeichnis auswählen"));
    setWindowIcon(QApplication::windowIcon());
    auto* layout = new QVBoxLayout(this);
    // A frame inside the dialog holds the tree and its status bar. A main
    // window is a window of its own whatever flags it is made with: only
    // made a plain widget afterwards does it show inside the dialog.
    m_pFrame = new QMainWindow(this);
    m_pFrame->setWindowFlags(Qt::Widget);
    m_pFrame->statusBar();  // one plain text pane
    m_pView = new CDriveView(m_pFrame);
    m_pFrame->setCentralWidget(m_pView);
    layout->addWidget(m_pFrame, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CChooseDirectoryDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CChooseDirectoryDlg::reject);
    resize(360, 400);
}

void CChooseDirectoryDlg::accept()
{
    const QString path = m_pView->GetSelectedPath();
    // The tree shows the folders as they were when it read them: one
    // removed since, or replaced by a file, or a link whose folder went, is
    // no project folder. The chooser stays open, the setting as it was.
    const QFileInfo folder(path);
    if (!path.isEmpty() && !folder.isDir()) {
        const QString reason = folder.exists() ? tr("Der Name bezeichnet eine Datei, keinen Ordner.")
                                               : tr("Der Ordner ist nicht vorhanden.");
        ShowMessage(tr("Das Verzeichnis '%1' kann nicht gewählt werden !\n( %2 )")
                        .arg(QDir::toNativeSeparators(path), reason)
                        .toStdString(),
                    mb::Ok | mb::IconExclamation);
        // Its folder read afresh: what is gone is no longer offered.
        if (QTreeWidgetItem* item = m_pView->currentItem(); item && item->parent()) {
            QTreeWidgetItem* parent = item->parent();
            m_pView->collapseItem(parent);
            m_pView->expandItem(parent);
        }
        return;
    }
    m_strDirectory = path;
    QDialog::accept();
}

void CChooseDirectoryDlg::reject()
{
    m_strDirectory.clear();
    QDialog::reject();
}
