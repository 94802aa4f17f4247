#pragma once
// The serial devices the system has, for choosing the device behind COM n
// (/dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*), and why a device may refuse to
// open: the user may lack the permission its owners give.

#include <QList>
#include <QString>

#include <functional>

struct SerialDevice {
    QString path;         // /dev/ttyUSB0
    QString description;  // what the system says of it (may be empty)
};

class SerialPortList {
public:
    using Provider = std::function<QList<SerialDevice>()>;

    // The system's serial devices, sorted by path.
    static QList<SerialDevice> Available();
    // Tests list devices of their own; returns the provider it replaces.
    static Provider SetProvider(Provider provider);

    // The choices for COM `port`: the system's devices, and the device set
    // for it now when that is not among them (a pseudo-terminal, say).
    static QList<SerialDevice> ChoicesFor(int port);

    // Whether the device's permissions give this user no read and write
    // access (false when they do or the device does not exist), and the
    // group that owns it when being one of its members would give it: the
    // user is neither the owner nor a member, and the group may read and write.
    struct Access {
        bool refused = false;
        QString groupToJoin;
    };
    static Access MissingAccess(const QString& path);
};
