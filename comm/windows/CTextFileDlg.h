#pragma once
// The editor of the project's configuration text file: protocol lines that
// are sent after a download when the text-file group is ticked. Load takes
// another file's text (the file saved stays the one the dialog was opened
// with); Save and OK write the text. A text that cannot be written is
// reported and stays in the editor (OK then keeps the dialog open). A file
// that exists but cannot be read is told when the editor opens, and is not
// written over: what it holds was never shown. The file is written in the
// form it was read in (code page, line ends), and not at all while the text
// is the one it holds.

#include <QDialog>
#include <QString>

#include <optional>

#include <string>

class QPlainTextEdit;
class QToolButton;

class CTextFileDlg : public QDialog {
    Q_OBJECT
public:
    // `fileName` without directory; `directory` where it lives.
    CTextFileDlg(const QString& fileName, const QString& directory, QWidget* parent = nullptr);

    QString FilePath() const;
    QPlainTextEdit* Edit() const { return m_edit; }

    // Appends the lines of a file to the edit text; false (and in `reason`
    // why) when the file cannot be read, the text then as it was.
    bool LoadFile(const QString& path, std::string* reason = nullptr);
    void OnOpen();
    // Writes the text; false (after telling the user why) when it cannot.
    bool OnSave();
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // How a file holds its text: UTF-8 (with or without a byte-order mark)
    // or Windows-1252, its line end, and whether its last line has one.
    struct FileForm {
        bool cp1252 = false;
        bool byteOrderMark = false;
        QString lineEnd = QStringLiteral("\r\n");
        bool lastLineEnded = true;
    };
    // The text in the bytes of this form; empty when the form cannot hold
    // it, and in `lacks` the characters that it cannot.
    static std::optional<QByteArray> Encode(const QString& text, const FileForm& form, std::string* lacks);

    QString m_fileName;
    QString m_directory;
    // Why the file, which exists, could not be read at opening (empty: it
    // was read, or is not there yet); told once the editor shows.
    std::string m_notRead;
    bool m_notReadTold = false;
    // The form of the project's file as read (of the last file loaded while
    // the project's was not); a new file is UTF-8 with "\r\n".
    FileForm m_form;
    // The editor's text as the project's file holds it (none: not known).
    std::optional<QString> m_fileText;
    QPlainTextEdit* m_edit;   // 1459
    QToolButton* m_load;      // 1461
    QToolButton* m_save;      // 1460
};
