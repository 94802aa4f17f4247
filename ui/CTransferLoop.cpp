#include "ui/CTransferLoop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>

#include <algorithm>
#include <exception>

#include "comm/CCommLink.h"
#include "comm/CommStrings.h"
#include "model/CBaseDevice.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "ui/CFeatureFrm.h"
#include "ui/CTransferWatch.h"


void CTransferLoop::SetProgress(QProgressBar* bar)
{
    m_progress = bar;
}

bool CTransferLoop::LineDown()
{
    const CCommLink* link = GetCommLink();
    return link && !link->IsConnected();
}

void CTransferLoop::Start(int mode)
{
    m_cancelled = false;
    m_silent = false;
    m_allSent = false;
    m_lockSent = false;
    m_lockKept = false;
    m_mode = mode;
    m_lineMarks.clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CCommLink* link = GetCommLink();
    // The lines of an earlier exchange that never came back (a device that
    // stopped reading for a while, a connection that ended) would keep this
    // transfer's echoes from being found.
    if (link)
        link->ForgetUnechoedLines();
    // A transfer begun after the connection ended counts as begun on the
    // line that died: it stops at once and says so, instead of waiting for
    // a device nothing reaches.
    m_wasConnected = link && (link->IsConnected() || link->ConnectionEnded());
    m_linesBefore = link ? link->GetEchoes().GetLinesSent() : 0;
    m_refusedBefore = link ? link->GetRefusedCount() : 0;
    m_unreadableBefore = link ? link->GetUnreadableCount() : 0;
    m_refused = 0;
    m_firstRefused.clear();
    if (CCommLink* marked = GetCommLink())
        marked->MarkRefused();
    // The other windows' polls wait until the transfer has ended.
    if (CCommLink* holder = GetCommLink(); holder && !m_holding) {
        holder->HoldForTransfer();
        m_holding = holder;
    }
}

void CTransferLoop::Begin(int mode, bool diffFile)
{
    // The macro lock that a download begins with is the transfer's first line.
    Start(mode);
    if (CCommLink* link = GetCommLink(); link && !LineLost()) {
        link->SetLinkState(mode ? linkstate::Upload : linkstate::Download);
        m_lockSent = mode == 0;
        if (mode && diffFile)
            link->ResetErrorFile();
        else if (mode)
            link->ContinueErrorFile();
    }
}

void CTransferLoop::NoteProgress(int at)
{
    // Forward only: a machine that ends with -1 has not undone its steps.
    at = qBound(0, at, m_count);
    if (at <= m_noted)
        return;
    m_noted = at;
    const CCommLink* link = GetCommLink();
    m_marks.push_back({link ? link->GetCharsSent() : 0, at});
    m_lineMarks.push_back({link ? link->GetEchoes().GetLinesSent() : 0, at});
}

void CTransferLoop::ShowWentOut()
{
    const CCommLink* link = GetCommLink();
    if (!link) {
        m_shown = m_noted;
        m_marks.clear();
    } else if (!LineLost()) {
        const uint64_t sent = link->GetCharsSent();
        const uint64_t waiting = static_cast<uint64_t>(std::max(0, link->GetOutBufferCount()));
        const uint64_t left = sent > waiting ? sent - waiting : 0;
        while (!m_marks.empty() && m_marks.front().sent <= left) {
            m_shown = m_marks.front().at;
            m_marks.pop_front();
        }
    }
    if (m_progress)
        m_progress->setValue(m_shown);
}

