#include "ui/CPropertySheet.h"

#include "ui/CPropertyPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertySheet::CPropertySheet(const QString& caption, QWidget* parent, int selectPage)
    : QDialog(parent), m_nStartPage(selectPage)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    m_pTabs = new QTabWidget(this);
    layout->addWidget(m_pTabs);
    m_pButtons = new QDialogButtonBox(this);
    m_pButtons->addButton(tr("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    m_pCancel = m_pButtons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    m_pApply = m_pButtons->addButton(tr("Übernehmen"), QDialogButtonBox::ApplyRole);
    m_pApply->setEnabled(false);
    layout->addWidget(m_pButtons);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);
    connect(m_pApply, &QPushButton::clicked, this, [this] { Apply(); });
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (CPropertyPage* page = GetPage(index)) {
            page->EnsureInitialised();
            page->OnSetActive();
        }
    });
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (!page)
        return;
    m_Pages.append(page);
    m_pTabs->addTab(page, page->GetTitle());
    connect(page, &CPropertyPage::ModifiedChanged, this, [this](bool modified) {
        if (modified) {
            m_pApply->setEnabled(true);
            return;
        }
        bool any = false;
        for (CPropertyPage* p : m_Pages)
            any = any || p->IsModified();
        m_pApply->setEnabled(any);
    });
}

void CPropertySheet::CancelToClose()
{
    m_pCancel->setText(tr("Schließen"));
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < m_Pages.size() ? m_Pages.at(index) : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(m_pTabs->currentIndex());
}

void CPropertySheet::SetActivePage(int index)
{
    if (index >= 0 && index < m_Pages.size())
        m_pTabs->setCurrentIndex(index);
}

void CPropertySheet::showEvent(QShowEvent* event)
{
    if (m_nStartPage >= 0) {
        SetActivePage(m_nStartPage);
        m_nStartPage = -1;
    }
    if (CPropertyPage* page = GetActivePage())
        page->EnsureInitialised();
    QDialog::showEvent(event);
}

int CPropertySheet::DoModal()
{
    return exec();
}

bool CPropertySheet::Apply()
{
    if (CPropertyPage* active = GetActivePage())
        if (!active->OnKillActive())
            return false;
    for (CPropertyPage* page : m_Pages)
        if (page->IsInitialised() && !page->OnApply())
            return false;
    m_pApply->setEnabled(false);
    return true;
}

void CPropertySheet::accept()
{
    if (Apply())
        QDialog::accept();
}

void CPropertySheet::reject()
{
    for (CPropertyPage* page : m_Pages)
        if (page->IsInitialised())
            page->OnCancel();
    QDialog::reject();
}
