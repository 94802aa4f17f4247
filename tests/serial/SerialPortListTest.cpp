// Choosing the device behind COM n among the system's serial devices, and
// telling a device the user may not open from one that is in use.
#include "SerialTestSupport.h"

#include "platform/serial/SerialPortList.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace serialtest;

TEST(SerialPortList, ChoicesAreTheSystemsDevicesAndTheDeviceSetNow)
{
    Pty pty;
    ASSERT_TRUE(pty.Ok());
    const auto old = SerialPortList::SetProvider([] {
        return QList<SerialDevice>{{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyS0", {}}};
    });
    SetDevicePath(3, QString::fromStdString(pty.path));
    QStringList paths;
    for (const SerialDevice& d : SerialPortList::ChoicesFor(3))
        paths << d.path;
    EXPECT_EQ(paths.join(QLatin1Char(',')).toStdString(), pty.path + ",/dev/ttyS0,/dev/ttyUSB0");
    // COM 1 stands for /dev/ttyS0 unless set: listed once.
    SetDevicePath(1, {});
    EXPECT_EQ(SerialPortList::ChoicesFor(1).size(), 2);
    EXPECT_EQ(SerialPortList::ChoicesFor(1).back().description.toStdString(), "FT232R USB UART");
    SetDevicePath(3, {});
    SerialPortList::SetProvider(old);
}

TEST(SerialPortList, MissingPermissionNamesTheOwningGroup)
{
    Pty pty;
    ASSERT_TRUE(pty.Ok());
    // The user's own terminal: no group to join.
    EXPECT_EQ(SerialPortList::MissingAccessGroup(QString::fromStdString(pty.path)).toStdString(), "");
    QTemporaryDir dir;
    const QString locked = dir.filePath("ttyLocked");
    QFile(locked).open(QIODevice::WriteOnly);
    ASSERT_EQ(::chmod(locked.toLocal8Bit().constData(), 0), 0);
    EXPECT_FALSE(SerialPortList::MissingAccessGroup(locked).isEmpty());
    EXPECT_EQ(SerialPortList::MissingAccessGroup(dir.filePath("none")).toStdString(), "");
}
