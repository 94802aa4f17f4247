#include "platform/SystemTime.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/FileWriter.h"
#include "platform/StringTable.h"

namespace {
enum : uint32_t {
    IDS_CLOCK_NO_PERMISSION = 36336,
    IDS_CLOCK_NO_SUCH_TIME = 36337,
};
}  // namespace

// The reasons in the program's language: the system's own text follows the
// computer's locale, which need not be the language the user chose.
QL_STRING_TABLE({
    {IDS_CLOCK_NO_PERMISSION, "Keine Berechtigung, die Uhrzeit des Computers zu stellen."},
    {IDS_CLOCK_NO_SUCH_TIME, "Diese Zeit gibt es nicht."},
});

std::string SystemTimeFailureReason(int error)
{
    switch (error) {
    case EPERM:
    case EACCES: return LoadStringId(IDS_CLOCK_NO_PERMISSION);
    case EINVAL: return LoadStringId(IDS_CLOCK_NO_SUCH_TIME);
    default: return WriteFailureReason(error);  // the system's number and text
    }
}

namespace {

SystemTimeSetter& Setter()
{
    static SystemTimeSetter setter;
    return setter;
}

bool SetWithSystem(const LocalTimeValue& v, std::string* reason)
{
    std::tm tmv{};
    tmv.tm_year = v.year - 1900;
    tmv.tm_mon = v.month - 1;
    tmv.tm_mday = v.day;
    tmv.tm_hour = v.hour;
    tmv.tm_min = v.minute;
    tmv.tm_sec = v.second;
    tmv.tm_isdst = -1;
    const std::time_t t = std::mktime(&tmv);
    if (t == static_cast<std::time_t>(-1) || tmv.tm_mday != v.day || tmv.tm_mon != v.month - 1) {
        if (reason)
            *reason = SystemTimeFailureReason(EINVAL);
        return false;
    }
    timespec ts{};
    ts.tv_sec = t;
    ts.tv_nsec = static_cast<long>(v.millisecond) * 1000000L;
    if (clock_settime(CLOCK_REALTIME, &ts) != 0) {
        if (reason)
            *reason = SystemTimeFailureReason(errno);
        return false;
    }
    return true;
}
}  // namespace

bool SetLocalSystemTime(const LocalTimeValue& value, std::string* reason)
{
    if (Setter())
        return Setter()(value, reason);
    return SetWithSystem(value, reason);
}

SystemTimeSetter SetSystemTimeSetter(SystemTimeSetter setter)
{
    SystemTimeSetter old = std::move(Setter());
    Setter() = std::move(setter);
    return old;
}
