// Choosing the device behind COM n among the system's serial devices, and
// telling a device the user may not open from one that is in use.
#include "SerialTestSupport.h"

#include "platform/serial/SerialPortList.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <grp.h>
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

TEST(SerialPortList, MissingPermissionNamesTheOwningGroupOnlyWhenJoiningItHelps)
{
    Pty pty;
    ASSERT_TRUE(pty.Ok());
    QTemporaryDir dir;
    const bool administrator = ::geteuid() == 0;
    const struct {
        const char* name;
        const char* file;  // made in the folder; null: the path as it stands
        QString path;
        mode_t mode = 0;
        bool someoneElses = false;  // owner and group 4321 (the administrator can give them)
        bool refused = false;
        const char* group = "";
    } rows[] = {
        {"the user's own terminal", nullptr, QString::fromStdString(pty.path)},
        {"no device there", nullptr, dir.filePath("none")},
        // The owner's bits are the ones that count for the owner: a group
        // would not help, the device's permissions are what to change.
        {"the user's own device without permissions", "ttyLocked", {}, 0, false, true},
        {"someone else's device the group may use", "ttyGroup", {}, 0660, true, true, "4321"},
        {"someone else's device only its owner may use", "ttyOwner", {}, 0600, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.someoneElses && !administrator)
            continue;  // only the administrator can give a file away
        QString path = row.path;
        if (row.file) {
            path = dir.filePath(QString::fromLatin1(row.file));
            ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
            ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), row.mode), 0);
            ASSERT_TRUE(!row.someoneElses || ::chown(path.toLocal8Bit().constData(), 4321, 4321) == 0);
        }
        const SerialPortList::Access access = SerialPortList::MissingAccess(path);
        EXPECT_EQ(access.refused, row.refused);
        // A group without a name in the system is named by its number.
        const group* named = *row.group ? ::getgrgid(4321) : nullptr;
        EXPECT_EQ(access.groupToJoin.toStdString(), named ? named->gr_name : row.group);
    }
}
