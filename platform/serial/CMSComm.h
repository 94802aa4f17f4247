#pragma once
// The serial control of the device link: a serial port with the properties and
// the OnComm event the link was written against (port number, "19200,n,8,1"
// settings, XON/XOFF, receive and send thresholds, input and output counts, the
// numbered error events), built on QSerialPort.
//
// COM n is a number; the device path behind it is "COMSECTION"/"DevicePath<n>"
// in the settings, /dev/ttyS<n-1> when that is not set (so a user can pick
// /dev/ttyUSB0 and a test a pseudo-terminal).
//
// Bytes pass as they are (8-bit); nothing converts text here.
//
// Events: OnComm is emitted on the thread's event loop with CommEvent telling
// why. While a handler of OnComm runs (also when it waits in a local event
// loop), no further OnComm is emitted; events that happen meanwhile are
// delivered after it returns. RThreshold 0 switches receive events off: a
// caller that waits with a local event loop then reads Input itself. (Outside
// an OnComm handler, a local event loop does deliver receive events while
// RThreshold is above 0: a blocking exchange switches them off first.)
//
// Bytes arrive in the input buffer while the event loop runs; a hang-up of the
// other end (or a vanished device) closes the port, so PortOpen reads false,
// and then raises comEventCDTO once: the carrier is gone. A handler that sees
// an error event with the port closed knows the line is dead. The event is
// also delivered when it happens while a handler waits (queued as any other).

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <vector>

class QSerialPort;
class QTimer;

class CMSComm : public QObject {
    Q_OBJECT
public:
    // Values of CommEvent.
    enum CommEventCode : short {
        comEvSend = 1,        // fewer than SThreshold bytes wait in the output buffer
        comEvReceive = 2,     // RThreshold or more bytes wait in the input buffer
        comEvCTS = 3,
        comEvDSR = 4,
        comEvCD = 5,
        comEvRing = 6,
        comEvEOF = 7,
        comEventBreak = 1001,
        comEventCTSTO = 1002,  // no Linux counterpart
        comEventDSRTO = 1003,  // no Linux counterpart
        comEventFrame = 1004,
        comEventOverrun = 1006,  // characters lost in the port itself
        // The carrier is gone: raised when the other end hangs up or the
        // device vanishes (a closed pseudo-terminal, an unplugged adapter).
        // The port is already closed when the event arrives.
        comEventCDTO = 1007,
        comEventRxOver = 1008,   // the input buffer overflowed
        comEventRxParity = 1009,
        comEventTxFull = 1010,   // output queued beyond OutBufferSize
    };
    // Values of Handshaking.
    enum HandshakeCode : long { comNone = 0, comXOnXoff = 1, comRTS = 2, comRTSXOnXOff = 3 };

    explicit CMSComm(QObject* parent = nullptr);
    ~CMSComm() override;

    // Port number 1..255; refused (false) while the port is open.
    bool SetCommPort(short port);
    short GetCommPort() const { return m_commPort; }
    // The device path of COM `port`, from the settings or the default.
    static QString DevicePathForPort(int port);
    // The settings key that overrides the path of COM `port` ("COMSECTION/DevicePath<n>").
    static QString DevicePathKey(int port);

    // "baud,parity,data,stop", parity one of n e o m s, data 5..8, stop 1, 1.5 or 2.
    // Invalid text is refused (false) and the previous settings stay.
    bool SetSettings(const QString& settings);
    QString GetSettings() const { return m_settings; }

    bool SetHandshaking(long handshaking);  // comNone..comRTSXOnXOff
    long GetHandshaking() const { return m_handshaking; }
    void SetDTREnable(bool enable);
    bool GetDTREnable() const { return m_dtr; }
    void SetRTSEnable(bool enable);
    bool GetRTSEnable() const { return m_rts; }

    // Opens (true) or closes (false) the port. Opening an open port or a port
    // that cannot be opened gives false; GetLastError says why, and
    // GetOpenFailure what that means for the user.
    bool SetPortOpen(bool open);
    bool GetPortOpen() const;
    QString GetLastError() const { return m_lastError; }
    enum class OpenFailure {
        None,
        NoDevice,      // no serial device at the path (none there, no hardware behind it, not a serial device)
        NoPermission,  // the user may not read and write the device
        InUse,         // another program (or this one) has the device open
        Other,         // GetLastError tells
    };
    OpenFailure GetOpenFailure() const { return m_openFailure; }

    // 0: no receive events; n: a receive event when n or more bytes wait.
    void SetRThreshold(short threshold);
    short GetRThreshold() const { return m_rThreshold; }
    // 0: no send events; n: a send event when the output count falls below n.
    void SetSThreshold(short threshold);
    short GetSThreshold() const { return m_sThreshold; }

