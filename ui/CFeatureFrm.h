#pragma once
// The frame of a feature window hosted by CObjectDlg: one view, the switch bar
// shared by a group of frames, the frame's own command bar and a status bar.
//
// Two forms share the command handling: the edit-window form (switch bar 507:
// the editing windows of macros, calendar items, conditions and so on) and the
// service-window form (switch bar 526: fuses, power, recorder, event log, zone
// test, pilot tone, volumes). A switch command is posted to the host, which replaces this frame by
// the chosen kind's; "KVT Einstellungen abspeichern" saves the device's
// settings; "Speichern" saves the project. The service form refuses four
// windows that the device or the project's variant cannot run. Every
// command of the bars takes a value typed into the window's field first, as
// leaving the field would: a bar button leaves the focus where it is.
//
// The editing windows also transfer their own objects through the frame: the
// object's step machine is run with a progress bar in the status bar while
// the device link holds the upload or download state. A transfer is known to
// the user by the window's own upload or download command ("Makro uploaden"),
// and an early end names it so.
//
// The commands and controls that need the device are the frame's to watch:
// when the line of a window opened online is lost, they are greyed as in a
// window opened offline and the window is told (OnLineLost), so that it no
// longer shows the device's values as current. A device command that reaches
// the frame without a connection runs nothing and says so.

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/CInputHold.h"
#include "ui/CPictureSet.h"
#include "ui/CTransferLoop.h"

class CBaseDevice;
class ILinkAnswerSink;
class QAction;
class QProgressBar;
class QToolBar;

class CFeatureFrm : public QMainWindow {
    Q_OBJECT
public:
    enum class Form { Edit, Service };
    static constexpr unsigned kEditBarId = 507;
    static constexpr unsigned kServiceBarId = 526;
    static constexpr unsigned kSaveDeviceSettings = 32852;
    static constexpr unsigned kSave = 57603;
    static constexpr unsigned kNotInThisVersion = 34564;  // "In dieser Geräteversion nicht möglich!"
    static constexpr unsigned kOnlineOnly = 34524;        // "Nur im Online Modus möglich!"
    // How often the frame looks whether the line it was opened on still stands.
    static constexpr int kLineWatchMs = 250;

    CFeatureFrm(Form form, QWidget* parent = nullptr);

    // The switch bar of a form, its buttons in order with their pictures.
    static std::vector<CPictureSet::Button> SwitchBarButtons(Form form);

    Form GetForm() const { return m_form; }
    QToolBar* GetSwitchBar() const { return m_switchBar; }
    QToolBar* GetCommandBar() const { return m_commandBar; }
    // The button of a command on either bar (null when none).
    QAction* GetAction(unsigned commandId) const;

    // Handles a command of the bars: the shared ones here, the rest in
    // OnFrameCommand. True when handled.
    bool OnCommand(unsigned commandId);

    // Whether the device and the project can run the pilot tone, recorder,
    // event log and zone-test windows.
    static bool DeviceVersionAllows();

    // Runs `obj`'s step machine for a transfer of the window's objects: reset
    // with `resetStep` (its result is the end), then every step from 0, with
    // the link in the upload (mode 1) or download state; after an upload the
    // difference file is shown. Returns when the device has been silent for
    // more than a second after the last step.
    // `started` runs once the link holds the transfer state, `stepsDone`
    // after the last step, before the wait for the idle link.
    //
    // The transfer goes on as long as anything moves: a step, a character
    // given to the line or received, output leaving the line. It stops early
    // when nothing has moved for the stall limit, the connection ends or the
    // user cancels, and then tells the user which block did not finish and
    // where the progress bar stood. While it runs the
    // window's bars and view take no input and OnCommand ignores every
    // command; a transfer asked for meanwhile does not start.
    using TransferHook = std::function<void()>;
    void TransferAll(CBaseDevice* obj, int mode, int resetStep, const TransferHook& started = {},
                     const TransferHook& stepsDone = {});
    // The transfer of one entry (a list window's "Download" and "Upload" of
    // the selected row, CSingleTransfer): only the step `step` runs, until it
    // moves on. No progress bar and a pause of 50 ms between calls; an upload
    // neither starts nor shows the difference file: what the last whole
    // upload found stays, and what the entry's readers cannot take as the
    // device holds it follows it there. The window
    // takes no input meanwhile and no other transfer starts. An early end
    // names the entry by `entry` (its own title; empty: as the window's
    // transfer) and counts its own steps.
    void TransferOne(CBaseDevice* obj, int mode, int resetStep, int step, const std::string& entry = {});
    // One entry that spans the steps `first` .. `end` - 1, as TransferOne;
    // with `diffFile` an upload starts and shows the difference file as
    // TransferAll does (rows chosen of a list that transfers them so).
    void TransferSteps(CBaseDevice* obj, int mode, int resetStep, int first, int end, const std::string& entry = {},
                       bool diffFile = false);
    // TransferAll for a block that goes row by row: the progress bar runs
    // from 0 to `rows` and stands at `rowOf(step)`, the row being transferred
    // (and an early end names that row).
    void TransferRows(CBaseDevice* obj, int mode, int resetStep, int rows, const CTransferLoop::ProgressOf& rowOf);
    // The transfer of a live window's own lines, which go as block requests
    // answered to its view (CTransferLoop::RunBlocks): no progress bar; the
    // difference file left alone unless an upload asks for its own (`diffFile`,
    // for a window whose upload fills the project); the window takes no input meanwhile, no
    // other transfer starts, and an early end is named by the window's
    // upload or download command.
    void TransferBlocks(int mode, const std::vector<std::vector<std::string>>& blocks, ILinkAnswerSink* view,
                        bool diffFile = false);
    // The feature frame `w` lies in (null: none).
    static CFeatureFrm* FrameOf(const QWidget* w);
    // What the user knows a transfer of this window by: the text of the
    // window's upload or download command, or the block's name where the
    // window has none.
    std::string TransferName(const CBaseDevice* obj, int mode) const;
    // A transfer of this window runs.
    bool IsTransferring() const { return m_transferring; }
    // The window was opened online and its line still stands.
    bool IsOnline() const { return m_online; }
    // The transfer that runs was cancelled by the user (or none runs).
    bool IsTransferCancelled() const { return m_loop.IsCancelled(); }
    void CancelTransfer() { m_loop.Cancel(); }

