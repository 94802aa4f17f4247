#pragma once
// Test helpers for the object model: an application host that records what
// the document asks of it, a message recorder, and a view that records
// invalidated rectangles. Each installs itself for its lifetime.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <ostream>

#include "model/DocContext.h"
#include "platform/MessageBox.h"

// Records message boxes and answers them with `answer` (default: the box's default).
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<std::string> texts;
    std::vector<uint32_t> types;
    int answer = 0;  // 0: answer the default button
    bool Contains(const std::string& part) const;

private:
    MessageHandler m_previous;
};

class ModelTestHost : public IAppHost {
public:
    ModelTestHost();
    ~ModelTestHost() override;
    ModelTestHost(const ModelTestHost&) = delete;
    ModelTestHost& operator=(const ModelTestHost&) = delete;

    void DocumentClosing(CQuillomerDoc* doc, bool closing) override;
    void PostCommand(uint32_t commandId) override;
    bool EditProjectData(CQuillomerDoc* doc, ProjectData& data) override;
    void OpenFeatureWindow(CQuillomerDoc* doc, int windowKind, bool modal) override;
    int GetProfileInt(const std::string& section, const std::string& key, int def) override;
    std::string GetProfileString(const std::string& section, const std::string& key, const std::string& def) override;
    std::optional<CSize> GetBitmapSize(uint32_t bitmapId) override;

    std::map<uint32_t, CSize> bitmaps;                          // sizes of known bitmaps
    std::map<std::string, int> profileInts;                     // "Section/Key" → value
    std::map<std::string, std::string> profileStrings;
    std::vector<std::pair<CQuillomerDoc*, bool>> closingCalls;
    std::vector<uint32_t> postedCommands;
    std::vector<int> featureWindows;
    // The project data dialog: called with the data; return true to confirm.
    std::function<bool(ProjectData&)> projectDataDialog;

private:
    IAppHost* m_previous = nullptr;
};

// Installs a document as the active one for its lifetime.
class ActiveDocScope {
public:
    explicit ActiveDocScope(CQuillomerDoc* doc);
    ~ActiveDocScope();

private:
    ActiveDocHook m_previous;
};

class RecordingView : public IDocView {
public:
    void InvalidateLogicalRect(const CRect& r, bool erase) override { invalidated.push_back(r); }
    CBaseDevice* GetHotObject() const override { return hot; }
    void SetHotObject(CBaseDevice* obj) override { hot = obj; }
    void OnDocumentUpdate() override { ++updates; }

    std::vector<CRect> invalidated;
    CBaseDevice* hot = nullptr;
    int updates = 0;
};

// Readable test output for the geometry types.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "CRect(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "CPoint(" << p.x << ", " << p.y << ")";
}
