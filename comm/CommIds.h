#pragma once
// Command ids of the device menu ("Kommunikation") that the device link
// handles, and the control id of its serial control. The numbers are the
// program's resource ids and must not change.

namespace commid {
enum : int {
    Connect = 32771,            // "&Verbinden" / "&Trennen"
    Disconnect = 32772,
    LoadFirmware = 32774,       // "&Betriebssystem laden..."
    ComPort1 = 32775,           // "COM &1" .. "COM &4": 32775 .. 32778
    ComPort4 = 32778,
    ComControl = 32779,         // the serial control; the modem entry of the port menu
    ConnectModem = 32783,
    ProtocolMonitor = 32832,    // "Protokoll&monitor" (the main frame's)
    TransferParameters = 32834, // "&Parameter laden..."
    SaveDeviceSettings = 32852,
    SystemConfiguration = 32859,  // "&Systemkonfiguration ..."
    SendConfigFile = 32860,     // "Konfigurationsdatei senden..."
    NetScan = 32892,            // "&Netscan"
    Password = 32911,           // "Passwortschutz..."
    ClearSettings = 32942,      // "&Alle Einstellungen löschen"
    ExportWorksheet = 34648,    // "Exportieren ..."
    StatusPane = 59143,         // connection pane of the status bar
};
}  // namespace commid
