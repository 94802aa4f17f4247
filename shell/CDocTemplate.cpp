#include "shell/CDocTemplate.h"

#include "model/CQuillomerDoc.h"
#include "model/ModelStrings.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"
#include "shell/Profile.h"
#include "ui/TypedValue.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>

namespace {
// The names of the objects a load brought into range, one a line; a long
// list is cut short so that the message stays on the screen.
std::string MovedObjectsText(const CQuillomerDoc& doc)
{
    constexpr size_t kShown = 20;
    const std::vector<std::string>& names = doc.GetMovedOnLoad();
    std::string text;
    for (size_t i = 0; i < names.size() && i < kShown; ++i)
        text += (i ? "\n" : "") + names[i];
    if (names.size() > kShown)
        text += "\n...";
    return text;
}

// A value as the file held it, on one line of the message: control
// characters shown as blanks, a long text cut short.
std::string ShownFileValue(const std::string& value)
{
    constexpr size_t kLongest = 40;
    std::string text;
    for (char c : value)
        text += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    return text.size() > kLongest ? text.substr(0, kLongest) + "..." : text;
}

// The values a load held or refused, one a line: the item, the file's value
// and the project's; a long list is cut short like the one of
// the moved objects.
std::string HeldValuesText(const CQuillomerDoc& doc)
{
    constexpr size_t kShown = 20;
    const std::vector<HeldOnLoad>& values = doc.GetHeldOnLoad();
    std::string text;
    for (size_t i = 0; i < values.size() && i < kShown; ++i) {
        const HeldOnLoad& v = values[i];
        text += (i ? "\n" : "") + v.item + ": " + ShownFileValue(v.file) + " → " + v.held;
    }
    if (values.size() > kShown)
        text += "\n...";
    return text;
}
}  // namespace

CDocTemplate::CDocTemplate(CMainFrame* frame) : m_frame(frame) {}

CDocTemplate::~CDocTemplate()
{
    CloseAllDocuments();
}

std::vector<CDocTemplate::Entry>::iterator CDocTemplate::Find(const CQuillomerDoc* doc)
{
    return std::find_if(m_docs.begin(), m_docs.end(), [doc](const Entry& e) { return e.doc.get() == doc; });
}

std::vector<CDocTemplate::Entry>::const_iterator CDocTemplate::Find(const CQuillomerDoc* doc) const
{
    return std::find_if(m_docs.begin(), m_docs.end(), [doc](const Entry& e) { return e.doc.get() == doc; });
}

std::vector<CQuillomerDoc*> CDocTemplate::GetDocuments() const
{
    std::vector<CQuillomerDoc*> list;
    for (const Entry& e : m_docs)
        list.push_back(e.doc.get());
    return list;
}

CChildFrame* CDocTemplate::GetFrame(const CQuillomerDoc* doc) const
{
    auto it = Find(doc);
    return it == m_docs.end() ? nullptr : it->frame.data();
}

CQuillomerView* CDocTemplate::GetView(const CQuillomerDoc* doc) const
{
    CChildFrame* f = GetFrame(doc);
    return f ? f->GetView() : nullptr;
}

CChildFrame* CDocTemplate::CreateFrame(CQuillomerDoc* doc)
{
    auto* child = new CChildFrame(this, doc);
    if (m_frame && m_frame->GetMdiArea()) {
        m_frame->GetMdiArea()->addSubWindow(child);
        child->show();
        child->GetView()->OnInitialUpdate();
        m_frame->GetMdiArea()->setActiveSubWindow(child);
    } else {
        child->GetView()->OnInitialUpdate();
    }
    return child;
}

CQuillomerDoc* CDocTemplate::OpenDocumentFile(const QString& path)
{
    QString full;
    if (!path.isEmpty()) {
        full = QFileInfo(path).absoluteFilePath();
        // A document that is already open is only brought to the front.
        for (Entry& e : m_docs) {
            if (QString::fromStdString(e.doc->GetPathName()) == full) {
                if (e.frame && m_frame && m_frame->GetMdiArea())
                    m_frame->GetMdiArea()->setActiveSubWindow(e.frame);
                return e.doc.get();
            }
        }
    }
    auto doc = std::make_unique<CQuillomerDoc>();
    if (full.isEmpty()) {
        doc->SetTitle(tr("Unbenannt").toStdString() + std::to_string(++m_untitled));
        if (!doc->OnNewDocument())
            return nullptr;
    } else {
        if (!doc->OnOpenDocument(full.toStdString())) {
            // The refused file never had a window; every open project stays as it was.
            const LoadError& error = doc->GetLoadError();
            ShowMessageWithDetail(LoadStringId(error.messageId), error.reason, mb::Ok | mb::IconExclamation);
            return nullptr;
        }
        // What loading brought into range is said once, in one message.
        std::string corrected;
        if (!doc->GetMovedOnLoad().empty())
            corrected = StrFormat(LoadStringId(IDS_OBJECTS_MOVED).c_str(), MovedObjectsText(*doc).c_str());
        if (!doc->GetHeldOnLoad().empty())
            corrected += (corrected.empty() ? "" : "\n\n") +
                         StrFormat(LoadStringId(IDS_VALUES_HELD).c_str(), HeldValuesText(*doc).c_str());
        if (!corrected.empty())
            ShowMessage(corrected, mb::Ok | mb::IconInformation);
        if (CQuillomerApp* app = CQuillomerApp::Instance())
            app->AddToRecentFileList(full);
    }
    CQuillomerDoc* raw = doc.get();
    m_docs.push_back(Entry{std::move(doc), nullptr});
    m_docs.back().frame = CreateFrame(raw);
    return raw;
}

