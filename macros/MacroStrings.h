#pragma once
// String-table ids of the macros (the macro types' display names are the
// macrotype ids of CMacro.h).

#include <cstdint>

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
};
