// Whole transfers against the device simulator reading and sending at the
// real line rate (19200 baud 8N1, 1,920 characters a second) and echoing
// every character, as the connection set-up tells the device to: the download
// of the largest legal project keeps pace with the line and returns only once
// the device has it all, a disconnect right after it stamps the device with
// its real clock; its upload returns only once the device has given every
// answer and each has been compared, and from a device whose tables are
// empty it ends and leaves the project what the device holds; a new project
// goes down and up again without a message and with an empty difference
// file; a line the device rejects is reported; a setting sent with the path
// shorthand before a download does not spoil the macro lock.
#include "CommTestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <map>

#include "audio/CMiscAudio.h"
#include "audio/CMonitor.h"
#include "calendar/CAppoint.h"
#include "calendar/CHoliday.h"
#include "calendar/CalendarIds.h"
#include "calendar/CalendarTime.h"
#include "comm/ParameterGroups.h"
#include "hardware/CLMZ.h"
#include "hardware/CSpareAmp.h"
#include "logic/CAnalogCondition.h"
#include "logic/CBusyCondition.h"
#include "logic/CCombineCondition.h"
#include "logic/CLogicOut.h"
#include "logic/CReadyInput.h"
#include "logic/CVirtCtrlItem.h"
#include "macros/CMacro.h"
#include "macros/MacroIds.h"
#include "model/CControlPad.h"
#include "paging/PagingIds.h"
#include "model/CIDManager.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "support/LargestProject.h"

using namespace commtest;
using serialtest::Pump;

namespace {

constexpr uint32_t kAllObjectGroups = 0x1F;  // every group but the text file

// A new object of class T numbered `n` in the project.
template <class T>
T* AddNumbered(CQuillomerDoc& doc, uint32_t kind, int32_t n, int32_t category)
{
    auto* obj = new T;
    EXPECT_EQ(1, obj->Create(kind, StrFormat("Belegt %d", n), n, category, &doc));
    doc.AddObject(obj, category);
    return obj;
}

class LineRate : public ::testing::Test {
protected:
    void SetUp() override
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 0);
        SetProfile(QStringLiteral("Configuration/StayOnline"), {});
        SetProfile(QStringLiteral("Settings/WorkDirectory"), {});
        m_previousHook = SetActiveDocHook([this] { return &doc; });
        link.SetHost(&host);
        m_previousSender = SetLineSender(&link);
    }
    void TearDown() override
    {
        if (link.IsConnected())
            link.ClosePort();
        SetLineSender(m_previousSender);
        SetActiveDocHook(m_previousHook);
        serialtest::SetDevicePath(kPort, {});
    }
    void Name(const char* title)
    {
        doc.SetTitle(title);
        doc.SetPathName(dir.filePath(QString::fromUtf8(title) + QStringLiteral(".qlx")).toStdString());
    }
    bool Connect(const QStringList& args = {})
    {
        if (!sim.Start(args))
            return false;
        link.OnConnect();
        // The set-up's last line may still be on its way.
        return link.IsConnected() && sim.AwaitReceivedEnd("/COMM/ECHO ON\r\n");
    }
    // Runs a transfer of the ticked groups; returns its milliseconds.
    int64_t Transfer(int direction, uint32_t groups)
    {
        host.paramSelect = [this, direction, groups](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = CollectParameterGroupObjects(doc, groups);
            sel.textFile = HasTextFileGroup(groups);
            return true;
        };
        QElapsedTimer t;
        t.start();
        link.OnTransferParameters();
        return t.elapsed();
    }
    void UploadLargest(uint32_t groups);
    std::string ReceivedSince(size_t mark) const
    {
        const std::string all = sim.Received();
        return mark <= all.size() ? all.substr(mark) : std::string();
    }

    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    TestHost host;
    CCommLink link;
    Messages messages;

private:
    ActiveDocHook m_previousHook;
    ILineSender* m_previousSender = nullptr;
};

}  // namespace

