#pragma once
// The upload difference file (".err") shown by the program itself, where no
// desktop program takes text files: a read-only window that names the
// file's path and shows its lines, modeless, so the closing message of the
// upload can be read beside it.

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;

class CErrFileView : public QDialog {
    Q_OBJECT
public:
    explicit CErrFileView(const QString& path, QWidget* parent = nullptr);

    // Reads the file (again); false when it cannot be read.
    bool Load(const QString& path);
    QString Path() const { return m_path; }
    QString Text() const;

private:
    QString m_path;
    QLabel* m_file;
    QPlainTextEdit* m_text;
};
