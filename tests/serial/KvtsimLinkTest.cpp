// The serial control talking to the device simulator program over its
// pseudo-terminal: what the device link will see on a real line.
#include "SerialTestSupport.h"

#include "platform/serial/CMSComm.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

using namespace serialtest;

namespace {

constexpr int kPort = 9;

QString SimulatorProgram()
{
    const QString bin = QProcessEnvironment::systemEnvironment().value(QStringLiteral("QL_BINARY_DIR"));
    if (!bin.isEmpty())
        return bin + QStringLiteral("/tools/kvtsim/kvtsim");
    // Run by hand from the build folder's tests/ directory.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/kvtsim/kvtsim");
}

class KvtsimLink : public ::testing::Test {
protected:
    // Starts the simulator with `args` and opens the port on its terminal.
    void Start(const QStringList& args)
    {
        ASSERT_TRUE(dir.isValid());
        const QString link = dir.filePath(QStringLiteral("kvtsim.link"));
        sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim.start(SimulatorProgram(), QStringList {QStringLiteral("--link"), link} + args);
        ASSERT_TRUE(sim.waitForStarted(3000)) << SimulatorProgram().toStdString();
        QString path;
        ASSERT_TRUE(PumpUntil(
            [&] {
                QFile f(link);
                if (f.open(QIODevice::ReadOnly))
                    path = QString::fromLocal8Bit(f.readAll()).trimmed();
                return !path.isEmpty();
            },
            3000));
        SetDevicePath(kPort, path);
        comm.SetCommPort(kPort);
        comm.SetSettings(QStringLiteral("19200,n,8,1"));
        comm.SetHandshaking(CMSComm::comXOnXoff);
        comm.SetDTREnable(true);
        comm.SetRTSEnable(true);
        comm.SetOutBufferSize(1024);
        ASSERT_TRUE(comm.SetPortOpen(true)) << comm.GetLastError().toStdString();
    }
    void TearDown() override
    {
        comm.SetPortOpen(false);
        if (sim.state() != QProcess::NotRunning) {
            sim.terminate();
            if (!sim.waitForFinished(2000)) {
                sim.kill();
                sim.waitForFinished(2000);
            }
        }
        SetDevicePath(kPort, {});
    }
    // Sends `text` and collects what comes until `until` appears (or time runs out).
    QByteArray Exchange(const QByteArray& text, const QByteArray& until, int ms = 2000)
    {
        comm.SetOutput(text);
        QByteArray got;
        PumpUntil(
            [&] {
                got += comm.GetInput();
                return got.contains(until);
            },
            ms);
        return got;
    }

    QTemporaryDir dir;
    QProcess sim;
    CMSComm comm;
};

}  // namespace

TEST_F(KvtsimLink, WakeUpFindsThePromptAndQueriesAnswer)
{
    Start({});
    comm.SetOutput("/\r\n\x03\r\ne\r\nPROMPT ON\r\n/COMM/PROMPT ON\r\n\r\n");
    Pump(200);
    comm.SetInBufferCount(0);
    const QByteArray reply = Exchange("?\r\n", "COMM/PROMPT>").trimmed().toUpper();
    EXPECT_TRUE(reply.endsWith("COMM/PROMPT>")) << reply.toStdString();

    comm.SetOutput("/COMM/PROMPT OFF\r\n/COMM/ECHO OFF\r\n");
    Pump(100);
    comm.SetInBufferCount(0);
    EXPECT_EQ(Exchange("/SERVICE/DEVICE ?\r\n", "\r\n"), QByteArray("/SERVICE/DEVICE KVT7000\r\n"));
    Exchange("/AUDIO/IN1/VOL -12\r\n", "", 100);
    EXPECT_EQ(Exchange("/AUDIO/IN1/VOL ?\r\n", "\r\n"), QByteArray("/AUDIO/IN1/VOL -12\r\n"));
}

TEST_F(KvtsimLink, PacedOutputTakesTheTimeOfA19200BaudLine)
{
    const QByteArray value(380, 'v');
    Start({QStringLiteral("--pace"), QStringLiteral("-e"), QStringLiteral("set /TEXT/LONG ") + QString::fromLatin1(value),
           QStringLiteral("-e"), QStringLiteral("set /COMM/ECHO OFF"), QStringLiteral("-e"),
           QStringLiteral("set /COMM/PROMPT OFF")});
    QElapsedTimer t;
    t.start();
    const QByteArray answer = Exchange("/TEXT/LONG ?\r\n", "\r\n");
    const qint64 ms = t.elapsed();
    EXPECT_EQ(answer, "/TEXT/LONG " + value + "\r\n");
    // 393 characters at 1,920 a second take about 205 ms.
    EXPECT_GE(ms, 180);
    EXPECT_LT(ms, 1500);
}

// With echo on, the echo of a query and its answer share the paced line:
// both come, the echo first, no faster than the line carries them.
TEST_F(KvtsimLink, PacedEchoAndAnswerShareTheLine)
{
    const QByteArray value(380, 'v');
    Start({QStringLiteral("--pace"), QStringLiteral("--read-pace"), QStringLiteral("-e"),
           QStringLiteral("set /TEXT/LONG ") + QString::fromLatin1(value), QStringLiteral("-e"),
           QStringLiteral("set /COMM/PROMPT OFF")});
    const QByteArray query = "/TEXT/LONG ?\r\n";
    const QByteArray expected = query + "/TEXT/LONG " + value + "\r\n";
    QElapsedTimer t;
    t.start();
    const QByteArray got = Exchange(query + query, expected + expected, 4000);
    const qint64 ms = t.elapsed();
    EXPECT_EQ(got, expected + expected);
    // 2 x 407 characters at 1,920 a second take about 424 ms.
    EXPECT_GE(ms, 400);
    EXPECT_LT(ms, 3000);
}

