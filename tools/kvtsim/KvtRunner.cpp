#include "KvtRunner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace kvtsim {

namespace {
volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
}  // namespace

KvtRunner::KvtRunner(KvtDevice& device, const SimOptions& options, KvtModem* modem)
    : m_device(device)
    , m_modem(modem)
    , m_options(options)
{
}

KvtRunner::~KvtRunner()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    if (!m_options.linkFile.empty() && !m_slavePath.empty())
        ::unlink(m_options.linkFile.c_str());
    if (m_log)
        std::fclose(m_log);
}

bool KvtRunner::Open(std::string& error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (!name) {
        error = std::string("ptsname: ") + std::strerror(errno);
        return false;
    }
    m_slavePath = name;
    // Raw from the start, so that nothing is echoed back to us before the
    // host has opened its side.
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        error = m_slavePath + ": " + std::strerror(errno);
        return false;
    }
    termios tio {};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, B19200);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    if (!m_options.logFile.empty()) {
        m_log = std::fopen(m_options.logFile.c_str(), "a");
        if (!m_log) {
            error = m_options.logFile + ": " + std::strerror(errno);
            return false;
        }
    }
    if (!m_options.linkFile.empty()) {
        // Written whole and renamed, so a reader never sees half a path.
        const std::string tmp = m_options.linkFile + ".tmp";
        std::FILE* f = std::fopen(tmp.c_str(), "w");
        if (!f || std::fprintf(f, "%s\n", name) < 0 || std::fclose(f) != 0
            || std::rename(tmp.c_str(), m_options.linkFile.c_str()) != 0) {
            error = m_options.linkFile + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

void KvtRunner::Log(const char* direction, const std::string& bytes)
{
    if (!m_log || bytes.empty())
        return;
    std::fprintf(m_log, "%s %s\n", direction, Escape(bytes).c_str());
    std::fflush(m_log);
}

void KvtRunner::WriteControl(char c)
{
    // Flow-control characters go out at once, ahead of queued text.
    for (int tries = 0; tries < 100; ++tries) {
        if (::write(m_master, &c, 1) == 1) {
            Log("out", std::string(1, c));
            return;
        }
        if (errno != EAGAIN && errno != EINTR)
            return;
        ::usleep(1000);
    }
}

int KvtRunner::Run()
{
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no restart: poll returns at once
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    using namespace std::chrono;
    std::string pending;           // device output not yet written
    bool pausedByHost = false;     // the host sent XOFF
    std::optional<TimePoint> holdUntil;  // our own XOFF is held until then
    size_t bytesDuringHold = 0;
    const nanoseconds perChar = m_options.cps > 0 ? nanoseconds(1'000'000'000LL / m_options.cps) : nanoseconds(0);
    TimePoint nextFree = Clock::now();
    // Reading at the line rate: the terminal's buffer then holds what a real
    // line would still be carrying, so a host that runs ahead shows.
    nanoseconds perReadChar =
        m_options.readCps > 0 ? nanoseconds(1'000'000'000LL / m_options.readCps) : nanoseconds(0);
    TimePoint nextRead = Clock::now();
    // The pacing clocks restart only after a pause (nothing to send, nothing
    // come in); a wake-up that comes late loses no line time.
    bool outputIdle = true;
    bool inputIdle = true;
    // While its own output lags behind (answers and echo outgrow what the line
    // carries), the device holds the host back as a real one must.
    bool flowHeld = false;
    constexpr size_t kFlowHigh = 512;
    constexpr size_t kFlowLow = 128;

    while (!g_stop) {
        TimePoint now = Clock::now();
        if (m_modem) {
            const bool hadCall = m_modem->HasCall();
            m_modem->Tick(now);
            pending += m_modem->TakeOutput();
            if (hadCall != m_modem->HasCall())
                Log("---", m_modem->HasCall() ? "call connected" : "call ended");
        } else {
            m_device.Tick(now);
            pending += m_device.TakeOutput();
        }

        for (const LinkAction& action : m_modem ? m_modem->TakeActions() : m_device.TakeActions()) {
            if (action.kind == LinkAction::Hangup) {
                Log("---", "hang-up");
                return 0;
            }
            if (action.kind == LinkAction::HoldXoff) {
                WriteControl(kXoff);
                holdUntil = now + milliseconds(action.ms);
                bytesDuringHold = 0;
            }
            if (action.kind == LinkAction::ReadPace)
                perReadChar = nanoseconds(1'000'000'000LL / action.ms);
        }
        if (holdUntil && now >= *holdUntil) {
            holdUntil.reset();
            if (bytesDuringHold > 0) {
                std::fprintf(stderr, "kvtsim: %zu bytes came while XOFF was held\n", bytesDuringHold);
                Log("---", "bytes while XOFF held: " + std::to_string(bytesDuringHold));
            }
            if (!flowHeld)
                WriteControl(kXon);
        }
        if (perReadChar.count() > 0) {
            if (!flowHeld && pending.size() > kFlowHigh) {
                flowHeld = true;
                if (!holdUntil)
                    WriteControl(kXoff);
            } else if (flowHeld && pending.size() < kFlowLow) {
                flowHeld = false;
                if (!holdUntil)
                    WriteControl(kXon);
            }
        }

        // Output, paced when asked.
        bool wantWrite = !pending.empty() && !pausedByHost;
        if (wantWrite && perChar.count() > 0) {
            if (outputIdle)
                nextFree = std::max(nextFree, now - perChar);
            if (now < nextFree)
                wantWrite = false;
        }
        if (wantWrite) {
            size_t count = pending.size();
            if (perChar.count() > 0)
                count = std::min<size_t>(count, 1 + static_cast<size_t>((now - nextFree) / perChar));
            const ssize_t n = ::write(m_master, pending.data(), count);
            if (n > 0) {
                Log("out", pending.substr(0, static_cast<size_t>(n)));
                pending.erase(0, static_cast<size_t>(n));
                nextFree += perChar * n;
            }
        }
        outputIdle = pending.empty();

        // Wait for input, room to write, or the next timed event.
        TimePoint wake = now + seconds(1);
        if (auto d = m_modem ? m_modem->NextDeadline() : m_device.NextDeadline())
            wake = std::min(wake, *d);
        if (holdUntil)
            wake = std::min(wake, *holdUntil);
        if (!pending.empty() && !pausedByHost && perChar.count() > 0 && nextFree > now)
            wake = std::min(wake, nextFree);
        // Input: at once while the line is free; otherwise when the next
        // characters can have arrived (a few at a time, as a UART's FIFO).
        const bool mayRead = perReadChar.count() == 0 || nextRead <= now;
        if (!mayRead)
            wake = std::min(wake, nextRead + milliseconds(2));
        pollfd pfd {m_master, static_cast<short>(mayRead ? POLLIN : 0), 0};
        if (!pending.empty() && !pausedByHost && (perChar.count() == 0 || nextFree <= now))
            pfd.events |= POLLOUT;
        const auto waitUs = duration_cast<microseconds>(wake - Clock::now()).count();
        const int timeout = static_cast<int>(std::clamp<long long>((waitUs + 999) / 1000, 0, 1000));
        const int ready = ::poll(&pfd, 1, timeout);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            std::perror("kvtsim: poll");
            return 1;
        }
        if (mayRead && !(pfd.revents & POLLIN))
            inputIdle = true;
        if (pfd.revents & POLLIN) {
            char buf[4096];
            size_t want = sizeof buf;
            if (perReadChar.count() > 0) {
                const TimePoint at = Clock::now();
                if (inputIdle)
                    nextRead = std::max(nextRead, at - perReadChar);
                want = std::min<size_t>(want, 1 + static_cast<size_t>(std::max<long long>(0, (at - nextRead) / perReadChar)));
            }
            const ssize_t n = ::read(m_master, buf, want);
            if (n > 0 && perReadChar.count() > 0)
                nextRead += perReadChar * n;
            inputIdle = n < static_cast<ssize_t>(want);
            if (n > 0) {
                std::string bytes;
                for (ssize_t i = 0; i < n; ++i) {
                    if (buf[i] == kXoff)
                        pausedByHost = true;
                    else if (buf[i] == kXon)
                        pausedByHost = false;
                    else
                        bytes.push_back(buf[i]);
                }
                Log("in ", std::string(buf, static_cast<size_t>(n)));
                if (holdUntil)
                    bytesDuringHold += bytes.size();
                if (m_modem) {
                    const bool hadCall = m_modem->HasCall();
                    m_modem->Receive(bytes, Clock::now());
                    if (hadCall != m_modem->HasCall())
                        Log("---", m_modem->HasCall() ? "call connected" : "call ended");
                } else {
                    m_device.Receive(bytes, Clock::now());
                }
            }
        }
    }
    return 0;
}

}  // namespace kvtsim
