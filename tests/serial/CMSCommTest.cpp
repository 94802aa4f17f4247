// The serial control against a pseudo-terminal whose master side plays the device.
#include "SerialTestSupport.h"

#include "platform/serial/CMSComm.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <vector>

using namespace serialtest;

namespace {

constexpr int kPort = 7;

class CMSCommTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Ok());
        SetDevicePath(kPort, QString::fromStdString(pty.path));
        comm.SetCommPort(kPort);
        comm.SetSettings(QStringLiteral("19200,n,8,1"));
        comm.SetDTREnable(true);
        comm.SetRTSEnable(true);
        comm.SetHandshaking(CMSComm::comXOnXoff);
        comm.SetOutBufferSize(1024);
        QObject::connect(&comm, &CMSComm::OnComm, [this] { events.push_back(comm.GetCommEvent()); });
    }
    void TearDown() override
    {
        comm.SetPortOpen(false);
        SetDevicePath(kPort, {});
    }
    int Count(short event) const { return static_cast<int>(std::count(events.begin(), events.end(), event)); }

    Pty pty;
    CMSComm comm;
    std::vector<short> events;
};

}  // namespace

TEST(CMSCommPaths, ComNumberMapsToADevicePathTheSettingsCanOverride)
{
    SetDevicePath(1, {});
    SetDevicePath(4, {});
    EXPECT_EQ(CMSComm::DevicePathForPort(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(CMSComm::DevicePathForPort(4), QStringLiteral("/dev/ttyS3"));
    SetDevicePath(2, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(CMSComm::DevicePathForPort(2), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(CMSComm::DevicePathKey(2), QStringLiteral("COMSECTION/DevicePath2"));
    SetDevicePath(2, {});
    EXPECT_EQ(CMSComm::DevicePathForPort(2), QStringLiteral("/dev/ttyS1"));
}

TEST(CMSCommSettings, SettingsTextIsCheckedBeforeItIsTaken)
{
    CMSComm comm;
    EXPECT_TRUE(comm.SetSettings(QStringLiteral("19200,n,8,1")));
    for (const char* bad : {"", "19200", "19200,n,8", "fast,n,8,1", "19200,x,8,1", "19200,n,9,1", "19200,n,8,3",
                            "-5,n,8,1", "19200,n,8,1,1"}) {
        EXPECT_FALSE(comm.SetSettings(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(comm.GetSettings(), QStringLiteral("19200,n,8,1")) << bad;
    }
    EXPECT_TRUE(comm.SetSettings(QStringLiteral("9600,E,7,2")));
    EXPECT_FALSE(comm.SetHandshaking(4));
    EXPECT_FALSE(comm.SetCommPort(0));
    EXPECT_FALSE(comm.SetCommPort(256));
}

TEST_F(CMSCommTest, OpenAppliesSpeedFrameAndSoftwareFlowControl)
{
    ASSERT_TRUE(comm.SetPortOpen(true)) << comm.GetLastError().toStdString();
    EXPECT_TRUE(comm.GetPortOpen());
    termios tio = pty.Modes();
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B19200));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(tio.c_cflag & PARENB);
    EXPECT_FALSE(tio.c_cflag & CSTOPB);
    EXPECT_TRUE(tio.c_iflag & IXON);
    EXPECT_TRUE(tio.c_iflag & IXOFF);
    EXPECT_FALSE(tio.c_iflag & IXANY) << "any character would end the device's XOFF";
    EXPECT_FALSE(tio.c_cflag & CRTSCTS);
    EXPECT_FALSE(tio.c_lflag & ECHO);

    // Changes while open take effect at once.
    ASSERT_TRUE(comm.SetSettings(QStringLiteral("9600,o,7,2")));
    ASSERT_TRUE(comm.SetHandshaking(CMSComm::comNone));
    tio = pty.Modes();
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    // (A pseudo-terminal keeps 8 bits without parity whatever it is told.)
    EXPECT_FALSE(tio.c_iflag & IXON);

    EXPECT_FALSE(comm.SetCommPort(3)) << "the port number is fixed while open";
    EXPECT_FALSE(comm.SetPortOpen(true)) << "already open";
    EXPECT_TRUE(comm.SetPortOpen(false));
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_TRUE(comm.SetCommPort(3));
}

TEST_F(CMSCommTest, MissingDeviceCannotBeOpened)
{
    SetDevicePath(kPort, QStringLiteral("/dev/no-such-serial-port"));
    EXPECT_FALSE(comm.SetPortOpen(true));
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_FALSE(comm.GetLastError().isEmpty());
    EXPECT_EQ(comm.GetInBufferCount(), 0);
    EXPECT_EQ(comm.GetOutBufferCount(), 0);
    EXPECT_TRUE(comm.GetInput().isEmpty());
    comm.SetOutput("ignored");  // no crash while closed
}

TEST_F(CMSCommTest, ReceiveEventsFollowRThreshold)
{
    comm.SetRThreshold(1);
    QByteArray got;
    QObject::connect(&comm, &CMSComm::OnComm, [&] {
        if (comm.GetCommEvent() == CMSComm::comEvReceive)
            got += comm.GetInput();
    });
    ASSERT_TRUE(comm.SetPortOpen(true));
    pty.Write("/FAULT/STATE 0\r\n");
    ASSERT_TRUE(PumpUntil([&] { return got.size() >= 16; }));
    EXPECT_EQ(got, QByteArray("/FAULT/STATE 0\r\n"));
    EXPECT_GE(Count(CMSComm::comEvReceive), 1);

    // Threshold 0: no events; the caller reads the input itself.
    comm.SetRThreshold(0);
    events.clear();
    pty.Write("/CLOCK/MAIN/TIME 12:00:00\r\n");
    ASSERT_TRUE(PumpUntil([&] { return comm.GetInBufferCount() == 27; }));
    Pump(50);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(comm.GetInput(), QByteArray("/CLOCK/MAIN/TIME 12:00:00\r\n"));
    EXPECT_EQ(comm.GetInBufferCount(), 0);
    EXPECT_TRUE(comm.GetInput().isEmpty());
}

TEST_F(CMSCommTest, SwitchingReceiveEventsBackOnAnnouncesWaitingBytesFromTheEventLoop)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    pty.Write("late\r");
    ASSERT_TRUE(PumpUntil([&] { return comm.GetInBufferCount() == 5; }));
    comm.SetRThreshold(1);
    EXPECT_TRUE(events.empty()) << "never inside the caller";
    ASSERT_TRUE(PumpUntil([&] { return Count(CMSComm::comEvReceive) == 1; }));
    EXPECT_EQ(comm.GetInput(), QByteArray("late\r"));
}

TEST_F(CMSCommTest, EightBitBytesPassUnchangedBothWays)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    std::string all;
    for (int b = 0; b < 256; ++b) {
        if (b != 0x11 && b != 0x13)  // XON and XOFF belong to the flow control
            all.push_back(static_cast<char>(b));
    }
    pty.Write(all);
    ASSERT_TRUE(PumpUntil([&] { return comm.GetInBufferCount() == static_cast<int>(all.size()); }));
    EXPECT_EQ(comm.GetInput(), QByteArray::fromStdString(all));

    comm.SetOutput(QByteArray::fromStdString(all));
    std::string sent;
    ASSERT_TRUE(PumpUntil([&] {
        sent += pty.Read();
        return sent.size() >= all.size();
    }));
    EXPECT_EQ(sent, all);
    ASSERT_TRUE(PumpUntil([&] { return comm.GetOutBufferCount() == 0; }));
}

// The terminal takes every byte at once, yet the count says what the line at
// 19200 baud 8N1 (1,920 characters a second) cannot have carried yet, and a
// second write queues behind the first.
TEST_F(CMSCommTest, OutputCountFollowsTheLineRate)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    QElapsedTimer t;
    t.start();
    comm.SetOutput(QByteArray(480, 'a'));
    comm.SetOutput(QByteArray(480, 'b'));
    EXPECT_GE(comm.GetOutBufferCount(), 950);
    std::string sent;
    ASSERT_TRUE(PumpUntil([&] {
        sent += pty.Read();
        return sent.size() >= 960;
    }));
    const qint64 readAt = t.elapsed();
    const int count = comm.GetOutBufferCount();
    // 960 characters take 500 ms; whatever the terminal took, the rest is still on the line.
    EXPECT_LE(count, 960 - static_cast<int>(readAt * 1920 / 1000) + 4);
    EXPECT_GE(count, 960 - static_cast<int>(t.elapsed() * 1920 / 1000) - 4);
    ASSERT_TRUE(PumpUntil([&] { return comm.GetOutBufferCount() == 0; }));
    EXPECT_GE(t.elapsed(), 495);
    EXPECT_LT(comm.GetOutputDoneMs() - t.msecsSinceReference(), 510);
}

TEST_F(CMSCommTest, ANewRateCarriesWhatIsStillOnTheLine)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    comm.SetOutput(QByteArray(480, 'a'));
    ASSERT_TRUE(comm.SetSettings(QStringLiteral("115200,n,8,1")));
    EXPECT_LE(comm.GetOutBufferCount(), 480);
    EXPECT_TRUE(events.empty());
}

