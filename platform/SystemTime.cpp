#include "platform/SystemTime.h"

#include <cerrno>
#include <cstring>
#include <ctime>

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
            *reason = std::strerror(EINVAL);
        return false;
    }
    timespec ts{};
    ts.tv_sec = t;
    ts.tv_nsec = static_cast<long>(v.millisecond) * 1000000L;
    if (clock_settime(CLOCK_REALTIME, &ts) != 0) {
        if (reason)
            *reason = std::strerror(errno);
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
