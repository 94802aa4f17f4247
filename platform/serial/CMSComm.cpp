#include "platform/serial/CMSComm.h"
#include "platform/serial/SettingsReadAnew.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QSerialPort>
#include <QSettings>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>

namespace {
std::unique_ptr<QSettings> OpenSettings()
{
    // The application names itself; a program that did not falls back to the
    // designer's own settings.
    if (QCoreApplication::organizationName().isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("HALVERON"), QStringLiteral("QUILLOMER Designer"));
    ReadSettingsAnewIfChanged();
    return std::make_unique<QSettings>();
}

// How long closing waits for queued output to leave (a device holding XOFF
// must not hang the program).
constexpr int kCloseDrainMs = 2000;

int64_t SteadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

CMSComm::CMSComm(QObject* parent)
    : QObject(parent)
{
}

CMSComm::~CMSComm()
{
    if (GetPortOpen())
        CloseNow(true);
}

QString CMSComm::DevicePathKey(int port)
{
    return QStringLiteral("COMSECTION/DevicePath%1").arg(port);
}

QString CMSComm::DevicePathForPort(int port)
{
    const auto settings = OpenSettings();
    const QString path = settings->value(DevicePathKey(port)).toString().trimmed();
    if (!path.isEmpty())
        return path;
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

bool CMSComm::SetCommPort(short port)
{
    if (GetPortOpen() || port < 1 || port > 255)
        return false;
    m_commPort = port;
    return true;
}

bool CMSComm::SetSettings(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const qint32 baud = parts[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return false;
    const QString parityText = parts[1].trimmed().toLower();
    if (parityText.size() != 1 || !QStringLiteral("neoms").contains(parityText))
        return false;
    const int data = parts[2].trimmed().toInt(&ok);
    if (!ok || data < 5 || data > 8)
        return false;
    const QString stopText = parts[3].trimmed();
    int stop = 0;
    if (stopText == QLatin1String("1"))
        stop = 1;
    else if (stopText == QLatin1String("2"))
        stop = 2;
    else if (stopText == QLatin1String("1.5"))
        stop = 3;
    else
        return false;

    // The characters still on their way go out at the new rate.
    const int64_t now = SteadyNs();
    const int64_t oldCharNs = GetCharTimeNs();
    m_baud = baud;
    m_parity = parityText.at(0).toLatin1();
    m_dataBits = data;
    m_stopBits = stop;
    m_settings = text;
    if (m_wireFreeNs > now)
        m_wireFreeNs = now + (m_wireFreeNs - now) * GetCharTimeNs() / oldCharNs;
    if (GetPortOpen())
        ApplySettings();
    return true;
}

bool CMSComm::SetHandshaking(long handshaking)
{
    if (handshaking < comNone || handshaking > comRTSXOnXOff)
        return false;
    m_handshaking = handshaking;
    if (GetPortOpen())
        ApplyFlowControl();
    return true;
}

void CMSComm::SetDTREnable(bool enable)
{
    m_dtr = enable;
    // A pseudo-terminal has no modem lines: the request simply fails there.
    if (GetPortOpen())
        m_port->setDataTerminalReady(enable);
}

void CMSComm::SetRTSEnable(bool enable)
{
    m_rts = enable;
    if (GetPortOpen() && m_handshaking != comRTS && m_handshaking != comRTSXOnXOff)
        m_port->setRequestToSend(enable);
}

bool CMSComm::GetPortOpen() const
{
    return m_port && m_port->isOpen();
}

CMSComm::OpenFailure CMSComm::OpenFailureOf(int error, const QString& path)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
    // The device node is there, but no port behind it answers (a ttyS of a
    // machine without that port), or it is no serial device at all.
    case QSerialPort::ResourceError:
    case QSerialPort::UnsupportedOperationError:
        return OpenFailure::NoDevice;
    case QSerialPort::PermissionError:
        // The port layer says so both for a device the user may not open and
        // for one that another program holds (busy, or its lock taken).
        if (::faccessat(AT_FDCWD, path.toLocal8Bit().constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES)
            return OpenFailure::NoPermission;
        return OpenFailure::InUse;
    case QSerialPort::OpenError:
        return OpenFailure::InUse;
    default:
        return OpenFailure::Other;
    }
}

bool CMSComm::SetPortOpen(bool open)
{
    if (!open) {
        if (GetPortOpen())
            CloseNow(true);
        return true;
    }
    if (GetPortOpen()) {
        m_lastError = QStringLiteral("Port already open");
        m_openFailure = OpenFailure::InUse;
        return false;
    }

    delete m_port;
    m_port = new QSerialPort(this);
    m_port->setPortName(DevicePathForPort(m_commPort));
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_lastError = m_port->portName() + QStringLiteral(": ") + m_port->errorString();
        m_openFailure = OpenFailureOf(m_port->error(), m_port->portName());
        delete m_port;
        m_port = nullptr;
        return false;
    }
    m_openFailure = OpenFailure::None;
    if (!ApplySettings()) {
        m_lastError = m_port->portName() + QStringLiteral(": ") + m_port->errorString();
        CloseNow(false);
        return false;
    }
    m_port->setDataTerminalReady(m_dtr);
    if (m_handshaking != comRTS && m_handshaking != comRTSXOnXOff)
        m_port->setRequestToSend(m_rts);
    m_port->clearError();
    // What the line brought before the port was opened is not ours.
    m_port->clear(QSerialPort::AllDirections);
    m_haveCounters = ReadErrorCounters(m_counters);
    m_wireFreeNs = 0;
    m_sendArmed = false;
    m_pendingEvents.clear();
    m_lastError.clear();

    // The port layer does not notice when the other end hangs up without an
    // error (a pseudo-terminal's end of file): its read notifier then fires
    // without end. Each activation is checked here, and a timer covers the
    // case where no notifier is found.
    for (QSocketNotifier* notifier : m_port->findChildren<QSocketNotifier*>()) {
        if (notifier->type() == QSocketNotifier::Read)
            connect(notifier, &QSocketNotifier::activated, this, &CMSComm::CheckHangup);
    }
    m_hangupTimer = new QTimer(m_port);
    connect(m_hangupTimer, &QTimer::timeout, this, &CMSComm::CheckHangup);
    m_hangupTimer->start(500);

    connect(m_port, &QSerialPort::readyRead, this, &CMSComm::OnReadyRead);
    connect(m_port, &QSerialPort::bytesWritten, this, &CMSComm::OnBytesWritten);
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError && GetPortOpen()) {
            // The device went away (adapter unplugged, the other end hung up):
            // the port is closed so that PortOpen tells the truth.
            if (m_closePosted)
                return;
            // The port layer also calls a write the full line refused
            // ("Resource temporarily unavailable") a resource error; the
            // output stays queued and goes when the line takes it.
            if (!LineReportsHangup()) {
                m_port->clearError();
                return;
            }
            m_lastError = m_port->errorString();
            PostHangUp();
        }
    });
    return true;
}

