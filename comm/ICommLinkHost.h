#pragma once
// The window side of the device link: the protocol monitor, the wait cursor,
// the status-bar text, the link's dialogs, progress dialogs and the text
// editor. The device link itself is Qt Core only; the application installs a
// host made of widgets (comm/windows), tests install a scripted one. Every
// operation has a neutral default, which is what runs without windows.

#include <memory>
#include <string>
#include <vector>

#include "comm/IProgress.h"

class CBaseDevice;
class CCommLink;
class CFirmwareSender;
class CQuillomerDoc;

// What the parameter-group dialog is given and gives back.
struct ParamSelection {
    CQuillomerDoc* doc = nullptr;
    int direction = 1;                  // 0 upload (device to PC), 1 download
    std::string textFileName;           // the project's text file, without directory
    bool textFile = false;              // the text-file group was ticked
    std::vector<CBaseDevice*> objects;  // filled on OK, in group order
};

enum class ProgressKind { Plain, Animated };

class ICommLinkHost {
public:
    virtual ~ICommLinkHost() = default;

    // ---- Protocol monitor ----
    virtual void AppendMonitorText(const std::string& text) {}
    virtual void ClearProtocolMonitor() {}
    virtual void ShowProtocolMonitor(bool show) {}

    // ---- Feedback ----
    virtual void SetWaitCursor(bool on) {}
    // The connection pane of the status bar.
    virtual void SetConnectionText(const std::string& text) {}

    // ---- Dialogs (modal) ----
    // The online notice; the dialog stores "KVT7000"/"OnlineCounter" itself.
    virtual void ShowOnlineNotice() {}
    // The parameter-group dialog; true on OK (selection filled).
    virtual bool RunParamSelect(ParamSelection& selection) { return false; }
    // The login dialog: mode 1 login, 2 set a password. Its OK button calls
    // CCommLink::TryLogin / TrySetPassword and closes only when they say so.
    virtual bool RunLogin(CCommLink& link, int mode) { return false; }
    // File dialogs; "" when cancelled.
    virtual std::string ChooseConfigFile() { return {}; }
    virtual std::string ChooseFirmwareFile() { return {}; }
    // The firmware dialog around a started sender; true when it closed with
    // OK. The default waits, letting events run, until the sender finishes.
    virtual bool RunFirmwareDialog(CFirmwareSender& sender);
    // The system configuration browser, and one received line for it.
    virtual void RunSystemConfigDialog() {}
    virtual void SystemConfigLine(const std::string& line, int state) {}

    // A modeless progress dialog, shown at once (the owner is disabled while
    // it lives). The default lets events run and never reports Cancel.
    virtual std::unique_ptr<IProgress> CreateProgress(ProgressKind kind, const std::string& caption);

    // Shows a text file in the user's text editor (never through a shell).
    virtual void OpenInEditor(const std::string& path);
    // A file shown earlier was written anew and is not shown again (an
    // upload found no differences): a window of the program's own that
    // still shows it reads it again, so it no longer shows the old lines.
    virtual void FileRewritten(const std::string& path) {}
    // A file shown earlier could not be written anew: it still holds an
    // earlier run's lines (or is no file any more). A window of the
    // program's own that shows it closes, so that they do not pass for the
    // new run's.
    virtual void FileNotRewritten(const std::string& path) {}
};
