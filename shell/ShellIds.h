#pragma once
// Command, resource and control ids of the application shell. The numbers are
// the program's own resource ids; other windows and the device link use the
// same numbers, so they must not change.

#include <cstdint>

namespace ids {

// Framework commands.
enum : int {
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrintSetup = 57606,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FileMruFirst = 57616,          // four recent files: 57616 .. 57619
    EditCopy = 57634,
    EditCut = 57635,
    EditPaste = 57637,
    WindowArrange = 57649,
    WindowCascade = 57650,
    WindowTileHorz = 57651,
    AppAbout = 57664,
    AppExit = 57665,
    HelpIndex = 57666,
    HelpFinder = 57667,
    ViewToolBar = 59392,
    ViewStatusBar = 59393,
};

// Program commands.
enum : int {
    Connect = 32771,
    Disconnect = 32772,
    LoadFirmware = 32774,
    ComPort1 = 32775,              // "COM &1" .. "COM &4": 32775 .. 32778
    ComPort4 = 32778,
    ComModem = 32779,              // the modem entry of the port menu
    // The serial devices offered for the chosen COM port: 34960 .. 34975.
    ComDeviceFirst = 34960,
    ComDeviceCount = 16,
    ZoomOut = 32780,
    ZoomIn = 32781,
    ConnectModem = 32783,
    Preferences = 32800,
    ProtocolMonitor = 32832,
    LoadParameters = 32834,
    SaveDeviceSettings = 32852,
    SystemConfiguration = 32859,
    SendConfigFile = 32860,
    Fuses = 32868,
    Service = 32870,
    Monitor = 32872,
    ZoomBar = 32875,
    ProjectData = 32876,
    NetScan = 32892,
    Password = 32911,
    LanguageGerman = 32919,        // German menus: "Deutsch", checked, no action
    LanguageEnglish = 32920,       // German menus: "Englisch", switches to English
    LanguageToGerman = 32921,      // English menus: "German", switches to German
    LanguageEnglishChecked = 32922,// English menus: "English", checked, no action
    Connections = 32928,
    ClearSettings = 32942,
    EditTextFile = 32946,
    DeleteLogFile = 34619,
    DeleteEventFile = 34620,
    ExportWorksheet = 34648,
    ObjectCommandFirst = 33000,    // commands of the hot object: 33000 .. 33333
    ObjectCommandLast = 33333,
    ObjectDelete = 33001,
};

// Context-menu commands of zones, LAN groups and the list windows' objects.
enum : int {
    ZoneProperties = 33005,        // "&Eigenschaften ..."
    AddLanGroup = 33178,           // "Neue LAN Gruppe hinzufügen"
    ObjectDownload = 33179,        // "Download"
    ObjectUpload = 33180,          // "Upload"
    ChangeLanId = 33182,           // "ID ändern"
};

// Status bar.
enum : int {
    IndicatorConnection = 59143,
    IndicatorCaps = 59137,
    IndicatorNum = 59138,
    IndicatorScrl = 59139,
};

// Zoom tool bar combo box.
enum : int { ZoomCombo = 130 };

// Label edit control.
enum : int { LabelEdit = 133 };

// Bitmaps of the main window.
enum : int { BmpBackgroundPicture = 213, BmpBackgroundMask = 393, BmpBarTile = 391, BmpClientTile = 402 };
// The program's icon.
enum : int { ProgramIcon = 128 };

// Strings.
enum : int {
    StrLanguageHint = 34337,
    StrMonitorCaption = 34583,
    StrPreviewCaption = 34389,
    StrBadDate = 34336,
    StrVariantInfo = 34531,
    StrPreferencesCaption = 32800,
};

// Titles of the printed macro blocks, one per macro type. The printed list
// names the blocks in the plural ("Alarme"), unlike the macro types' own names
// ("Alarm"), so the titles have ids of their own.
enum : uint32_t {
    StrPrintBackground = 34930,    // "Programmzuteilungen"
    StrPrintPage = 34931,          // "Durchsagen"
    StrPrintChime = 34932,         // "Gongsignale"
    StrPrintAlarm = 34933,         // "Alarme"
    StrPrintLogicOut = 34934,      // "Logikausgänge"
    StrPrintVolume = 34935,        // "Lautstärkesteller"
    StrPrintMonitor = 34936,       // "Monitor-Umschalter"
    StrPrintAuxSelect = 34937,     // "AUX-Umschalter"
    StrPrintLcdText = 34938,       // "LCD-Textausgaben"
    StrPrintSequence = 34939,      // "Sequenzen"
    StrPrintMessage = 34940,       // "Textdurchsagen"
    StrPrintMemoFlag = 34941,      // "Memo-Flags"
    StrPrintPower = 34942,         // "Betriebsspannungen"
    StrPrintVirtCtrl = 34943,      // "Virtuelle Controller"
    StrPrintStop = 34944,          // "Stop Makro"
    StrPrintAmp = 34945,           // "Verstärkerversorgung"
    StrPrintAmpMute = 34946,       // "Verstärkerstummschaltung"
};

}  // namespace ids
