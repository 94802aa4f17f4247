#pragma once
// Command and string ids of the audio windows. The numbers are the program's
// resource ids and must not change.

namespace audiowinid {
enum : unsigned {
    // Monitor window command bar (429).
    MonitorUpload = 32944,    // "Monitoreintrag uploaden"
    MonitorDownload = 32945,  // "Monitoreintrag downloaden"
    MonitorLive = 32986,      // "Onlinedaten laden"
    NewEntry = 33145,         // "Neuen Monitoreintrag erzeugen"
    DeleteEntry = 33146,      // "Monitoreintrag löschen"
    DeleteRelay = 34478,      // "Monitorrelais löschen"
    NewRelay = 34479,         // "Neues Monitorrelais erzeugen"
    ExportList = 34624,       // "Liste exportieren"
    PrintList = 34625,        // "Liste drucken"
    // Pilot tone and power management command bars (528, 529).
    PilotUpload = 33170,      // "Pilottondaten uploaden"
    PowerDownload = 33171,    // "Powermanagementdaten downloaden"
    PowerUpload = 33172,      // "Powermanagementdaten uploaden"
    PilotDownload = 33175,    // "Pilottondaten downloaden"
};
}  // namespace audiowinid
