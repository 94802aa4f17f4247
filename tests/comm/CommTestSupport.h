#pragma once
// Helpers of the device-link tests: a scripted window host, message boxes
// answered from a script, objects that produce and check known protocol
// lines, and the device simulator on a pseudo-terminal with its traffic log.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comm/CCommLink.h"
#include "comm/CPumpProgress.h"
#include "comm/ICommLinkHost.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "serial/SerialTestSupport.h"

namespace commtest {

// How long a test waits for something that must come (a line at the device,
// an answer): generous, as a wait ends as soon as it holds, and a machine
// running several test programs on two cores may hold a program back for
// seconds.
constexpr int kArrivalMs = 20000;

// The link's port is "COMSECTION"/"PORT" + 1; the tests keep PORT at its default.
constexpr int kPort = 2;

// Message boxes: recorded; answered from `answers` in order, else the default button.
class Messages {
public:
    Messages()
    {
        m_previous = SetMessageHandler([this](const std::string& text, uint32_t type) {
            texts.push_back(text);
            types.push_back(type);
            if (onShown)
                onShown();
            if (!answers.empty()) {
                const int a = answers.front();
                answers.pop_front();
                return a;
            }
            const uint32_t buttons = type & 0xF;
            const uint32_t def = (type >> 8) & 0xF;
            if (buttons == mb::YesNo || buttons == mb::YesNoCancel)
                return def == 1 ? static_cast<int>(mb::IdNo) : static_cast<int>(mb::IdYes);
            if (buttons == mb::OkCancel)
                return def == 1 ? static_cast<int>(mb::IdCancel) : static_cast<int>(mb::IdOk);
            return static_cast<int>(mb::IdOk);
        });
    }
    ~Messages() { SetMessageHandler(std::move(m_previous)); }
    bool Contains(const std::string& part) const
    {
        for (const std::string& t : texts)
            if (t.find(part) != std::string::npos)
                return true;
        return false;
    }
    std::vector<std::string> texts;
    std::vector<uint32_t> types;
    std::deque<int> answers;
    // Runs while each message is open (what the windows show meanwhile).
    std::function<void()> onShown;

private:
    MessageHandler m_previous;
};

// A progress dialog that presses Cancel when told to (after `cancelAfter` checks).
class ScriptedProgress : public CPumpProgress {
public:
    explicit ScriptedProgress(int cancelAfter) : m_cancelAfter(cancelAfter) {}
    bool CheckCancelButton() override
    {
        if (m_cancelAfter >= 0 && m_checks++ == m_cancelAfter)
            PressCancel();
        return CPumpProgress::CheckCancelButton();
    }

private:
    int m_cancelAfter;
    int m_checks = 0;
};

class TestHost : public ICommLinkHost {
public:
    void AppendMonitorText(const std::string& text) override { monitor += text; }
    void ClearProtocolMonitor() override
    {
        monitor.clear();
        ++monitorClears;
    }
    void ShowProtocolMonitor(bool show) override { monitorShown = show; }
    void SetConnectionText(const std::string& text) override { connectionText = text; }
    void ShowOnlineNotice() override { ++onlineNotices; }
    bool RunParamSelect(ParamSelection& selection) override
    {
        ++paramSelects;
        seenTextFileName = selection.textFileName;
        if (!paramSelect)
            return false;
        return paramSelect(selection);
    }
    bool RunLogin(CCommLink& link, int mode) override
    {
        logins.push_back(mode);
        for (const std::string& pw : loginPasswords) {
            const bool ok = mode == 1 ? link.TryLogin(pw, removeProtection) : link.TrySetPassword(pw, pw);
            if (ok)
                return true;
        }
        return false;
    }
    std::string ChooseConfigFile() override { return configFile; }
    std::string ChooseFirmwareFile() override { return firmwareFile; }
    void RunSystemConfigDialog() override { ++systemConfigRuns; }
    void SystemConfigLine(const std::string& line, int state) override { systemConfigLines.push_back(line); }
    std::unique_ptr<IProgress> CreateProgress(ProgressKind kind, const std::string& caption) override
    {
        progressCaptions.push_back(caption);
        auto progress = std::make_unique<ScriptedProgress>(cancelAfter);
        lastProgress = progress.get();
        return progress;
    }
    void OpenInEditor(const std::string& path) override { editorFiles.push_back(path); }

