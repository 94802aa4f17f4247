#include "shell/CShellAppHost.h"

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "comm/CCommLink.h"
#include "hardware/windows/CAudioInputsDlg.h"
#include "hardware/windows/CAudioOutputsDlg.h"
#include "shell/CBitmapManager.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CProjectDataDlg.h"
#include "shell/ContextMenus.h"
#include "shell/CQuillomerView.h"
#include "shell/Profile.h"
#include "ui/LocaleDates.h"
#include "ui/CInputHold.h"
#include "ui/CObjectDlg.h"
#include "ui/CTransferLoop.h"

#include <QDateTime>
#include <QLocale>
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMetaObject>
#include <QPointer>

#include <memory>

namespace {
CShellAppHost::MenuRunner& Runner()
{
    static CShellAppHost::MenuRunner runner;
    return runner;
}

bool DocumentHolds(const CQuillomerDoc* doc, const CBaseDevice* obj)
{
    for (int c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (const CBaseDevice* o : doc->GetList(c))
            if (o == obj)
                return true;
    return false;
}
}  // namespace

CShellAppHost::MenuRunner CShellAppHost::SetMenuRunner(MenuRunner runner)
{
    MenuRunner old = std::move(Runner());
    Runner() = std::move(runner);
    return old;
}

void CShellAppHost::DocumentClosing(CQuillomerDoc* doc, bool closing)
{
    if (m_frame)
        m_frame->OnDocumentClosing(doc, closing);
}

void CShellAppHost::BeforeDeleteContents(CQuillomerDoc* doc)
{
    CloseAudioInputsDlg(doc);
    CloseAudioOutputsDlg(doc);
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
    const std::optional<QDateTime> dt = ParseLocaleDateTime(QString::fromStdString(text));
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

void CShellAppHost::OpenFeatureWindow(CQuillomerDoc* doc, int windowKind, bool modal)
{
    if (modal) {
        CObjectDlg dlg(doc, windowKind, m_frame);
        dlg.DoModal();
        return;
    }
    auto* dlg = new CObjectDlg(doc, windowKind, m_frame);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->show();
}

void CShellAppHost::ShowWindowNotAvailable(CQuillomerDoc* doc, const std::string& caption)
{
    CObjectDlg dlg(doc, QString::fromStdString(caption), m_frame);
    dlg.DoModal();
}

void CShellAppHost::ShowContextMenu(CBaseDevice* obj, uint32_t menuId, CPoint at)
{
    if (!obj)
        return;
    ContextMenu entries = BuildObjectMenu(*obj, menuId);
    UpdateMenuState(entries, *obj);
    TidySeparators(entries);
    if (entries.empty())
        return;

    // The sheet point on the screen, through the designer view that shows
    // the object; the mouse position when there is none.
    QPointer<CQuillomerView> view = dynamic_cast<CQuillomerView*>(obj->GetView());
    const QPoint screen =
        view ? view->viewport()->mapToGlobal(view->LogicalToClient(at)) : QCursor::pos();
    const bool hadView = view != nullptr;
    CQuillomerDoc* doc = obj->GetDocument();

    std::unique_ptr<QMenu> menu(CreateQMenu(entries, m_frame));
    QAction* chosen = Runner() ? Runner()(*menu, screen) : menu->exec(screen);
    if (!chosen)
        return;
    bool ok = false;
    const uint32_t id = chosen->data().toUInt(&ok);
    menu.reset();
    if (!ok || id == 0)
        return;
    // The menu ran its own event loop: the object's window or document may
    // have gone meanwhile.
    if (hadView && (!view || view->GetDocument() != doc))
        return;
    if (doc && !DocumentHolds(doc, obj))
        return;
    obj->OnCommand(id);
    if (view)
        view->viewport()->update();
}

void CShellAppHost::TransferObject(CBaseDevice* obj, bool upload)
{
    CCommLink* link = GetCommLink();
    if (!obj || !link) {
        IAppHost::TransferObject(obj, upload);
        return;
    }
    // One transfer at a time; while it runs the main window takes no input,
    // so nothing deletes or changes the object whose lines are on their way.
    if (m_transferring)
        return;
    m_transferring = true;
    CInputHold hold;
    hold.Hold({m_frame}, m_frame);
    CTransferLoop loop;
    const CTransferLoop::Result result = loop.Run(obj, upload ? 1 : 0, -1, true);
    hold.Release();
    m_transferring = false;
    loop.ReportStop(result);
    loop.ReportRefused(result.stop, result.block);
}