bool CMSComm::ApplySettings()
{
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (m_parity) {
    case 'e': parity = QSerialPort::EvenParity; break;
    case 'o': parity = QSerialPort::OddParity; break;
    case 'm': parity = QSerialPort::MarkParity; break;
    case 's': parity = QSerialPort::SpaceParity; break;
    default: break;
    }
    const QSerialPort::StopBits stop = m_stopBits == 2   ? QSerialPort::TwoStop
                                       : m_stopBits == 3 ? QSerialPort::OneAndHalfStop
                                                         : QSerialPort::OneStop;
    bool ok = m_port->setBaudRate(m_baud);
    ok = m_port->setDataBits(static_cast<QSerialPort::DataBits>(m_dataBits)) && ok;
    ok = m_port->setParity(parity) && ok;
    // 1.5 stop bits do not exist on Linux; the port keeps what it has.
    if (stop != QSerialPort::OneAndHalfStop)
        ok = m_port->setStopBits(stop) && ok;
    return ApplyFlowControl() && ok;
}

bool CMSComm::ApplyFlowControl()
{
    // Set directly: the port layer's software flow control also sets IXANY,
    // which would let any received character end the device's XOFF.
    const int fd = m_port->handle();
    termios tio {};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    const bool soft = m_handshaking == comXOnXoff || m_handshaking == comRTSXOnXOff;
    const bool hard = m_handshaking == comRTS || m_handshaking == comRTSXOnXOff;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (soft)
        tio.c_iflag |= IXON | IXOFF;
    if (hard)
        tio.c_cflag |= CRTSCTS;
    else
        tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

void CMSComm::CheckHangup()
{
    if (!GetPortOpen() || m_closePosted)
        return;
    if (!LineReportsHangup())
        return;
    // Whatever came before the hang-up is read first.
    int waiting = 0;
    if (::ioctl(m_port->handle(), FIONREAD, &waiting) == 0 && waiting > 0)
        return;
    m_lastError = QStringLiteral("%1: the other end hung up").arg(m_port->portName());
    for (QSocketNotifier* notifier : m_port->findChildren<QSocketNotifier*>())
        notifier->setEnabled(false);
    PostHangUp();
}

bool CMSComm::LineReportsHangup() const
{
    pollfd pfd {m_port->handle(), 0, 0};
    return ::poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void CMSComm::PostHangUp()
{
    m_closePosted = true;
    // Only the port that went away is closed: one the owner closed and
    // opened again meanwhile is a new line.
    const QPointer<QSerialPort> port(m_port);
    QTimer::singleShot(0, this, [this, port] {
        m_closePosted = false;
        if (!port || port != m_port || !GetPortOpen())
            return;
        CloseNow(false);
        Deliver(comEventCDTO);
    });
}

void CMSComm::CloseNow(bool drain)
{
    if (drain) {
        QElapsedTimer elapsed;
        elapsed.start();
        while (m_port->bytesToWrite() > 0 && elapsed.elapsed() < kCloseDrainMs)
            m_port->waitForBytesWritten(static_cast<int>(std::max<qint64>(1, kCloseDrainMs - elapsed.elapsed())));
    }
    m_port->disconnect(this);
    m_hangupTimer = nullptr;  // a child of the port
    m_port->close();
    m_port->deleteLater();
    m_port = nullptr;
    m_pendingEvents.clear();
    m_sendArmed = false;
    m_wireFreeNs = 0;
}

void CMSComm::SetRThreshold(short threshold)
{
    m_rThreshold = std::max<short>(0, threshold);
    // Bytes that came while receive events were off are announced now, from
    // the event loop (never inside the caller).
    if (ReceiveDue())
        ScheduleReceiveCheck();
}

void CMSComm::SetSThreshold(short threshold)
{
    m_sThreshold = std::max<short>(0, threshold);
    m_sendArmed = m_sThreshold > 0 && GetOutBufferCount() >= m_sThreshold;
}

int CMSComm::GetInBufferCount() const
{
    return GetPortOpen() ? static_cast<int>(m_port->bytesAvailable()) : 0;
}

void CMSComm::SetInBufferCount(int count)
{
    if (count != 0 || !GetPortOpen())
        return;
    m_inputTaken += static_cast<uint64_t>(m_port->readAll().size());
    m_port->clear(QSerialPort::Input);
}

int CMSComm::DriverOutCount() const
{
    qint64 count = m_port->bytesToWrite();
    // What the driver holds has not left either (a UART's transmit queue).
    int queued = 0;
    if (::ioctl(m_port->handle(), TIOCOUTQ, &queued) == 0 && queued > 0)
        count += queued;
    return static_cast<int>(count);
}

int64_t CMSComm::GetCharTimeNs() const
{
    // Start bit, data bits, parity bit, stop bits; in tenths of a bit for 1.5 stop bits.
    const int64_t tenths = 10 * (1 + m_dataBits + (m_parity == 'n' ? 0 : 1)) + (m_stopBits == 3 ? 15 : 10 * m_stopBits);
    return tenths * 100'000'000LL / std::max<qint32>(1, m_baud);
}

void CMSComm::HoldWireFor(int64_t nowNs, int64_t heldBytes) const
{
    if (heldBytes > 0)
        m_wireFreeNs = std::max(m_wireFreeNs, nowNs + heldBytes * GetCharTimeNs());
}

int CMSComm::GetOutBufferCount() const
{
    if (!GetPortOpen())
        return 0;
    const int driver = DriverOutCount();
    const int64_t now = SteadyNs();
    // Bytes held back (the device's XOFF, a full terminal) start their way
    // only now: the clock cannot run ahead of them.
    HoldWireFor(now, driver);
    const int64_t charNs = GetCharTimeNs();
    const int64_t onWire = m_wireFreeNs > now ? (m_wireFreeNs - now + charNs - 1) / charNs : 0;
    return static_cast<int>(std::max<int64_t>(driver, onWire));
}

void CMSComm::SetOutBufferCount(int count)
{
    if (count != 0 || !GetPortOpen())
        return;
    m_port->clear(QSerialPort::Output);
    // Nothing is on its way any more.
    m_wireFreeNs = std::min(m_wireFreeNs, SteadyNs());
    m_sendArmed = false;
}

int64_t CMSComm::GetOutputRemainingUs() const
{
    if (!GetPortOpen())
        return 0;
    GetOutBufferCount();
    const int64_t now = SteadyNs();
    return m_wireFreeNs > now ? (m_wireFreeNs - now + 999) / 1000 : 0;
}

int64_t CMSComm::GetOutputDoneMs() const
{
    if (GetPortOpen())
        GetOutBufferCount();
    return m_wireFreeNs / 1'000'000;
}

void CMSComm::SetOutBufferSize(int size)
{
    if (size > 0)
        m_outBufferSize = size;
}

void CMSComm::SetOutput(const QByteArray& bytes)
{
    if (!GetPortOpen() || bytes.isEmpty())
        return;
    const bool overflow = GetOutBufferCount() + bytes.size() > m_outBufferSize;
    // The wire clock: these bytes start when the line is free, or now.
    const int64_t now = SteadyNs();
    m_wireFreeNs = std::max(m_wireFreeNs, now) + static_cast<int64_t>(bytes.size()) * GetCharTimeNs();
    m_port->write(bytes);
    if (m_sThreshold > 0 && GetOutBufferCount() >= m_sThreshold)
        m_sendArmed = true;
    if (overflow) {
        QPointer<CMSComm> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self && self->GetPortOpen())
                self->Deliver(comEventTxFull);
        });
    }
}

