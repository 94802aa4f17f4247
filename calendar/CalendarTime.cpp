#include "calendar/CalendarTime.h"

#include <cstdio>
#include <ctime>

#include "model/DocContext.h"

namespace caltime {

std::optional<Time> Make(const Fields& f)
{
    if (f.month < 1 || f.month > 12 || f.day < 1 || f.day > 31 || f.hour < 0 || f.hour > 23 || f.minute < 0 ||
        f.minute > 59 || f.second < 0 || f.second > 59 || f.year < 1970 || f.year > 2037)
        return std::nullopt;
    std::tm tmv{};
    tmv.tm_year = f.year - 1900;
    tmv.tm_mon = f.month - 1;
    tmv.tm_mday = f.day;
    tmv.tm_hour = f.hour;
    tmv.tm_min = f.minute;
    tmv.tm_sec = f.second;
    tmv.tm_isdst = -1;
    const std::time_t t = std::mktime(&tmv);
    // mktime moves 31 April to 1 May: such a date does not exist.
    if (t == static_cast<std::time_t>(-1) || tmv.tm_mday != f.day || tmv.tm_mon != f.month - 1 || t < INT32_MIN ||
        t > INT32_MAX)
        return std::nullopt;
    return static_cast<Time>(t);
}

std::optional<Time> Make(int year, int month, int day, int hour, int minute, int second)
{
    return Make(Fields{year, month, day, hour, minute, second});
}

Fields Split(Time t)
{
    const std::time_t tt = t;
    std::tm tmv{};
    localtime_r(&tt, &tmv);
    return Fields{tmv.tm_year + 1900, tmv.tm_mon + 1, tmv.tm_mday, tmv.tm_hour, tmv.tm_min, tmv.tm_sec};
}

Time Unset()
{
    return *Make(1980, 1, 1);
}

Time EntryDay()
{
    return *Make(1980, 3, 1);
}

Time OnEntryDay(int hour, int minute, int second)
{
    return Make(1980, 3, 1, hour, minute, second).value_or(EntryDay());
}

std::string DeviceDate(Time t)
{
    const Fields f = Split(t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", f.day, f.month, f.year);
    return buf;
}

std::string DeviceTime(Time t)
{
    const Fields f = Split(t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", f.hour, f.minute, f.second);
    return buf;
}

bool ParseDeviceDate(const std::string& text, int& day, int& month, int& year)
{
    int d = 0, m = 0, y = 0, used = 0;
    if (std::sscanf(text.c_str(), "%2d.%2d.%4d%n", &d, &m, &y, &used) != 3 || used != static_cast<int>(text.size()))
        return false;
    if (!Make(y, m, d))
        return false;
    day = d;
    month = m;
    year = y;
    return true;
}

bool ParseDeviceTime(const std::string& text, int& hour, int& minute, int& second)
{
    int h = 0, m = 0, s = 0, used = 0;
    const int n = std::sscanf(text.c_str(), "%2d:%2d%n:%2d%n", &h, &m, &used, &s, &used);
    if (n < 2 || used != static_cast<int>(text.size()))
        return false;
    if (n == 2)
        s = 0;
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return false;
    hour = h;
    minute = m;
    second = s;
    return true;
}

std::string UserDate(Time t)
{
    return GetAppHost().FormatShortDate(t);
}

std::string UserTime(Time t)
{
    return DeviceTime(t);
}

std::optional<Time> ParseUserDate(const std::string& text)
{
    const std::optional<std::time_t> t = GetAppHost().ParseShortDate(text);
    if (!t)
        return std::nullopt;
    const Fields f = Split(static_cast<Time>(*t));
    return Make(f.year, f.month, f.day);
}

bool ParseUserTime(const std::string& text, int& hour, int& minute, int& second)
{
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    return ParseDeviceTime(text.substr(b, e - b), hour, minute, second);
}

}  // namespace caltime
