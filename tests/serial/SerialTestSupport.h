#pragma once
// Helpers of the serial tests: a pseudo-terminal whose master side plays the
// device, settings kept in a private folder, and event-loop waits.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace serialtest {

// Settings of this test program live in a folder of their own, so parallel
// test programs never see each other's device paths.
inline void UsePrivateSettings()
{
    static QTemporaryDir dir;
    static bool done = false;
    if (!done) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        done = true;
    }
}

inline void SetDevicePath(int port, const QString& path)
{
    UsePrivateSettings();
    QSettings s;
    if (path.isEmpty())
        s.remove(QStringLiteral("COMSECTION/DevicePath%1").arg(port));
    else
        s.setValue(QStringLiteral("COMSECTION/DevicePath%1").arg(port), path);
    s.sync();
}

// Runs the event loop for `ms` milliseconds.
inline void Pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

// Runs the event loop until `done` holds or `ms` milliseconds have passed.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

class Pty {
public:
    Pty()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        path = ::ptsname(master);
        // Raw until the port under test sets its own modes.
        const int slave = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        if (slave >= 0) {
            termios tio {};
            ::tcgetattr(slave, &tio);
            ::cfmakeraw(&tio);
            ::tcsetattr(slave, TCSANOW, &tio);
            ::close(slave);
        }
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~Pty() { Close(); }
    void Close()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    bool Ok() const { return master >= 0 && !path.empty(); }
    void Write(const std::string& bytes) const
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
            if (n > 0)
                done += static_cast<size_t>(n);
            else if (errno != EAGAIN && errno != EINTR)
                return;
        }
    }
    // What the port under test has sent so far.
    std::string Read() const
    {
        std::string out;
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, static_cast<size_t>(n));
        }
        return out;
    }
    // The slave's terminal modes, as the port under test set them.
    termios Modes() const
    {
        termios tio {};
        ::tcgetattr(master, &tio);
        return tio;
    }

    int master = -1;
    std::string path;
};

}  // namespace serialtest
