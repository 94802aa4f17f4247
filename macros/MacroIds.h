#pragma once
// Ids of the macros: the macro types. The numbers are the program's resource
// ids and must not change.

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