    // How long a transfer waits while neither a step nor a character moves
    // (CTransferLoop::kStallLimitMs unless set otherwise).
    void SetStallLimit(int ms) { m_loop.SetStallLimit(ms); }
    // The early ends: "%s" the block, "%d" the step the device got to, "%d" the steps in all.
    static constexpr unsigned kTransferStalled = 35100;    // and "%d" the seconds waited
    static constexpr unsigned kTransferLineLost = 35101;
    static constexpr unsigned kTransferCancelled = 35102;
    static constexpr unsigned kTransferRefused = 35103;    // and "%s" the line the device refused
    static constexpr unsigned kTransferNoAnswer = 35104;   // an upload the device stopped answering
    static constexpr unsigned kTransferNoEcho = 35105;     // a download whose lines the device stopped echoing
    static constexpr unsigned kTransferUnreadable = 35108;  // and "%s" the answer that cannot be read
    // What became of the rest, the line after an early end's.
    static constexpr unsigned kTransferRestNotSent = 35120;       // the remaining entries not sent
    static constexpr unsigned kTransferEntryRestNotSent = 35121;  // the rest of the one entry not sent
    static constexpr unsigned kTransferSentUnread = 35122;        // every line sent, the rest not read
    static constexpr unsigned kTransferSentUnanswered = 35123;    // every query sent, the rest not answered
    // A transfer that ended although the device refused some of its lines:
    // "%s" the transfer, "%d" how many lines, "%s" the first of them.
    static constexpr unsigned kTransferRefusedSomeUpload = 35106;
    static constexpr unsigned kTransferRefusedSomeDownload = 35107;

    // The status-line and tool-tip halves of a command's string-table text.
    static QString CommandText(unsigned commandId);
    static QString ToolTipText(unsigned commandId);

protected:
    // The own command bar with these commands (0 = separator).
    QToolBar* AddCommandBar(unsigned toolBarId, std::initializer_list<unsigned> commands);
    // The frame's own commands; false when the command is not one of them.
    virtual bool OnFrameCommand(unsigned commandId) { return false; }
    // The window's upload and download commands: they name its transfers
    // and need the device (AddDeviceCommands).
    void SetTransferCommands(unsigned upload, unsigned download, bool greyWhenLost = true);
    // Commands that need the device: without a connection they run nothing
    // and the user is told; with `greyWhenLost` their buttons are greyed
    // once the line is lost (a window whose buttons stay usable offline
    // keeps them).
    void AddDeviceCommands(std::initializer_list<unsigned> commands, bool greyWhenLost = true);
    // Controls of the window that act on the device: greyed once the line is lost.
    void AddDeviceControls(std::initializer_list<QWidget*> controls);
    // The line of a window opened online was lost: its device commands and
    // controls are greyed already; the window stops showing the device's
    // values as current.
    virtual void OnLineLost() {}

private:
    void AddBarButton(QToolBar* bar, unsigned commandId, const QString& text, const QString& tip);
    void ReserveTransferRoom();
    void PostSwitch(unsigned commandId);
    // Looks whether the line still stands; greys and tells the window once when not.
    void WatchLine();
    bool IsDeviceCommand(unsigned commandId) const;
    // Refuses a transfer or device command without a connection, saying so.
    bool RefuseOffline() const;
    // The transfer from the reset to the end wait; the hooks as TransferAll's.
    // With `rowOf` the progress counts `rows` as TransferRows's.
    void RunTransfer(CBaseDevice* obj, int mode, int resetStep, const TransferHook& started,
                     const TransferHook& stepsDone, int rows = 0, const CTransferLoop::ProgressOf& rowOf = {});
    // The progress bar and its cancel button in the status bar, input held.
    void BeginTransfer(int range);
    void EndTransfer();
    // Takes input from the bars and the view away while a transfer runs, and gives it back.
    void HoldInput(bool hold);

    Form m_form;
    QToolBar* m_switchBar = nullptr;
    QToolBar* m_commandBar = nullptr;
    QProgressBar* m_progress = nullptr;
    QWidget* m_cancelButton = nullptr;
    bool m_transferring = false;
    CTransferLoop m_loop;
    CInputHold m_hold;
    unsigned m_uploadCommand = 0;
    unsigned m_downloadCommand = 0;
    std::vector<unsigned> m_deviceCommands;
    std::vector<unsigned> m_greyWhenLost;
    std::vector<QPointer<QWidget>> m_deviceControls;
    bool m_online = false;  // opened online, the line still stands
    QTimer m_lineWatch;
};
