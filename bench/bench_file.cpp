// Opening and saving the largest legal project, against a plain read and a
// plain write of the same bytes. Counters: ms per operation, the plain
// operation's ms, and their ratio ("x_plain").

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "BenchSupport.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"

namespace {

// Write, flush to the disk and rename: what a safe save does at the least.
bool WriteSynced(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const std::string tmp = path + ".tmp";
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    return ok && ::rename(tmp.c_str(), path.c_str()) == 0;
}

void Report(benchmark::State& state, double startMs, double plainMs)
{
    const double perOp = (bench::NowMs() - startMs) / static_cast<double>(state.iterations());
    state.counters["ms"] = perOp;
    state.counters["plain_ms"] = plainMs;
    state.counters["x_plain"] = perOp / plainMs;
}

void BM_PlainRead(benchmark::State& state)
{
    const std::string& file = bench::LargestProjectFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ReadAll(file));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

void BM_OpenLargestProject(benchmark::State& state)
{
    const std::string& file = bench::LargestProjectFile();
    const double plain = bench::MedianMs(21, [&] { benchmark::DoNotOptimize(bench::ReadAll(file)); });
    const double start = bench::NowMs();
    for (auto _ : state) {
        CQuillomerDoc doc;
        if (!doc.OnOpenDocument(file))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(doc.GetList(CAT_MACRO).size());
        doc.DeleteContents();  // closing belongs to the document's life, not to opening
    }
    Report(state, start, plain);
}
BENCHMARK(BM_OpenLargestProject)->Unit(benchmark::kMillisecond);

void BM_PlainWrite(benchmark::State& state)
{
    const std::vector<uint8_t> bytes = bench::ReadAll(bench::LargestProjectFile());
    const std::string out = bench::TempDir() + "/plain.qlx";
    for (auto _ : state)
        bench::WriteAll(out, bytes);
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);

void BM_PlainWriteSynced(benchmark::State& state)
{
    const std::vector<uint8_t> bytes = bench::ReadAll(bench::LargestProjectFile());
    const std::string out = bench::TempDir() + "/synced.qlx";
    for (auto _ : state)
        WriteSynced(out, bytes);
}
BENCHMARK(BM_PlainWriteSynced)->Unit(benchmark::kMillisecond);

// The archive alone: the document's bytes, no disk.
void BM_StoreLargestProject(benchmark::State& state)
{
    CQuillomerDoc doc;
    doc.OnOpenDocument(bench::LargestProjectFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.SaveToBytes());
}
BENCHMARK(BM_StoreLargestProject)->Unit(benchmark::kMillisecond);

void BM_SaveLargestProject(benchmark::State& state)
{
    CQuillomerDoc doc;
    doc.OnOpenDocument(bench::LargestProjectFile());
    const std::vector<uint8_t> bytes = bench::ReadAll(bench::LargestProjectFile());
    const std::string plainOut = bench::TempDir() + "/plain-save.qlx";
    // The plain write of a safe save: write, fsync, rename.
    const double plain = bench::MedianMs(21, [&] { WriteSynced(plainOut, bytes); });
    const std::string out = bench::TempDir() + "/saved.qlx";
    const double start = bench::NowMs();
    for (auto _ : state) {
        doc.SetModifiedFlag(true);
        if (!doc.OnSaveDocument(out))
            state.SkipWithError("save failed");
    }
    Report(state, start, plain);
    state.counters["plain_unsynced_ms"] = bench::MedianMs(21, [&] { bench::WriteAll(plainOut, bytes); });
}
BENCHMARK(BM_SaveLargestProject)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    SetMessageHandler([](const std::string& text, uint32_t) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return 0;
    });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::LargestProjectFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
