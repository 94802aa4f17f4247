#pragma once
// The device link: the one object through which the program talks to the
// central device. It owns the serial control (it is one), frames outgoing
// protocol lines, splits the received bytes into lines and routes them by its
// mode (LinkState), answers block requests, runs the connection set-up and the
// transfers (download, export, upload, text files, firmware) and the device's
// service commands, and writes the protocol log.
//
// Protocol text is UTF-8 inside the program and Windows-1252 on the line; the
// link converts at the port. Waits for the device run a local event loop so
// windows keep painting; while a wait stands for the device's answer time,
// receive events are held back so that the waiting caller reads the answer
// itself (as the serial control's RThreshold 0 does).

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "comm/CEchoTally.h"
#include "comm/ICommLinkHost.h"
#include "comm/IDeviceLink.h"
#include "comm/ILinkAnswerSink.h"
#include "model/DocContext.h"
#include "platform/CAppendFile.h"
#include "platform/CMessageHold.h"
#include "platform/serial/CMSComm.h"

class CFirmwareSender;
class CQuillomerDoc;

class CCommLink : public CMSComm, public ILineSender, public IDeviceLink {
    Q_OBJECT
public:
    // The request of a running block request.
    struct LinkRequest {
        int tag = 0;
        ILinkAnswerSink* reply = nullptr;
        std::weak_ptr<void> replyAlive;
        intptr_t param = 0;
    };

    explicit CCommLink(QObject* parent = nullptr);
    ~CCommLink() override;
    // The first link made is the program's one (GetCommLink); a link made
    // for another purpose (a window's sample) leaves that place free.
    void LeaveProgramLinkFree();

    // The window side (not owned; null: the neutral host).
    void SetHost(ICommLinkHost* host);
    ICommLinkHost& Host() const;

