#include "comm/windows/CTextFileDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStringDecoder>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Cp1252.h"
#include "platform/FileWriter.h"
#include "platform/MessageBox.h"
#include "ui/CPictureSet.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CTextFileDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CTextFileDlg(QStringLiteral("Projekt.txt"), QString()); });
}  // namespace

namespace {
// A user's text: UTF-8 when it is valid UTF-8, else Windows-1252.
QString DecodeText(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    return QString::fromStdString(Cp1252ToUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
}
}  // namespace

CTextFileDlg::CTextFileDlg(const QString& fileName, const QString& directory, QWidget* parent)
    : QDialog(parent)
    , m_fileName(fileName)
    , m_directory(directory)
{
    setWindowTitle(tr("Textdatei") + QStringLiteral(" '") + fileName + QStringLiteral("'"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(tr("Diese Textdatei kann QUILLOMER Anweisungen enthalten, die im Anschluß an einen "
                               "DOWNLOAD übertragen werden ( falls angekreuzt )."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* tools = new QHBoxLayout;
    m_load = new QToolButton(this);
    m_load->setIcon(CPictureSet::Icon(456));
    m_save = new QToolButton(this);
    m_save->setIcon(CPictureSet::Icon(457));
    tools->addWidget(m_load);
    tools->addWidget(m_save);
    tools->addStretch();
    layout->addLayout(tools);
    m_edit = new QPlainTextEdit(this);
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTextFileDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTextFileDlg::reject);
    connect(m_load, &QToolButton::clicked, this, &CTextFileDlg::OnOpen);
    connect(m_save, &QToolButton::clicked, this, [this] { OnSave(); });
    resize(520, 380);

    // A file not there yet opens empty; a folder in its place is named when
    // the text is saved.
    std::string reason;
    const QFileInfo file(FilePath());
    if (!LoadFile(FilePath(), &reason) && file.exists() && !file.isDir())
        m_notRead = reason;
    m_edit->setFocus();
}

void CTextFileDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_notRead.empty() || m_notReadTold)
        return;
    m_notReadTold = true;
    // Told over the editor, once it is on the screen.
    QTimer::singleShot(0, this, [this] {
        ShowMessage(FileNotReadText(QDir::toNativeSeparators(FilePath()).toStdString(), m_notRead),
                    mb::Ok | mb::IconStop);
    });
}

QString CTextFileDlg::FilePath() const
{
    return QDir(m_directory.isEmpty() ? QDir::currentPath() : m_directory).filePath(m_fileName);
}

bool CTextFileDlg::LoadFile(const QString& path, std::string* reason)
{
    // Read whole before anything is shown: a file that cannot be read
    // leaves the text as it was.
    std::string read;
    const int error = ReadWholeFile(QFile::encodeName(path).toStdString(), read);
    if (error != 0) {
        if (reason)
            *reason = ReadFailureReason(error);
        return false;
    }
    const QByteArray bytes = QByteArray::fromStdString(read);
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.back().isEmpty())
        lines.removeLast();  // after the last line end
    QString text = m_edit->toPlainText();
    for (QByteArray line : lines) {
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        text += DecodeText(line) + QLatin1Char('\n');
    }
    m_edit->setPlainText(text);
    // The project's own file, read now: its text is the editor's.
    if (QFileInfo(path) == QFileInfo(FilePath()))
        m_notRead.clear();
    return true;
}

void CTextFileDlg::OnOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), m_directory,
                                                      QStringLiteral("QUILLOMER config-files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    const QString before = m_edit->toPlainText();
    m_edit->clear();
    std::string reason;
    if (!LoadFile(path, &reason)) {
        // The text stays: saved now, an empty one would replace the project's file.
        m_edit->setPlainText(before);
        ShowMessage(FileNotReadText(QDir::toNativeSeparators(path).toStdString(), reason), mb::Ok | mb::IconStop);
    }
}

bool CTextFileDlg::OnSave()
{
    if (!m_notRead.empty() && QFileInfo::exists(FilePath())) {
        // What the file holds was never shown: the text stays in the editor.
        ShowMessage(FileNotWrittenText(QDir::toNativeSeparators(FilePath()).toStdString(), NotReadBeforeReason()),
                    mb::Ok | mb::IconStop);
        return false;
    }
    QString text = m_edit->toPlainText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray bytes = text.toUtf8();
    const std::string reason =
        WriteFileReplacing(FilePath().toStdString(), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!reason.empty()) {
        // The text stays in the editor, and the file as it was: the user can
        // free the place (or choose another folder) and save again.
        ShowMessage(FileNotWrittenText(QDir::toNativeSeparators(FilePath()).toStdString(), reason), mb::Ok | mb::IconStop);
        return false;
    }
    m_notRead.clear();  // the file holds the editor's text now
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(300, [] { QApplication::restoreOverrideCursor(); });
    return true;
}

void CTextFileDlg::accept()
{
    if (OnSave())
        QDialog::accept();
}
