#include "BenchSupport.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "support/LargestProject.h"

namespace bench {

const std::string& TempDir()
{
    static const std::string dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "ql-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(TempDir()); });
        return pattern;
    }();
    return dir;
}

const std::string& LargestProjectFile()
{
    static const std::string path = [] {
        // Nothing may wait for a message box in a benchmark.
        MessageHandler previous = SetMessageHandler([](const std::string& text, uint32_t) {
            std::fprintf(stderr, "message: %s\n", text.c_str());
            return 0;
        });
        const std::string file = TempDir() + "/largest.qlx";
        CQuillomerDoc doc;
        const largest::BuildReport report = largest::Build(doc);
        if (!report.problems.empty())
            std::fprintf(stderr, "largest project: %s", report.problems.c_str());
        if (!doc.OnSaveDocument(file))
            std::abort();
        std::fprintf(stderr, "largest project: %lld objects, %lld links, %zu bytes\n",
                     static_cast<long long>(report.objects), static_cast<long long>(report.links),
                     static_cast<size_t>(std::filesystem::file_size(file)));
        SetMessageHandler(previous);
        return file;
    }();
    return path;
}

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace bench