// The longest download of the suite (about 233,000 characters: two minutes of line time).
TEST_F(LineRate, LargestProjectDownloadEndsWithTheLine)
{
    largest::Build(doc);
    Name("Groß");
    ASSERT_TRUE(Connect({QStringLiteral("--version"), QStringLiteral("V0.551a")}));
    messages.texts.clear();

    const size_t mark = sim.Received().size();
    const int64_t ms = Transfer(1, kAllObjectGroups);
    // Read before any further event runs: the device already has every byte.
    const std::string got = ReceivedSince(mark);
    const std::string tail = "/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n";
    ASSERT_GE(got.size(), tail.size());
    EXPECT_EQ(got.substr(got.size() - tail.size()), tail) << "the download returned before the device had it all";
    EXPECT_EQ(got.rfind("/MACRO/LOCK ON\r\n", 0), 0u);
    EXPECT_GT(got.size(), 15000u);
    // Line time plus the device's fixed pauses (200 + 200 + 1000 ms). The
    // fault to catch is a wait per line (an answer or a pause awaited between
    // lines): with some 7,800 lines even 10 ms each would add two thirds of the line
    // time again. The margin below that leaves room for a sanitized build on
    // a loaded machine, where both ends of the line run slower than the line.
    const double lineMs = static_cast<double>(got.size()) * 10.0 / 19.2;
    const auto lines = std::count(got.begin(), got.end(), '\n');
    EXPECT_GT(lines, 7000);
    EXPECT_LT(static_cast<double>(ms), lineMs * 1.4 + 1400 + 600) << got.size() << " characters";
    EXPECT_GE(static_cast<double>(ms), lineMs);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    std::fprintf(stderr, "largest download: %zu characters, %lld ms, line time %.0f ms\n", got.size(),
                 static_cast<long long>(ms), lineMs);

    // Disconnecting at once stamps the device with its own clock, its date in
    // the form the set-up told the device.
    const size_t before = sim.Received().size();
    link.OnDisconnect();
    const std::string bye = ReceivedSince(before);
    const QString dateMark = QLocale::system().language() == QLocale::German ? QStringLiteral("\\.") : QStringLiteral("/");
    EXPECT_TRUE(QString::fromStdString(bye).contains(QRegularExpression(
        QStringLiteral("/SERVICE/ACCESS/DATE \\d\\d%1\\d\\d%1\\d{4}\r\n/SERVICE/ACCESS/TIME \\d\\d:\\d\\d:\\d\\d\r\n")
            .arg(dateMark))))
        << bye;
}

// The device holds what the largest project's download sends (its exported
// lines), and an upload asks for the ticked groups of it. Each query comes
// back as its echo and its answer; the upload returns once the device has
// been silent for a second after its last answer, and not before: nothing
// comes after it, every answer has been compared, and none differs.
void LineRate::UploadLargest(uint32_t groups)
{
    largest::Build(doc);
    Name("Groß");
    host.paramSelect = [this](ParamSelection& sel) {
        sel.objects = CollectParameterGroupObjects(doc, kAllObjectGroups);
        return true;
    };
    link.OnExportWorksheet();
    const QString par = QString::fromStdString(doc.GetPathName() + ".par");
    ASSERT_GT(QFileInfo(par).size(), 100000);
    QStringList args {QStringLiteral("--version"), QStringLiteral("V0.551a"), QStringLiteral("-e"),
                      QStringLiteral("load ") + par};
    // A buzzer's pattern is asked for but never sent: the device keeps its
    // own. This one holds the patterns the project has.
    const CIDManager& ids = doc.GetIDManager();
    for (int32_t n = 1; n <= ids.GetMaxID(OT_MACRO); ++n) {
        const auto* macro = dynamic_cast<const CMacro*>(ids.GetBaseDevice(n, OT_MACRO));
        if (macro && macro->GetKindId() == macrotype::Buzzer)
            args << QStringLiteral("-e")
                 << QString::fromStdString(StrFormat("set /MACRO/PROG%d/PARAM/PATTERN ", n) + macro->GetParamText(73));
    }
    ASSERT_TRUE(Connect(args));
    messages.texts.clear();
    const size_t outMark = sim.Sent().size();
    const int64_t upMs = Transfer(0, groups);
    const int64_t quietMs = link.GetLinkIdleTime();
    const std::string answered = sim.Sent().substr(outMark);
    Pump(1500);
    EXPECT_EQ(sim.Sent().size(), outMark + answered.size()) << "the device still answered after the upload returned";
    EXPECT_GE(quietMs, 1000);
    EXPECT_LT(quietMs, 2500);
    EXPECT_EQ(messages.texts,
              (std::vector<std::string> {"Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\""}));
    EXPECT_GT(link.GetUploadQueries(), 4000);
    EXPECT_EQ(link.GetUploadAnswers(), link.GetUploadQueries()) << "answers not compared";
    // The device echoed every query before answering it.
    EXPECT_GE(static_cast<size_t>(std::count(answered.begin(), answered.end(), '\n')),
              2 * static_cast<size_t>(link.GetUploadQueries()));
    EXPECT_EQ(ReadFile(dir.filePath(QStringLiteral("Groß.err"))), "");
    EXPECT_TRUE(host.editorFiles.empty());
    std::fprintf(stderr,
                 "largest upload of groups 0x%02x: %d queries, %d answers, %zu characters from the device, %lld ms, "
                 "%lld ms from the last answer to the return\n",
                 groups, link.GetUploadQueries(), link.GetUploadAnswers(), answered.size(),
                 static_cast<long long>(upMs), static_cast<long long>(quietMs));
}

