#include "ui/CChooseDirectoryPage.h"

#include "comm/SettingsFile.h"
#include "ui/CChooseDirectoryDlg.h"
#include "ui/CDriveView.h"
#include "ui/CPathLabel.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

CChooseDirectoryPage::CChooseDirectoryPage(QWidget* parent) : CPropertyPage(tr("Verzeichnisse"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(tr("Projektverzeichnis"), this);
    auto* row = new QHBoxLayout(box);
    m_stcDirectory = new CPathLabel(box);
    m_stcDirectory->setFrameShape(QFrame::StyledPanel);
    m_stcDirectory->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_btnBrowse = new QPushButton(tr("&Durchsuchen..."), box);
    row->addWidget(m_stcDirectory, 1);
    row->addWidget(m_btnBrowse);
    layout->addWidget(box);
    layout->addStretch(1);
    connect(m_btnBrowse, &QPushButton::clicked, this, &CChooseDirectoryPage::OnBrowse);
}

QString CChooseDirectoryPage::WorkDirectory()
{
    // The home directory takes the place of the root of drive C.
    return QSettings().value(SettingsKey(), QDir::homePath()).toString();
}

bool CChooseDirectoryPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_stcDirectory->SetPath(WorkDirectory());
    return true;
}

void CChooseDirectoryPage::OnBrowse()
{
    CChooseDirectoryDlg dlg(this);
    // It opens on the folder held, so that OK unchanged keeps it.
    dlg.DriveView()->SelectPath(WorkDirectory());
    if (dlg.DoModal() != QDialog::Accepted || dlg.m_strDirectory.isEmpty())
        return;
    // Stored at once, not only on Apply.
    WriteSetting(SettingsKey(), dlg.m_strDirectory);
    m_stcDirectory->SetPath(WorkDirectory());
}
