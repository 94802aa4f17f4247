// Opening a file that is no project (a directory, a FIFO, a device, a file
// that cannot be read, one far too large, a damaged one): a message with the
// reason as its detail, quickly and without reading it into memory, and every
// open project stays as it was. A project with a symbol placed out of range
// opens with the symbol moved and says so once.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <chrono>
#include <fstream>

#include "ShellTestSupport.h"
#include "model/ModelStrings.h"
#include "platform/StringTable.h"
#include "shell/CDocTemplate.h"
#include "shell/CQuillomerApp.h"

namespace {

long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

// Peak memory the process reaches while `f` runs, above what it held before (kB).
template <class F>
long PeakGrowthKb(F f)
{
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from now
    const long before = StatusKb("VmRSS:");
    f();
    return StatusKb("VmHWM:") - before;
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(ShellOpenFile, FilesThatAreNoProjectAreRefusedAndOpenProjectsStayAsTheyWere)
{
    SettingsSandbox settings;
    QSettings().setValue("Settings/Language", "German");
    QSettings().setValue("Configuration/ShellCommand", 0);
    MessageRecorder messages;
    CQuillomerApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CDocTemplate* tpl = app.GetDocTemplate();
    const QDir dir(settings.Path());

    // One project open with an unsaved change.
    const QString good = dir.filePath("Anlage.qlx");
    tpl->SetSavePathChooser([&](CQuillomerDoc*, const QString&) { return good; });
    CQuillomerDoc* open = tpl->OpenDocumentFile(QString());
    ASSERT_TRUE(tpl->SaveDocument(open, true));
    CBaseDevice* info = open->GetList(CAT_INFO).front();
    info->MoveBy(5, 5, false);
    ASSERT_TRUE(open->IsModified());
    const std::vector<uint8_t> openBytes = open->SaveToBytes();

    const QString fifo = dir.filePath("pipe.qlx");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString folder = dir.filePath("folder.qlx");
    ASSERT_TRUE(dir.mkdir("folder.qlx"));
    const QString huge = dir.filePath("huge.qlx");
    Write(huge, {});
    ASSERT_TRUE(QFile::resize(huge, 200LL << 20));  // sparse: no disk space taken
    const QString trailing = dir.filePath("trailing.qlx");
    Write(trailing, Bytes(good) + QByteArray(1, '\0'));

    struct Case {
        QString path;
        uint32_t message;
        const char* reason;
    };
    // /proc/self/mem is a regular file whose reading fails at its start: a
    // file that opens but cannot be read (as root, permissions stop nothing).
    const Case cases[] = {
        {folder, IDS_UNKNOWN_FORMAT, "Verzeichnis"},
        {fifo, IDS_UNKNOWN_FORMAT, "keine gewöhnliche Datei"},
        {"/dev/zero", IDS_UNKNOWN_FORMAT, "keine gewöhnliche Datei"},
        {"/proc/self/mem", IDS_UNKNOWN_FORMAT, "kann nicht gelesen werden"},
        {dir.filePath("missing/x.qlx"), IDS_UNKNOWN_FORMAT, "kann nicht geöffnet werden"},
        {huge, IDS_UNKNOWN_FORMAT, "209715200 Bytes"},
        {trailing, IDS_OPEN_FAILED, "noch 1 Bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        messages.messages.clear();
        messages.details.clear();
        CQuillomerDoc* result = nullptr;
        const auto start = std::chrono::steady_clock::now();
        const long growthKb = PeakGrowthKb([&] { result = tpl->OpenDocumentFile(c.path); });
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_LT(growthKb, 100 * 1024);
        EXPECT_EQ(result, nullptr);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].first, LoadStringId(c.message));
        EXPECT_NE(messages.details[0].find(c.reason), std::string::npos) << messages.details[0];
        ASSERT_EQ(tpl->GetDocuments(), std::vector<CQuillomerDoc*>{open});
        EXPECT_TRUE(open->IsModified());
        EXPECT_EQ(open->SaveToBytes(), openBytes);
    }

    // A project whose symbol lies far beyond every bound: it opens with the
    // symbol brought into range, modified, and the user is told once.
    CQuillomerDoc far;
    ASSERT_TRUE(far.LoadFromBytes(openBytes));
    far.GetList(CAT_INFO).front()->m_rect.left = -2000000000;
    const QString moved = dir.filePath("moved.qlx");
    ASSERT_TRUE(far.OnSaveDocument(moved.toStdString()));
    messages.messages.clear();
    CQuillomerDoc* loaded = tpl->OpenDocumentFile(moved);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->IsModified());
    EXPECT_EQ(loaded->GetList(CAT_INFO).front()->GetRect().left, 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].first.find(loaded->GetList(CAT_INFO).front()->GetName()), std::string::npos);
    EXPECT_EQ(tpl->GetDocuments().size(), 2u);
}
