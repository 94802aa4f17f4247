#include "shell/CShellAppHost.h"

#include "model/CQuillomerDoc.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "shell/CBitmapManager.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CProjectDataDlg.h"
#include "shell/Profile.h"

#include <QDateTime>
#include <QLocale>
#include <QMetaObject>

void CShellAppHost::DocumentClosing(CQuillomerDoc* doc, bool closing)
{
    if (m_frame)
        m_frame->OnDocumentClosing(doc, closing);
}

void CShellAppHost::BeforeDeleteContents(CQuillomerDoc* doc)
{
    CloseAudioInputsDlg(doc);
}

void CShellAppHost::PostCommand(uint32_t commandId)
{
    if (!m_frame)
        return;
    CMainFrame* frame = m_frame;
    QMetaObject::invokeMethod(frame, [frame, commandId] { frame->OnCmdMsg(static_cast<int>(commandId)); },
                              Qt::QueuedConnection);
}

bool CShellAppHost::EditProjectData(CQuillomerDoc* doc, ProjectData& data)
{
    CProjectDataDlg dlg(m_frame);
    dlg.SetFromProjectData(data);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    dlg.GetProjectData(data);
    return true;
}

bool CShellAppHost::SaveDocument(CQuillomerDoc* doc, bool saveAs)
{
    CDocTemplate* t = m_frame ? m_frame->GetDocTemplate() : nullptr;
    return t ? t->SaveDocument(doc, saveAs) : IAppHost::SaveDocument(doc, saveAs);
}

void CShellAppHost::CloseDocument(CQuillomerDoc* doc)
{
    if (CDocTemplate* t = m_frame ? m_frame->GetDocTemplate() : nullptr)
        t->CloseDocument(doc, true);
}

int CShellAppHost::GetProfileInt(const std::string& section, const std::string& key, int def)
{
    return ::GetProfileInt(QString::fromStdString(section), QString::fromStdString(key), def);
}

std::string CShellAppHost::GetProfileString(const std::string& section, const std::string& key, const std::string& def)
{
    return ::GetProfileString(QString::fromStdString(section), QString::fromStdString(key), QString::fromStdString(def))
        .toStdString();
}

std::string CShellAppHost::FormatShortDate(std::time_t t)
{
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(t).date(), QLocale::ShortFormat).toStdString();
}

std::optional<std::time_t> CShellAppHost::ParseShortDate(const std::string& text)
{
    const std::optional<QDateTime> dt = CProjectDataDlg::ParseDateText(QString::fromStdString(text));
    if (!dt)
        return std::nullopt;
    return static_cast<std::time_t>(dt->toSecsSinceEpoch());
}

std::optional<CSize> CShellAppHost::GetBitmapSize(uint32_t bitmapId)
{
    if (!m_frame || !m_frame->GetBitmapManager())
        return std::nullopt;
    const QPixmap* pm = m_frame->GetBitmapManager()->GetBitmap(static_cast<int>(bitmapId));
    if (!pm)
        return std::nullopt;
    return CSize{pm->width(), pm->height()};
}