QByteArray CMSComm::GetInput()
{
    if (!GetPortOpen())
        return {};
    QByteArray bytes = m_port->readAll();
    m_inputTaken += static_cast<uint64_t>(bytes.size());
    return bytes;
}

bool CMSComm::ReadErrorCounters(ErrorCounters& counters) const
{
    if (!GetPortOpen())
        return false;
    serial_icounter_struct icount {};
    if (::ioctl(m_port->handle(), TIOCGICOUNT, &icount) != 0)
        return false;
    counters.brk = static_cast<unsigned long>(icount.brk);
    counters.frame = static_cast<unsigned long>(icount.frame);
    counters.overrun = static_cast<unsigned long>(icount.overrun);
    counters.parity = static_cast<unsigned long>(icount.parity);
    counters.bufOverrun = static_cast<unsigned long>(icount.buf_overrun);
    return true;
}

std::vector<short> CMSComm::EventsForCounterChange(const ErrorCounters& before, const ErrorCounters& after)
{
    std::vector<short> events;
    if (after.brk != before.brk)
        events.push_back(comEventBreak);
    if (after.frame != before.frame)
        events.push_back(comEventFrame);
    if (after.overrun != before.overrun)
        events.push_back(comEventOverrun);
    if (after.bufOverrun != before.bufOverrun)
        events.push_back(comEventRxOver);
    if (after.parity != before.parity)
        events.push_back(comEventRxParity);
    return events;
}