// The largest upload is some 680,000 characters from the device, six minutes
// of line time: it runs in two halves of about three minutes each.
TEST_F(LineRate, LargestProjectUploadOfTheControlReturnsWithTheLastAnswer)
{
    UploadLargest(1u << paramgroup::Control);
}

TEST_F(LineRate, LargestProjectUploadOfEverythingElseReturnsWithTheLastAnswer)
{
    UploadLargest(kAllObjectGroups & ~(1u << paramgroup::Control));
}

// A new project, its text file included, goes down and comes back up: no
// message box at all (no parser errors, no query the device cannot answer),
// an empty difference file. This host's profile holds no clear capability of
// the device, so the download writes every table entry and the upload asks
// for every key of each, also those the download left cleared: some 400 KB
// to the device and twice that back, minutes at 19200 baud, so the pair runs
// over a line of 921600 baud with the device at full speed.
TEST_F(LineRate, NewProjectDownloadAndUploadAgree)
{
    sim.lineRate = false;
    doc.OnNewDocument();
    Name("Neu");
    {
        QFile text(dir.filePath(QStringLiteral("Neu.txt")));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("/CLOCK/SLAVE1 ON\n/CLOCK/SLAVE2 OFF\n");
    }
    ASSERT_TRUE(Connect({QStringLiteral("--version"), QStringLiteral("V0.551a")}));
    ASSERT_TRUE(link.SetSettings(QStringLiteral("921600,n,8,1")));
    const size_t mark = sim.Received().size();
    Transfer(1, kAllObjectGroups | (1u << paramgroup::TextFile));
    const std::string down = ReceivedSince(mark);
    EXPECT_NE(down.find("/CLOCK/SLAVE1 ON\r/CLOCK/SLAVE2 OFF\r"), std::string::npos) << "the text file went out";
    const std::string tail = "/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n";
    ASSERT_TRUE(sim.AwaitReceivedEnd(tail));

    Transfer(0, kAllObjectGroups);
    EXPECT_EQ(messages.texts,
              (std::vector<std::string> {"Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\""}));
    const QString err = dir.filePath(QStringLiteral("Neu.err"));
    ASSERT_TRUE(QFile::exists(err));
    EXPECT_EQ(ReadFile(err), "");
    EXPECT_TRUE(host.editorFiles.empty());
}