TEST_F(CMSCommTest, InBufferCountZeroDiscardsWhatWaits)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    pty.Write("old answer\r\n");
    ASSERT_TRUE(PumpUntil([&] { return comm.GetInBufferCount() == 12; }));
    comm.SetInBufferCount(5);  // only 0 means anything
    EXPECT_EQ(comm.GetInBufferCount(), 12);
    comm.SetInBufferCount(0);
    EXPECT_EQ(comm.GetInBufferCount(), 0);
    pty.Write("new\r");
    ASSERT_TRUE(PumpUntil([&] { return comm.GetInBufferCount() == 4; }));
    EXPECT_EQ(comm.GetInput(), QByteArray("new\r"));
}

TEST_F(CMSCommTest, DeviceXoffHoldsOutputUntilXon)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    pty.Write("\x13");
    Pump(80);
    const QByteArray block(300, 'x');
    comm.SetOutput(block);
    Pump(200);
    EXPECT_EQ(pty.Read(), "") << "output went out during XOFF";
    EXPECT_EQ(comm.GetOutBufferCount(), 300);
    // Only XON resumes: another character does not.
    pty.Write("A");
    Pump(150);
    EXPECT_EQ(pty.Read(), "");
    EXPECT_EQ(comm.GetOutBufferCount(), 300);
    pty.Write("\x11");
    std::string sent;
    ASSERT_TRUE(PumpUntil([&] {
        sent += pty.Read();
        return sent.size() >= 300;
    }));
    EXPECT_EQ(sent, std::string(300, 'x'));
    // Held bytes start their way at XON: 300 characters take 156 ms from then.
    EXPECT_GT(comm.GetOutBufferCount(), 0);
    ASSERT_TRUE(PumpUntil([&] { return comm.GetOutBufferCount() == 0; }));
    // The flow-control characters never reach Input.
    ASSERT_TRUE(PumpUntil([&] { return comm.GetInBufferCount() == 1; }));
    EXPECT_EQ(comm.GetInput(), QByteArray("A"));
}

