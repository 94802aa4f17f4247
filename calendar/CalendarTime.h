#pragma once
// Calendar times of appointments, holidays and day programme entries: an
// unsigned 32-bit count of seconds from 1970 (the local time it stands for is
// built with the system's rules, daylight saving included), as the project
// file keeps it. Its dates run from 1970 into February 2106.
//
// The device speaks times as "%02d:%02d:%02d" and dates in the form it was
// told at the connection: "%02d.%02d.%04d" (day, month, year) or, told "US",
// "%02d/%02d/%04d" (month, day, year). The calendar is written in the first
// form; the user sees and types dates in his own short date format.

#include <cstdint>
#include <optional>
#include <string>

namespace caltime {

using Time = uint32_t;

struct Fields {
    int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The local time of the fields; nullopt when they name no valid time or one
// the 32-bit count cannot hold.
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

// Whether the day exists in the calendar (29.02. in leap years only).
bool IsRealDate(int year, int month, int day);

// The device's two forms of a date.
enum class DateForm { German, US };

// Device forms.
std::string DeviceDate(Time t);  // "01.03.2001"
std::string DeviceTime(Time t);  // "06:30:00"
// A date in one of the device's forms: "01.03.2001" or "03/01/2001".
std::string DeviceDate(int day, int month, int year, DateForm form);
// Reads a date in either of the device's forms, told apart by the separator:
// "d.m.yyyy" (day first) or "m/d/yyyy" (month first), the year in four
// digits. False when the text is no such date or the day does not exist;
// `form`, when given, gets the form the text was in.
bool ParseDeviceDate(const std::string& text, int& day, int& month, int& year, DateForm* form = nullptr);
// Reads the device's "hh:mm:ss" (also "hh:mm"); false when the text is not
// such a time.
bool ParseDeviceTime(const std::string& text, int& hour, int& minute, int& second);

// What the user sees and types: the date in his short date format, the time
// of day in the 24-hour form.
std::string UserDate(Time t);
std::string UserTime(Time t);
std::optional<Time> ParseUserDate(const std::string& text);  // at 00:00:00
// A time of day typed by the user ("7:05", "07:05:30"); false when not one.
bool ParseUserTime(const std::string& text, int& hour, int& minute, int& second);

}  // namespace caltime
