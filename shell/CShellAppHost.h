#pragma once
// The application services documents and objects use (settings, dates,
// bitmaps, the project data dialog, posted commands), given by the shell.

#include "model/DocContext.h"

class CMainFrame;

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

private:
    CMainFrame* m_frame;
};
