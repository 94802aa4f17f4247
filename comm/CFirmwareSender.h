#pragma once
// The working part of the firmware update dialog: while the device erases its
// flash, timer 1 (100 ms) moves the bar; when the boot loader asks for the
// S-records, timer 2 (50 ms) streams the file line by line, at most five lines
// a tick and only while the serial output buffer holds at most 512 bytes. After
// the last line the dialog stays open until the loader's verdict closes it
// (the link decides, and bounds that wait). The dialog window
// (comm/windows/CFirmwareUpdateDlg) shows its state; without a window the link
// waits for `Finished` itself.

#include <QFile>
#include <QObject>
#include <QTimer>

#include <string>

class CCommLink;

class CFirmwareSender : public QObject {
    Q_OBJECT
public:
    // Animation resources of the two phases.
    enum : int { AnimationErase = 466, AnimationSend = 467 };

    explicit CFirmwareSender(CCommLink& link);
    ~CFirmwareSender() override;

    // What a firmware file holds, looked at before the device is touched.
    enum class FileCheck { Ok, CannotOpen, NoData };
    // Ok when the file can be read and holds at least one data record (S1,
    // S2 or S3); an empty file, or one of header and end records only, has
    // nothing the loader could program.
    static FileCheck CheckFile(const std::string& path);
    // Why `path` cannot be opened for reading, in the user's words
    // ("Keine Berechtigung zum Lesen.").
    static std::string OpenFailureReason(const std::string& path);

    // The dialog opens: opens the file and starts the erase display. False
    // (nothing started) when the file cannot be read.
    bool Begin(const std::string& path);
    // The loader asks for the records.
    void StartSending();
    // Sends the next line; at the end of the file the dialog waits for the
    // loader's verdict.
    void SendNextRecord();
    void StopSending();
    // The Cancel button: ends the stream with ETX and the end record.
    void Cancel();
    // Closes the dialog as cancelled without sending anything (the loader
    // already reported its error).
    void CloseAsCancelled();
    // The loader accepted the file: the dialog closes with OK.
    void CloseAsDone();

    bool IsOpen() const { return m_open; }
    bool IsSending() const { return m_sendTimer.isActive(); }
    // Every line of the file went out; the loader's verdict is awaited.
    bool IsAwaitingVerdict() const { return m_open && m_allSent; }
    int Position() const { return m_pos; }
    int LinesSent() const { return m_linesSent; }
    int Animation() const { return m_animation; }
    const std::string& StatusText() const { return m_status; }
    const std::string& Path() const { return m_path; }

signals:
    // Position, status text or animation changed.
    void Changed();
    // A line of the file went out (the loader is taking data).
    void RecordSent();
    // The dialog is to close: true OK, false Cancel.
    void Finished(bool ok);

private:
    void OnEraseTimer();
    void OnSendTimer();
    void Finish(bool ok);

    CCommLink& m_link;
    QFile m_file;
    std::string m_path;
    qint64 m_fileLength = 0;
    int m_linesSent = 0;
    int m_pos = 0;
    int m_step = 4;
    int m_animation = AnimationErase;
    std::string m_status;
    bool m_open = false;
    bool m_allSent = false;
    QTimer m_eraseTimer;  // timer 1
    QTimer m_sendTimer;   // timer 2
};