TEST_F(CMSCommTest, OutputBeyondTheBufferSizeRaisesTxFullButIsStillSent)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    pty.Write("\x13");
    Pump(80);
    comm.SetOutput(QByteArray(600, 'a'));
    EXPECT_EQ(Count(CMSComm::comEventTxFull), 0);
    comm.SetOutput(QByteArray(600, 'b'));
    EXPECT_EQ(Count(CMSComm::comEventTxFull), 0) << "delivered from the event loop, not inside Output";
    ASSERT_TRUE(PumpUntil([&] { return Count(CMSComm::comEventTxFull) == 1; }));
    EXPECT_EQ(comm.GetOutBufferCount(), 1200);
    pty.Write("\x11");
    std::string sent;
    ASSERT_TRUE(PumpUntil([&] {
        sent += pty.Read();
        return sent.size() >= 1200;
    }));
    EXPECT_EQ(sent, std::string(600, 'a') + std::string(600, 'b'));
}

TEST_F(CMSCommTest, SendEventWhenTheOutputCountFallsBelowSThreshold)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    comm.SetSThreshold(1);
    comm.SetOutput("/COMM/ECHO ?\r\n");
    ASSERT_TRUE(PumpUntil([&] { return Count(CMSComm::comEvSend) == 1; }));
    EXPECT_EQ(comm.GetOutBufferCount(), 0);
    comm.SetSThreshold(0);
    comm.SetOutput("/COMM/ECHO ?\r\n");
    Pump(100);
    EXPECT_EQ(Count(CMSComm::comEvSend), 1);
}

TEST_F(CMSCommTest, ClosingSendsWhatIsStillQueued)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    comm.SetOutput("/COMM/ECHO ON\r\n");
    comm.SetPortOpen(false);
    Pump(50);
    EXPECT_EQ(pty.Read(), "/COMM/ECHO ON\r\n");
}

TEST_F(CMSCommTest, InputFromBeforeTheOpenIsDropped)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    comm.SetPortOpen(false);
    pty.Write("stale\r\n");
    Pump(30);
    ASSERT_TRUE(comm.SetPortOpen(true));
    pty.Write("fresh\r");
    ASSERT_TRUE(PumpUntil([&] { return comm.GetInBufferCount() >= 6; }));
    Pump(30);
    EXPECT_EQ(comm.GetInput(), QByteArray("fresh\r"));
}

