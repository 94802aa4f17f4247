// Gives every test program the environment it expects, however it is started
// (ctest, by hand, under a debugger): the source and build folders, offscreen
// windows on screens of a user's size, the sanitizers' options (stack use
// after return included), and a private settings, runtime and home folder so
// that test programs running in parallel never share a settings file and
// none depends on the machine's home; the temporary folder tests use is
// private as well.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

// A callback that outlives the frame it captured (a timer left behind by a
// test's helper) writes into a dead stack frame; without the fake stacks of
// detect_stack_use_after_return that frame is reused and the write hides.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1";
}
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

namespace {
struct TestEnvironment {
    std::string privateDir;

    TestEnvironment()
    {
        setenv("QL_SOURCE_DIR", QL_SOURCE_DIR_VALUE, 0);
        setenv("QL_BINARY_DIR", QL_BINARY_DIR_VALUE, 0);

        std::error_code ec;
        std::string pattern = (std::filesystem::temp_directory_path(ec) / "ql-test-XXXXXX").string();
        if (char* dir = mkdtemp(pattern.data())) {
            privateDir = dir;
            const std::string config = privateDir + "/config";
            const std::string runtime = privateDir + "/runtime";
            std::filesystem::create_directories(config, ec);
            std::filesystem::create_directories(runtime, ec);
            std::filesystem::permissions(runtime, std::filesystem::perms::owner_all, ec);
            // The tests' own temporary files (testing::TempDir()): runs side
            // by side, of another build or another helper, never write or
            // read each other's.
            const std::string temp = privateDir + "/tmp";
            std::filesystem::create_directories(temp, ec);
            setenv("TEST_TMPDIR", temp.c_str(), 1);
            setenv("XDG_CONFIG_HOME", config.c_str(), 1);
            setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
            // A home of its own, empty and the same on every machine, with a
            // name as long as a user's may be: the windows that show it (the
            // folder chooser's first drive) are seen with a long path.
            const std::string home =
                privateDir + "/home-of-a-user-whose-folder-name-runs-on-far-beyond-what-any-view-shows-at-once";
            std::filesystem::create_directories(home, ec);
            setenv("HOME", home.c_str(), 1);
        }
        UseOffscreenScreens();
    }

    // Offscreen windows (unless another platform is asked for) on a screen
    // of 1920 x 1200 pixels, where every window opens whole at every font and
    // scale the tests use, and right of it a smaller one of 1000 x 700, where
    // a test can place a window that needs more room than a screen has.
    void UseOffscreenScreens()
    {
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (platform && std::strcmp(platform, "offscreen") != 0)
            return;
        const std::string file = privateDir + "/screens.json";
        std::ofstream out(file);
        out << R"({"windowFrameMargins": true, "screens": [)"
               R"({"name": "Screen1", "x": 0, "y": 0, "width": 1920, "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},)"
               R"({"name": "Screen2", "x": 1920, "y": 0, "width": 1000, "height": 700, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        out.close();
        if (privateDir.empty() || !out) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            return;
        }
        setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file).c_str(), 1);
    }

    ~TestEnvironment()
    {
        if (!privateDir.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(privateDir, ec);
        }
    }
} testEnvironment;
}  // namespace
