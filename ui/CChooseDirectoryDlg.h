#pragma once
// "Projektverzeichnis auswählen": the drive and directory tree with a status
// bar showing the selected path. OK gives the path in m_strDirectory; Cancel
// empties it.

#include <QDialog>
#include <QString>

class CDriveView;
class QMainWindow;

class CChooseDirectoryDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChooseDirectoryDlg(QWidget* parent = nullptr);

    QString m_strDirectory;
    int DoModal() { return exec(); }
    CDriveView* DriveView() const { return m_pView; }
    QMainWindow* Frame() const { return m_pFrame; }

    void accept() override;
    void reject() override;

private:
    QMainWindow* m_pFrame;
    CDriveView* m_pView;
};
