#pragma once
// Ids of the paging consoles: console models, the key labels and the texts of
// the console objects and their windows. The numbers are the program's
// resource ids and must not change.

#include <cstdint>

// Console models: the console's kind id; its text is the model name.
namespace consmodel {
enum : uint32_t {
    WRN2271 = 34000,
    WRN2272 = 34001,
    WRN2314 = 34002,
    WRN2315 = 34003,
    WRN2318 = 34004,
    WRN2271X = 34005,  // with the 50-key extension unit WRN2296
    WRN2272X = 34006,
    WRN2314X = 34007,
    WRN2315X = 34008,
    WRN2318X = 34009,
    WRN2316 = 34318,
    WRN2316X = 34319,
    WRN2283 = 34566,   // display, no key field
};
}

// Key labels: "label@default value" texts of the programmable keys and of
// the key functions.
enum : uint32_t {
    IDS_KEY_CLEAR = 34064,     // "Löschen@"
    IDS_KEY_ALL = 34065,       // "Alle@"
    IDS_KEY_ON = 34066,        // "On@28"
    IDS_KEY_CHIME = 34067,     // "Gong@0,4,80"
    IDS_KEY_STOP = 34068,      // "Stop@2"
    IDS_KEY_TEXT = 34069,      // "Text@0,1,20"
    IDS_KEY_PROGRAM = 34070,   // "Programm@"
    IDS_KEY_TALK = 34071,      // "Sprechen@-1,0,50"
    IDS_KEY_ALARM = 34072,     // "Alarm@0,1,90,UNPROT"
    IDS_KEY_EXTRA2 = 34073,    // "Zusatztaste 2@"
    IDS_KEY_EXTRA1 = 34074,    // "Zusatztaste 1@"
    IDS_KEY_PTT = 34075,       // "PTT@-1,0,50"
    IDS_KEY_AUX = 34076,       // "Aux@"
    IDS_KEY_SELECT = 34086,    // "Auswahl"
    IDS_KEY_DISABLED = 34087,  // "Gesperrt"
    IDS_KEY_MACRO = 34089,     // "Makro"
};

// Messages of the console objects.
enum : uint32_t {
    IDS_CONS_CANNOT_CREATE = 34028,     // "Diese Sprechstelle kann nicht erzeugt werden ! ..."
    IDS_CONS_PARSER_ERROR = 34029,      // "Parser-Fehler ! ... Unbekannte Parameterauswahl !"
    IDS_CONS_PROPERTIES = 34059,        // "Sprechstellen Eigenschaften"
    IDS_CONS_TREE_ROOT = 34061,         // "WRN-Sprechstellen"
    IDS_CONS_NOT_CONNECTED = 34173,     // "Die Sprechstelle '%s' ist nicht angeschlossen ! ..."
    IDS_CONS_NO_GROUP = 34174,          // "Die Gruppe %d gibt es im Arbeitsblatt nicht !"
    IDS_KEY_NO_SIGNAL = 34175,          // "Warnung: Audiosignal für Taste %d ist nicht vorhanden !"
    IDS_KEY_NO_TARGET = 34176,          // "Warnung: Linie oder Gruppe ist nicht vorhanden !"
    IDS_KEY_NO_MACRO2 = 34177,          // "Warnung: 2.Makro nicht vorhanden !"
    IDS_KEY_NO_MACRO = 34178,           // "Warnung:.Makro nicht vorhanden !"
    IDS_CONS_ASK_DROP = 34179,          // "Warnung: Wollen Sie die geänderten Eigenschaften wirklich verwerfen ?"
    IDS_CONS_NO_USERLEVEL = 34181,      // "Userlevel-Abfrage nicht möglich, ..."
    IDS_CONS_ASK_APPLY_KEYS = 34182,    // "Wollen Sie die geänderte Tastenprogrammierung übernehmen ?"
    IDS_CONS_ASK_CLEAR_KEYS = 34183,    // "Warnung: Wollen Sie wirklich die Tastenzuordnung ..."
    IDS_CONS_NONE_TO_COPY = 34185,      // "Es sind keine Sprechstellen zum Kopieren vorhanden !"
    IDS_CONS_VERSION_1 = 34187,         // "Die Sprechstelle\n"
    IDS_CONS_VERSION_2 = 34188,         // " hat die SW-Version V"
    IDS_CONS_BAD_SCHEMA = 34189,        // "Falsche Schemanummer: ..."
    IDS_CONS_OLD_EXTENSION = 34190,     // "Sie laden ein File (Version < V0.955) ..."
    IDS_CONS_ASK_SAVE_SWITCH = 34191,   // "Warnung: Sie haben bei dieser Sprechstelle Eigenschaften verändert ! ..."
    IDS_CONS_NO_VERSION = 34160,        // "Versionsabfrage nicht möglich,da QUILLOMER nicht antwortet !"
    // The device answered the query with its "?": it refused it.
    IDS_CONS_VERSION_REFUSED = 34953,   // "Versionsabfrage nicht möglich, da QUILLOMER die Abfrage abgelehnt hat !"
    IDS_CONS_USERLEVEL_REFUSED = 34954, // "Userlevel-Abfrage nicht möglich, da QUILLOMER die Abfrage abgelehnt hat !"
    IDS_KEY_PROPS_CAPTION = 34153,      // "Tasteneigenschaften für Taste '"
    IDS_KEY_CURRENT_CHOICE = 34127,     // "Aktuelle Auswahl"
    IDS_CONS_AUX_WITH_EXT = 34287,      // "Warnung : AUX Taste bei Sprechstelle '%s' mit Erweiterung gefunden. ..."
    IDS_CONS_PTT_WITH_EXT = 34288,      // "Warnung : PTT Taste bei Sprechstelle '%s' mit Erweiterung gefunden. ..."
    IDS_CONS_EXT_USED_BY_2296 = 34289,  // "Der EXT-Anschluß wird schon von WRN2296 verwendet !"
    IDS_CONS_EXT_USED_BY_KEY = 34290,   // "Der EXT-Anschluß wird schon von einer PTT- oder AUX-Taste verwendet !"
    IDS_CONS_TOO_MANY_GROUPS = 34647,   // "Achtung: This console has too many Groups ! "
    IDS_CONS_KEY_VIEW = 34113,          // "Tastenansicht"
    IDS_CONS_TITLE_NAME = 32805,        // "Name"
    IDS_CONS_TITLE_ID = 34244,          // "ID"
    IDS_CONS_TITLE_TYPE = 32804,        // "Typ"
};