    // Bytes received and not yet taken by Input.
    int GetInBufferCount() const;
    // Setting 0 discards every waiting byte (other values are ignored).
    void SetInBufferCount(int count);
    // Bytes given to Output that cannot have left the port yet: the larger of
    // what the port layer and the driver still hold and what the line, at the
    // configured rate, cannot have sent since the writes (the wire clock).
    // A pseudo-terminal's driver reports nothing while kilobytes wait in it,
    // so the clock alone keeps the count true there.
    int GetOutBufferCount() const;
    // Setting 0 drops every byte that waits to be sent, in the port layer and
    // in the driver (other values are ignored): a device that holds XOFF
    // then no longer keeps the port from closing.
    void SetOutBufferCount(int count);
    // Microseconds until the last byte given to Output has left the line by
    // the wire clock (0 when it has; also 0 while closed).
    int64_t GetOutputRemainingUs() const;
    // The steady-clock time (milliseconds since the clock's epoch) at which
    // the last byte given to Output leaves or left the line; 0 when nothing
    // was sent since the port was opened.
    int64_t GetOutputDoneMs() const;
    // Nanoseconds one character takes on the line with the current settings.
    int64_t GetCharTimeNs() const;
    // Size of the output buffer; output beyond it raises comEventTxFull (the
    // bytes are still sent).
    void SetOutBufferSize(int size);
    int GetOutBufferSize() const { return m_outBufferSize; }

    // Queues the bytes for sending and returns at once. Ignored while closed.
    void SetOutput(const QByteArray& bytes);
    // Every byte waiting in the input buffer (empty when none).
    QByteArray GetInput();

    // The reason of the OnComm event being delivered (or of the last one).
    short GetCommEvent() const { return m_commEvent; }

    // Line-error counters of the port, as the driver counts them.
    struct ErrorCounters {
        unsigned long brk = 0, frame = 0, overrun = 0, parity = 0, bufOverrun = 0;
    };
    // The error events for counters that went from `before` to `after`, in
    // event number order.
    static std::vector<short> EventsForCounterChange(const ErrorCounters& before, const ErrorCounters& after);

signals:
    void OnComm();

protected:
    // Reads the driver's counters; false when the port has none (a
    // pseudo-terminal, for instance). Tests override it.
    virtual bool ReadErrorCounters(ErrorCounters& counters) const;

private:
    // What a failed open means, from the port layer's error (a
    // QSerialPort::SerialPortError) and the device's path.
    static OpenFailure OpenFailureOf(int error, const QString& path);
    bool ApplySettings();
    bool ApplyFlowControl();
    void CloseNow(bool drain);
    void CheckHangup();
    // The line itself says the other end is gone (hang-up, error, no device).
    bool LineReportsHangup() const;
    // Closes the port after the other end went away (from the event loop,
    // never inside the caller) and raises comEventCDTO.
    void PostHangUp();
    void OnReadyRead();
    void OnBytesWritten();
    void CheckLineErrors();
    bool ReceiveDue() const;
    void Deliver(short event);
    void ScheduleReceiveCheck();
    // Moves the wire clock on to what the port layer and the driver still
    // hold: those bytes cannot leave before `nowNs` plus their line time.
    void HoldWireFor(int64_t nowNs, int64_t heldBytes) const;
    int DriverOutCount() const;

    QSerialPort* m_port = nullptr;
    QTimer* m_hangupTimer = nullptr;
    bool m_closePosted = false;
    short m_commPort = 1;
    QString m_settings = QStringLiteral("9600,n,8,1");
    qint32 m_baud = 9600;
    char m_parity = 'n';
    int m_dataBits = 8;
    int m_stopBits = 1;  // 1, 2, or 3 for 1.5
    long m_handshaking = comNone;
    bool m_dtr = false;
    bool m_rts = false;
    short m_rThreshold = 0;
    short m_sThreshold = 0;
    int m_outBufferSize = 512;
    short m_commEvent = 0;
    QString m_lastError;
    OpenFailure m_openFailure = OpenFailure::None;
    ErrorCounters m_counters;
    bool m_haveCounters = false;
    bool m_sendArmed = false;  // the output count was at or above SThreshold
    bool m_inEvent = false;
    // Bytes the owner has taken from the input (read or discarded).
    uint64_t m_inputTaken = 0;
    bool m_receiveCheckPosted = false;
    bool m_sendCheckPosted = false;
    std::deque<short> m_pendingEvents;
    // Steady-clock nanoseconds when the last byte written leaves the line.
    mutable int64_t m_wireFreeNs = 0;
};
