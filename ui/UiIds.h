#pragma once
// Ids of the UI toolkit: its own texts, the kinds of the selection dialog and
// the commands that switch the feature-window host to a kind. The numbers are
// the program's resource ids and must not change.

#include <cstdint>

// Texts of the toolkit.
namespace uistr {
enum : uint32_t {
    NotUsed = 32788,       // "Nicht benutzt"
    Preferences = 32800,   // "Voreinstellungen"
    Name = 32805,          // "Name"
    Id = 34244,            // "ID"
    NoEntry = 34421,       // "Kein Eintrag": the none row
    NoEntryChoice = 34471, // "Kein Eintrag": the none row of value choices
    All = 34487,           // "Alle"
    BadDate = 34336,       // "Bitte geben Sie ein korrektes Datum ein !"
    BadTime = 35160,       // "Bitte geben Sie eine korrekte Uhrzeit ein !"
    Out1 = 33039,          // "OUT1" .. "OUT4": 33039 .. 33042
    Out2 = 33040,
    Out3 = 33041,
    Out4 = 33042,
};
}

// Kinds of the selection dialog: each is the string id of its title.
namespace selkind {
enum : int {
    LMZ763 = 32796,
    LMZ764 = 32797,
    Macro = 32806,
    LMZ775In = 32848,
    FaultTexts = 32954,        // "Fehlertexte"
    Output = 33021,
    Monitor = 33086,
    Console = 34063,
    Ready = 34093,
    Fault = 34094,
    DayProgram = 34119,
    Holiday = 34120,           // "Feiertagsprogramm"
    Appointment = 34121,       // "Ereignis"
    Condition = 34129,
    MemoFlag = 34130,
    LMZ771 = 34136,
    Chime = 34252,
    Alarm = 34253,
    Message = 34259,
    LMZ752 = 34262,
    ReadyInp = 34282,          // "READYINP"
    SlotIn = 34321,
    SlotOut = 34322,
    InterfaceIn = 34323,
    ConditionKind = 34325,     // "Bedingungsart"
    TalkKey = 34327,           // "Sprechen mit Taste"
    TalkInput = 34328,         // "Sprechen über  Audioeingang"
    SpareFault = 34357,        // "Havarie Fehler"
    AnalogCondition = 34358,
    CombineCondition = 34359,
    VirtCtrl = 34365,
    SpareAmp = 34370,          // "Havarieverstärker"
    AmpConfig = 34376,         // "Verstärker Konfiguration"
    WatchedChannel = 34383,    // "Überwachter Kanal oder READYINPUT"
    LMZ763Relay = 34384,
    LMZ764Relay = 34385,
    BusyCondition = 34449,     // "Eigenschaften von Aktiv Bedingungen"
    Combination = 34455,       // "Verknüpfung"
    BusyConditionObject = 34456,  // "Aktiv Bedingung"
    Zone = 34457,              // "Linien"
    LogicState = 34460,        // "Logikzustand"
    MacroType = 34462,         // "Makrotyp"
    AmpChannels = 34488,       // "Verstärkerkanäle"
    KvtSlots = 34503,          // "KVT Slots"
    RemoteAmp = 34504,         // "Remote-Verstärker"
    Address = 34550,           // "Addresse"
    LanGroup = 34575,          // "LAN Gruppe"
    Outputs = 34581,           // "Ausgänge"
    MacroMulti = 34591,        // "Makro Mehrfachauswahl"
    ReadyInputMulti = 34592,   // "READYINPUT Mehrfachauswahl"
    Ignore = 34600,            // "Ign."
    VirtCtrlMulti = 34627,     // "Mehrfach Virtuelle Konroller Auswahl"
};
}

// Commands that switch an open feature-window host to its kind.
namespace featurecmd {
enum : int {
    MonitorEntries = 32992,
    Macros = 32993,
    MemoFlag = 32994,
    Events = 32995,
    DayPrograms = 32997,
    Holidays = 32998,
    WeekProgram = 32999,
    Conditions = 33106,
    AnalogConditions = 33107,
    CombinedConditions = 33108,
    BusyConditions = 33109,
    Trigger = 33110,
    ReadyInputs = 33111,
    LogicStates = 33112,
    VirtCtrl = 33113,
    SpareAmps = 33114,
    Fault = 33157,
    Fuses = 33159,
    Pilot = 33162,
    Power = 33163,
    Recorder = 33164,
    Hardware = 34519,
    Volume = 34584,
    Clock = 34585,
    EventLogger = 34589,
    ZoneTest = 34590,
};
}