CTransferLoop::Stop CTransferLoop::RunSteps(CBaseDevice* obj, int mode, int first, int end, int count, int* reached)
{
    const CCommLink* link = GetCommLink();
    CTransferWatch watch(link, m_stallLimitMs);
    watch.SetFirstLine(m_linesBefore);
    // The bar follows the steps (or what m_progressOf makes of them), each
    // shown once the lines sent before it have left for the device.
    m_count = std::max(count, 0);
    m_marks.clear();
    m_noted = m_shown = qBound(0, m_progressOf ? m_progressOf(first) : first, m_count);
    m_lineMarks.assign(1, {m_linesBefore, m_shown});
    if (m_progress)
        m_progress->setValue(m_shown);
    int step = first;
    Stop stop = Stop::None;
    while (step >= first && step < end) {
        if (m_cancelled) {
            stop = Stop::Cancelled;
            break;
        }
        if (LineLost()) {
            stop = Stop::LineLost;
            break;
        }
        // Lines that keep leaving do not make a transfer whose device reads
        // no more: its queries get no answer, its settings are lost. Asked
        // before the machine, whose own wait for an answer may run out now.
        watch.Moved();
        if (watch.Silent()) {
            m_silent = true;
            stop = Stop::Silent;
            break;
        }
        if (AnswerUnreadable()) {
            stop = Stop::Unreadable;
            break;
        }
        const uint64_t sentBefore = link ? link->GetCharsSent() : 0;
        const int next = obj->GetDownloadLines(mode, step);
        const bool sent = link && link->GetCharsSent() != sentBefore;
        watch.Moved();
        const bool stepped = next != step;
        if (stepped) {
            step = next;
            watch.StepMoved();
        }
        NoteProgress(m_progressOf ? m_progressOf(step) : step);
        ShowWentOut();
        if (stepped || sent) {
            if (m_pauseMs > 0)
                CTransferWatch::PumpFor(m_pauseMs);
            else
                QCoreApplication::processEvents();  // on at once: the machine holds back when the buffer is full
        } else if (watch.Refused()) {
            stop = Stop::Refused;
            break;
        } else if (watch.Stalled()) {
            stop = Stop::Stalled;
            break;
        } else {
            CTransferWatch::PumpFor(std::max(m_pauseMs, 5));
        }
    }
    ShowWentOut();
    m_allSent = stop == Stop::None;
    *reached = m_shown;
    return stop;
}

CTransferLoop::Stop CTransferLoop::WaitDeviceDone(bool outputIsEnough)
{
    CCommLink* link = GetCommLink();
    if (!link)
        return Stop::None;
    CTransferWatch watch(link, m_stallLimitMs);
    watch.SetFirstLine(m_linesBefore);
    for (;;) {
        if (LineLost())
            return Stop::LineLost;
        if (AnswerUnreadable())
            return Stop::Unreadable;
        ShowWentOut();
        const int64_t idle = link->GetLinkIdleTime();
        const int out = link->GetOutBufferCount();
        if (m_cancelled) {
            // Every line of a download has left: nothing is left to stop.
            return m_mode == 0 && out == 0 && m_shown >= m_count ? Stop::None : Stop::Cancelled;
        }
        watch.Moved();
        const bool echoed = !watch.Unechoed();
        // A download is done once the device has echoed its last line; it
        // waits for that echo as long as the device may take to say anything.
        const int64_t silence = m_mode == 0 && !echoed ? CTransferWatch::kAnswerWaitMs : 1000;
        if (out == 0 && ((outputIsEnough && echoed) || idle > silence)) {
            // Silent now: well only when the device read every line. Lines it
            // did not understand are told by ReportRefused.
            if (!echoed) {
                m_silent = true;
                return Stop::Silent;
            }
            return Stop::None;
        }
        if (watch.Silent()) {
            m_silent = true;
            return Stop::Silent;
        }
        if (watch.Stalled())
            return Stop::Stalled;
        const bool soon = out > 0 || outputIsEnough;  // the output, or the echo of the last line
        CTransferWatch::PumpFor(soon ? 5 : static_cast<int>(std::clamp<int64_t>(1001 - idle, 5, 100)));
    }
}

int CTransferLoop::Reached() const
{
    const CCommLink* link = GetCommLink();
    if (!link || !CTransferWatch::EchoOn())
        return m_shown;
    // The device read every line up to the last it echoed: the steps before
    // the first line it did not read are where the transfer got to. Steps
    // that sent nothing count once the device has read a line of the
    // transfer; before that it got nowhere.
    const uint64_t read = link->GetEchoes().GetLinesEchoed();
    int reached = 0;
    for (const LineMark& mark : m_lineMarks)
        if (read > m_linesBefore && mark.lines <= read)
            reached = std::max(reached, mark.at);
    // A line that died took the echoes still on their way with it: what had
    // left the line before it died was read as far as anyone can tell.
    if (LineLost())
        reached = std::max(reached, m_shown);
    return std::clamp(reached, 0, m_count);
}