TEST_F(CMSCommTest, HandlerIsNotReenteredWhileItWaits)
{
    // A handler that waits with a local event loop (a message box) while more
    // comes: it takes everything after its wait, or it took its line before
    // and the bytes that came meanwhile get an event of their own.
    struct Row {
        const char* what;
        bool readsFirst;
        QByteArray got;
        int calls;
    };
    const Row rows[] = {
        {"reads after the wait", false, "|first\rsecond\r", 1},
        {"reads before the wait", true, "first\r|second\r", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        comm.SetRThreshold(1);
        int depth = 0, maxDepth = 0, calls = 0;
        QByteArray got;
        const QMetaObject::Connection handler = QObject::connect(&comm, &CMSComm::OnComm, [&] {
            if (comm.GetCommEvent() != CMSComm::comEvReceive)
                return;
            ++depth;
            ++calls;
            maxDepth = std::max(maxDepth, depth);
            const bool first = calls == 1;
            if (first && row.readsFirst)
                got += comm.GetInput();
            if (first) {
                pty.Write("second\r");
                QEventLoop loop;
                QTimer::singleShot(150, &loop, &QEventLoop::quit);
                loop.exec();
                got += "|";
            }
            if (!first || !row.readsFirst)
                got += comm.GetInput();
            --depth;
        });
        ASSERT_TRUE(comm.SetPortOpen(true));
        pty.Write("first\r");
        PumpUntil([&] { return got.endsWith("second\r") && depth == 0; }, 2000);
        Pump(100);
        EXPECT_EQ(maxDepth, 1);
        // No empty event after a handler that took everything.
        EXPECT_EQ(got, row.got);
        EXPECT_EQ(calls, row.calls);
        QObject::disconnect(handler);
        comm.SetPortOpen(false);
    }
}

TEST_F(CMSCommTest, HangUpOfTheOtherEndClosesThePort)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    pty.Close();
    EXPECT_TRUE(PumpUntil([&] { return !comm.GetPortOpen(); }, 2000));
    EXPECT_FALSE(comm.GetLastError().isEmpty());
}

namespace {
// A port whose driver counts line errors as the test says.
class CountingComm : public CMSComm {
public:
    ErrorCounters counters;
    bool haveCounters = true;

protected:
    bool ReadErrorCounters(ErrorCounters& out) const override
    {
        out = counters;
        return haveCounters;
    }
};
}  // namespace

TEST(CMSCommErrors, CounterChangesMapToNumberedEvents)
{
    CMSComm::ErrorCounters before, after;
    EXPECT_TRUE(CMSComm::EventsForCounterChange(before, after).empty());
    after.brk = 1;
    after.frame = 2;
    after.overrun = 1;
    after.parity = 4;
    after.bufOverrun = 1;
    const std::vector<short> expected {1001, 1004, 1006, 1008, 1009};
    EXPECT_EQ(CMSComm::EventsForCounterChange(before, after), expected);
    before = after;
    after.parity = 5;
    EXPECT_EQ(CMSComm::EventsForCounterChange(before, after), std::vector<short> {1009});
}

TEST(CMSCommErrors, LineErrorsArriveAsOnCommEventsWithTheData)
{
    Pty pty;
    ASSERT_TRUE(pty.Ok());
    SetDevicePath(kPort + 1, QString::fromStdString(pty.path));
    CountingComm comm;
    comm.SetCommPort(kPort + 1);
    comm.SetSettings(QStringLiteral("19200,n,8,1"));
    std::vector<short> events;
    QObject::connect(&comm, &CMSComm::OnComm, [&] { events.push_back(comm.GetCommEvent()); });
    ASSERT_TRUE(comm.SetPortOpen(true));
    // Threshold 0: errors are reported all the same.
    comm.counters.frame = 1;
    comm.counters.brk = 1;
    pty.Write(std::string(1, '\0'));
    ASSERT_TRUE(PumpUntil([&] { return events.size() >= 2; }));
    Pump(30);
    EXPECT_EQ(events, (std::vector<short> {1001, 1004}));
    // Unchanged counters: nothing more.
    events.clear();
    pty.Write("x");
    Pump(60);
    EXPECT_TRUE(events.empty());
    comm.SetPortOpen(false);
    SetDevicePath(kPort + 1, {});
}
