#include "calendar/CalendarTime.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "model/DocContext.h"

namespace caltime {

bool IsRealDate(int year, int month, int day)
{
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<Time> Make(const Fields& f)
{
    // Years outside 1969..2106 cannot give a count the project holds (the
    // bounds leave a day for the time zones); mktime decides the rest.
    if (!IsRealDate(f.year, f.month, f.day) || f.hour < 0 || f.hour > 23 || f.minute < 0 || f.minute > 59 ||
        f.second < 0 || f.second > 59 || f.year < 1969 || f.year > 2106)
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
    // mktime moves 31 April to 1 May: such a date does not exist. A time
    // before 1970 or after the 32-bit count would be stored as another one.
    if (t == static_cast<std::time_t>(-1) || tmv.tm_mday != f.day || tmv.tm_mon != f.month - 1 || t < 0 ||
        t > static_cast<std::time_t>(UINT32_MAX))
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

std::string DeviceDate(int day, int month, int year, DateForm form)
{
    char buf[32];
    if (form == DateForm::US)
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", month, day, year);
    else
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", day, month, year);
    return buf;
}

bool ParseDeviceDate(const std::string& text, int& day, int& month, int& year, DateForm* form)
{
    // Digits only between the separators: no sign, blank or letter slips
    // into a number.
    const auto number = [&text](size_t& at, size_t minDigits, size_t maxDigits, int& value) {
        const size_t start = at;
        value = 0;
        while (at < text.size() && at - start < maxDigits && text[at] >= '0' && text[at] <= '9')
            value = value * 10 + (text[at++] - '0');
        return at - start >= minDigits;
    };
    const char separator = text.find('/') != std::string::npos ? '/' : '.';
    size_t at = 0;
    int first = 0, second = 0, y = 0;
    if (!number(at, 1, 2, first) || at >= text.size() || text[at++] != separator || !number(at, 1, 2, second) ||
        at >= text.size() || text[at++] != separator || !number(at, 4, 4, y) || at != text.size())
        return false;
    const bool us = separator == '/';
    const int d = us ? second : first;
    const int m = us ? first : second;
    if (!IsRealDate(y, m, d))
        return false;
    day = d;
    month = m;
    year = y;
    if (form)
        *form = us ? DateForm::US : DateForm::German;
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
    std::tm tmv{};
    if (!t || !localtime_r(&*t, &tmv))
        return std::nullopt;
    return Make(tmv.tm_year + 1900, tmv.tm_mon + 1, tmv.tm_mday);
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
