#pragma once
// Ids of the zones, groups, LAN groups, collective calls, relays and relay
// topologies: kinds, commands and texts.

#include <cstdint>

namespace relaiskind {
enum : uint32_t {
    CollectiveCall = 32787,  // "Sammelruf"
    Unused = 32788,          // "Nicht benutzt"
    Line = 32826,            // "Linienrelais"
    Mandatory = 32827,       // "Pflichtrelais"
    Control = 32828,         // "Kontrollrelais"
    Second = 32797,          // every relay of an LMZ764 card
};
}

namespace lmzkind {
enum : uint32_t {
    Carrier = 34262,  // "LMZ752"
    Out763 = 32796,   // "LMZ763"
    Out764 = 32797,   // "LMZ764"
    In771 = 34136,    // "LMZ771"
    Analog775 = 34263,  // "LMZ775"
    AnalogIn = 32848,   // pad "LMZ775 Eingang"
    AnalogOut = 32849,  // pad "LMZ775 Ausgang"
};
}

namespace zonecmd {
enum : uint32_t {
    AddGroup = 33004,     // "Neue Gruppe hinzufügen"
    AddLanGroup = 33178,  // "Neue LAN Gruppe hinzufügen"
    Download = 33179,     // "Download"
    Upload = 33180,       // "Upload"
    ChangeLanId = 33182,  // "ID ändern"
    Delete = 33001,
    Properties = 33005,   // "&Eigenschaften ..."
    Properties2 = 33006,  // "Eigenschaften ..." (groups, LAN groups)
    AddControlRelay = 33092,
};
}

// Texts (string-table ids).
enum : uint32_t {
    IDS_ZONES = 34012,                // "Linien"
    IDS_NO_MORE_ZONES = 32773,        // "Es können keine weitere Linien erzeugt werden. ..."
    IDS_ZONE_OUTPUTS_DIFFER = 34309,
    IDS_ZONE_RELAYS_DIFFER = 34310,
    IDS_ZONE_PRIO_RELAY_DIFFERS = 34311,
    IDS_ZONE_PRIO_TYPE_DIFFERS = 34312,
    IDS_ZONE_CONTROL_RELAY_DIFFERS = 34313,
    IDS_ZONE_CONTROL_TYPE_DIFFERS = 34314,
    IDS_LAN_GROUP_ERROR = 34576,      // "Fehler bei LAN Gruppe"
    IDS_ZONE_NOT_ON_SHEET = 34221,    // "Linie %d im Arbeitsblatt nicht vorhanden !"
    IDS_MISSING = 34499,              // "fehlt"
    IDS_COLLCALL_PATH = 34107,        // "/KVT/COLLCALL"
    IDS_D_E_RELAYS = 34090,
    IDS_NO_FREE_RELAY = 34700,        // "Keine freie Relaisnummer mehr: ..."
    IDS_ALL = 34487,                  // "Alle"
    IDS_NO_ENTRY = 34471,             // "Kein Eintrag"
    IDS_LAN_GROUP = 34575,            // "LAN Gruppe"
    IDS_CARD_IN_USE = 34180,
    IDS_CANNOT_INSERT = 34378,        // "Objekt kann nicht eingefügt werden!"
};
