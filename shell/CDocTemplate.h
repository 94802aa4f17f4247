#pragma once
// The multi-document template: makes a document with its designer window
// (child frame and view), opens, saves and closes documents, and numbers new
// ones ("Unbenannt1", ...).

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "model/CCmdUI.h"

class CQuillomerDoc;
class CChildFrame;
class CMainFrame;
class CQuillomerView;

class CDocTemplate : public QObject {
    Q_OBJECT
public:
    explicit CDocTemplate(CMainFrame* frame);
    ~CDocTemplate() override;

    // Opens a file (empty path: a new document) in a designer window.
    // Null when the document could not be made or read.
    CQuillomerDoc* OpenDocumentFile(const QString& path);
    // Save (or save as, or a document without a path): true when written.
    bool SaveDocument(CQuillomerDoc* doc, bool saveAs);
    // Asks whether to save a modified document: false when the user cancels.
    bool SaveModified(CQuillomerDoc* doc);
    // Closes a document and its window; `ask` asks to save first.
    bool CloseDocument(CQuillomerDoc* doc, bool ask = true);
    bool SaveAllModified();
    void CloseAllDocuments();

    std::vector<CQuillomerDoc*> GetDocuments() const;
    CChildFrame* GetFrame(const CQuillomerDoc* doc) const;
    CQuillomerView* GetView(const CQuillomerDoc* doc) const;

    // The state of a document's file commands (close, save, save as), which
    // the document carries out.
    bool OnUpdateDocCommand(CQuillomerDoc* doc, CCmdUI& ui);

    // How the target of "save as" is chosen (a file dialog; tests replace it).
    using SavePathChooser = std::function<QString(CQuillomerDoc* doc, const QString& suggested)>;
    void SetSavePathChooser(SavePathChooser chooser) { m_chooser = std::move(chooser); }

private:
    struct Entry {
        std::unique_ptr<CQuillomerDoc> doc;
        QPointer<CChildFrame> frame;
    };
    CChildFrame* CreateFrame(CQuillomerDoc* doc);
    std::vector<Entry>::iterator Find(const CQuillomerDoc* doc);
    std::vector<Entry>::const_iterator Find(const CQuillomerDoc* doc) const;

    CMainFrame* m_frame;
    std::vector<Entry> m_docs;
    int m_untitled = 0;
    SavePathChooser m_chooser;
};
