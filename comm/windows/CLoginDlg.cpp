#include "comm/windows/CLoginDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "comm/CCommLink.h"
#include "comm/windows/CommWindowSamples.h"
#include "ui/CTextGuard.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CLoginDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CLoginDlg(SampleCommLink(), CLoginDlg::SetPassword); });
}  // namespace

CLoginDlg::CLoginDlg(CCommLink& link, int mode, QWidget* parent)
    : QDialog(parent)
    , m_link(link)
    , m_mode(mode)
{
    setWindowTitle(tr("Login"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(10);
    m_confirmation = new QLineEdit(this);
    m_confirmation->setEchoMode(QLineEdit::Password);
    m_confirmation->setMaxLength(20);
    // A password goes to the device as typed, or it would not be the one
    // the user knows.
    CTextGuard::Guard(m_password);
    CTextGuard::Guard(m_confirmation);
    m_confirmLabel = new QLabel(tr("Bestätigung des Passwort"), this);
    form->addRow(tr("Passwort"), m_password);
    form->addRow(m_confirmLabel, m_confirmation);
    layout->addLayout(form);
    m_remove = new QCheckBox(tr("Passwortschutz aufheben"), this);
    layout->addWidget(m_remove);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLoginDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLoginDlg::reject);

    const bool login = m_mode == Login;
    m_confirmLabel->setVisible(!login);
    m_confirmation->setVisible(!login);
    m_remove->setVisible(login);
    m_remove->setEnabled(true);
}

void CLoginDlg::accept()
{
    const std::string password = m_password->text().toStdString();
    bool ok;
    if (m_mode == Login)
        ok = m_link.TryLogin(password, m_remove->isChecked());
    else
        ok = m_link.TrySetPassword(password, m_confirmation->text().toStdString());
    if (ok)
        QDialog::accept();
}