bool CTransferLoop::LineLost() const
{
    const CCommLink* link = GetCommLink();
    return m_wasConnected && link && !link->IsConnected();
}

CTransferLoop::Stop CTransferLoop::End(int mode, bool diffFile)
{
    Stop stop = Stop::None;
    m_lockUnread = false;
    if (CCommLink* link = GetCommLink()) {
        // A link whose line died stays idle; otherwise it is online again,
        // whatever ended the transfer. A device that stopped reading in a
        // download is sent nothing more: its macro lock stays, and so it is told.
        const bool lineUp = !m_wasConnected || link->IsConnected();
        m_lockKept = mode == 0 && m_lockSent && (m_silent || !lineUp);
        if (lineUp && m_lockKept) {
            link->EndDownloadKeepingLock();
        } else if (lineUp) {
            CTransferWatch watch(link, m_stallLimitMs);
            watch.SetFirstLine(link->GetEchoes().GetLinesSent());
            link->SetLinkState(linkstate::Online);
            // The release of the lock, when one went, is read only once the
            // device has echoed it (a user who cancelled waits for nothing).
            const bool released = link->GetEchoes().GetLinesSent() > watch.FirstLine();
            if (released && !m_cancelled && !ReadByDevice(watch)) {
                m_lockKept = m_lockUnread = m_silent = true;
                stop = Stop::Silent;
            }
        }
        if (mode && diffFile)
            link->ShowErrorFile();
        else if (mode)
            link->ForgetErrorFile();
    }
    NoteRefused();
    ReleaseHold();
    QApplication::restoreOverrideCursor();
    return stop;
}

bool CTransferLoop::ReadByDevice(CTransferWatch& watch)
{
    for (;;) {
        watch.Moved();
        if (!watch.Unechoed() || LineLost() || watch.Stalled())
            return true;  // read, or nothing more to tell of it than the loss or the stall tells
        if (watch.Silent())
            return false;
        CTransferWatch::PumpFor(5);
    }
}

CTransferLoop::~CTransferLoop()
{
    ReleaseHold();
}

void CTransferLoop::NoteRefused()
{
    const CCommLink* link = GetCommLink();
    const uint64_t now = link ? link->GetRefusedCount() : 0;
    m_refused = now > m_refusedBefore ? now - m_refusedBefore : 0;  // another link counts from 0
    m_firstRefused = m_refused && link ? link->GetFirstRefused() : std::string();
}

bool CTransferLoop::AnswerUnreadable() const
{
    const CCommLink* link = GetCommLink();
    return link && link->GetUnreadableCount() > m_unreadableBefore;
}

void CTransferLoop::ReleaseHold()
{
    if (m_holding)
        m_holding->ReleaseTransferHold();
    m_holding = nullptr;
}

CTransferLoop::Result CTransferLoop::Run(CBaseDevice* obj, int mode, int resetStep, bool diffFile, const Hook& started,
                                         const Hook& stepsDone, const std::string& name)
{
    Result r;
    if (!obj)
        return r;
    // The name now: an answer may rename the block.
    r.block = name.empty() ? obj->GetName() : name;
    r.count = obj->GetDownloadLines(mode, resetStep);
    Begin(mode, diffFile);
    if (started)
        started();
    r.stop = RunSteps(obj, mode, 0, r.count, r.count, &r.reached);
    if (stepsDone)
        stepsDone();
    if (r.stop == Stop::None)
        r.stop = WaitDeviceDone();
    r.reached = Reached();  // as far as the bar went meanwhile, or the device read
    if (const Stop end = End(mode, diffFile); r.stop == Stop::None)
        r.stop = end;
    return r;
}

