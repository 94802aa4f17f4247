// The receive path of the device link: bytes arrive on a serial port (a
// pseudo-terminal whose other side plays the device), the link splits them
// into lines and routes them; online and during an upload every "/" line goes
// through the document to the object of its path. Reported as lines per
// second (items_per_second), with the largest legal project bound.

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "comm/CCommLink.h"
#include "comm/ICommLinkHost.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"

namespace {

constexpr int kPort = 2;
const std::string kEndMark = "/QL/BENCH/END";

class CountingHost : public ICommLinkHost {
public:
    void AppendMonitorText(const std::string& text) override
    {
        tail += text;
        if (tail.size() > 256)
            tail.erase(0, tail.size() - 64);
    }
    std::string tail;
};

class BenchLink : public CCommLink {
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

struct Line {
    int master = -1;
    CQuillomerDoc doc;
    CountingHost host;
    BenchLink link;
    QTemporaryDir dir;

    Line()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            std::abort();
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        {
            QSettings s;
            s.setValue(QStringLiteral("COMSECTION/DevicePath%1").arg(kPort), QString::fromLocal8Bit(::ptsname(master)));
        }
        SetActiveDocHook([this] { return &doc; });
        if (!doc.OnOpenDocument(bench::LargestProjectFile()))
            std::abort();
        link.SetHost(&host);
        SetLineSender(&link);
        if (!link.Attach(&doc))
            std::abort();
    }

    void Drain() const
    {
        char buf[4096];
        while (::read(master, buf, sizeof buf) > 0) {
        }
    }

    // Sends the bytes as the device does and waits until the link has read them all.
    bool Feed(const std::string& bytes)
    {
        host.tail.clear();
        size_t done = 0;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 20000) {
            if (done < bytes.size()) {
                const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
                if (n > 0)
                    done += static_cast<size_t>(n);
            } else if (host.tail.find(kEndMark) != std::string::npos) {
                return true;
            }
            QCoreApplication::processEvents();
            Drain();
        }
        return false;
    }
};

Line& TheLine()
{
    static Line line;
    return line;
}

// Answers of the kind an upload brings: settings of slots, zones, macros,
// conditions, signals; every object's path is one the project holds.
std::string AnswerBlock(int lines)
{
    static const char* const kAnswers[] = {
        "/AUDIO/IN1/VOL -12",        "/AUDIO/OUT3/DELAY 20",       "/KVT/ZONE%d/NAME Linie %d",
        "/GROUP%d/ZONE 1-5,7",       "/MACRO/PROG%d/TYPE PAGE",    "/MACRO/PROG%d/PRIO 3",
        "/CONDITION/ENTRY%d READY ON", "/EVENT/ALARM%d/TEXT Alarm", "/AMP%d/VOL -6",
        "/TRIGGER/ENTRY%d 1 2 3 0.0",
    };
    std::string out;
    for (int i = 0; i < lines; ++i) {
        char buf[128];
        const char* pattern = kAnswers[i % (sizeof kAnswers / sizeof kAnswers[0])];
        const int n = 1 + i % 9;
        std::snprintf(buf, sizeof buf, pattern, n, n);
        out += buf;
        out += "\r\n";
    }
    return out + kEndMark + "\r\n";
}

void BM_ReceiveLines(benchmark::State& state)
{
    Line& line = TheLine();
    const int lines = static_cast<int>(state.range(1));
    const std::string block = AnswerBlock(lines);
    line.link.SetLinkState(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!line.Feed(block)) {
            state.SkipWithError("the link did not read everything");
            break;
        }
    }
    line.link.SetLinkState(linkstate::Online);
    state.SetItemsProcessed(state.iterations() * (lines + 1));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(block.size()));
}
// Online (live answers) and upload; 2000 lines a batch.
BENCHMARK(BM_ReceiveLines)->Args({linkstate::Online, 2000})->Args({linkstate::Upload, 2000})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("HALVERON-bench"));
    QCoreApplication::setApplicationName(QStringLiteral("QUILLOMER-bench"));
    SetMessageHandler([](const std::string& text, uint32_t) {
        static int shown = 0;
        if (shown++ < 5)
            std::fprintf(stderr, "message: %s\n", text.c_str());
        return 0;
    });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::LargestProjectFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ::_exit(0);
}
