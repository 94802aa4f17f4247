// The designer view with the largest legal project: a full repaint at each
// zoom level, and the program's start-up to its first painted frame (empty,
// and opening the largest project). Runs on the offscreen platform.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "BenchSupport.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "shell/CDocTemplate.h"
#include "shell/CMainFrame.h"
#include "shell/CQuillomerApp.h"
#include "shell/CQuillomerView.h"

extern char** environ;

namespace {

int g_argc = 0;
char** g_argv = nullptr;

void SilentMessages()
{
    SetMessageHandler([](const std::string& text, uint32_t) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return 0;
    });
}

// Settings and desktop files of the runs go to the benchmark's own folder.
void PrivateSettings()
{
    ::setenv("XDG_CONFIG_HOME", (bench::TempDir() + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (bench::TempDir() + "/data").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string runtime = bench::TempDir() + "/runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    // German, the program's own language (English needs its resource file).
    const std::string dir = bench::TempDir() + "/config/HALVERON";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/QUILLOMER.conf") << "[Settings]\nLanguage=German\n";
}

// The program with the largest project open, as the user starts it.
struct Designer {
    CQuillomerApp app;
    CQuillomerDoc* doc = nullptr;
    CQuillomerView* view = nullptr;

    Designer()
    {
        QApplication::setOrganizationName(QStringLiteral("HALVERON"));
        QApplication::setApplicationName(QStringLiteral("QUILLOMER"));
        SilentMessages();
        if (!app.InitInstance({QString::fromStdString(bench::LargestProjectFile())}))
            std::abort();
        const auto docs = app.GetDocTemplate()->GetDocuments();
        if (docs.empty())
            std::abort();
        doc = docs.front();
        view = app.GetDocTemplate()->GetView(doc);
        CMainFrame* frame = app.GetMainFrame();
        frame->showNormal();
        frame->resize(1920, 1080);
        QCoreApplication::processEvents();
    }
};

Designer& TheDesigner()
{
    static Designer designer;
    return designer;
}

void BM_RepaintDesignerView(benchmark::State& state)
{
    Designer& d = TheDesigner();
    d.view->SetZoom(static_cast<int>(state.range(0)));
    d.view->ScrollToPosition(QPoint(0, 0));
    QCoreApplication::processEvents();
    int drawn = 0;
    d.view->m_drawWatcher = [&drawn](CBaseDevice*) { ++drawn; };
    d.view->viewport()->repaint();
    d.view->m_drawWatcher = nullptr;
    for (auto _ : state)
        d.view->viewport()->repaint();
    state.counters["objects_drawn"] = drawn;
    state.counters["width_px"] = d.view->viewport()->width();
    state.counters["height_px"] = d.view->viewport()->height();
}
BENCHMARK(BM_RepaintDesignerView)->DenseRange(CQuillomerView::kMinZoom, CQuillomerView::kMaxZoom)
    ->Unit(benchmark::kMillisecond);

// The whole 4096 x 4096 sheet drawn into an image, every object at once
// (no window shows that much: an upper bound of a repaint), zoom 2 (2048 px).
void BM_DrawWholeSheet(benchmark::State& state)
{
    Designer& d = TheDesigner();
    QImage image(2048, 2048, QImage::Format_ARGB32_Premultiplied);
    int drawn = 0;
    d.view->m_drawWatcher = [&drawn](CBaseDevice*) { ++drawn; };
    for (auto _ : state) {
        drawn = 0;
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(0.5, 0.5);
        d.view->DrawContents(painter, CRect(0, 0, CQuillomerView::kSheetSize, CQuillomerView::kSheetSize), true);
    }
    d.view->m_drawWatcher = nullptr;
    state.counters["objects_drawn"] = drawn;
}
BENCHMARK(BM_DrawWholeSheet)->Unit(benchmark::kMillisecond);

// One start of the program (this file run with --startup-probe) until its
// first frame has been painted; 0 without a file, 1 with the largest project.
void BM_StartupToFirstPaint(benchmark::State& state)
{
    const std::string self = "/proc/self/exe";
    std::vector<std::string> args = {g_argv[0], "--startup-probe"};
    if (state.range(0) == 1)
        args.push_back(bench::LargestProjectFile());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t pid = 0;
        if (::posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("spawn failed");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not paint");
            break;
        }
    }
}
BENCHMARK(BM_StartupToFirstPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

bool g_painted = false;

// Ends the process once the designer view (or, without a document, the main
// window) has painted.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(bool wantView) : m_wantView(wantView) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !g_painted) {
            const bool isView = watched->parent() && qobject_cast<CQuillomerView*>(watched->parent());
            if (!m_wantView || isView) {
                g_painted = true;
                QTimer::singleShot(0, [] { ::_exit(0); });  // after this paint
            }
        }
        return false;
    }

private:
    bool m_wantView;
};

int StartupProbe(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("HALVERON"));
    QApplication::setApplicationName(QStringLiteral("QUILLOMER"));
    SilentMessages();
    const bool withFile = argc > 2;
    FirstPaint filter(withFile);
    app.installEventFilter(&filter);
    CQuillomerApp theApp;
    QStringList arguments;
    if (withFile)
        arguments << QString::fromLocal8Bit(argv[2]);
    if (!theApp.InitInstance(arguments))
        return 2;
    if (g_painted)
        ::_exit(0);
    QTimer::singleShot(10000, [] { ::_exit(3); });
    return app.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--startup-probe") == 0)
        return StartupProbe(argc, argv);
    PrivateSettings();
    g_argc = argc;
    g_argv = argv;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::LargestProjectFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The designer's windows go before the application object.
    ::_exit(0);
}
