#include "calendar/windows/CClockDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "calendar/CClock.h"
#include "platform/StringTable.h"

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
    // Titled as the clock window is: the clock object's own name is a
    // placeholder ("*** 1") that the user never gave.
    setWindowTitle(QString::fromStdString(LoadStringId(CClock::kKindId)));
    // What the project holds before any answer comes in: the device's
    // answers and the echoes of the lines the boxes send store their word in
    // the clock at once, so OK compares with this, not with the clock.
    if (clock) {
        m_openRun = clock->m_run;
        m_openInvert = clock->m_invert;
    }
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
        if (m_clock->m_run != m_openRun || m_clock->m_invert != m_openInvert)
            m_clock->SetDocModified();
    }
    QDialog::accept();
}