CTransferLoop::Result CTransferLoop::RunBlocks(int mode, const std::vector<std::vector<std::string>>& blocks,
                                               ILinkAnswerSink* reply, const std::string& name, bool diffFile)
{
    Result r;
    r.block = name;
    m_refused = 0;  // nothing of an earlier transfer is told for this one
    m_firstRefused.clear();
    for (const std::vector<std::string>& block : blocks)
        r.count += static_cast<int>(block.size());
    CCommLink* link = GetCommLink();
    if (r.count == 0 || !link)
        return r;
    Start(mode);
    diffFile = diffFile && mode == 1 && !LineLost();
    if (diffFile)
        link->ResetErrorFile();
    CTransferWatch watch(link, m_stallLimitMs);
    watch.SetFirstLine(m_linesBefore);
    m_count = r.count;
    m_marks.clear();
    m_noted = m_shown = 0;
    m_lineMarks.assign(1, {m_linesBefore, 0});
    int at = 0;
    bool sent = false;
    bool allWent = true;
    for (const std::vector<std::string>& block : blocks) {
        // Each block once the one before it has left: the output never
        // holds more than the one block the link takes at a time.
        while (link->GetOutBufferCount() != 0 && r.stop == Stop::None) {
            watch.Moved();
            if (LineLost())
                r.stop = Stop::LineLost;
            else if (watch.Silent())
                r.stop = Stop::Silent;
            else if (watch.Stalled())
                r.stop = Stop::Stalled;
            else
                CTransferWatch::PumpFor(5);
        }
        if (r.stop == Stop::None && LineLost())
            r.stop = Stop::LineLost;
        if (r.stop != Stop::None)
            break;
        if (block.empty())
            continue;
        // The transfer's own blocks go although it holds the link.
        if (!link->SendHeldBlock(block, reply)) {
            allWent = false;
            break;  // a block too long for the link: the callers split theirs
        }
        sent = true;
        watch.StepMoved();
        // Each line a step: the device read the steps up to its last echo.
        const uint64_t last = link->GetEchoes().GetLinesSent();
        const size_t n = block.size();
        for (size_t i = 0; i < n && last >= n; ++i)
            m_lineMarks.push_back({last - (n - 1 - i), at + static_cast<int>(i) + 1});
        at += static_cast<int>(n);
        NoteProgress(at);
    }
    m_silent = r.stop == Stop::Silent;
    m_allSent = r.stop == Stop::None && allWent;
    if (r.stop == Stop::None && sent)
        r.stop = WaitBlocksDone(watch);
    ShowWentOut();
    r.reached = Reached();
    NoteRefused();
    link->EndRequestOf(reply);
    if (diffFile)
        link->ShowErrorFile();
    ReleaseHold();
    QApplication::restoreOverrideCursor();
    return r;
}

void CTransferLoop::ReadUploadAnswers(CBaseDevice* obj, std::vector<std::string>& answers)
{
    CCommLink* link = GetCommLink();
    if (obj && link) {
        // The readers take the answer as the link hands it to the objects,
        // without the leading "/". A difference file that cannot be written
        // is told as the whole upload tells it; the answers after it are
        // read all the same.
        for (const std::string& line : answers) {
            try {
                obj->ParseUploadLines(line.empty() || line[0] != '/' ? line : line.substr(1),
                                      link->GetErrorFileName(), linkstate::Upload);
            } catch (const std::exception& e) {
                link->NoteErrorFileFailure(e);
            }
        }
    }
    answers.clear();
}

CTransferLoop::Stop CTransferLoop::WaitBlocksDone(CTransferWatch& watch)
{
    const CCommLink* link = GetCommLink();
    if (!link)
        return Stop::None;
    // An upload's answers follow the echo of their query, and a download's
    // refusal ("PATH VALUE ? ") the echo of the line it refuses: once every
    // line is echoed, a second in which nothing moves means the device has
    // said all it had to say. A block leaves the output at once, before the
    // device has read it: once all of it has left, lines it never echoed
    // while it said nothing for the answer wait were never read.
    QElapsedTimer quiet;
    quiet.start();
    for (;;) {
        if (LineLost())
            return Stop::LineLost;
        if (AnswerUnreadable())
            return Stop::Unreadable;
        ShowWentOut();
        if (watch.Moved())
            quiet.restart();
        const bool echoed = !watch.Unechoed();
        const bool allLeft = link->GetOutBufferCount() == 0;
        if (allLeft && echoed && quiet.elapsed() > 1000)
            return Stop::None;
        if (watch.Silent() || (allLeft && !echoed && quiet.elapsed() > CTransferWatch::kAnswerWaitMs)) {
            m_silent = true;
            return Stop::Silent;
        }
        if (watch.Stalled())
            return Stop::Stalled;
        CTransferWatch::PumpFor(echoed ? 20 : 5);
    }
}

