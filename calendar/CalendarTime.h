#pragma once
// Calendar times of appointments, holidays and day programme entries: a
// 32-bit count of seconds (the local time it stands for is built with the
// system's rules, daylight saving included), as the project file keeps it.
//
// The device speaks dates as "%02d.%02d.%04d" (day, month, year) and times as
// "%02d:%02d:%02d", whatever the user's locale; the user sees and types dates
// in his own short date format.

#include <cstdint>
#include <optional>
#include <string>

namespace caltime {

using Time = int32_t;

struct Fields {
    int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The local time of the fields; nullopt when they name no valid time.
std::optional<Time> Make(const Fields& f);
std::optional<Time> Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
Fields Split(Time t);

// 1980-01-01 00:00:00: a day programme entry that is not set.
Time Unset();
// 1980-03-01 00:00:00: the default of appointments and holidays, and the day
// on which a set day programme entry keeps its time of day.
Time EntryDay();
// The time of day of `t` on 1980-03-01.
Time OnEntryDay(int hour, int minute, int second);

// Device forms.
std::string DeviceDate(Time t);  // "01.03.2001"
std::string DeviceTime(Time t);  // "06:30:00"
// Reads the device's "dd.mm.yyyy" or "hh:mm:ss" (also "hh:mm"); false when
// the text is not such a date or time.
bool ParseDeviceDate(const std::string& text, int& day, int& month, int& year);
bool ParseDeviceTime(const std::string& text, int& hour, int& minute, int& second);

// What the user sees and types: the date in his short date format, the time
// of day in the 24-hour form.
std::string UserDate(Time t);
std::string UserTime(Time t);
std::optional<Time> ParseUserDate(const std::string& text);  // at 00:00:00
// A time of day typed by the user ("7:05", "07:05:30"); false when not one.
bool ParseUserTime(const std::string& text, int& hour, int& minute, int& second);

}  // namespace caltime
