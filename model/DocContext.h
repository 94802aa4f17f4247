#pragma once
// How object code reaches its surroundings without depending on windows:
// the active document, the line sender of the device link, the views of a
// document and the services of the application (dialogs, settings, bitmaps).
// The application installs the real ones; tests install recording ones.

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

class CQuillomerDoc;
class CBaseDevice;
struct ProjectData;

// The device link's modes (LinkState), as passed to ParseUploadLines.
namespace linkstate {
enum : int {
    Idle = 0,
    FirmwareLoad = 1,
    Online = 4,
    SystemConfig = 5,
    Terminal = 6,
    Upload = 7,
    Download = 8,
    BlockRequest = 16,
};
}  // namespace linkstate

// The line sender of the device link (the main frame's SendCommand and the
// serial port's output queue).
class ILineSender {
public:
    virtual ~ILineSender() = default;
    // Sends one protocol line; the link passes it on only when `doc` is the
    // document it is bound to. `shorten`: drop the path when it repeats.
    virtual void SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten) = 0;
    // Bytes queued in the serial output buffer that have not left yet.
    virtual int GetOutBufferCount() const = 0;
    // An answer of the device that a transfer needs and that cannot be read
    // (a list of free numbers that is no range text): the transfer cannot
    // know what the device holds, and ends there, naming it.
    virtual void AnswerUnreadable(const std::string& answer) {}
};

// Producers hold back while the output buffer holds this many bytes or more.
constexpr int kOutBufferHoldBack = 512;

// A designer window showing a document.
class IDocView {
public:
    virtual ~IDocView() = default;
    // Invalidates a rectangle given in logical units of the sheet.
    virtual void InvalidateLogicalRect(const CRect& r, bool erase) = 0;
    // The hot object of the view, or null.
    virtual CBaseDevice* GetHotObject() const = 0;
    virtual void SetHotObject(CBaseDevice* obj) = 0;
    // Redraws the whole view after the document changed.
    virtual void OnDocumentUpdate() {}
};

// Services the application provides to documents and objects. Every
// operation has a neutral default, which is what runs without a window.
class IAppHost {
public:
    virtual ~IAppHost() = default;

    // The main frame's document-closing service: `closing` true when the
    // document is being closed (the device link disconnects when bound to it).
    virtual void DocumentClosing(CQuillomerDoc* doc, bool closing) {}
    // Before a document drops its contents (closes the modeless audio input
    // and output dialogs that show it).
    virtual void BeforeDeleteContents(CQuillomerDoc* doc) {}
    // Posts a command to the main window (handled after the current one).
    virtual void PostCommand(uint32_t commandId) {}
    // The project data dialog; true when the user confirmed. The dialog
    // fills `data.projectDate` from the date text it parsed.
    virtual bool EditProjectData(CQuillomerDoc* doc, ProjectData& data) { return false; }
    // Opens the feature window host on the document with a window kind.
    virtual void OpenFeatureWindow(CQuillomerDoc* doc, int windowKind, bool modal) {}
    // Opens the feature window host without a window of its own, captioned
    // `caption` and saying that the window is not available yet (for objects
    // whose windows are not part of the program yet), modal.
    virtual void ShowWindowNotAvailable(CQuillomerDoc* doc, const std::string& caption) {}
    // Tracks an object's context menu (menu resource id) at a sheet point.
    virtual void ShowContextMenu(CBaseDevice* obj, uint32_t menuId, CPoint at) {}
    // The framework's save (asks for a name when `saveAs` or the document has
    // no path yet); true when saved. The default saves to the known path only.
    virtual bool SaveDocument(CQuillomerDoc* doc, bool saveAs);
    // The framework's close of a document (its windows, then the document).
    virtual void CloseDocument(CQuillomerDoc* doc);

    // Per-user settings ("Settings"/"WorkDirectory", "Configuration"/"KVT Registry", ...).
    virtual int GetProfileInt(const std::string& section, const std::string& key, int def) { return def; }
    virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& def) { return def; }

    // Dates in the user's short date format. The defaults use dd.mm.yyyy.
    virtual std::string FormatShortDate(std::time_t t);
    virtual std::optional<std::time_t> ParseShortDate(const std::string& text);

    // The single-object transfer: runs the object's line producer (`upload`:
    // its queries, with the answers checked) over the device link. The
    // default, without a link, runs the producer alone, sending through the
    // installed line sender and stopping while a step waits.
    virtual void TransferObject(CBaseDevice* obj, bool upload);

    // Size of a symbol bitmap of the bitmap manager; nullopt when it has none.
    virtual std::optional<CSize> GetBitmapSize(uint32_t bitmapId) { return std::nullopt; }
};

// ---- Free functions ----

// The document of the main window's active frame (null when none).
CQuillomerDoc* GetActiveDoc();
// The active document's connected flag; 0 when there is no active document.
int IsDocConnected();
// The active document's first view (null when none).
IDocView* GetActiveDocView();

// Sends one line through the installed line sender (dropped when none).
void SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten);
// The output-buffer count of the installed line sender (0 when none).
int GetOutBufferCount();
// Tells the installed line sender that the answer `answer` ("PATH VALUE")
// cannot be read (nothing when none is installed).
void ReportUnreadableAnswer(const std::string& answer);
// True while the output buffer holds kOutBufferHoldBack bytes or more.
inline bool IsOutBufferFull() { return GetOutBufferCount() >= kOutBufferHoldBack; }

// The installed application services (a neutral host when none is installed).
IAppHost& GetAppHost();

// ---- Installation (application start-up and tests) ----

using ActiveDocHook = std::function<CQuillomerDoc*()>;
// Installs how the active document is found; returns the previous hook.
ActiveDocHook SetActiveDocHook(ActiveDocHook hook);
// Installs the line sender (not owned); returns the previous one.
ILineSender* SetLineSender(ILineSender* sender);
// Installs the application services (not owned; null restores the neutral host).
IAppHost* SetAppHost(IAppHost* host);
