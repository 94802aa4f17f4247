#pragma once
// The editor of the project's configuration text file: protocol lines that
// are sent after a download when the text-file group is ticked. Load takes
// another file's text (the file saved stays the one the dialog was opened
// with); Save and OK write the text. A text that cannot be written is
// reported and stays in the editor (OK then keeps the dialog open). A file
// that exists but cannot be read is told when the editor opens, and is not
// written over: what it holds was never shown.

#include <QDialog>
#include <QString>

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
    QString m_fileName;
    QString m_directory;
    // Why the file, which exists, could not be read at opening (empty: it
    // was read, or is not there yet); told once the editor shows.
    std::string m_notRead;
    bool m_notReadTold = false;
    QPlainTextEdit* m_edit;   // 1459
    QToolButton* m_load;      // 1461
    QToolButton* m_save;      // 1460
};
