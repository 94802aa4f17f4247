#include "comm/windows/CFirmwareUpdateDlg.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QProgressBar>
#include <QVBoxLayout>

#include <cmath>

#include "comm/CFirmwareSender.h"
#include "comm/windows/CommWindowSamples.h"
#include "ui/CAnimateCtrl.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CFirmwareUpdateDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CFirmwareUpdateDlg(SampleFirmwareSender()); });
}  // namespace

CFirmwareUpdateDlg::CFirmwareUpdateDlg(CFirmwareSender& sender, QWidget* parent)
    : QDialog(parent)
    , m_sender(sender)
{
    setWindowTitle(tr("QUILLOMER-Betriebssystem erneuern"));
    auto* layout = new QVBoxLayout(this);
    m_animation = new CAnimateCtrl(this);
    layout->addWidget(m_animation);
    m_status = new QPlainTextEdit(this);
    m_status->setReadOnly(true);
    // Room for the longest status (two sentences, or the text with a long
    // file path) in characters and lines of the font in use: a box of fixed
    // pixels cut off its last lines at a larger font.
    constexpr int kStatusColumns = 45;
    constexpr int kStatusLines = 6;
    const int margins = 2 * (m_status->frameWidth() + static_cast<int>(std::ceil(m_status->document()->documentMargin())));
    m_status->setMinimumWidth(m_status->fontMetrics().averageCharWidth() * kStatusColumns + margins);
    m_status->setFixedHeight(m_status->fontMetrics().lineSpacing() * kStatusLines + margins);
    layout->addWidget(m_status);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    layout->addWidget(m_bar);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFirmwareUpdateDlg::reject);
    connect(&m_sender, &CFirmwareSender::Changed, this, &CFirmwareUpdateDlg::OnChanged);
    connect(&m_sender, &CFirmwareSender::Finished, this, [this](bool ok) { done(ok ? Accepted : Rejected); });
    OnChanged();
}

void CFirmwareUpdateDlg::OnChanged()
{
    m_bar->setValue(std::min(m_sender.Position(), 100));
    const QString text = QString::fromStdString(m_sender.StatusText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (m_status->toPlainText() != text)
        m_status->setPlainText(text);
    m_cancel->setEnabled(!m_sender.IsAwaitingVerdict());
    if (m_shownAnimation != m_sender.Animation()) {
        m_shownAnimation = m_sender.Animation();
        m_animation->Open(m_shownAnimation);
        m_animation->Play();
    }
}

void CFirmwareUpdateDlg::reject()
{
    if (m_sender.IsAwaitingVerdict())
        return;  // Escape and the close box, too: the loader has the last word
    if (m_sender.IsOpen())
        m_sender.Cancel();  // finishes the dialog through the sender
    else
        QDialog::reject();
}
