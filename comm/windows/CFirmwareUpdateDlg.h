#pragma once
// The window of a firmware load ("QUILLOMER-Betriebssystem erneuern"): it
// shows the sender's phase, text and progress and closes when the sender
// finishes (OK at the end of the file, Cancel on a loader error). Cancel ends
// the S-record stream.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class CAnimateCtrl;
class CFirmwareSender;

class CFirmwareUpdateDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFirmwareUpdateDlg(CFirmwareSender& sender, QWidget* parent = nullptr);

    QProgressBar* Bar() const { return m_bar; }
    QPlainTextEdit* StatusText() const { return m_status; }

    void reject() override;

private:
    void OnChanged();

    CFirmwareSender& m_sender;
    QProgressBar* m_bar;        // 1100
    CAnimateCtrl* m_animation;  // 1078
    QPlainTextEdit* m_status;   // 1005
    int m_shownAnimation = 0;
};
