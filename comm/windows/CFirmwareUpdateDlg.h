#pragma once
// The window of a firmware load ("QUILLOMER-Betriebssystem erneuern"): it
// shows the sender's phase, text and progress and closes when the sender
// finishes (OK when the loader accepted the file; Cancel on a loader error or
// when the loader stays silent). Cancel ends the S-record stream; once the
// whole file is out there is nothing left to cancel, and the button rests
// until the loader's verdict (which the link waits for only so long).

#include <QDialog>

class QLabel;
class QPushButton;
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
    QPushButton* CancelButton() const { return m_cancel; }

    void reject() override;

private:
    void OnChanged();

    CFirmwareSender& m_sender;
    QProgressBar* m_bar;        // 1100
    CAnimateCtrl* m_animation;  // 1078
    QPlainTextEdit* m_status;   // 1005
    QPushButton* m_cancel;
    int m_shownAnimation = 0;
};
