#include "calendar/windows/CClockDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "calendar/CClock.h"

namespace {
CClockForm::KeptTexts& DialogTexts()
{
    static CClockForm::KeptTexts texts;
    return texts;
}
}  // namespace

CClockDlg::CClockDlg(CClock* clock, QWidget* parent) : QDialog(parent), m_clock(clock)
{
    setObjectName(QStringLiteral("237"));
    setWindowTitle(QString::fromStdString(clock ? clock->GetName() : std::string()));
    m_form = new CClockForm(DialogTexts(), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_form->Attach(clock);
    m_form->StartPolling();
}

void CClockDlg::accept()
{
    if (m_clock) {
        const CBaseDevice::ChangeGuard guard(*m_clock);
        m_clock->m_run = m_form->RunBox()->isChecked() ? "ON" : "OFF";
        m_clock->m_invert = m_form->InvertBox()->isChecked() ? "ON" : "OFF";
    }
    QDialog::accept();
}
