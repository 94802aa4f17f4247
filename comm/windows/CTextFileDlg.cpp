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
#include "platform/StringTable.h"
#include "ui/CPictureSet.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CTextFileDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CTextFileDlg(QStringLiteral("Projekt.txt"), QString()); });
}  // namespace

QL_STRING_TABLE({
    {36393, "Die Datei '%s' ist in Windows-1252 geschrieben, das diese Zeichen nicht enthält: %s\n"
            "Der Text wurde nicht gespeichert."},
});

namespace {
constexpr uint32_t kFileLacks = 36393;  // the file "%s", the characters "%s"

bool IsUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);  // decoded only once it is taken
    return !decoder.hasError();
}

// A user's text: UTF-8 when it is valid UTF-8, else Windows-1252.
QString DecodeText(const QByteArray& bytes)
{
    if (IsUtf8(bytes))
        return QString::fromUtf8(bytes);
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
    else if (!file.exists())
        m_fileText = QString();  // nothing typed, nothing to make
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
    QByteArray bytes = QByteArray::fromStdString(read);
    FileForm form;
    form.byteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
    if (form.byteOrderMark)
        bytes.remove(0, 3);
    form.cp1252 = !IsUtf8(bytes);
    const qsizetype firstEnd = bytes.indexOf('\n');
    if (firstEnd >= 0)
        form.lineEnd = firstEnd > 0 && bytes[firstEnd - 1] == '\r' ? QStringLiteral("\r\n") : QStringLiteral("\n");
    form.lastLineEnded = bytes.isEmpty() || bytes.endsWith('\n');
    const bool projectFile = QFileInfo(path) == QFileInfo(FilePath());
    if (projectFile || !m_fileText)
        m_form = form;
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
    if (projectFile) {
        m_notRead.clear();
        m_fileText = m_edit->toPlainText();
    }
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
    const QString text = m_edit->toPlainText();
    // Unchanged, the file stays as it is, byte for byte (it may hold what
    // no editor shows as it stands).
    if (m_fileText && text == *m_fileText)
        return true;
    std::string lacks;
    const std::optional<QByteArray> encoded = Encode(text, m_form, &lacks);
    if (!encoded) {
        ShowMessage(StrFormat(LoadStringId(kFileLacks).c_str(), QDir::toNativeSeparators(FilePath()).toStdString().c_str(),
                              lacks.c_str()),
                    mb::Ok | mb::IconStop);
        return false;
    }
    const QByteArray& bytes = *encoded;
    const std::string reason =
        WriteFileReplacing(FilePath().toStdString(), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!reason.empty()) {
        // The text stays in the editor, and the file as it was: the user can
        // free the place (or choose another folder) and save again.
        ShowMessage(FileNotWrittenText(QDir::toNativeSeparators(FilePath()).toStdString(), reason), mb::Ok | mb::IconStop);
        return false;
    }
    m_notRead.clear();  // the file holds the editor's text now
    m_fileText = text;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(300, [] { QApplication::restoreOverrideCursor(); });
    return true;
}

std::optional<QByteArray> CTextFileDlg::Encode(const QString& text, const FileForm& form, std::string* lacks)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!form.lastLineEnded && lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    lines.replace(QLatin1Char('\n'), form.lineEnd);
    const std::string utf8 = lines.toStdString();
    if (!form.cp1252)
        return (form.byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + QByteArray::fromStdString(utf8);
    *lacks = Cp1252Lacks(utf8);
    if (!lacks->empty())
        return std::nullopt;
    return QByteArray::fromStdString(Utf8ToCp1252(utf8));
}

void CTextFileDlg::accept()
{
    if (OnSave())
        QDialog::accept();
}