bool CDocTemplate::SaveDocument(CQuillomerDoc* doc, bool saveAs)
{
    if (!doc)
        return false;
    // A value typed before saving through the menu is saved too.
    TakeTypedValue();
    const QString work = GetProfileString(QStringLiteral("Settings"), QStringLiteral("WorkDirectory"));
    if (!work.isEmpty())
        QDir::setCurrent(work);
    QString path = QString::fromStdString(doc->GetPathName());
    if (saveAs || path.isEmpty()) {
        QString suggested = path;
        if (suggested.isEmpty()) {
            QString name = QString::fromStdString(doc->GetProjectName());
            suggested = QDir::current().filePath(name + QStringLiteral(".qlx"));
        }
        if (m_chooser) {
            path = m_chooser(doc, suggested);
        } else {
            // The dialog adds the extension to a name typed without one
            // before it asks whether an existing file is to be replaced: the
            // question is about the file that will be written.
            QFileDialog dialog(m_frame, tr("Speichern unter"), QString(), tr("QUILLOMER(*.qlx)"));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setDefaultSuffix(QStringLiteral("qlx"));
            dialog.selectFile(suggested);
            if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
                path = dialog.selectedFiles().constFirst();
            else
                path.clear();
        }
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty()) {
            // A name the dialog left without an extension (one ending in a
            // dot): the file written is another one than the dialog asked about.
            path += QStringLiteral(".qlx");
            if (QFileInfo::exists(path) &&
                ShowMessage(tr("Die Datei %1 existiert bereits.\nSoll sie überschrieben werden?")
                                .arg(QDir::toNativeSeparators(path))
                                .toStdString(),
                            mb::YesNo | mb::IconExclamation | mb::DefButton2) != mb::IdYes)
                return false;
        }
        path = QFileInfo(path).absoluteFilePath();
    }
    if (!doc->OnSaveDocument(path.toStdString()))
        return false;
    doc->SetPathName(path.toStdString());
    doc->SetModifiedFlag(false);
    doc->m_data.fileTitle = doc->GetProjectName();
    // A connected project saved under another name is shown by that name.
    if (m_frame)
        m_frame->OnDocumentRenamed(doc);
    if (CQuillomerApp* app = CQuillomerApp::Instance())
        app->AddToRecentFileList(path);
    return true;
}

bool CDocTemplate::SaveModified(CQuillomerDoc* doc)
{
    // A value typed before closing is asked about.
    TakeTypedValue();
    if (!doc || !doc->IsModified())
        return true;
    const QString name = QString::fromStdString(doc->GetProjectName());
    const int answer = ShowMessage(tr("Änderungen in %1 speichern?").arg(name).toStdString(),
                                   mb::YesNoCancel | mb::IconExclamation);
    if (answer == mb::IdCancel)
        return false;
    if (answer == mb::IdYes)
        return SaveDocument(doc, false);
    return true;
}

bool CDocTemplate::CloseDocument(CQuillomerDoc* doc, bool ask)
{
    auto it = Find(doc);
    if (it == m_docs.end())
        return true;
    if (ask && !SaveModified(doc))
        return false;
    doc->SetTitle(doc->GetProjectName());
    QPointer<CChildFrame> frame = it->frame;
    if (frame) {
        frame->SetClosing();
        if (frame->GetView())
            frame->GetView()->DetachDocument();
    }
    doc->OnCloseDocument();
    // The entry may have moved while the document was closing.
    it = Find(doc);
    std::unique_ptr<CQuillomerDoc> owned = std::move(it->doc);
    m_docs.erase(it);
    if (frame)
        frame->close();
    owned.reset();
    return true;
}

bool CDocTemplate::SaveAllModified()
{
    for (CQuillomerDoc* doc : GetDocuments())
        if (!SaveModified(doc))
            return false;
    return true;
}

void CDocTemplate::CloseAllDocuments()
{
    while (!m_docs.empty())
        CloseDocument(m_docs.back().doc.get(), false);
}

bool CDocTemplate::OnUpdateDocCommand(CQuillomerDoc* doc, CCmdUI& ui)
{
    if (!doc)
        return false;
    switch (ui.m_nID) {
    case doccmd::Save:
    case doccmd::SaveAs:
    case doccmd::Close:
        return true;
    default:
        return false;
    }
}