    // ---- Framing and sending ----
    // Writes the text as it stands; dropped when `doc` is given and is not the
    // bound document. Records the time as the last activity.
    void SendText(const std::string& text, CQuillomerDoc* doc);
    // Appends "\r\n" and sends (or, while exporting, adds the line to the
    // export list without a line end). The link's own commands may be joined
    // by "\r\n" and an ETX may stand alone as a command; every other control
    // character is taken out. Any text sent this way (or by SendText,
    // SendBlock, SendAndCollect) makes the next SendCommand line go out whole.
    void SendLine(const std::string& line, CQuillomerDoc* doc);
    // The line sender of every object: one command, without control
    // characters (a value cannot end the line or start another); the path
    // shorthand, then SendLine.
    void SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten) override;
    // What cannot have left the line yet, the part of a long text that has
    // not gone to the port yet included.
    int GetOutBufferCount() const override { return CMSComm::GetOutBufferCount() + static_cast<int>(m_heldOutput.size()); }
    // The next SendCommand line goes out whole (the protocol monitor was shown).
    void ClearLastSentPath() { m_lastSentPath.clear(); }
    const std::string& GetLastSentPath() const { return m_lastSentPath; }

    // ---- Mode ----
    int GetLinkState() const { return m_linkState; }
    // 8 sends "/MACRO/LOCK ON" first (every time); 4 from 8 sends "/MACRO/LOCK OFF" first,
    // except while the whole download runs: that releases the lock once, at its end.
    void SetLinkState(int state);
    // A window's download that stopped because the device no longer reads
    // (or the line died) ends here: the link is online again without
    // sending anything, so the device keeps the macro lock the download
    // left it in, as the user is told.
    void EndDownloadKeepingLock();
    int GetFirmwareStep() const { return m_firmwareStep; }

    // ---- Receiving ----
    // One received line (called by the receive handling only; public for the
    // windows that feed typed lines and for tests).
    void OnReceiveLine(const std::string& line);
    // The answer list of the running block request; the receiver empties it.
    std::vector<std::string>& GetAnswerList() { return m_answers; }
    // The receiver of the running block request; null when no request runs
    // or its receiver is gone.
    ILinkAnswerSink* GetRequestReply() const;
    // Ends the running block request of `asker` (the link is online again);
    // the request of another window goes on.
    void EndRequestOf(const ILinkAnswerSink* asker);
    bool GetQueryMark() const { return m_queryMark; }
    // Answers that marked a line as not understood (" ? " in them) since the
    // link was made, and the last of them: a transfer waiting for an answer
    // can tell a device that refused its query from one that fell silent.
    uint64_t GetRefusedCount() const { return m_refusedCount; }
    const std::string& GetLastRefused() const { return m_lastRefused; }
    // The first such answer since MarkRefused (empty: none since), so that a
    // transfer can name the first line of its own that the device refused.
    void MarkRefused() { m_firstRefused.clear(); }
    const std::string& GetFirstRefused() const { return m_firstRefused; }
    // How long a transfer that waits for an answer waits once the device
    // refused a line and has fallen silent.
    static constexpr int64_t kRefusedWaitMs = 1000;
    // An answer a transfer needs that cannot be read (a list of free numbers
    // that is no range text): counted since the link was made; the last one
    // as a message names it (a long one by its beginning). A transfer that
    // sees the count move ends there as incomplete.
    void AnswerUnreadable(const std::string& answer) override;
    uint64_t GetUnreadableCount() const { return m_unreadableCount; }
    const std::string& GetLastUnreadable() const { return m_lastUnreadable; }

    // ---- Queries ----
    std::string Query(const std::string& line, int waitMs) override;
    // Asks "key ?" and gives the value the device answered, without the
    // echo and prompt that come back beside it; empty when it did not answer.
    std::string QueryValue(const std::string& key, int waitMs);
    std::string QueryUntilLineEnd(const std::string& line, int timeoutMs);
    // The lines as one exchange; `answers` gets what came back but the echoes
    // and repeated lines, a line the device did not understand as its
    // "PATH ? " (the blank kept).
    bool SendAndCollect(const std::vector<std::string>& lines, std::vector<std::string>* answers);
    // An asynchronous block request of at most 512 characters; the answers go
    // to `reply` (the first requester while one is running). Refused, with
    // nothing sent, while a transfer holds the link.
    bool SendBlock(const std::vector<std::string>& lines, bool expectAnswers, int tag, ILinkAnswerSink* reply,
                   intptr_t param);
    // A block of the transfer that holds the link (a window's own lines sent
    // as block requests): as SendBlock, the hold aside.
    bool SendHeldBlock(const std::vector<std::string>& lines, ILinkAnswerSink* reply);
    // Milliseconds since the last line sent through SendText or the last receive event.
    int64_t GetLinkIdleTime() const;
    // Characters given to the port and received since the link was made: a
    // transfer that sees neither move knows the device has gone quiet.
    uint64_t GetCharsSent() const { return m_charsSent; }
    uint64_t GetCharsReceived() const { return m_charsReceived; }
    // The lines given to the line and those of them the device has echoed.
    const CEchoTally& GetEchoes() const { return m_echoes; }
    // A transfer that follows only the echoes of its own lines begins.
    void ForgetUnechoedLines() { m_echoes.Forget(); }

    // ---- Transfers holding the link ----
    // A transfer (the whole one or a window's own) holds the link from its
    // start to the end of its wait for the device. Meanwhile the windows'
    // polls send nothing: the device falls silent once the transfer is done,
    // and no poll reads the transfer's answers. Holds nest.
    void HoldForTransfer() { ++m_transferHolds; }
    void ReleaseTransferHold() { m_transferHolds = std::max(0, m_transferHolds - 1); }
    bool IsHeldByTransfer() const { return m_transferHolds > 0; }

    // ---- Port ----
    void ConfigurePort();
    void ClosePort();
    int GetPortNumber() const { return m_portNumber; }
    void OnSelectComPort(int id);
    void OnUpdateSelectComPort(CCmdUI& ui) const;
    std::string GetStatusText() const;

    // ---- Connection ----
    bool IsConnected() const override { return m_connected; }
    CQuillomerDoc* GetBoundDocument() const { return m_doc; }
    void OnConnect();
    void OnConnectModem();
    void SetupSession();
    // The date form the set-up tells the device ("/CLOCK/DATEFORMAT"):
    // "GERMAN" when the user's own locale is German, else "US".
    static std::string DateFormatWord();
    // The operating-system version in an answer to "/SERVICE/VER ?" (the text
    // from the "V" of the first " V" to two characters before the first
    // "rel"); empty when either mark is missing.
    static std::string VersionFromAnswer(const std::string& answer);
    // Stores the "KVT7000" capability flags of a version.
    static void StoreCapabilities(const std::string& version);
    // The online notice of a connect: shown every time, never, or at intervals.
    void ShowOnlineNoticeIfDue();
    void OnDisconnect();
    // A download stopped short and the user was told that the device's
    // configuration is incomplete and not saved (`what`: the transfer as the
    // message named it; empty: the whole download). Until the same transfer
    // goes through (or a whole download does), the disconnect saves the
    // device's settings only on the user's word. The connection's end forgets it.
    void NoteIncompleteDownload(const std::string& what);
    void NoteCompleteDownload(const std::string& what);
    bool HasIncompleteDownload() const { return !m_incompleteDownloads.empty(); }
    // A connection served by the link has ended since its last connect (the
    // line died or the user disconnected): nothing sent reaches the device.
    bool ConnectionEnded() const { return m_connectionEnded && !m_connected; }
    // The line died under the connection (the device hung up): whatever runs
    // over it stops, the document is let go and the link is idle and not
    // connected. Nothing is sent (there is no one to hear it).
    void OnLineLost();
    void OnDocumentClosing(CQuillomerDoc* doc, bool closing) override;
    // The status pane names the bound project by its current name.
    void OnDocumentRenamed(CQuillomerDoc* doc) override;

    // ---- Transfers ----
    void OnTransferParameters();
    void OnExportWorksheet();
    void RunDownload();
    bool IsExporting() const { return m_export; }
    const std::vector<std::string>& GetExportLines() const { return m_exportLines; }
    void ResetErrorFile();
    void ShowErrorFile();
    // An upload that neither starts nor shows the difference file (one entry
    // of a list): the file keeps what the last whole upload found, and the
    // entry's differences follow it. ForgetErrorFile ends it (the file is
    // not shown).
    void ContinueErrorFile();
    void ForgetErrorFile() { m_errFileName.clear(); }
    const std::string& GetErrorFileName() const { return m_errFileName; }
    // A reader of the upload's answers could not write the difference file
    // (`e` as the file's writer raised it): told once per upload, after the
    // line at hand has been handled. The upload goes on without the file:
    // what the readers take they keep, only the lines that name it are
    // missing.
    void NoteErrorFileFailure(const std::exception& e);
    // The queries the last whole upload sent and the answers the device gave
    // to them (lines received that are not the echo of a sent line).
    int GetUploadQueries() const { return m_uploadQueries; }
    int GetUploadAnswers() const { return m_uploadAnswers; }

    // ---- Text files ----
    // A text file is read whole when its sending begins: the lines sent are
    // those it held then, however it changes meanwhile. A line the device
    // cannot take as written (a character Windows-1252 lacks) is named
    // before anything is sent; on the user's word the others go without it.
    void OnSendConfigFile();
    // With `ofDownload` the file is the last part of a whole download: its
    // lines are followed to their echo as the objects' lines are, and a device
    // that stops reading them is sent none of the rest. False when it stopped.
    bool SendTextFileWithProgress(const std::string& path, bool ofDownload = false);
    void SendTextFile(const std::string& path) override;
    void SendNextTextLine();
    void EndTextFile();
    bool IsSendingTextFile() const { return m_textSending; }
    int GetTextLinesTotal() const { return m_textTotal; }
    int GetTextLinesSent() const { return m_textSent; }

    // ---- Firmware ----
    void OnLoadFirmware();
    bool ConfirmFirmwareLoad();
    std::string ChooseFirmwareFile();
    void OnFirmwareLine(const std::string& line);
    CFirmwareSender& GetFirmwareSender() { return *m_firmware; }
    // How long the boot loader may stay silent before the load is given up:
    // from "UPDATE" to its request for the records (it erases its flash
    // meanwhile), and, once the records go out, from each record to the next
    // and from the last one to its verdict; and how long a started system
    // may take to announce itself (or the loader to refuse it).
    static constexpr int kLoaderEraseTimeoutMs = 60000;
    static constexpr int kLoaderVerdictTimeoutMs = 20000;
    static constexpr int kLoaderStartTimeoutMs = 30000;
    // Other limits (tests).
    void SetLoaderTimeouts(int eraseMs, int verdictMs, int startMs = kLoaderStartTimeoutMs);
    bool IsWatchingLoader() const { return m_loaderWatch.isActive(); }
    // The firmware sender handed one record to the line.
    void OnFirmwareRecordSent();

    // ---- Service commands ----
    void OnPassword();
    // OK of the login dialog in login mode: true when the device accepted.
    bool TryLogin(const std::string& password, bool removeProtection);
    // OK of the login dialog in password mode: true when set and logged in.
    bool TrySetPassword(const std::string& password, const std::string& confirmation);
    void OnNetScan();
    void OnClearSettings();
    void OnSaveDeviceSettings();
    void OnSystemConfiguration();
    bool GetProtectionWasOn() const { return m_protectionWasOn; }
    bool GetRemoveProtection() const { return m_removeProtection; }

    // ---- Protocol monitor ----
    // A character typed in the monitor: terminal mode, sent as it stands.
    void OnMonitorChar(const std::string& ch);

    // ---- Commands of the device menu ----
    bool OnCommand(int id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;

    // ---- Waiting ----
    // The device's answer time: the event loop runs (windows paint, user input
    // waits) but receive events are held back.
    void Sleep(int ms);
    // Lets every waiting event run, receive events included.
    static void PumpMessages();

protected:
    // Serves `doc` over a port that is already open, without the device
    // dialogue of a connect (a link whose device is known to be ready).
    void BindOpenPort(CQuillomerDoc* doc);

private:
    void OnCommEvent();
    void RouteLine(const std::string& line);
    // Shows the message from the event loop, once the received lines at hand
    // have been handled (and after those said before it).
    void ShowWhenLineHandled(CMessageHold::Message message);
    // The bound project's difference file (none without a project).
    std::string ErrorFileName() const;
    void PostWaitingMessages(int ms);
    void DeliverAnswers();
    void WriteLog(const std::string& text);
    // Closes the protocol log; lines it never took are told as lost.
    void CloseLog();
    void OpenLog();
    // Where the side files of a project that has no file yet go: its name
    // in the work directory.
    static std::string UnsavedSideBase(CQuillomerDoc* doc);
    bool Dial();
    // Why a whole transfer ended before its last step.
    enum class TransferStop { None, Cancelled, LineLost, NoAnswer, Refused, NoEcho, Unreadable };
    // Where a whole transfer stands: the object (an index into
    // m_transferObjects; -1 before the first) and the step the bar shows.
    struct TransferPlace {
        int object = -1;
        int step = 0;
    };
    // A line of a whole transfer whose echo has not come back yet, the
    // place the step that sent it took the bar to, and the characters given
    // to the port up to its end.
    struct SentLine {
        std::string text;
        TransferPlace place;
        uint64_t end = 0;
    };
    // The block request itself, whoever holds the link.
    bool SendBlockNow(const std::vector<std::string>& lines, int tag, ILinkAnswerSink* reply, intptr_t param);
    // Drives the objects' step machines; stops at Cancel, when the
    // connection of `session` ends, or when the device stops reading or
    // answering (the reason is left in m_transferStop).
    void RunObjectLoop(const std::vector<CBaseDevice*>& objects, int mode, IProgress& progress, unsigned session);
    // The oldest line of a whole transfer whose echo is missing has left the
    // line, and the device has sent nothing since for as long as a transfer
    // waits for an answer.
    bool EchoStalled();
    // The end of a whole download's objects: waits, letting every event run,
    // until the device has echoed their lines; false when it stopped reading.
    bool WaitForEchoes(IProgress& progress, unsigned session);
    // The transfer's lines are to come back as echo: the device echoed one,
    // or the connection set-up found its echo on (a device fallen silent
    // before the transfer began echoes none).
    bool EchoAwaited() const { return m_echoSeen || m_echoOn; }
    // Whether the disconnect may save the device's settings: not those of an
    // unknown device, nor, without the user's word, a configuration the user
    // was told is incomplete and unsaved.
    bool MaySaveOnDisconnect();
    // The message of a whole transfer that ended early: what did not
    // complete, why, and how far the device got; the bar is set to the same place.
    std::string TransferEndText(int mode, TransferStop stop, IProgress& progress) const;
    // True when the connection that was up at `session` (a value of
    // m_sessionEnds) has been closed since.
    bool SessionEndedSince(unsigned session) const { return m_sessionEnds != session; }
    bool AskCancel();
    // Waits, letting every event run, until what was sent has left the line;
    // false when the user cancels (or had cancelled the transfer before).
    bool WaitOutputEmpty(IProgress* progress);
    // Waits until what was sent has left the line, receive events held back
    // as during the device's answer time; gives up after 5 s without progress.
    void WaitUntilSent();
    // One short wait for the line: precise to the end of the output, or a
    // few milliseconds when only the driver knows.
    void WaitForWire(QEventLoop::ProcessEventsFlags flags);
    // Splits the received text into lines and routes them.
    void SplitReceived();
    // Splits again from the event loop (after a comment paused the splitting).
    void PostSplit(int ms);
    // The end of a whole upload: waits, letting every event run, until the
    // device has been silent for more than a second since the last query left
    // the line, however long it keeps answering. Cancel ends the wait.
    void WaitForLastAnswers(IProgress& progress, unsigned session);
    // Follows what a whole transfer sends and what of it the device echoes;
    // an upload counts its queries and their answers.
    void CountSent(const std::string& text);
    void CountReceived(const std::string& line);
    // Closing lines of a download that wait in the output are gone once it is empty.
    void NoteOutputEmpty();
    // The message of a download that did not end well; nothing when it did.
    // `closingUnread`: the release and the save left, and the device never echoed them.
    void ReportDownloadEnd(TransferStop stop, bool closingQueued, bool closingUnread, IProgress& progress);
    // Tells the user that closing the port dropped a download's closing lines.
    void ReportLostClosingLines();
    // The end of a whole upload whose line was lost before the last answer.
    void ReportUploadLineLost(IProgress& progress);
    // A text file is not sent while another is, nor without a connection (the user is told).
    bool MayStartTextFile();
    enum class TextFileRead { Lines, Nothing, Cancelled };
    // The lines of the text file at `path` as the device is to get them
    // (without their line feed), read whole now. Lines the device cannot
    // take as written are named; on the user's word the others are the
    // lines, else Cancelled. Nothing: no line to send (a file that cannot
    // be read or is empty is told when `tell`).
    TextFileRead ReadTextFileLines(const std::string& path, std::vector<std::string>& lines, bool tell);
    void StartTextLines(std::vector<std::string> lines);
    bool SendTextLinesWithProgress(const std::string& path, std::vector<std::string> lines, bool ofDownload);
    std::string TextFilePath(CQuillomerDoc* doc) const;
    std::string TextFileName(CQuillomerDoc* doc) const;
    void OnTextFileTimer();
    // (Re)starts the wait for a sign of the boot loader.
    // Gives `bytes` to the port and counts them as sent.
    void Write(const QByteArray& bytes);
    void WatchLoader(int ms);
    // Has the loader start the system, then waits for its word.
    void StartSystem();
    // The boot loader stayed silent too long.
    void OnLoaderSilent();
    void WriteExportFiles(CQuillomerDoc* doc, bool writePar);
    void SetConnectedText();
    std::string ReadInput();

    ICommLinkHost* m_host = nullptr;

    int64_t m_lastActivity = 0;  // monotonic milliseconds
    int64_t m_lastReceived = 0;  // monotonic milliseconds of the last character received
    uint64_t m_charsSent = 0;
    uint64_t m_charsReceived = 0;
    CEchoTally m_echoes;
    int m_portNumber = 1;
    bool m_connected = false;
    bool m_connectionEnded = false;
    CQuillomerDoc* m_doc = nullptr;
    std::string m_rxBuffer;
    int m_linkState = linkstate::Idle;
    int m_firmwareStep = 1;
    bool m_cancelledWhileErasing = false;  // the loader gets the end record for its request and has the last word
    std::unique_ptr<CFirmwareSender> m_firmware;
    QTimer m_loaderWatch;
    int m_loaderEraseMs = kLoaderEraseTimeoutMs;
    int m_loaderVerdictMs = kLoaderVerdictTimeoutMs;
    int m_loaderStartMs = kLoaderStartTimeoutMs;
    std::string m_errFileName;
    bool m_errFileReported = false;
    bool m_errFileEmptied = false;  // it holds this upload's differences only
    bool m_modemMode = false;
    std::string m_modemInit;
    std::vector<std::string> m_exportLines;
    std::vector<std::string> m_returnLines;
    std::vector<std::string> m_textLines;  // the text file being sent, as read when its sending began
    size_t m_textNext = 0;
    bool m_textSending = false;
    int m_textTotal = 0;
    int m_textSent = 0;
    QTimer m_textTimer;
    CAppendFile m_log;
    std::string m_password;
    bool m_removeProtection = false;
    bool m_protectionWasOn = false;
    bool m_protectEcho = false;  // the device echoed the last "/PROTECT ?" asked before a login
    std::vector<std::string> m_answers;
    LinkRequest m_request;
    bool m_export = false;
    bool m_downloadRunning = false;  // the whole download holds the macro lock
    bool m_transferCancelled = false;  // the user cancelled the running transfer
    int m_transferHolds = 0;
    bool m_splitPosted = false;
    QByteArray m_heldOutput;  // given to Write, not yet to the port
    bool m_writing = false;   // Write is handing a text to the port
    std::deque<CMessageHold::Message> m_waitingMessages;  // said while received lines were handled
    bool m_messagesPosted = false;
    bool m_showingMessages = false;
    bool m_outputStalled = false;  // the output stood still through a whole wait
    bool m_queryMark = false;
    uint64_t m_refusedCount = 0;
    std::string m_lastRefused;
    std::string m_firstRefused;  // since MarkRefused
    uint64_t m_unreadableCount = 0;
    uint64_t m_unreadableAtStart = 0;  // the count when the whole transfer began
    std::string m_lastUnreadable;
    TransferStop m_transferStop = TransferStop::None;
    std::string m_lastSentPath;
    unsigned m_sessionEnds = 0;  // counts the closes of the port by ClosePort
    // A whole transfer follows the echo of its lines; an upload counts its
    // queries and the answers that come back.
    bool m_counting = false;
    int m_uploadQueries = 0;
    int m_uploadAnswers = 0;
    std::deque<SentLine> m_transferEchoes;  // sent lines whose echo has not come back yet
    uint64_t m_linesSent = 0;       // lines put into m_transferEchoes so far
    uint64_t m_linesEchoed = 0;     // lines taken from m_transferEchoes so far
    uint64_t m_leftLine = 0;        // the line (m_linesEchoed + 1 then) last seen off the line,
    int64_t m_leftLineMs = 0;       // and when
    bool m_echoSeen = false;        // the device echoes the transfer's lines
    bool m_echoOn = true;           // the connection set-up found the device's echo on
    int m_uploadEarlyLines = 0;     // lines received before the first echo
    // The objects of a whole transfer whose steps went out (name and step
    // count), the place the bar shows and the place of the last line echoed.
    std::vector<std::pair<std::string, int>> m_transferObjects;
    TransferPlace m_barPlace;
    TransferPlace m_echoPlace;
    // The download's lock release and FASTSAVE wait in the output.
    bool m_closingLinesPending = false;
    bool m_closingLinesLost = false;  // closing the port dropped them; not told yet
    bool m_deferCloseReport = false;  // the hang-up's own message comes first
    // Downloads the user was told left the configuration incomplete and unsaved.
    std::vector<std::string> m_incompleteDownloads;
    bool m_deviceUnknown = false;  // the device at the port was called unknown
};

// The program's one device link (null when none exists).
CCommLink* GetCommLink();
// A transfer holds the program's link: a window's poll sends nothing now.
bool TransferHoldsLink();
