#pragma once
// The device link's window side in the application: the protocol monitor of
// the main window, the wait cursor, the status pane, the link's dialogs and
// the toolkit's progress dialogs. It knows the main window only as the parent
// of its dialogs; the connection text and the monitor's visibility go out as
// signals, and the application hands it the monitor window it made.

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

#include "comm/ICommLinkHost.h"

class CErrFileView;
class CProtocolMonitorFrm;
class CProtocolMonitorView;
class QWidget;

class CCommWindowsHost : public QObject, public ICommLinkHost {
    Q_OBJECT
public:
    CCommWindowsHost(QWidget* frame, CCommLink* link);
    ~CCommWindowsHost() override;

    void AppendMonitorText(const std::string& text) override;
    void ClearProtocolMonitor() override;
    void ShowProtocolMonitor(bool show) override;
    void SetWaitCursor(bool on) override;
    void SetConnectionText(const std::string& text) override;
    void ShowOnlineNotice() override;
    bool RunParamSelect(ParamSelection& selection) override;
    bool RunLogin(CCommLink& link, int mode) override;
    std::string ChooseConfigFile() override;
    std::string ChooseFirmwareFile() override;
    bool RunFirmwareDialog(CFirmwareSender& sender) override;
    void RunSystemConfigDialog() override;
    void SystemConfigLine(const std::string& line, int state) override;
    std::unique_ptr<IProgress> CreateProgress(ProgressKind kind, const std::string& caption) override;
    // The desktop's program for text files; where there is none, the
    // program's own read-only window (one, shown again for the next file).
    void OpenInEditor(const std::string& path) override;
    void FileRewritten(const std::string& path) override;
    void FileNotRewritten(const std::string& path) override;
    CErrFileView* OwnFileView() const;

    // The system configuration browser belongs to the service windows; they
    // install how it is shown and how it takes a line.
    using SystemConfigRunner = std::function<void()>;
    using SystemConfigLineSink = std::function<void(const std::string& line, int state)>;
    static void SetSystemConfigDialog(SystemConfigRunner run, SystemConfigLineSink line);

    // The string id of a progress caption.
    static unsigned int CaptionId(const std::string& caption);

    // The protocol monitor window the main window shows (not owned).
    void SetProtocolMonitor(CProtocolMonitorFrm* monitor);

signals:
    void connectionTextChanged(const QString& text);
    void protocolMonitorShown(bool show);

private:
    CProtocolMonitorView* MonitorView() const;
    QWidget* Parent() const;

    QPointer<QWidget> m_frame;
    QPointer<CProtocolMonitorFrm> m_monitor;
    QPointer<CErrFileView> m_fileView;
    CCommLink* m_link;
    int m_waitDepth = 0;
};
