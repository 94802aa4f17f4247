#include "ui/CPropertyPage.h"

CPropertyPage::CPropertyPage(const QString& title, QWidget* parent) : QWidget(parent), m_strTitle(title) {}

void CPropertyPage::SetModified(bool modified)
{
    m_bModified = modified;
    emit ModifiedChanged(modified);
}

void CPropertyPage::EnsureInitialised()
{
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    OnInitDialog();
}

bool CPropertyPage::OnApply()
{
    SetModified(false);
    return true;
}

void CPropertyPage::showEvent(QShowEvent* event)
{
    EnsureInitialised();
    QWidget::showEvent(event);
}
