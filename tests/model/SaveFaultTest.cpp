// Saving under faults: a save killed at any moment, a save into a read-only
// folder and onto a full disk. The last good file always survives whole; a
// failed save says so and leaves the document modified.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "support/LargestProject.h"
#include "support/ModelTestHost.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A fresh folder of its own, removed at the end.
class TempDir {
public:
    TempDir()
    {
        static int serial = 0;
        m_path = fs::temp_directory_path() / StrFormat("ql-savefault-%d-%d", ::getpid(), ++serial);
        fs::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, ec);
        fs::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

// A small tmpfs mounted on a folder for the test's lifetime (root only).
class TinyMount {
public:
    explicit TinyMount(const fs::path& dir) : m_dir(dir)
    {
        m_mounted = ::mount("tmpfs", dir.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0777") == 0;
    }
    ~TinyMount()
    {
        if (m_mounted)
            ::umount2(m_dir.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return m_mounted; }
    bool MakeReadOnly()
    {
        return ::mount(nullptr, m_dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }

private:
    fs::path m_dir;
    bool m_mounted = false;
};

class SaveFaultTest : public ::testing::Test {
protected:
    ModelTestHost host;
    MessageLog messages;
};

TEST_F(SaveFaultTest, KilledSaveAlwaysLeavesTheOldFileOrTheNewOneWhole)
{
    TempDir dir;
    const std::string path = dir.File("project.qlx");

    CQuillomerDoc doc;
    largest::Build(doc);
    ActiveDocScope active(&doc);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const Bytes oldBytes = ReadFile(path);
    doc.m_data.projectName = "Neuer Stand";
    const Bytes newBytes = doc.SaveToBytes();
    ASSERT_NE(oldBytes, newBytes);

    // How long one save takes here, to spread the kills over it.
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("timing.qlx")));
    const auto saveUs = std::max<int64_t>(
        1000, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0).count());

    std::mt19937 random(12345);
    std::uniform_int_distribution<int64_t> when(0, saveUs * 3);
    int kills = 0, sawOld = 0, sawNew = 0;
    // At least 20 rounds however slow the machine (a loaded one, a sanitizer's
    // fake stacks), more while the three seconds last.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int round = 0; round < 200 && (round < 20 || std::chrono::steady_clock::now() < deadline); ++round) {
        // Each round starts from the old file.
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(oldBytes.data()), static_cast<std::streamsize>(oldBytes.size()));
        }
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves again and again until killed.
            for (;;)
                doc.OnSaveDocument(path);
        }
        ::usleep(static_cast<useconds_t>(when(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        kills += WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;

        const Bytes now = ReadFile(path);
        if (now == oldBytes) {
            ++sawOld;
        } else {
            ASSERT_EQ(newBytes, now) << "round " << round << ": the file is neither the old nor the new one";
            ++sawNew;
        }
        CQuillomerDoc check;
        ActiveDocScope checkActive(&check);
        ASSERT_TRUE(check.OnOpenDocument(path)) << "round " << round;
    }
    RecordProperty("kills", kills);
    RecordProperty("old_file_seen", sawOld);
    RecordProperty("new_file_seen", sawNew);
    EXPECT_GE(kills, 10);
    // The kills fell both before and after the new file took the name.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(SaveFaultTest, SaveIntoReadOnlyFolderFailsAndKeepsTheDocumentModified)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "readonly";
    fs::create_directories(folder);
    const std::string path = (folder / "project.qlx").string();

    CQuillomerDoc doc;
    ActiveDocScope active(&doc);
    doc.OnNewDocument();
    std::unique_ptr<TinyMount> mount;
    if (::geteuid() == 0) {
        // Root writes into any folder: use a read-only file system instead.
        mount = std::make_unique<TinyMount>(folder);
        if (!mount->Mounted())
            GTEST_SKIP() << "root without permission to mount a tmpfs";
    }
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const Bytes oldBytes = ReadFile(path);
    if (mount)
        ASSERT_TRUE(mount->MakeReadOnly());
    else
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);

    doc.m_data.projectName = "Geändert";
    doc.SetModifiedFlag(true);
    messages.texts.clear();
    EXPECT_FALSE(doc.OnSaveDocument(path));
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(oldBytes, ReadFile(path));
    // Nothing left behind in the folder.
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));

    // A new name in the read-only folder fails the same way and keeps the old path.
    const std::string oldPath = doc.GetPathName();
    EXPECT_FALSE(doc.OnSaveDocument((folder / "other.qlx").string()));
    EXPECT_EQ(oldPath, doc.GetPathName());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SaveFaultTest, SaveOntoFullDiskFailsAndKeepsTheOldFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a full file system needs a tmpfs mount (root)";
    TempDir dir;
    const fs::path folder = dir.Path() / "full";
    fs::create_directories(folder);
    TinyMount mount(folder);
    if (!mount.Mounted())
        GTEST_SKIP() << "no permission to mount a tmpfs";
    const std::string path = (folder / "project.qlx").string();

    // A new project fits into the 64 KiB; the largest one does not.
    CQuillomerDoc small;
    {
        ActiveDocScope active(&small);
        small.OnNewDocument();
        ASSERT_TRUE(small.OnSaveDocument(path));
    }
    const Bytes oldBytes = ReadFile(path);

    CQuillomerDoc doc;
    largest::Build(doc);
    ActiveDocScope active(&doc);
    doc.SetModifiedFlag(true);
    ASSERT_GT(doc.SaveToBytes().size(), 64u * 1024u);
    messages.texts.clear();
    EXPECT_FALSE(doc.OnSaveDocument(path));
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(oldBytes, ReadFile(path));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()))
        << "the partial temporary file was left behind";

    CQuillomerDoc check;
    ActiveDocScope checkActive(&check);
    EXPECT_TRUE(check.OnOpenDocument(path));
}

}  // namespace