    std::string monitor;
    int monitorClears = 0;
    bool monitorShown = false;
    std::string connectionText;
    int onlineNotices = 0;
    int paramSelects = 0;
    std::string seenTextFileName;
    std::function<bool(ParamSelection&)> paramSelect;
    std::vector<int> logins;
    std::vector<std::string> loginPasswords;
    bool removeProtection = false;
    std::string configFile;
    std::string firmwareFile;
    int systemConfigRuns = 0;
    std::vector<std::string> systemConfigLines;
    std::vector<std::string> progressCaptions;
    int cancelAfter = -1;
    ScriptedProgress* lastProgress = nullptr;  // the last one made (not owned; may be gone)
    std::vector<std::string> editorFiles;
};

// An object with a path that sends known settings lines (mode 0) or their
// queries (mode 1), one line per step, holding back while the output buffer
// is full; it records the answer lines it gets and writes the differences
// from its own values to the difference file.
class LineObject : public CBaseDevice {
public:
    // `values`: key → value, sent as "/<path>/<key> <value>".
    LineObject(CQuillomerDoc& doc, const std::string& path, std::vector<std::pair<std::string, std::string>> values,
               const std::string& name = "Testobjekt")
        : m_values(std::move(values))
    {
        m_path = path;
        m_name = name;
        m_pDocument = &doc;
        for (const auto& kv : m_values)
            doc.AddPath("/" + path + "/" + kv.first, this);
        doc.AddPath("/" + path, this);
    }
    int GetDownloadLines(int mode, int step) override
    {
        if (step < 0)
            return static_cast<int>(m_values.size());
        if (IsOutBufferFull())
            return step;
        if (step >= static_cast<int>(m_values.size()))
            return step + 1;
        const auto& kv = m_values[static_cast<size_t>(step)];
        const std::string item = "/" + m_path + "/" + kv.first;
        ::SendCommand(mode == 0 ? item + " " + kv.second : item + " ?", GetDocument(), shortenLines);
        ++stepsRun;
        return step + 1;
    }
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override
    {
        received.push_back(line);
        states.push_back(linkState);
        const size_t blank = line.find(' ');
        if (blank == std::string::npos || diffFileName.empty())
            return;
        const std::string item = "/" + line.substr(0, blank);
        const std::string device = line.substr(blank + 1);
        for (const auto& kv : m_values) {
            if (item == "/" + m_path + "/" + kv.first && device != kv.second)
                AppendErrMismatch(diffFileName, item, device, kv.second);
        }
    }

    bool shortenLines = false;
    int stepsRun = 0;
    std::vector<std::string> received;
    std::vector<int> states;

private:
    std::vector<std::pair<std::string, std::string>> m_values;
};

// Receives block answers and empties the list, as a window does.
class AnswerSink : public ILinkAnswerSink {
public:
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override
    {
        params.push_back(param);
        lines.insert(lines.end(), answers.begin(), answers.end());
        answers.clear();
        ++messages;
    }
    std::vector<std::string> lines;
    std::vector<intptr_t> params;
    int messages = 0;
};

inline void SetProfile(const QString& key, const QVariant& value)
{
    serialtest::UsePrivateSettings();
    QSettings s;
    if (value.isValid())
        s.setValue(key, value);
    else
        s.remove(key);
    s.sync();
}

inline QVariant Profile(const QString& key)
{
    QSettings s;
    return s.value(key);
}

inline std::string ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

// The device simulator program on a pseudo-terminal, with its traffic log.
// Unless told otherwise it reads and sends at the real line rate (19200 baud
// 8N1), so a link that runs ahead of the line shows.
class Simulator {
public:
    ~Simulator() { Stop(); }

