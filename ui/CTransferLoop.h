#pragma once
// One transfer of a block's step machine over the device link, as every
// window that transfers by itself runs it: the link holds the upload
// (mode 1) or download state, the step machine is called until it reaches
// its end, then the loop waits until the output has left and the device has
// been silent for more than a second. A download is done only once the
// device has echoed its lines up to the last.
//
// The transfer goes on as long as anything moves: a step, a character given
// to the line or received, output leaving the line. It stops early when
// nothing has moved for the stall limit, the device refused a line and
// then fell silent, the device stopped echoing the lines it was sent (it
// reads no more, so an upload gets no answers and a download's lines are
// lost), an answer the transfer needs cannot be read (what the device holds
// is then not known), the connection ends or the user cancels; ReportStop then tells the
// user which transfer did not finish, how far the device got (the step of
// the last line it echoed), why, and what became of the rest: not sent, or
// sent and not read or answered. What still waits to be sent when the
// transfer stops early (a device that holds XOFF keeps it) is dropped, so
// nothing reaches the device after the user is told; a device that holds
// XOFF is otherwise waited for as the whole download waits for it. A
// download whose device stopped reading is sent nothing more, not even the
// release of its macro lock (nor, after an early end, a release the device
// holds back), and the message says that the lock stays. A transfer that
// ended although the device did not understand some (or all) of its lines
// tells that with ReportRefused.
// Events run while it waits: the caller keeps the commands that would start
// another transfer or change the block's objects away.

#include <QPointer>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class CBaseDevice;
class CCommLink;
class CTransferWatch;
class ILinkAnswerSink;
class QProgressBar;

class CTransferLoop {
public:
    enum class Stop { None, Cancelled, Stalled, LineLost, Refused, Silent, Unreadable };
    // How long a transfer waits while neither a step nor a character moves.
    static constexpr int kStallLimitMs = 10000;
    using Hook = std::function<void()>;

    CTransferLoop() = default;
    ~CTransferLoop();
    CTransferLoop(const CTransferLoop&) = delete;
    CTransferLoop& operator=(const CTransferLoop&) = delete;

    void SetStallLimit(int ms) { m_stallLimitMs = ms; }
    int GetStallLimit() const { return m_stallLimitMs; }
    // The bar that follows the steps as their lines leave for the device
    // (none: no bar).
    void SetProgress(QProgressBar* bar);
    // Where the progress stands at a step, for a block whose progress counts
    // something other than its steps, such as the lines of a queue that one
    // step sends (none: the steps).
    using ProgressOf = std::function<int(int step)>;
    void SetProgressOf(ProgressOf at) { m_progressOf = std::move(at); }
    void Cancel() { m_cancelled = true; }
    bool IsCancelled() const { return m_cancelled; }
    // The transfer is one entry of its block: an early end speaks of the
    // rest of the entry, not of the remaining entries.
    void SetOneEntry(bool one) { m_oneEntry = one; }
    // A pause of `ms` after every call of the step machine (0: none).
    void SetPause(int ms) { m_pauseMs = ms; }

    // The program's link is there but its connection has ended: no transfer
    // can reach the device.
    static bool LineDown();

    // The wait cursor; the link held for the transfer and in its state, and
    // for an upload with `diffFile` a fresh difference file.
    void Begin(int mode, bool diffFile);
    // Calls the step machine from `first` until it reaches `end`; `reached`
    // is where the progress stood at the end (`count` the whole): the steps
    // whose lines had left for the device, not those still waiting in the
    // output.
    Stop RunSteps(CBaseDevice* obj, int mode, int first, int end, int count, int* reached);
    // Waits until the output has left and the device has been silent for
    // more than a second (with `outputIsEnough`, until the output has left
    // and the device has echoed it). The device's silence ends the transfer
    // well only when it has echoed every line; a download waits for the echo
    // of its last line until the device has said nothing for the answer wait.
    Stop WaitDeviceDone(bool outputIsEnough = false);
    // How far the device got: the steps whose lines it echoed (none echoed:
    // 0); from a device that does not echo, the steps whose lines have left.
    int Reached() const;
    // The line the transfer began on has died.
    bool LineLost() const;
    // The link online again (unless its line died) and free for the other
    // windows' polls, the difference file of an upload shown, the wait
    // cursor gone. A download whose device stopped reading, or whose line
    // died, leaves the macro lock on: nothing more is sent. The release of
    // the lock is the download's last line, followed to its echo as every
    // other: a device that falls silent before it reads it keeps its lock,
    // and End gives Stop::Silent (else Stop::None).
    Stop End(int mode, bool diffFile);

    // How a transfer ended: its name (the block's as it began, unless the
    // caller named it), where the progress stood and its whole.
    struct Result {
        Stop stop = Stop::None;
        std::string block;
        int reached = 0;
        int count = 0;
    };
    // The whole transfer of `obj` for a window without bars of its own:
    // reset with `resetStep`, every step from 0 and the end wait. `started`
    // runs once the link holds the transfer state, `stepsDone` after the
    // last step. The caller gives the window back, then ReportStop. `name`
    // is what the user knows the transfer by (the block's name when empty).
    Result Run(CBaseDevice* obj, int mode, int resetStep, bool diffFile, const Hook& started = {},
               const Hook& stepsDone = {}, const std::string& name = {});

