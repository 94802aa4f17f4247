#include "ui/CProgressDlg.h"

#include "ui/NumberFormat.h"

#include "platform/StringTable.h"
#include "ui/CWindowRegistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CProgressDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CProgressDlg; });
}  // namespace

CProgressDlg::CProgressDlg(unsigned int captionId) : CProgressDlg(captionId ? captionId : 117, nullptr) {}

CProgressDlg::CProgressDlg(unsigned int captionId, QWidget* top) : QDialog(nullptr), m_nCaptionID(captionId)
{
    auto* layout = new QVBoxLayout(this);
    m_pStatus = new QLabel(this);
    m_pStatus->setMinimumWidth(280);
    m_pProgress = new QProgressBar(this);
    m_pProgress->setTextVisible(false);
    m_pPercent = new QLabel(this);
    m_pPercent->setAlignment(Qt::AlignCenter);
    m_pCancel = new QPushButton(tr("Abbrechen"), this);
    if (top) {
        // Animation, status, percent, bar, button.
        top->setParent(this);
        layout->addWidget(top, 0, Qt::AlignHCenter);
        layout->addWidget(m_pStatus);
        layout->addWidget(m_pPercent);
        layout->addWidget(m_pProgress);
    } else {
        // Status, bar, percent, button.
        layout->addWidget(m_pStatus);
        layout->addWidget(m_pProgress);
        layout->addWidget(m_pPercent);
    }
    layout->addWidget(m_pCancel, 0, Qt::AlignHCenter);
    connect(m_pCancel, &QPushButton::clicked, this, &CProgressDlg::OnCancel);
    setModal(false);
}

CProgressDlg::~CProgressDlg()
{
    if (m_bCreated)
        DestroyWindow();
}

bool CProgressDlg::Create(QWidget* parent)
{
    QWidget* owner = parent ? parent->window() : QApplication::activeWindow();
    if (owner == this)
        owner = nullptr;
    m_pOwner = owner;
    if (owner && owner->isEnabled()) {
        owner->setEnabled(false);
        m_bParentDisabled = true;
    }
    if (owner)
        setParent(owner, windowFlags() | Qt::Dialog);
    // The dialog itself stays usable although its owner is disabled.
    setEnabled(true);
    if (!OnInitDialog()) {
        if (m_bParentDisabled && m_pOwner)
            m_pOwner->setEnabled(true);
        m_bParentDisabled = false;
        return false;
    }
    m_bCreated = true;
    show();
    return true;
}

bool CProgressDlg::OnInitDialog()
{
    m_pProgress->setRange(m_nLower, m_nUpper);
    m_pProgress->setValue(m_nLower);
    setWindowTitle(QString::fromStdString(LoadStringId(m_nCaptionID)));
    return true;
}

void CProgressDlg::SetStatus(const QString& text)
{
    m_pStatus->setText(text);
}

void CProgressDlg::SetRange(int lower, int upper)
{
    m_nLower = lower;
    m_nUpper = upper;
    // The bar keeps its position, moved to the nearer bound when the new
    // range leaves it outside; the percent text then follows the bar.
    const int pos = m_pProgress->value();
    const bool placed = pos >= m_pProgress->minimum();  // not the bar's empty state before a first position
    m_pProgress->setRange(m_nLower, m_nUpper);
    if (!placed)
        return;
    const int kept = std::clamp(pos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    m_pProgress->setValue(kept);
    if (kept != pos)
        UpdatePercent(kept);
}

void CProgressDlg::SetPercentFormat(const QString& format)
{
    m_strPercentFormat = format;
}

void CProgressDlg::SetInitialPercentText(const QString& text)
{
    m_pPercent->setText(text);
}

void CProgressDlg::SetStep(int step)
{
    m_nStep = step;
}

int CProgressDlg::StepIt()
{
    PumpMessages();
    const int previous = m_pProgress->value();
    int next = previous + m_nStep;
    if (next > m_nUpper)
        next = m_nLower + (next - m_nUpper);  // the bar wraps like a progress control
    m_pProgress->setValue(std::clamp(next, m_pProgress->minimum(), m_pProgress->maximum()));
    UpdatePercent(previous + m_nStep);
    return previous;
}

int CProgressDlg::SetPos(int pos)
{
    PumpMessages();
    const int previous = m_pProgress->value();
    m_pProgress->setValue(std::clamp(pos, m_pProgress->minimum(), m_pProgress->maximum()));
    UpdatePercent(pos);
    return previous;
}

int CProgressDlg::Percent(int pos, int lower, int upper)
{
    if (upper == lower)
        return 0;  // an empty range has no percentage
    int percent = static_cast<int>(static_cast<long long>(pos - lower) * 100 / (upper - lower));
    if (percent != 100)
        percent %= 100;
    return percent;
}

void CProgressDlg::UpdatePercent(int pos)
{
    if (!m_pPercent)
        return;
    const QString text = NumberFormat::FormatInteger(m_strPercentFormat, Percent(pos, m_nLower, m_nUpper));
    if (m_pPercent->text() != text)
        m_pPercent->setText(text);
}

bool CProgressDlg::CheckCancelButton()
{
    PumpMessages();
    const bool cancel = m_bCancel;
    m_bCancel = false;
    return cancel;
}

void CProgressDlg::PumpMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool CProgressDlg::DestroyWindow()
{
    if (m_bParentDisabled && m_pOwner)
        m_pOwner->setEnabled(true);
    m_bParentDisabled = false;
    m_bCreated = false;
    hide();
    // No longer a child of the owner: the owner going first must not take
    // this object (often a local of the operation) with it.
    if (parentWidget())
        setParent(nullptr, windowFlags());
    return true;
}

void CProgressDlg::OnCancel()
{
    m_bCancel = true;  // the dialog stays; the operation polls the flag
}

void CProgressDlg::reject()
{
    OnCancel();  // Escape
}

void CProgressDlg::closeEvent(QCloseEvent* event)
{
    OnCancel();
    event->ignore();
}

QString CProgressDlg::GetStatusText() const
{
    return m_pStatus->text();
}

QString CProgressDlg::GetPercentText() const
{
    return m_pPercent->text();
}

int CProgressDlg::GetPos() const
{
    return m_pProgress->value();
}