    bool Start(QStringList args)
    {
        if (lineRate)
            args << QStringLiteral("--pace") << QStringLiteral("--read-pace");
        if (!version.isEmpty())
            args = QStringList {QStringLiteral("--version"), version} + args;  // the test's own options win
        if (!dir.isValid())
            return false;
        const QString link = dir.filePath(QStringLiteral("kvtsim.link"));
        logPath = dir.filePath(QStringLiteral("kvtsim.log"));
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(Program(), QStringList {QStringLiteral("--link"), link, QStringLiteral("--log"), logPath} + args);
        if (!process.waitForStarted(3000))
            return false;
        QString path;
        const bool ok = serialtest::PumpUntil(
            [&] {
                QFile f(link);
                if (f.open(QIODevice::ReadOnly))
                    path = QString::fromLocal8Bit(f.readAll()).trimmed();
                return !path.isEmpty();
            },
            3000);
        if (!ok)
            return false;
        serialtest::SetDevicePath(kPort, path);
        return true;
    }
    void Stop()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(2000)) {
                process.kill();
                process.waitForFinished(2000);
            }
        }
    }
    static QString Program()
    {
        const QString bin = QProcessEnvironment::systemEnvironment().value(QStringLiteral("QL_BINARY_DIR"));
        if (!bin.isEmpty())
            return bin + QStringLiteral("/tools/kvtsim/kvtsim");
        return QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/kvtsim/kvtsim");
    }
    // Everything the device received ("in") or sent ("out") so far, unescaped.
    // The log is read on from where the last call stopped, whole lines only:
    // waits poll it every few milliseconds, and a test machine short of CPU
    // must not spend it re-reading minutes of traffic.
    // ("---": the simulator's own notes.)
    std::string Traffic(const char* direction) const { return Log(direction); }
    std::string Received() const { return Log("in"); }
    std::string Sent() const { return Log("out"); }
    // Lets events run until what the device received ends with `tail`: at the
    // line rate its reading may trail what the link counts as sent, by far
    // more than the line time on a machine short of CPU. False after `ms`.
    bool AwaitReceivedEnd(const std::string& tail, int ms = kArrivalMs) const
    {
        return serialtest::PumpUntil(
            [&] {
                const std::string& in = Log("in");
                return in.size() >= tail.size() && in.compare(in.size() - tail.size(), tail.size(), tail) == 0;
            },
            ms);
    }
    // Where the whole line `line` (from a line start through its "\r\n")
    // stands in what the device received, at or after `from`; npos if not (yet).
    size_t FindReceivedLine(const std::string& line, size_t from = 0) const
    {
        const std::string& in = Log("in");
        const std::string whole = line + "\r\n";
        for (size_t p = in.find(whole, from); p != std::string::npos; p = in.find(whole, p + 1)) {
            if (p == 0 || in[p - 1] == '\n')
                return p;
        }
        return std::string::npos;
    }
    // Lets events run until the device has received `line` whole (not only its
    // beginning: the device reads a few characters at a time) at or after `from`.
    bool AwaitReceivedLine(const std::string& line, size_t from = 0, int ms = kArrivalMs) const
    {
        return serialtest::PumpUntil([&] { return FindReceivedLine(line, from) != std::string::npos; }, ms);
    }
    // Lets events run until the device has read `count` characters (the flow
    // control's XON and XOFF aside), such as all a link has given the port
    // (CCommLink::GetCharsSent): everything sent before has then arrived.
    bool AwaitReceivedCount(uint64_t count, int ms = kArrivalMs) const
    {
        return serialtest::PumpUntil([&] { return ReceivedCount() >= count; }, ms);
    }
    uint64_t ReceivedCount() const
    {
        const std::string& in = Log("in");
        return static_cast<uint64_t>(in.size()) - static_cast<uint64_t>(std::count(in.begin(), in.end(), '\x11'))
               - static_cast<uint64_t>(std::count(in.begin(), in.end(), '\x13'));
    }

    static std::string Unescape(const std::string& text)
    {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\\' || i + 1 >= text.size()) {
                out.push_back(text[i]);
                continue;
            }
            const char c = text[++i];
            if (c == 'r')
                out.push_back('\r');
            else if (c == 'n')
                out.push_back('\n');
            else if (c == 't')
                out.push_back('\t');
            else if (c == 'x' && i + 2 < text.size() + 0) {
                out.push_back(static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
                i += 2;
            } else
                out.push_back(c);
        }
        return out;
    }

    QTemporaryDir dir;
    QString logPath;
    QProcess process;
    bool lineRate = true;
    // The device version it plays; empty: its own, the upgraded device. A
    // test of a standard-device project talks to a standard device.
    QString version;

