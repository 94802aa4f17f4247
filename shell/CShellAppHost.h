#pragma once
// The application services documents and objects use (settings, dates,
// bitmaps, the project data dialog, posted commands), given by the shell.

#include <functional>

#include "model/DocContext.h"

class CMainFrame;
class QAction;
class QMenu;
class QPoint;

class CShellAppHost : public IAppHost {
public:
    explicit CShellAppHost(CMainFrame* frame) : m_frame(frame) {}

    void DocumentClosing(CQuillomerDoc* doc, bool closing) override;
    void BeforeDeleteContents(CQuillomerDoc* doc) override;
    void PostCommand(uint32_t commandId) override;
    bool EditProjectData(CQuillomerDoc* doc, ProjectData& data) override;
    bool SaveDocument(CQuillomerDoc* doc, bool saveAs) override;
    void CloseDocument(CQuillomerDoc* doc) override;
    int GetProfileInt(const std::string& section, const std::string& key, int def) override;
    std::string GetProfileString(const std::string& section, const std::string& key, const std::string& def) override;
    std::string FormatShortDate(std::time_t t) override;
    std::optional<std::time_t> ParseShortDate(const std::string& text) override;
    std::optional<CSize> GetBitmapSize(uint32_t bitmapId) override;
    // One object's lines over the device link, in the download or upload
    // state; waits until the device has been silent, then shows an upload's
    // differences. A transfer that stops early says so; one asked for while
    // another runs does not start.
    void TransferObject(CBaseDevice* obj, bool upload) override;
    // The feature window host for the document: modal (returns when it is
    // closed) or modeless (deletes itself when closed).
    void OpenFeatureWindow(CQuillomerDoc* doc, int windowKind, bool modal) override;
    // The object's context menu at a sheet point; the chosen command goes to
    // the object.
    void ShowWindowNotAvailable(CQuillomerDoc* doc, const std::string& caption) override;
    void ShowContextMenu(CBaseDevice* obj, uint32_t menuId, CPoint at) override;

    // Runs a context menu at a screen point and gives the chosen action (null
    // when none). The default runs QMenu::exec; tests replace it.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& screen)>;
    static MenuRunner SetMenuRunner(MenuRunner runner);

private:
    CMainFrame* m_frame;
    bool m_transferring = false;
};