void CMSComm::CheckLineErrors()
{
    ErrorCounters now;
    if (!ReadErrorCounters(now))
        return;
    if (!m_haveCounters) {
        m_counters = now;
        m_haveCounters = true;
        return;
    }
    const std::vector<short> events = EventsForCounterChange(m_counters, now);
    m_counters = now;
    QPointer<CMSComm> self(this);
    for (short event : events) {
        if (!self || !GetPortOpen())
            return;
        Deliver(event);
    }
}

bool CMSComm::ReceiveDue() const
{
    return GetPortOpen() && m_rThreshold > 0 && m_port->bytesAvailable() >= m_rThreshold;
}

void CMSComm::OnReadyRead()
{
    QPointer<CMSComm> self(this);
    CheckLineErrors();
    if (self && ReceiveDue())
        Deliver(comEvReceive);
}

void CMSComm::OnBytesWritten()
{
    if (GetPortOpen())
        HoldWireFor(SteadyNs(), m_port->bytesToWrite());
    if (m_sThreshold > 0 && m_sendArmed && GetOutBufferCount() < m_sThreshold) {
        m_sendArmed = false;
        Deliver(comEvSend);
    } else if (m_sThreshold > 0 && m_sendArmed && !m_sendCheckPosted && GetPortOpen()) {
        // The count falls as the line carries the bytes away, with no
        // notice from the port: look again when it should have fallen.
        m_sendCheckPosted = true;
        const int64_t charNs = GetCharTimeNs();
        const int64_t dueUs = std::max<int64_t>(0, GetOutputRemainingUs() - (m_sThreshold - 1) * charNs / 1000);
        QTimer::singleShot(static_cast<int>(dueUs / 1000 + 1), Qt::PreciseTimer, this, [this] {
            m_sendCheckPosted = false;
            OnBytesWritten();
        });
    }
}

