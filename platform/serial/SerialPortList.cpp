#include "platform/serial/SerialPortList.h"

#include "platform/serial/CMSComm.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
SerialPortList::Provider& CurrentProvider()
{
    static SerialPortList::Provider provider;
    return provider;
}

bool IsSerialDevice(const QString& path)
{
    return path.startsWith(QLatin1String("/dev/ttyS")) || path.startsWith(QLatin1String("/dev/ttyUSB")) ||
           path.startsWith(QLatin1String("/dev/ttyACM"));
}
}  // namespace

SerialPortList::Provider SerialPortList::SetProvider(Provider provider)
{
    Provider old = std::move(CurrentProvider());
    CurrentProvider() = std::move(provider);
    return old;
}

QList<SerialDevice> SerialPortList::Available()
{
    QList<SerialDevice> list;
    if (CurrentProvider()) {
        list = CurrentProvider()();
    } else {
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            if (IsSerialDevice(info.systemLocation()))
                list.append({info.systemLocation(), info.description()});
    }
    std::sort(list.begin(), list.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });
    return list;
}

QList<SerialDevice> SerialPortList::ChoicesFor(int port)
{
    QList<SerialDevice> list = Available();
    const QString current = CMSComm::DevicePathForPort(port);
    const bool listed =
        std::any_of(list.begin(), list.end(), [&](const SerialDevice& d) { return d.path == current; });
    if (!listed)
        list.prepend({current, QString()});
    return list;
}

SerialPortList::Access SerialPortList::MissingAccess(const QString& path)
{
    struct stat st {};
    if (::stat(path.toLocal8Bit().constData(), &st) != 0)
        return {};
    // The permission bits as they apply to this user (owner, one of the
    // user's groups, or others); the administrator's override is not counted,
    // since it is what a normal user lacks. The system asks them in this
    // order and stops at the first that applies: joining the group helps
    // neither the owner nor a member.
    mode_t bits = st.st_mode & 07;
    bool joinable = false;
    if (st.st_uid == ::geteuid()) {
        bits = (st.st_mode >> 6) & 07;
    } else {
        std::vector<gid_t> groups(static_cast<size_t>(std::max(0, ::getgroups(0, nullptr))));
        const int n = ::getgroups(static_cast<int>(groups.size()), groups.data());
        groups.resize(static_cast<size_t>(std::max(0, n)));
        groups.push_back(::getegid());
        if (std::find(groups.begin(), groups.end(), st.st_gid) != groups.end())
            bits = (st.st_mode >> 3) & 07;
        else
            joinable = ((st.st_mode >> 3) & 06) == 06;
    }
    if ((bits & 06) == 06)
        return {};
    Access access;
    access.refused = true;
    if (!joinable)
        return access;
    if (const group* g = ::getgrgid(st.st_gid))
        access.groupToJoin = QString::fromLocal8Bit(g->gr_name);
    else
        access.groupToJoin = QString::number(st.st_gid);
    return access;
}
