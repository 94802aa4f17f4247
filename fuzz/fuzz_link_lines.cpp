// Fuzzes the device-line path: received bytes arrive on a serial port (a
// pseudo-terminal whose other side plays the device), the device link splits
// them into lines and routes each by its mode; in the online and upload modes
// the document hands every "/" line to the object of its path.
//
// Input: one byte chooses the link's mode, the rest is what the device sends.
// The document is a new project (every system object of a new document
// answers its lines). Nothing but the sanitizers' checks: no crash, no leak,
// no undefined behaviour, and the link keeps reading.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include "comm/CCommLink.h"
#include "comm/ICommLinkHost.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"

namespace {

constexpr int kPort = 2;
const std::string kEndMark = "~QL-END-OF-INPUT~";

// Sees what the link reads, so the fuzzer knows when an input has arrived.
class WatchingHost : public ICommLinkHost {
public:
    void AppendMonitorText(const std::string& text) override
    {
        seen += text;
        if (seen.size() > 4096)
            seen.erase(0, seen.size() - 64);
    }
    std::string seen;
};

class FuzzLink : public CCommLink {
public:
    bool Attach(CQuillomerDoc* doc)
    {
        ConfigurePort();
        if (!SetPortOpen(true))
            return false;
        BindOpenPort(doc);
        return true;
    }
};

struct World {
    QTemporaryDir settingsDir;
    int master = -1;
    std::string slavePath;
    CQuillomerDoc doc;
    WatchingHost host;
    FuzzLink* link = nullptr;

    World()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
            std::fprintf(stderr, "no pseudo-terminal\n");
            std::abort();
        }
        slavePath = ::ptsname(master);
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        {
            QSettings s;
            s.setValue(QStringLiteral("COMSECTION/DevicePath%1").arg(kPort), QString::fromStdString(slavePath));
            s.setValue(QStringLiteral("KVT7000/OnlineCounter"), 0);
        }
        SetActiveDocHook([this] { return &doc; });
        doc.OnNewDocument();
        doc.SetPathName(settingsDir.filePath(QStringLiteral("fuzz.qlx")).toStdString());
        link = new FuzzLink;
        link->SetHost(&host);
        SetLineSender(link);
        if (!link->Attach(&doc)) {
            std::fprintf(stderr, "cannot open the port on %s\n", slavePath.c_str());
            std::abort();
        }
    }

    // Everything the link sent to the device is dropped.
    void Drain() const
    {
        char buf[4096];
        while (::read(master, buf, sizeof buf) > 0) {
        }
    }

    void Send(const std::string& bytes) const
    {
        size_t done = 0;
        QElapsedTimer t;
        t.start();
        while (done < bytes.size() && t.elapsed() < 2000) {
            const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
            } else if (errno == EAGAIN || errno == EINTR) {
                QCoreApplication::processEvents();
                Drain();
            } else {
                break;
            }
        }
    }
};

World* g_world = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    new QCoreApplication(qtArgc, qtArgv);
    QCoreApplication::setOrganizationName(QStringLiteral("HALVERON-fuzz"));
    QCoreApplication::setApplicationName(QStringLiteral("QUILLOMER-fuzz"));
    SetMessageHandler([](const std::string&, uint32_t) { return 0; });
    g_world = new World;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 8192)
        return 0;
    static constexpr int kStates[] = {linkstate::Idle, linkstate::Online, linkstate::Upload, linkstate::Terminal,
                                      linkstate::BlockRequest, linkstate::Online, linkstate::Upload};
    World& w = *g_world;
    CCommLink& link = *w.link;
    link.SetLinkState(kStates[data[0] % (sizeof kStates / sizeof kStates[0])]);

    // The device's bytes, then a line of our own that shows they have all
    // been read; an XON at the end releases output a stray XOFF held.
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    bytes += "\r" + kEndMark + "\r\x11";
    w.host.seen.clear();
    w.Send(bytes);
    QElapsedTimer t;
    t.start();
    while (w.host.seen.find(kEndMark) == std::string::npos && t.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        w.Drain();
    }
    if (w.host.seen.find(kEndMark) == std::string::npos)
        __builtin_trap();  // the link stopped reading
    link.GetAnswerList().clear();

    // The same bytes as whole lines straight into the routing.
    size_t start = 1;
    for (size_t i = 1; i <= size; ++i) {
        if (i == size || data[i] == '\r' || data[i] == '\n') {
            if (i > start)
                link.OnReceiveLine(std::string(reinterpret_cast<const char*>(data + start), i - start));
            start = i + 1;
        }
    }
    link.GetAnswerList().clear();
    return 0;
}
