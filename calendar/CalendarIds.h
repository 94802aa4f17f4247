#pragma once
// String-table and command ids of the calendar and clock family. The numbers
// are the program's resource ids; ids from 36100 on are this family's own.

#include <cstdint>

enum : uint32_t {
    // Kinds (also the type names in lists and menus).
    IDS_CAL_KALENDER = 33088,          // "Kalender"
    IDS_CAL_WEEK = 34118,              // "Wochenprogramm"
    IDS_CAL_DAYPROG = 34119,           // "Tagesprogramm"
    IDS_CAL_HOLIDAY = 34120,           // "Feiertagsprogramm"
    IDS_CAL_APPOINT = 34121,           // "Ereignis"
    IDS_CAL_CLOCK = 34126,             // "Uhr"
    IDS_CAL_NO_MACRO_TYPE = 34461,     // "Kein Typ" (placeholder macros)

    // Repetitions (CalendarFunctionId).
    IDS_CALFN_OFF = 34235,             // "OFF"
    IDS_CALFN_ONETIME = 34236,         // "einmalig"
    IDS_CALFN_MONTHLY = 34237,         // "monatlich"
    IDS_CALFN_WEEKLY = 34238,          // "wöchentlich"
    IDS_CALFN_DAILY = 34239,           // "täglich"
    IDS_CALFN_HOURLY = 34240,          // "stündlich"
    IDS_CALFN_MINUTELY = 34241,        // "minütlich"
    IDS_CALFN_ANNUAL = 34249,          // "jährlich"
    IDS_CALFN_PERIOD = 34298,          // "Zeitraum"

    // Column titles and messages.
    IDS_CAL_COL_NAME = 32805,          // "Name"
    IDS_CAL_COL_MACRO = 32806,         // "Makro"
    IDS_CAL_COL_TIME = 34232,          // "Zeit"
    IDS_CAL_COL_DATE = 34233,          // "Datum"
    IDS_CAL_COL_FUNCTION = 34234,      // "Funktion"
    IDS_CAL_COL_BLANK = 34242,         // " "
    IDS_CAL_COL_ID = 34244,            // "ID"
    IDS_CAL_COL_UNTIL = 34299,         // "bis"
    IDS_CAL_BAD_PERIOD = 34300,        // "Kein gültiger Zeitraum!"
    IDS_CAL_MONDAY = 36101,            // "Montag" .. "Sonntag": 36101 .. 36107
    IDS_CAL_WEEKDAY = 36108,           // "Wochentag"
    IDS_CAL_COL_DAY = 36109,           // "Tag"
    IDS_CAL_COL_ENTRIES = 36110,       // "Einträge"
    IDS_CAL_SET_PC_CLOCK_FAILED = 36111,  // the computer refused its new time
};

// Commands of the calendar windows (the status-line text, a line break, the tool tip).
enum : uint32_t {
    ID_CAL_NEW_APPOINT = 33126,
    ID_CAL_DELETE_APPOINT = 33127,
    ID_CAL_UPLOAD_APPOINTS = 33128,
    ID_CAL_DOWNLOAD_APPOINTS = 33154,
    ID_CAL_NEW_HOLIDAY = 33138,
    ID_CAL_DELETE_HOLIDAY = 33139,
    ID_CAL_UPLOAD_HOLIDAYS = 33140,
    ID_CAL_DOWNLOAD_HOLIDAYS = 33115,
    ID_CAL_NEW_DAYPROG = 33135,
    ID_CAL_DELETE_DAYPROG = 33136,
    ID_CAL_NEW_ENTRY = 33117,
    ID_CAL_DELETE_ENTRY = 33118,
    ID_CAL_DOWNLOAD_DAYPROGS = 33116,
    ID_CAL_UPLOAD_DAYPROGS = 33137,
    ID_CAL_UPLOAD_WEEK = 33151,
    ID_CAL_DOWNLOAD_WEEK = 33152,
    ID_CAL_DOWNLOAD_ITEM = 33179,      // context menu "Download"
    ID_CAL_UPLOAD_ITEM = 33180,        // context menu "Upload"
};