// A device that has become slow (it reads 20 characters a second, as a busy
// device or a modem line does) echoes each setting long after the next one
// went. Settings given in quick succession, the first line whole and the
// next ones in the path shorthand, leave the project with the last value
// and the device holding it, whatever their echoes say when they come; a
// setting the device does not take is told as refused, with its line as sent.
TEST_F(LineRate, SettingsInQuickSuccessionOnASlowDeviceLeaveTheLastValue)
{
    struct Row {
        const char* name;
        uint32_t key;
        std::vector<std::string> values;  // set and sent in turn, at once
        const char* refused;              // the line the device refuses (none)
    };
    const Row rows[] = {
        {"whole line, then the shorthand", miscaudiokey::AlarmVol, {"-10.0", "-20.0"}, nullptr},
        {"three in a row", miscaudiokey::ChimeVol, {"-10.0", "-20.0", "-30.0"}, nullptr},
        {"refused", miscaudiokey::BackAtt, {"-10"}, "/AUDIO/BACK_ATT -10"},
    };
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_data.deviceVariant = 1;
    Name("Langsam");
    auto* audio = dynamic_cast<CMiscAudio*>(doc.GetIDManager().GetBaseDevice(1, OT_MISC_AUDIO));
    ASSERT_NE(nullptr, audio);
    // The connection's 21 lines at the line rate, then slow.
    ASSERT_TRUE(Connect({QStringLiteral("-e"), QStringLiteral("unknown /AUDIO/BACK_ATT"), QStringLiteral("-e"),
                         QStringLiteral("at 21 read-pace 20")}));
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    std::vector<LinkRefusal> refusals;
    QObject scope;  // the connection dies with the locals it writes
    QObject::connect(&link, &CCommLink::LineRefused, &scope, [&](const LinkRefusal& r) { refusals.push_back(r); });
    messages.texts.clear();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        refusals.clear();
        const size_t seen = host.monitor.size();
        // As a window does: the project takes the value, then it goes.
        std::string last;
        for (const std::string& value : row.values) {
            ASSERT_TRUE(audio->SetValue(row.key, value));
            last = audio->SendAudioLine(row.key, true, false);
        }
        // Until the last echo (or the refusal) has come and been read.
        const std::string tail = row.refused ? std::string(row.refused) + " ? \r\n"
                                 : row.values.size() > 1 ? " " + row.values.back() + "\r\n"
                                                         : last + "\r\n";
        ASSERT_TRUE(serialtest::PumpUntil([&] { return host.monitor.find(tail, seen) != std::string::npos; }, 60000))
            << host.monitor.substr(seen);
        EXPECT_EQ(row.values.back(), audio->GetValue(row.key)) << "a late echo was taken for the device's answer";
        EXPECT_TRUE(messages.texts.empty()) << testing::PrintToString(messages.texts);
        if (row.refused) {
            ASSERT_EQ(1u, refusals.size());
            EXPECT_EQ(row.refused, refusals[0].sent);
            EXPECT_TRUE(refusals[0].SamePath("/audio/back_att"));
            EXPECT_FALSE(refusals[0].query);
            continue;
        }
        EXPECT_TRUE(refusals.empty());
        // The device holds the last value, too.
        const std::string path = last.substr(0, last.find(' '));
        EXPECT_EQ(row.values.back(), link.QueryValue(path, 3000));
    }
}

// A setting sent with the path shorthand, then a download: the download's
// first line goes out whole after the macro lock, so the lock holds from the
// first line to the last and the setting keeps its own path; a line the
// device rejects is reported at the end.
TEST_F(LineRate, ShorthandSettingThenDownloadKeepsTheLock)
{
    Name("Halle");
    LineObject out(doc, "AUDIO/OUT1", {{"VOL", "-3.0"}, {"DELAY", "0.000"}}, "Ausgang");
    out.shortenLines = true;
    LineObject lock(doc, "MACRO", {{"LOCK", "VIELLEICHT"}}, "Abgelehnt");
    ASSERT_TRUE(Connect());
    link.SendCommand("/AUDIO/OUT1/VOL -3.0", &doc, true);
    ASSERT_TRUE(AwaitDeviceHasAll(sim, link));
    messages.texts.clear();
    const size_t mark = sim.Received().size();
    host.paramSelect = [&](ParamSelection& sel) {
        sel.objects = {&out, &lock};
        return true;
    };
    link.OnTransferParameters();
    EXPECT_EQ(ReceivedSince(mark), "/MACRO/LOCK ON\r\n/AUDIO/OUT1/VOL -3.0\r\n/AUDIO/OUT1/DELAY 0.000\r\n"
                                   "/MACRO/LOCK VIELLEICHT\r\n/MACRO/LOCK OFF\r\n/SERVICE/START FASTSAVE\r\n");
    EXPECT_EQ(messages.texts, (std::vector<std::string> {"Überprüfen Sie die LOG Datei!"}));
    for (const char* p : {"/AUDIO/OUT1", "/AUDIO/OUT1/VOL", "/AUDIO/OUT1/DELAY", "/MACRO", "/MACRO/LOCK"})
        doc.RemovePath(p);
}

