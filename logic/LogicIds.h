#pragma once
// Ids of the control-logic objects: their kinds and the texts their lists and
// protocol use. The numbers are the program's resource ids and must not change.

#include <cstdint>

namespace logicid {
enum : uint32_t {
    // Kinds of the condition tables' entries.
    AnalogKind = 34358,   // "Bereichsprüfung"
    BusyKind = 34456,     // "Aktiv Bedingung"
    CombineKind = 34359,  // "Verknüpfung"
    ConditionKind = 34129,  // "Bedingung"
    ReadyInputKind = 34282,  // "READYINP"
    FaultInputKind = 34297,  // "FAULTINP"

    // Column titles and texts.
    TitleName = 32805,       // "Name"
    TitleId = 34244,         // "ID"
    Lmz775Input = 32848,     // "LMZ775 Eingang"
    TitleMinimum = 34425,    // "Minimum"
    TitleMaximum = 34426,    // "Maximum"
    TitleAudio = 34077,      // "Audio"
    TitleOutput = 33021,     // "Output"
    TitleZones = 34457,      // "Linien"
    TitleFull = 34458,       // "Übereinstimmung"
    TitlePriority = 34459,   // "ab Priorität [0..10]"
    TitleLogic = 34455,      // "Verknüpfung"
    TitleInvert = 34454,     // "Inv."
    TextZone = 32802,        // "Linie"
    TextNoEntry = 34471,     // "Kein Eintrag"
    TextAll = 34487,         // "Alle"
    TextNot = 34467,         // "NOT"
    TextBlank = 34242,       // " "
    TextOn = 34477,          // "ON"
    TextOff = 34235,         // "OFF" (also the logic "OFF")
    LogicAnd = 34468,        // "AND"
    LogicOr = 34469,         // "OR"
    LogicXor = 34470,        // "XOR"
    Chime = 34252,           // "Gong"
    Message = 34259,         // "Textwiedergabe"
    Page1 = 34472,           // "Durchsage 1" (.. 34475 "Durchsage 4")
    Background = 34476,      // "Hintergrundprogramm"
    Alarm = 34253,           // "Alarm"
    Out1 = 33039,            // "OUT1" (.. 33042 "OUT4")
    NoFunction = 34421,      // "Kein Eintrag" (the condition kind)
    // Column titles of the trigger, logic-output and ready-input lists.
    TitleCondition = 34129,  // "Bedingung"
    TitleTime = 34232,       // "Zeit"
    TitleOnMacro = 36466,    // "ON Makro"
    TitleOffMacro = 36467,   // "OFF Makro"
    TitleLevel = 34243,      // "Pegel"
    TitleMasked = 36477,     // "Maskiert"
    TitleNumber = 36478,     // "Nr"
};
}  // namespace logicid