void CTransferLoop::ReportStop(Stop stop, const std::string& block, int reached, int count) const
{
    Rest rest = Rest::NotSent;
    if (m_allSent)
        rest = Rest::Unread;
    else if (m_oneEntry)
        rest = Rest::EntryNotSent;
    ReportStop(m_mode, stop, block, reached, count, m_stallLimitMs, rest, m_lockKept, m_lockUnread);
    if (m_mode != 0)
        return;
    // The disconnect and the message agree on what the device holds.
    if (CCommLink* link = GetCommLink(); link && link->IsConnected()) {
        if (m_lockKept)
            link->NoteIncompleteDownload(block);
        else if (stop == Stop::None)
            link->NoteCompleteDownload(block);
    }
}

void CTransferLoop::ReportRefused(Stop stop, const std::string& block) const
{
    // A refused key changes nothing on either side, so the transfer went on;
    // but the window must not look as if the device had taken or told every value.
    if (stop != Stop::None || m_refused == 0)
        return;
    const unsigned text = m_mode ? CFeatureFrm::kTransferRefusedSomeUpload : CFeatureFrm::kTransferRefusedSomeDownload;
    ShowMessage(StrFormat(LoadStringId(text).c_str(), block.c_str(), static_cast<int>(m_refused), m_firstRefused.c_str()),
                mb::IconExclamation);
}

void CTransferLoop::ReportStop(int mode, Stop stop, const std::string& block, int reached, int count, int stallLimitMs,
                               Rest rest, bool lockKept, bool lockUnread)
{
    // An early end leaves the device or the window holding part of the
    // block: the user must know which, how far the device got, why, and
    // whether the rest was never sent or sent and not taken.
    std::string text;
    if (stop == Stop::Stalled) {
        const int seconds = (stallLimitMs + 999) / 1000;
        text = StrFormat(LoadStringId(CFeatureFrm::kTransferStalled).c_str(), block.c_str(), reached, count, seconds);
    } else if (stop == Stop::Refused) {
        const CCommLink* link = GetCommLink();
        // The first line refused is the one the user can act on.
        std::string line = link ? link->GetFirstRefused() : std::string();
        if (line.empty() && link)
            line = link->GetLastRefused();
        text = StrFormat(LoadStringId(CFeatureFrm::kTransferRefused).c_str(), block.c_str(), reached, count, line.c_str());
    } else if (stop == Stop::Unreadable) {
        const CCommLink* link = GetCommLink();
        const std::string answer = link ? link->GetLastUnreadable() : std::string();
        text = StrFormat(LoadStringId(CFeatureFrm::kTransferUnreadable).c_str(), block.c_str(), reached, count,
                         answer.c_str());
    } else if (stop == Stop::LineLost) {
        text = StrFormat(LoadStringId(CFeatureFrm::kTransferLineLost).c_str(), block.c_str(), reached, count);
    } else if (stop == Stop::Cancelled) {
        text = StrFormat(LoadStringId(CFeatureFrm::kTransferCancelled).c_str(), block.c_str(), reached, count);
    } else if (stop == Stop::Silent) {
        // An upload's queries went unanswered; a download's lines were not read.
        const unsigned why = mode ? CFeatureFrm::kTransferNoAnswer : CFeatureFrm::kTransferNoEcho;
        text = StrFormat(LoadStringId(why).c_str(), block.c_str(), reached, count);
    } else {
        return;
    }
    unsigned restText = CFeatureFrm::kTransferRestNotSent;
    if (rest == Rest::EntryNotSent)
        restText = CFeatureFrm::kTransferEntryRestNotSent;
    else if (rest == Rest::Unread)
        restText = mode ? CFeatureFrm::kTransferSentUnanswered : CFeatureFrm::kTransferSentUnread;
    text += "\n" + LoadStringId(restText);
    if (lockKept)
        text += "\n\n" + LoadStringId(lockUnread ? IDS_LOCK_RELEASE_ONLY_UNREAD : IDS_LOCK_RELEASE_NOT_SENT);
    ShowMessage(text, mb::IconExclamation);
}
