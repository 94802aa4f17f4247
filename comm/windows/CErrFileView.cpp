#include "comm/windows/CErrFileView.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/Cp1252.h"
#include "platform/FileWriter.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CErrFileView"),
    [](CQuillomerDoc*) -> QWidget* { return new CErrFileView(QStringLiteral("Projekt.err")); });
}  // namespace

CErrFileView::CErrFileView(const QString& path, QWidget* parent)
    : QDialog(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_file = new QLabel(this);
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_file);
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &CErrFileView::reject);
    // Room for 80 columns and 20 lines of the file at the font it is shown in.
    const QFontMetrics metrics(m_text->font());
    resize(sizeHint().expandedTo(QSize(metrics.horizontalAdvance(QLatin1Char('0')) * 80, metrics.lineSpacing() * 20)));
    Load(path);
}

bool CErrFileView::Load(const QString& path)
{
    m_path = path;
    setWindowTitle(tr("Unstimmigkeiten") + QStringLiteral(" - ") + QFileInfo(path).fileName());
    m_file->setText(tr("Datei:") + QLatin1Char(' ') + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    std::string bytes;
    if (const int error = ReadWholeFile(path.toStdString(), bytes); error != 0) {
        // A file that may not be read holds the upload's differences all the
        // same: shown empty, it would pass for an upload that found none.
        m_text->setPlainText(QString::fromStdString(
            FileNotReadText(QDir::toNativeSeparators(path).toStdString(), ReadFailureReason(error))));
        return false;
    }
    // The difference file is written in the project's code page.
    QString text = QString::fromStdString(Cp1252ToUtf8(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(text);
    return true;
}

QString CErrFileView::Text() const
{
    return m_text->toPlainText();
}