private:
    const std::string& Log(const char* direction) const
    {
        ReadLog();
        if (std::strcmp(direction, "in") == 0)
            return m_in;
        return std::strcmp(direction, "out") == 0 ? m_out : m_notes;
    }
    // Takes the log's new whole lines into the traffic of each direction. The
    // simulator appends to its log, also across restarts.
    void ReadLog() const
    {
        QFile f(logPath);
        if (logPath.isEmpty() || !f.open(QIODevice::ReadOnly))
            return;
        if (f.size() < m_logRead) {
            m_logRead = 0;
            m_in.clear();
            m_out.clear();
            m_notes.clear();
        }
        if (f.size() == m_logRead || !f.seek(m_logRead))
            return;
        const QByteArray bytes = f.readAll();
        const qsizetype end = bytes.lastIndexOf('\n');
        if (end < 0)
            return;
        m_logRead += end + 1;
        for (const QByteArray& raw : bytes.left(end).split('\n')) {
            const std::string line = raw.toStdString();
            if (line.compare(0, 4, "in  ") == 0)
                m_in += Unescape(line.substr(4));
            else if (line.compare(0, 4, "out ") == 0)
                m_out += Unescape(line.substr(4));
            else if (line.compare(0, 4, "--- ") == 0)
                m_notes += Unescape(line.substr(4));
        }
    }

    mutable qint64 m_logRead = 0;
    mutable std::string m_in;
    mutable std::string m_out;
    mutable std::string m_notes;
};

// Lets events run until the device has read everything `link` has sent (a
// connection's last set-up lines, a transfer's last lines leave the port after
// the call returns), and a little more for their echo: what the device
// receives from then on is what the test makes the program send.
inline bool AwaitDeviceHasAll(const Simulator& sim, const CCommLink& link, int ms = kArrivalMs)
{
    if (!sim.AwaitReceivedCount(link.GetCharsSent(), ms))
        return false;
    serialtest::Pump(200);
    return true;
}

// Reads profile numbers from the private settings, as the program's own host does
// (the connection stores the device's facts there).
class SettingsHost : public IAppHost {
public:
    SettingsHost() : m_previous(SetAppHost(this)) {}
    ~SettingsHost() override { SetAppHost(m_previous); }
    int GetProfileInt(const std::string& section, const std::string& key, int def) override
    {
        return QSettings().value(QString::fromStdString(section + "/" + key), def).toInt();
    }
    std::string GetProfileString(const std::string& section, const std::string& key, const std::string& def) override
    {
        return QSettings().value(QString::fromStdString(section + "/" + key), QString::fromStdString(def))
            .toString()
            .toStdString();
    }

private:
    IAppHost* m_previous;
};

// The profile a simulator session starts from: the link's port at its default,
// one online counter, and no staying online.
struct SimProfiles {
    SimProfiles()
    {
        serialtest::UsePrivateSettings();
        SetProfile(QStringLiteral("COMSECTION/PORT"), {});
        SetProfile(QStringLiteral("KVT7000/OnlineCounter"), 1);
        SetProfile(QStringLiteral("Configuration/StayOnline"), {});
    }
};

// A project with a path in a temporary folder as the active document, sending
// through a link to the device simulator. Attach() in SetUp, Connect() to start
// the simulator (with its options) and go online, Detach() in TearDown.
// How often `part` stands in `text`, not overlapping.
inline size_t CountOf(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + part.size()))
        ++n;
    return n;
}