// A new device holds nothing: the upload of the largest project's control
// learns that every table entry is free, which takes the project's macros,
// triggers, conditions, logic outputs and virtual controllers from it while
// the upload still walks the objects it chose before. It ends as an upload
// ends, and the project holds what the device answered.
TEST_F(LineRate, LargestProjectUploadFromADeviceWithEmptyTablesEndsAndTakesWhatItHolds)
{
    SettingsHost settings;  // the blocks ask the device for its free entries, as in the program
    largest::Build(doc);
    Name("Groß");
    ASSERT_TRUE(Connect());
    messages.texts.clear();
    auto count = [this] {
        std::map<uint32_t, int> n;
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
            for (const CBaseDevice* obj : doc.GetList(c))
                ++n[obj->GetType()];
        return n;
    };
    std::map<uint32_t, int> expected = count();
    for (uint32_t emptied : {OT_MACRO, OT_TRIGGER, OT_CONDITION, OT_LOGIC_OUT, OT_VIRT_CTRL_ITEM}) {
        EXPECT_GT(expected[emptied], 0) << emptied;
        expected.erase(emptied);
    }
    Transfer(0, 1u << paramgroup::Control);
    // The device knows none of the blocks' own settings: its refusals bring the hint.
    EXPECT_EQ(messages.texts, (std::vector<std::string> {"Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei "
                                                         "auf Unstimmigkeiten !\"",
                                                         "Überprüfen Sie die LOG Datei!"}));
    EXPECT_EQ(link.GetUploadAnswers(), link.GetUploadQueries());
    EXPECT_EQ(count(), expected);
    EXPECT_EQ(linkstate::Online, link.GetLinkState());
}