    // A transfer whose lines go as block requests answered to `reply` (a
    // live window's own upload or download): each block once the one before
    // it has left the output, the answers left to the window. Every line is
    // a step. It ends well once the device has echoed every line and has
    // then said nothing for more than a second (its answers, or its refusal
    // of a download's last line, have come); it stops early
    // as the steps of a block do (the device stopped reading, nothing moved
    // for the stall limit, the line lost), and an upload whose every query
    // the device refused read nothing. However it ends, the exchange is
    // over: the link is online again unless another window's request holds
    // it, and no longer held for the transfer. An upload with `diffFile`
    // starts a fresh difference file and shows it at its end, as a block's
    // upload does; its window reads the answers with ReadUploadAnswers.
    Result RunBlocks(int mode, const std::vector<std::vector<std::string>>& blocks, ILinkAnswerSink* reply,
                     const std::string& name, bool diffFile = false);
    // The answers of a window's own upload, read by the object's reader as
    // every upload reads them: what the project cannot hold as the device
    // gave it is kept or held at its limit and named in the difference file.
    static void ReadUploadAnswers(CBaseDevice* obj, std::vector<std::string>& answers);

    // Tells the user that the transfer `block` ended early, where it stood,
    // why and what became of the rest (and of the macro lock); nothing for
    // Stop::None. The link keeps what a download's message told of the
    // device: a configuration called incomplete and unsaved is not saved by
    // the disconnect without the user's word.
    void ReportStop(Stop stop, const std::string& block, int reached, int count) const;
    void ReportStop(const Result& r) const { ReportStop(r.stop, r.block, r.reached, r.count); }
    // Tells the user that the device did not understand some lines of the
    // transfer `block` that ended (`stop` None): how many and the first.
    // Their values stay as the project holds them (upload) or were not taken
    // by the device (download). Nothing when it understood every line.
    void ReportRefused(Stop stop, const std::string& block) const;
    // What became of the lines after the step an early end names.
    enum class Rest {
        NotSent,       // the remaining entries were not sent
        EntryNotSent,  // the rest of the one entry was not sent
        Unread,        // every line was sent; the device did not read (answer) the rest
    };
    // The same for a transfer of `mode` that ran outside a loop; with
    // `lockKept` the message adds that the device's macro lock stays (with
    // `lockUnread`: its release went out and was not read).
    static void ReportStop(int mode, Stop stop, const std::string& block, int reached, int count,
                           int stallLimitMs = kStallLimitMs, Rest rest = Rest::NotSent, bool lockKept = false,
                           bool lockUnread = false);

private:
    // The progress stands at `at` once what the step machine has given the
    // line so far has left it.
    void NoteProgress(int at);
    // Moves the shown progress on to what has left the line (not after the
    // line died: what was still waiting never reached the device).
    void ShowWentOut();
    // The state of a transfer that begins now, the link held for it and
    // otherwise left as it is.
    void Start(int mode);
    // Waits until the device has read the blocks' lines and said all it had
    // to say, or stops as RunBlocks says.
    Stop WaitBlocksDone(CTransferWatch& watch);
    // The link that Start held for the transfer is free again.
    void ReleaseHold();
    // Waits until the device has echoed the lines sent since `watch` began
    // (the release of the macro lock): read (or the line lost), unread (it
    // fell silent first), or still held back by the device at the limit.
    enum class Release { Read, Unread, Held };
    Release ReadByDevice(CTransferWatch& watch);
    // An early end: what still waits to be sent is dropped, so that nothing
    // reaches the device after the user is told that the rest was not sent.
    Stop StopHere(Stop stop);
    Stop WaitForDevice(bool outputIsEnough);
    // Whether what waits to be sent leaves the line within `ms`.
    bool LeavesWithin(int ms) const;
    // How long the release of the macro lock may take to leave after an
    // early end (a device holding XOFF keeps it longer).
    static constexpr int kReleaseGraceMs = 1000;
    // Since Start an answer the transfer needs could not be read (a list of
    // free numbers that is no range text): the transfer ends there.
    bool AnswerUnreadable() const;
    // Keeps the lines the device refused since Start, for ReportRefused.
    void NoteRefused();

    struct Mark {
        uint64_t sent;  // characters given to the line when the progress reached `at`
        int at;
    };
    QPointer<QProgressBar> m_progress;
    QPointer<CCommLink> m_holding;  // the link Start held until End (or RunBlocks's end)
    ProgressOf m_progressOf;
    std::deque<Mark> m_marks;  // progress still waiting in the output
    // The lines the link had sent when the progress reached `at`.
    struct LineMark {
        uint64_t lines;
        int at;
    };
    std::vector<LineMark> m_lineMarks;
    bool m_silent = false;  // the device stopped reading
    bool m_stoppedEarly = false;  // the transfer ended before its end, its unsent rest dropped
    bool m_allSent = false;   // the step machine reached its end (every block went)
    bool m_lockSent = false;  // the download began with the macro lock
    bool m_lockKept = false;  // and ended without its release
    bool m_lockUnread = false;  // the release went out, and the device never echoed it
    bool m_oneEntry = false;
    int m_pauseMs = 0;
    int m_noted = 0;           // where the step machine stands
    int m_shown = 0;           // where what has left the line stands
    int m_count = 0;
    int m_mode = 0;
    uint64_t m_linesBefore = 0;   // lines the link had sent before the transfer
    uint64_t m_refusedBefore = 0;  // lines the device had refused before the transfer
    uint64_t m_unreadableBefore = 0;  // answers the link could not read before the transfer
    uint64_t m_refused = 0;        // lines the device refused in the transfer that ended
    std::string m_firstRefused;    // the first of them
    bool m_cancelled = false;
    bool m_wasConnected = false;  // the link was connected when the transfer began
    int m_stallLimitMs = kStallLimitMs;
};
