#pragma once
// String-table ids of the audio objects that code names. The numbers are the
// program's resource ids and must not change.

#include <cstdint>

namespace audioid {
enum : uint32_t {
    Label = 32830,               // "Label"
    Monitor = 33086,             // "Monitor"
    MiscAudioPath = 34079,       // "AUDIO"
    ParserError = 34029,         // "Parser-Fehler !\n\rUnbekannte Parameterauswahl !"
    BaseSignalMissing = 34155,   // "Basis-Signal '%s' %d nicht gefunden !"
    StartMacroMissing = 34156,   // "Audiosignal Parser : Startmacro  %d nicht gefunden !\n"
    StopMacroMissing = 34157,    // "Audiosignal Parser : Stopmacro  %d nicht gefunden !\n"
    NoEntry = 34421,             // "Kein Eintrag"
};
}