// A device holding every third entry of every table, as the largest
// project with every other entry deleted leaves it: each list of free
// numbers is at its longest, 595 characters for a table of 250. A whole
// upload of the tables' blocks into the largest project takes every entry
// the device holds and no other, asks each for its values and ends as an
// upload ends, with nothing in the difference file; a whole download of the
// same blocks then leaves the device as it was.
TEST_F(LineRate, LargestProjectUploadFromADeviceHoldingEveryThirdEntryTakesThemAll)
{
    SettingsHost settings;  // the blocks ask the device for its free entries, as in the program
    // The device's capabilities as the connection stores them: the export
    // holds the lines a download sends.
    CCommLink::StoreCapabilities("V0.551a");
    const uint32_t tables[] = {OT_CONDITION, OT_ANALOG_CONDITION, OT_BUSY_CONDITION, OT_COMBINE_CONDITION,
                               OT_TRIGGER,   OT_LOGIC_OUT,        OT_READY_INPUT,    OT_VIRT_CTRL_ITEM,
                               OT_MACRO,     OT_APPOINT,          OT_DAYPROG,        OT_HOLIDAY};
    const CIDManager& ids = doc.GetIDManager();
    // The numbers of every table's entries the project holds.
    auto numbers = [&] {
        std::map<uint32_t, std::vector<int32_t>> held;
        for (uint32_t type : tables)
            for (int32_t n = 1; n <= ids.GetMaxID(type); ++n)
                if (ids.GetBaseDevice(n, type))
                    held[type].push_back(n);
        auto* monitor = dynamic_cast<CMonitor*>(ids.GetBaseDevice(1, OT_MONITOR));
        for (int n = 1; monitor && n <= CMonitor::kEntryCount; ++n)
            if (monitor->GetEntry(n - 1).source != "OFF")
                held[OT_MONITOR].push_back(n);
        auto* spare = dynamic_cast<CSpareAmp*>(ids.GetBaseDevice(1, OT_SPARE_AMP));
        for (int n = 1; spare && n <= CSpareAmp::kEntries; ++n)
            if (!spare->IsEntryCleared(n - 1))
                held[OT_SPARE_AMP].push_back(n);
        return held;
    };
    // The blocks that write and read the tables; a whole transfer of them:
    // 1 download (and export), 0 upload.
    std::vector<CBaseDevice*> blocks;
    auto choose = [&](int direction) {
        blocks.clear();
        for (uint32_t type : {OT_CONDITION_OBJECT, OT_TRIGGER_OBJECT, OT_LOGIC_OUT_OBJECT, OT_GLOBAL_READY_INPUT,
                              OT_VIRT_CTRL, OT_MACRO_OBJECT, OT_SPARE_AMP, OT_CAL_OBJECT, OT_MONITOR})
            if (CBaseDevice* block = ids.GetBaseDevice(1, type))
                blocks.push_back(block);
        host.paramSelect = [&blocks, direction](ParamSelection& sel) {
            sel.direction = direction;
            sel.objects = blocks;
            return true;
        };
    };
    // The largest project, with an input of an LMZ775 card for the analog
    // conditions (its own cards have none) in place of its last control pad.
    CControlPad* analogInput = nullptr;
    auto build = [&](const char* name) {
        largest::Build(doc);
        Name(name);
        DeviceList pads;
        ids.GetBaseDeviceList(pads, OT_CONTROL_PAD);
        ASSERT_FALSE(pads.empty());
        pads.back()->OnCommand(objcmd::Delete);
        CLMZ* card = CLMZ::NewCard(&doc, lmzkind::Analog775);
        ASSERT_NE(nullptr, card);
        analogInput = new CControlPad;
        ASSERT_EQ(1, analogInput->Create(padkind::LMZ775In, 1, 1, std::string("AD3"), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 9,
                                         &doc));
        doc.AddObject(analogInput, CAT_DIGITAL_IO);
        card->LinkTo(2, analogInput, 0);
    };
    // The first control pad of a protocol word.
    auto padOf = [&](const char* word) -> CControlPad* {
        DeviceList pads;
        ids.GetBaseDeviceList(pads, OT_CONTROL_PAD);
        for (CBaseDevice* p : pads)
            if (auto* pad = dynamic_cast<CControlPad*>(p); pad && pad->GetKeyword() == word)
                return pad;
        return nullptr;
    };

    // The configuration the device holds: every third entry of every table.
    ASSERT_NO_FATAL_FAILURE(build("Drittel"));
    for (uint32_t type : tables)
        for (int32_t n = 1; n <= ids.GetMaxID(type); ++n)
            if (CBaseDevice* obj = n % 3 ? ids.GetBaseDevice(n, type) : nullptr)
                obj->OnCommand(objcmd::Delete);
    // A macro without a type goes down as a free entry: the device holds none.
    int32_t aMacro = 0;
    for (int32_t n = 3; n <= ids.GetMaxID(OT_MACRO); n += 3) {
        std::vector<std::string> lines;
        auto* macro = dynamic_cast<CMacro*>(ids.GetBaseDevice(n, OT_MACRO));
        if (macro && macro->GetParamLines(lines) == "EMPTY")
            macro->OnCommand(objcmd::Delete);
        else if (macro && aMacro == 0)
            aMacro = n;
    }
    CControlPad* output = padOf("SLOT5_OUT");
    CControlPad* input = padOf("INP");
    ASSERT_TRUE(output && input && aMacro);
    for (int32_t n = 3; n <= 250; n += 3) {
        // Each logic output switches under the condition of its own number
        // (one without a condition names condition 1, which the device lacks).
        if (auto* out = dynamic_cast<CLogicOut*>(ids.GetBaseDevice(n, OT_LOGIC_OUT))) {
            out->SetValue(logicoutkey::Contact, output->GetNumber());
            out->SetValue(logicoutkey::Condition, n);
        }
        // A controller whose values are those of a cleared one is free.
        if (auto* controller = dynamic_cast<CVirtCtrlItem*>(ids.GetBaseDevice(n, OT_VIRT_CTRL_ITEM)))
            controller->SetFloat(CVirtCtrlItem::Max, 8.0f);
        // Day programmes the project made for a reference carry a made-up
        // name ("3 *"), which an upload may change (a fault of its own):
        // the device's have names of their own.
        if (CBaseDevice* dayprog = ids.GetBaseDevice(n, OT_DAYPROG))
            dayprog->SetName(StrFormat("Tagesprogramm %d", n));
        if (n > 50)
            continue;
        AddNumbered<CAnalogCondition>(doc, CAnalogCondition::kKindId, n, CAT_DIGITAL_IO)
            ->SetValue(0, analogInput->GetNumber());
        AddNumbered<CBusyCondition>(doc, CBusyCondition::kKindId, n, CAT_DIGITAL_IO)->ParseValue(0, "ALARM");
        auto* combine = AddNumbered<CCombineCondition>(doc, CCombineCondition::kKindId, n, CAT_DIGITAL_IO);
        combine->ParseValue(0, "OR");
        combine->SetValue(3, n);
        auto* ready = AddNumbered<CReadyInput>(doc, CReadyInput::kKindId, n, CAT_DIGITAL_IO);
        ready->SetValue(CReadyInput::Contact, input->GetNumber());
        auto* appoint = AddNumbered<CAppoint>(doc, CAppoint::kKindId, n, CAT_CALENDAR);
        appoint->SetParam(CAppoint::Function, IDS_CALFN_DAILY);
        appoint->SetParam(CAppoint::Date, *caltime::Make(2001, 3, 1, 6, n, 0));
        appoint->SetParam(CAppoint::Macro, aMacro);
        auto* holiday = AddNumbered<CHoliday>(doc, CHoliday::kKindId, n, CAT_CALENDAR);
        holiday->SetParam(CHoliday::Function, IDS_CALFN_ONETIME);
        holiday->SetParam(CHoliday::Date, *caltime::Make(2001, 12, n % 28 + 1));
        holiday->SetParam(CHoliday::Dayprog, 3);
    }
    auto* monitor = dynamic_cast<CMonitor*>(ids.GetBaseDevice(1, OT_MONITOR));
    auto* spare = dynamic_cast<CSpareAmp*>(ids.GetBaseDevice(1, OT_SPARE_AMP));
    ASSERT_TRUE(monitor && spare);
    for (uint32_t i = 2; i < CMonitor::kEntryCount; i += 3)
        monitor->SetValue(monitorsource::In | (i << 16), 1 + i % 4);
    for (int n = 3; n <= CSpareAmp::kEntries; n += 3)
        spare->SetEntry(n - 1, StrFormat("Reserve %d", n), true, OT_READY_INPUT, n, 0);
    const std::map<uint32_t, std::vector<int32_t>> held = numbers();
    for (uint32_t type : tables)
        EXPECT_GT(held.count(type) ? held.at(type).size() : 0u, 1u) << "type " << type;
    for (const auto& [type, entries] : held)
        for (int32_t n : entries)
            EXPECT_EQ(0, n % 3) << "type " << type;
    choose(1);
    link.OnExportWorksheet();
    const QString par = QString::fromStdString(doc.GetPathName() + ".par");
    const QStringList device {QStringLiteral("--version"), QStringLiteral("V0.551a"), QStringLiteral("-e"),
                              QStringLiteral("load ") + par};
    // What the device holds before anyone talks to it.
    std::string before;
    {
        Simulator untouched;
        const QString file = untouched.dir.filePath(QStringLiteral("before.held"));
        ASSERT_TRUE(untouched.Start(device + QStringList {QStringLiteral("-e"), QStringLiteral("holdings ") + file}));
        untouched.Stop();
        before = ReadFile(file);
    }

    // The largest project, every entry in use, takes what the device holds.
    ASSERT_NO_FATAL_FAILURE(build("Groß"));
    const QString after = dir.filePath(QStringLiteral("after.held"));
    ASSERT_TRUE(Connect(device + QStringList {QStringLiteral("-e"), QStringLiteral("holdings ") + after}));
    messages.texts.clear();
    const size_t outMark = sim.Sent().size();
    choose(0);
    QElapsedTimer upload;
    upload.start();
    link.OnTransferParameters();
    const int64_t upMs = upload.elapsed();
    const std::string answered = sim.Sent().substr(outMark);
    for (const char* longest : {"/CONDITION/CLEAR/ENTRY 1-2,4-5,", "/LOGICOUT/CLEAR 1-2,4-5,", "/MACRO/CLEAR 1-2,",
                                "/MONI/CLEAR/TABLE 1-2,4-5,"}) {
        const size_t at = answered.find(longest);
        EXPECT_TRUE(at != std::string::npos && answered.compare(answered.find('\r', at) - 12, 12, ",247-248,250") == 0)
            << longest;
    }
    EXPECT_EQ(messages.texts,
              (std::vector<std::string> {"Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\""}));
    EXPECT_EQ(link.GetUploadAnswers(), link.GetUploadQueries());
    EXPECT_EQ(numbers(), held);
    EXPECT_EQ(ReadFile(dir.filePath(QStringLiteral("Groß.err"))), "");
    std::fprintf(stderr, "every third entry: %d queries, %zu characters from the device, %lld ms\n",
                 link.GetUploadQueries(), answered.size(), static_cast<long long>(upMs));

    messages.texts.clear();
    choose(1);
    link.OnTransferParameters();
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    link.ClosePort();
    sim.Stop();
    // The connection's own settings aside, the device holds what it held.
    auto withoutConnection = [](const std::string& text) {
        std::string kept;
        for (size_t at = 0, end; at < text.size(); at = end + 1) {
            end = text.find('\n', at);
            const std::string line = text.substr(at, end - at);
            if (line.rfind("/COMM/", 0) != 0 && line.rfind("/CLOCK/DATEFORMAT ", 0) != 0 && line.rfind("/PROMPT ", 0) != 0)
                kept += line + "\n";
        }
        return kept;
    };
    EXPECT_EQ(withoutConnection(ReadFile(after)), withoutConnection(before));
}
