#include "comm/windows/CCommWindowsHost.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

#include "comm/CCommLink.h"
#include "comm/CFirmwareSender.h"
#include "comm/windows/CErrFileView.h"
#include "comm/windows/CFirmwareUpdateDlg.h"
#include "comm/windows/CLoginDlg.h"
#include "comm/windows/COnlineNoticeDlg.h"
#include "comm/windows/CParamSelectDlg.h"
#include "comm/windows/CProtocolMonitorFrm.h"
#include "comm/windows/CProtocolMonitorView.h"
#include "ui/CAnimateProgressDlg.h"
#include "ui/CProgressDlg.h"

namespace {

CCommWindowsHost::SystemConfigRunner& SystemConfigRun()
{
    static CCommWindowsHost::SystemConfigRunner run;
    return run;
}
CCommWindowsHost::SystemConfigLineSink& SystemConfigSink()
{
    static CCommWindowsHost::SystemConfigLineSink sink;
    return sink;
}

QString WorkDirectory()
{
    return QSettings().value(QStringLiteral("Settings/WorkDirectory")).toString();
}

// The toolkit's progress dialogs behind the link's progress interface.
class ProgressAdapter : public IProgress {
public:
    ProgressAdapter(ProgressKind kind, unsigned int captionId, QWidget* parent)
    {
        if (kind == ProgressKind::Animated) {
            auto* dlg = new CAnimateProgressDlg(captionId);
            dlg->m_bSecondAnimation = captionId != 115;  // text files play the first animation
            m_animated = dlg;
            m_dlg = dlg;
        } else {
            m_dlg = new CProgressDlg(captionId);
        }
        m_dlg->Create(parent);
    }
    ~ProgressAdapter() override
    {
        m_dlg->DestroyWindow();
        delete m_dlg;
    }
    void SetStatus(const std::string& text) override { m_dlg->SetStatus(QString::fromStdString(text)); }
    void SetRange(int lower, int upper) override { m_dlg->SetRange(lower, upper == lower ? lower + 1 : upper); }
    void SetPercentFormat(const std::string& format) override
    {
        m_dlg->SetPercentFormat(QString::fromStdString(format));
    }
    void SetStep(int step) override
    {
        m_step = step;
        if (m_animated)
            m_animated->SetStep(step);
    }
    int SetPos(int pos) override { return m_dlg->SetPos(pos); }
    int StepIt() override
    {
        if (m_animated)
            return m_animated->StepIt();
        return m_dlg->SetPos(m_dlg->GetPos() + m_step);
    }
    bool CheckCancelButton() override { return m_dlg->CheckCancelButton(); }
    void PumpMessages() override { m_dlg->PumpMessages(); }

private:
    CProgressDlg* m_dlg = nullptr;
    CAnimateProgressDlg* m_animated = nullptr;
    int m_step = 10;
};

}  // namespace

CCommWindowsHost::CCommWindowsHost(QWidget* frame, CCommLink* link)
    : QObject(link)
    , m_frame(frame)
    , m_link(link)
{
}

CCommWindowsHost::~CCommWindowsHost()
{
    if (m_fileView && !m_fileView->parent())
        delete m_fileView.data();
    while (m_waitDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_waitDepth;
    }
}

void CCommWindowsHost::SetSystemConfigDialog(SystemConfigRunner run, SystemConfigLineSink line)
{
    SystemConfigRun() = std::move(run);
    SystemConfigSink() = std::move(line);
}

unsigned int CCommWindowsHost::CaptionId(const std::string& caption)
{
    if (caption == "Verbinden")
        return 34362;
    if (caption == "Netscan")
        return 34137;
    if (caption == "Textfile senden")
        return 115;
    return 0;  // the dialog's own caption ("Einstellungen übertragen")
}

QWidget* CCommWindowsHost::Parent() const
{
    return m_frame.data();
}

void CCommWindowsHost::SetProtocolMonitor(CProtocolMonitorFrm* monitor)
{
    m_monitor = monitor;
}