void CMSComm::ScheduleReceiveCheck()
{
    if (m_receiveCheckPosted)
        return;
    m_receiveCheckPosted = true;
    QTimer::singleShot(0, this, [this] {
        m_receiveCheckPosted = false;
        if (ReceiveDue())
            Deliver(comEvReceive);
    });
}

void CMSComm::Deliver(short event)
{
    if (m_inEvent) {
        // One receive event stands for all bytes waiting: never queue two.
        if (event != comEvReceive
            || std::find(m_pendingEvents.begin(), m_pendingEvents.end(), event) == m_pendingEvents.end())
            m_pendingEvents.push_back(event);
        return;
    }
    QPointer<CMSComm> self(this);
    m_inEvent = true;
    const qint64 waitingBefore = GetPortOpen() ? m_port->bytesAvailable() : 0;
    const uint64_t takenBefore = m_inputTaken;
    m_commEvent = event;
    emit OnComm();
    while (self && !m_pendingEvents.empty()) {
        const short next = m_pendingEvents.front();
        m_pendingEvents.pop_front();
        // Once the port is closed only the news of the hang-up is left to tell.
        if (!GetPortOpen() && next != comEventCDTO)
            continue;
        if (next == comEvReceive && !ReceiveDue())
            continue;
        m_commEvent = next;
        emit OnComm();
    }
    if (self) {
        m_inEvent = false;
        m_pendingEvents.clear();
        // The port tells of no new bytes while a handler runs: what came
        // while it waited (a message box, a local event loop) is announced
        // now, from the event loop.
        const qint64 waiting = GetPortOpen() ? m_port->bytesAvailable() : 0;
        if (waiting + static_cast<qint64>(m_inputTaken - takenBefore) > waitingBefore && ReceiveDue())
            ScheduleReceiveCheck();
    }
}