class ConnectedSimSession {
protected:
    void Attach(int deviceVariant, const QString& fileName)
    {
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_data.deviceVariant = deviceVariant;
        doc.SetPathName(dir.filePath(fileName).toStdString());
        sim.version = deviceVariant == 0 ? QStringLiteral("V0.551") : QString();
        previousHook = SetActiveDocHook([this] { return &doc; });
        previousSender = SetLineSender(&link);
        link.SetHost(&host);
    }
    void Connect(const QStringList& simArgs = {})
    {
        ASSERT_TRUE(sim.Start(simArgs)) << Simulator::Program().toStdString();
        // A session may connect again to a new simulator: what the link sent
        // before is left out of the count.
        sentBefore = link.GetCharsSent();
        receivedBefore = sim.ReceivedCount();
        link.OnConnect();
        ASSERT_TRUE(link.IsConnected());
        AwaitDeviceHasAll();
    }
    // See the function of that name; counts from the last Connect.
    void AwaitDeviceHasAll()
    {
        const uint64_t sent = link.GetCharsSent() - sentBefore;
        ASSERT_TRUE(sim.AwaitReceivedCount(receivedBefore + sent))
            << sent << " characters sent, " << sim.ReceivedCount() - receivedBefore << " received";
        serialtest::Pump(200);
    }
    // Starts the simulator with these directives ("-e" each) and goes online;
    // what the connection itself said is forgotten.
    void ConnectWith(const QStringList& directives)
    {
        QStringList args;
        for (const QString& d : directives)
            args << QStringLiteral("-e") << d;
        Connect(args);
        messages.texts.clear();
    }
    // A device that turns slow once the connection is up, as a busy device
    // or a modem line reads: after the connection's own `connectionLines`
    // lines it reads 20 characters a second (or `cps`), so the echo of a
    // line comes back long after the user's next change has been sent. When
    // it ends (EndSlowDevice) it writes what it holds.
    void ConnectSlow(size_t connectionLines, const QStringList& directives = {}, int cps = 20)
    {
        holdingsFile = dir.filePath(QStringLiteral("held-%1.txt").arg(++slowRuns));
        const size_t before = CountOf(sim.Received(), "\n");
        ConnectWith(QStringList {QStringLiteral("at %1 read-pace %2").arg(connectionLines).arg(cps),
                                 QStringLiteral("holdings ") + holdingsFile} +
                    directives);
        ASSERT_EQ(connectionLines, CountOf(sim.Received(), "\n") - before) << "the connection's own lines";
    }
    // Lets events run until every line the link has given the line has come
    // back as the device's echo (whole lines: the device has read them all),
    // and what the device said behind the last of them has been handled.
    bool AwaitAllEchoed(int ms = 4 * kArrivalMs)
    {
        const bool all = serialtest::PumpUntil(
            [&] {
                return link.GetOutBufferCount() == 0 &&
                       link.GetEchoes().GetLinesEchoed() >= link.GetEchoes().GetLinesSent();
            },
            ms);
        serialtest::Pump(300);
        return all;
    }
    // Ends the connection and the device; what it held then, one "PATH VALUE" a line.
    std::string EndSlowDevice()
    {
        link.ClosePort();
        sim.Stop();
        return ReadFile(holdingsFile);
    }
    // The value the device held for `path` ("" when it held none).
    static std::string HeldValue(const std::string& holdings, const std::string& path)
    {
        const std::string lead = path + " ";
        for (size_t p = 0; p < holdings.size();) {
            const size_t end = std::min(holdings.find('\n', p), holdings.size());
            std::string line = holdings.substr(p, end - p);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.compare(0, lead.size(), lead) == 0)
                return line.substr(lead.size());
            p = end + 1;
        }
        return {};
    }
    void Detach()
    {
        link.ClosePort();
        SetLineSender(previousSender);
        SetActiveDocHook(previousHook);
        serialtest::SetDevicePath(kPort, {});
    }

    SimProfiles profiles;
    QTemporaryDir dir;
    Simulator sim;
    CQuillomerDoc doc;
    ActiveDocHook previousHook;
    ILineSender* previousSender = nullptr;
    TestHost host;
    Messages messages;
    SettingsHost settings;
    CCommLink link;
    uint64_t sentBefore = 0;
    uint64_t receivedBefore = 0;
    QString holdingsFile;
    int slowRuns = 0;
};

}  // namespace commtest
