#pragma once
// Command ids of the service windows' bars. The numbers are the program's
// resource ids and must not change.

namespace servicewinid {
enum : unsigned {
    // Event log window (command bar 541).
    EventMasksUpload = 34612,    // "Protokollierungseinstellungen uploaden"
    EventMasksDownload = 34613,  // "Protokollierungseinstellungen downloaden"
    TogglePage = 34643,          // "Ansicht wechseln"
    // Fault window (command bar 518).
    FaultDownload = 34500,       // "FAULT Einstellungen downloaden"
    FaultUpload = 34501,         // "FAULT Einstellungen uploaden"
    // Fuse window (command bar 527).
    FuseUpload = 33173,          // "Sicherungsdaten uploaden"
    FuseDownload = 33174,        // "Sicherungsdaten downloaden"
    // Hardware window (command bar 524).
    ScanConsoles = 34520,        // "Sprechstellen"
    ScanSlots = 34521,           // "KVT Slots"
    ScanAmplifiers = 34522,      // "Verstärker"
    ScanCards = 34523,           // "LMZ Karten"
};

// Texts of the hardware tree.
enum : unsigned {
    StrName = 32805,            // "Name"
    StrType = 32804,            // "Typ"
    StrRelease = 34548,         // "Release"
    StrAmplifier = 32782,       // "Verstärker"
    StrConsole = 34063,         // "Sprechstelle"
    StrCard = 34262,            // "LMZ752"
    StrLMZ763 = 32796,
    StrLMZ764 = 32797,
    StrLMZ771 = 34136,
    StrLMZ775 = 34263,
    StrLMZ782 = 34549,
    StrOnlineOnly = 34524,      // "Nur im Online Modus möglich!"
    StrNoConsoles = 34525,      // "Keine Sprechstellen vorhanden!"
    StrNoAmplifiers = 34526,    // "Keine Verstärker vorhanden!"
    StrNoCards = 34527,         // "Keine LMZ Karten vorhanden!"
};
}  // namespace servicewinid