CProtocolMonitorView* CCommWindowsHost::MonitorView() const
{
    return m_monitor ? m_monitor->GetMonitorView() : nullptr;
}

void CCommWindowsHost::AppendMonitorText(const std::string& text)
{
    if (CProtocolMonitorView* view = MonitorView())
        view->AppendMonitorText(QString::fromStdString(text));
}

void CCommWindowsHost::ClearProtocolMonitor()
{
    if (CProtocolMonitorView* view = MonitorView())
        view->ClearText();
}

void CCommWindowsHost::ShowProtocolMonitor(bool show)
{
    emit protocolMonitorShown(show);
}

void CCommWindowsHost::SetWaitCursor(bool on)
{
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_waitDepth;
    } else if (m_waitDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_waitDepth;
    }
}

void CCommWindowsHost::SetConnectionText(const std::string& text)
{
    emit connectionTextChanged(QString::fromStdString(text));
}

void CCommWindowsHost::ShowOnlineNotice()
{
    COnlineNoticeDlg dlg(Parent());
    dlg.exec();
}

bool CCommWindowsHost::RunParamSelect(ParamSelection& selection)
{
    CParamSelectDlg dlg(selection, Parent());
    return dlg.exec() == QDialog::Accepted;
}

bool CCommWindowsHost::RunLogin(CCommLink& link, int mode)
{
    CLoginDlg dlg(link, mode, Parent());
    return dlg.exec() == QDialog::Accepted;
}

std::string CCommWindowsHost::ChooseConfigFile()
{
    QFileDialog dlg(Parent(), QString(), WorkDirectory(), QStringLiteral("QUILLOMER config-files (*.txt);;All files (*)"));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QStringLiteral("txt"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().front().toStdString();
}

std::string CCommWindowsHost::ChooseFirmwareFile()
{
    QFileDialog dlg(Parent(), QString(), WorkDirectory(),
                    QStringLiteral("Motorola S-record files (*.hex *.s*);;Text files (*.txt);;All files (*)"));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QStringLiteral("hex"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().front().toStdString();
}

bool CCommWindowsHost::RunFirmwareDialog(CFirmwareSender& sender)
{
    if (!sender.IsOpen())
        return false;
    CFirmwareUpdateDlg dlg(sender, Parent());
    return dlg.exec() == QDialog::Accepted;
}

void CCommWindowsHost::RunSystemConfigDialog()
{
    if (SystemConfigRun())
        SystemConfigRun()();
}

void CCommWindowsHost::SystemConfigLine(const std::string& line, int state)
{
    if (SystemConfigSink())
        SystemConfigSink()(line, state);
}

std::unique_ptr<IProgress> CCommWindowsHost::CreateProgress(ProgressKind kind, const std::string& caption)
{
    return std::make_unique<ProgressAdapter>(kind, CaptionId(caption), Parent());
}

void CCommWindowsHost::OpenInEditor(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        return;
    // No desktop program took it: the user still gets to see it. Over a
    // modal window (a feature window's host after its upload) it belongs to
    // that window: a window of anyone else's would be blocked by it, shown on
    // top but not to be used or closed until the modal window is closed.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = Parent();
    if (!m_fileView) {
        m_fileView = new CErrFileView(file, owner);
        m_fileView->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        if (m_fileView->parentWidget() != owner)
            m_fileView->setParent(owner, m_fileView->windowFlags());
        m_fileView->Load(file);
    }
    m_fileView->show();
    m_fileView->raise();
    m_fileView->activateWindow();
}

void CCommWindowsHost::FileRewritten(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (m_fileView && QFileInfo(m_fileView->Path()).absoluteFilePath() == QFileInfo(file).absoluteFilePath())
        m_fileView->Load(file);
}

void CCommWindowsHost::FileNotRewritten(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (m_fileView && QFileInfo(m_fileView->Path()).absoluteFilePath() == QFileInfo(file).absoluteFilePath())
        m_fileView->close();
}

CErrFileView* CCommWindowsHost::OwnFileView() const
{
    return m_fileView;
}
