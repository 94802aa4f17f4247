#pragma once
// Ids of the macros: the macro types and the texts of the macro objects. The
// numbers are the program's resource ids and must not change.

#include <cstdint>

// Macro types (string ids of their display names) and their keywords.
namespace macrotype {
enum : uint32_t {
    Background = 34250,  // BACKGND
    Page = 34251,        // PAGE
    Chime = 34252,       // CHIME
    Alarm = 34253,       // ALARM
    LogicOut = 34254,    // DIGIO
    Volume = 34255,      // VOLUME
    Monitor = 33086,     // MONITOR
    AuxSelect = 34256,   // INSEL
    LcdText = 34257,     // LCDTEXT
    Sequence = 34258,    // SEQUENCE
    Message = 34259,     // MESSAGE
    MemoFlag = 34130,    // MEMO_FLAG
    Power = 34132,       // POWER
    VirtCtrl = 34365,    // VIRTCTRL
    Stop = 34484,        // STOP
    Amp = 34485,         // AMP
    AmpMute = 34486,     // AMPMUTE
    Record = 34533,      // RECORD
    Erase = 34534,       // ERASE
    Repeat = 34535,      // REPEAT
    SlaveClock = 34567,  // SLVCLK
    ZoneTest = 34577,    // ZONETEST
    Buzzer = 34621,      // BUZZER
    NoType = 34461,      // "Kein Typ"
    Locked = 34510,      // "Kein Eintrag": the type may not change
};
}

// Texts of the macro objects.
enum : uint32_t {
    IDS_MACRO_TITLE_NAME = 32805,          // "Name"
    IDS_MACRO_TITLE_ID = 34244,            // "ID"
    IDS_MACRO_KIND = 32806,                // "Makro": the kind word of report lines
    IDS_MACRO_BLANK_TITLE = 34242,         // " "
    IDS_MACRO_NO_ENTRY = 34471,            // "Kein Eintrag"
    IDS_MACRO_ALL = 34487,                 // "Alle"
    IDS_MACRO_ALL_CONSOLES = 34273,        // "Alle Sprechstellen"
    IDS_MACRO_NO_PRECHIME_SIGNAL = 34215,  // "Gongsignal %d im Arbeitsblatt nicht vorhanden !"
    IDS_MACRO_NO_SIGNAL = 34216,           // "Signal %d im Arbeitsblatt nicht vorhanden !"
    IDS_MACRO_NO_LOGIC_OUT = 34217,        // "Makro %s: Logikausgang nicht vorhanden !"
    IDS_MACRO_NO_CONSOLE = 34218,          // "Sprechstelle %d im Arbeitsblatt nicht vorhanden !"
    IDS_MACRO_LMZ763 = 32796,              // "LMZ763"
    IDS_MACRO_LMZ764 = 32797,              // "LMZ764"
    IDS_MACRO_CONDITION = 34129,           // "Bedingung"
    IDS_MACRO_CONSOLE = 34063,             // "Sprechstelle"
    IDS_MACRO_ZONE = 32802,                // "Linie"
    IDS_MACRO_ABOVE_LIMIT = 36200,         // a download passes over macros numbered above the device's limit
};

// Column titles of the macro blocks in lists and printed parameter lists.
namespace macrotitle {
enum : uint32_t {
    Prechime = 32820,     // "Vorgong"
    Zones = 34457,        // "Linien"
    Chime = 34252,        // "Gong"
    Time = 34232,         // "Zeit"
    Selection = 34086,    // "Auswahl"
    Console = 34063,      // "Sprechstelle"
    Macro = 32806,        // "Makro"
    Condition = 34129,    // "Bedingung"
    TextPlayback = 34259, // "Textwiedergabe"
    Amplifier = 32782,    // "Verstärker"
    Repetition = 34535,   // "Wiederholung"
    Priority = 36460,     // "Priorität"
    Volume = 36461,       // "Lautstärke"
    Entry = 36462,        // "Eintrag"
    AuxSwitch = 36463,    // "AUX Umschalter"
    Line = 36464,         // "Zeile"
    Duration = 36465,     // "Dauer [s]"
    OnMacro = 36466,      // "ON Makro"
    OffMacro = 36467,     // "OFF Makro"
    Unit = 36468,         // "Einheit"
    Digits = 36469,       // "Stellen"
    Channels = 36470,     // "Kanäle"
    File = 36471,         // "Datei"
    Quality = 36472,      // "Qualität"
    Count = 36473,        // "Anzahl"
    Mode = 36474,         // "Modus"
    Pattern = 36475,      // "Zeichenmuster"
    Pause = 36476,        // "Pause"
};
}
