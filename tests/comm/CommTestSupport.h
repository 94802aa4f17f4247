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
    std::string Traffic(const char* direction) const
    {
        const std::string want = std::string(direction) + " ";
        std::string out;
        QFile f(logPath);
        if (!f.open(QIODevice::ReadOnly))
            return out;
        while (!f.atEnd()) {
            std::string line = f.readLine().toStdString();
            if (!line.empty() && line.back() == '\n')
                line.pop_back();
            if (line.compare(0, 4, std::string(direction).size() == 2 ? want + " " : want) != 0)
                continue;
            out += Unescape(line.substr(4));
        }
        return out;
    }
    std::string Received() const { return Traffic("in"); }
    // Lets events run until what the device received ends with `tail`: at the
    // line rate its reading may trail what the link counts as sent by a few
    // milliseconds. False after `ms`.
    bool AwaitReceivedEnd(const std::string& tail, int ms = 1000) const
    {
        return serialtest::PumpUntil(
            [&] {
                const std::string in = Received();
                return in.size() >= tail.size() && in.compare(in.size() - tail.size(), tail.size(), tail) == 0;
            },
            ms);
    }
    std::string Sent() const { return Traffic("out"); }

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
};

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
        previousHook = SetActiveDocHook([this] { return &doc; });
        previousSender = SetLineSender(&link);
        link.SetHost(&host);
    }
    void Connect(const QStringList& simArgs = {})
    {
        ASSERT_TRUE(sim.Start(simArgs)) << Simulator::Program().toStdString();
        link.OnConnect();
        ASSERT_TRUE(link.IsConnected());
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
};

}  // namespace commtest
