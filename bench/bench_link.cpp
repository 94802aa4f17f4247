// The receive path of the device link: bytes arrive on a serial port (a
// pseudo-terminal whose other side plays the device), the link splits them
// into lines and routes them; online and during an upload every "/" line goes
// through the document to the object of its path. Reported as lines per
// second (items_per_second), with the largest legal project bound.
//
// The whole download of the largest legal project to the device simulator
// reading at the line rate (19200 baud 8N1): the wall time of the download
// against the line time of the characters the device received (ratio), and
// the same without the device's fixed pauses of 1.4 s (200 + 200 ms before
// the macro lock is released, 1000 ms after FASTSAVE).

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include "comm/ParameterGroups.h"

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

// ---- The paced download ----

class DownloadHost : public CountingHost {
public:
    bool RunParamSelect(ParamSelection& selection) override
    {
        selection.direction = 1;
        selection.objects = CollectParameterGroupObjects(*selection.doc, 0x1F);
        return true;
    }
};

// Bytes the simulator's traffic log says it read (its escapes undone).
size_t DeviceReadBytes(const QString& logPath)
{
    QFile f(logPath);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    size_t bytes = 0;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().chopped(1);
        if (!line.startsWith("in  "))
            continue;
        for (qsizetype i = 4; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size())
                i += line[i + 1] == 'x' ? 3 : 1;
            ++bytes;
        }
    }
    return bytes;
}

void BM_PacedLargestDownload(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("kvtsim.link"));
    const QString log = dir.filePath(QStringLiteral("kvtsim.log"));
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/kvtsim/kvtsim"),
              {QStringLiteral("--link"), link, QStringLiteral("--log"), log, QStringLiteral("--pace"),
               QStringLiteral("--read-pace"), QStringLiteral("--version"), QStringLiteral("V0.551a")});
    QString path;
    for (int i = 0; i < 300 && path.isEmpty(); ++i) {
        QThread::msleep(10);
        QFile f(link);
        if (f.open(QIODevice::ReadOnly))
            path = QString::fromLocal8Bit(f.readAll()).trimmed();
    }
    if (path.isEmpty()) {
        state.SkipWithError("the device simulator did not start");
        return;
    }
    QSettings().setValue(QStringLiteral("COMSECTION/DevicePath%1").arg(kPort), path);
    QSettings().setValue(QStringLiteral("KVT7000/OnlineCounter"), 0);

    CQuillomerDoc doc;
    if (!doc.OnOpenDocument(bench::LargestProjectFile())) {
        state.SkipWithError("the largest project did not open");
        return;
    }
    ActiveDocHook previousHook = SetActiveDocHook([&doc] { return &doc; });
    DownloadHost host;
    CCommLink comm;
    comm.SetHost(&host);
    ILineSender* previousSender = SetLineSender(&comm);
    comm.OnConnect();
    double ratio = 0, withoutPauses = 0, chars = 0, lineSeconds = 0;
    for (auto _ : state) {
        CCommLink::PumpMessages();
        QThread::msleep(300);  // the set-up's last lines reach the device
        CCommLink::PumpMessages();
        const size_t before = DeviceReadBytes(log);
        QElapsedTimer t;
        t.start();
        comm.OnTransferParameters();
        const double wall = static_cast<double>(t.nsecsElapsed()) / 1e9;
        chars = static_cast<double>(DeviceReadBytes(log) - before);
        lineSeconds = chars * 10.0 / 19200.0;
        ratio = wall / lineSeconds;
        withoutPauses = (wall - 1.4) / lineSeconds;
        state.SetIterationTime(wall);
    }
    state.counters["chars"] = chars;
    state.counters["line_s"] = lineSeconds;
    state.counters["ratio"] = ratio;
    state.counters["ratio_without_pauses"] = withoutPauses;
    comm.ClosePort();
    SetLineSender(previousSender);
    SetActiveDocHook(previousHook);
    sim.terminate();
    sim.waitForFinished(2000);
}
// One run: it takes the line time of the whole download (about a minute).
BENCHMARK(BM_PacedLargestDownload)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

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