// Output the device holds back with XOFF can be dropped: the device never
// gets it, and what is sent after its XON goes out as usual.
TEST_F(KvtsimLink, DroppedOutputNeverReachesTheDevice)
{
    const QString log = dir.filePath(QStringLiteral("sim.log"));
    Start({QStringLiteral("--log"), log, QStringLiteral("--at"), QStringLiteral("1"), QStringLiteral("xoff"),
           QStringLiteral("600"), QStringLiteral("-e"), QStringLiteral("set /COMM/ECHO OFF"), QStringLiteral("-e"),
           QStringLiteral("set /COMM/PROMPT OFF")});
    comm.SetOutput("\r\n");  // line 1: the simulator answers with XOFF
    Pump(120);
    comm.SetOutput("/DROPPED 1\r\n");
    Pump(100);
    ASSERT_GT(comm.GetOutBufferCount(), 0) << "sent in spite of XOFF";
    comm.SetOutBufferCount(0);
    EXPECT_EQ(comm.GetOutBufferCount(), 0);
    EXPECT_EQ(comm.GetOutputRemainingUs(), 0);
    // After the XON the line carries what is sent from then on, and only that.
    Pump(700);
    comm.SetOutput("/KEPT 2\r\n");
    ASSERT_TRUE(PumpUntil([&] { return comm.GetOutBufferCount() == 0; }, 2000));
    Pump(100);
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray traffic = f.readAll();
    EXPECT_FALSE(traffic.contains("DROPPED")) << traffic.toStdString();
    EXPECT_TRUE(traffic.contains("/KEPT 2")) << traffic.toStdString();
}

TEST_F(KvtsimLink, SimulatorXoffHoldsOurOutput)
{
    const QString log = dir.filePath(QStringLiteral("sim.log"));
    Start({QStringLiteral("--log"), log, QStringLiteral("--at"), QStringLiteral("1"), QStringLiteral("xoff"),
           QStringLiteral("1000"), QStringLiteral("-e"), QStringLiteral("set /COMM/ECHO OFF"), QStringLiteral("-e"),
           QStringLiteral("set /COMM/PROMPT OFF")});
    comm.SetOutput("\r\n");  // line 1: the simulator answers with XOFF
    // Waits for the XOFF to be on the line, however long a loaded machine takes.
    ASSERT_TRUE(PumpUntil(
        [&] {
            QFile f(log);
            return f.open(QIODevice::ReadOnly) && f.readAll().contains("out \\x13");
        },
        3000));
    Pump(20);
    comm.SetOutput("/COMM/ECHO ?\r\n");
    Pump(100);  // 14 characters take 7 ms on the line
    EXPECT_EQ(comm.GetOutBufferCount(), 14) << "sent in spite of XOFF";
    QByteArray got;
    ASSERT_TRUE(PumpUntil(
        [&] {
            got += comm.GetInput();
            return got.contains("\r\n");
        },
        3000));
    EXPECT_EQ(got, QByteArray("/COMM/ECHO OFF\r\n"));
    // Our count of waiting characters can lag behind the answer on a loaded machine.
    EXPECT_TRUE(PumpUntil([&] { return comm.GetOutBufferCount() == 0; }, 2000)) << comm.GetOutBufferCount();
}

TEST_F(KvtsimLink, HangUpAfterSomeLinesClosesOurPort)
{
    Start({QStringLiteral("--at"), QStringLiteral("2"), QStringLiteral("hangup")});
    comm.SetOutput("/A 1\r\n");
    Pump(100);
    EXPECT_TRUE(comm.GetPortOpen());
    comm.SetOutput("/A 2\r\n");
    EXPECT_TRUE(PumpUntil([&] { return !comm.GetPortOpen(); }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return sim.state() == QProcess::NotRunning; }, 2000));
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST_F(KvtsimLink, SilentDeviceSendsNothing)
{
    Start({QStringLiteral("--silent")});
    comm.SetOutput("/\r\n?\r\n");
    Pump(300);
    EXPECT_EQ(comm.GetInBufferCount(), 0);
}

TEST_F(KvtsimLink, BootLoaderTakesAnSRecordFile)
{
    Start({QStringLiteral("--erase-ms"), QStringLiteral("100"), QStringLiteral("--boot-enter-ms"), QStringLiteral("50"),
           QStringLiteral("--new-version"), QStringLiteral("V0.552")});
    comm.SetOutput("/COMM/PROMPT OFF\r\n");
    Pump(100);
    comm.SetInBufferCount(0);
    EXPECT_TRUE(Exchange("/SERVICE/START BOOTLOAD\r\n", "* FLASHBOOT>").endsWith("* FLASHBOOT>"));
    EXPECT_TRUE(Exchange("UPDATE\r\n", "PROG\r\n").contains("* \tPROG\r\n"));
    EXPECT_TRUE(Exchange("S1050000AABB95\r\nS9030000FC\r\n", "\r\n").endsWith("* \tOK.\r\n"));
    EXPECT_TRUE(Exchange("START\r\n\r\n", "***\r\n").contains("*** KVT7000 V0.552"));
}
