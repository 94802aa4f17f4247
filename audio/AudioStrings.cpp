// Texts of the audio objects.

#include "platform/StringTable.h"

QL_STRING_TABLE({
    {32807, "Alarm"},
    {32808, "Gong"},
    {32821, "Gemeinsame Audio Parameter"},
    {32822, "Alarm"},
    {32823, "Gong"},
    {32824, "Text"},
    {32830, "Label"},
    {33086, "Monitor"},
    {34029, "Parser-Fehler !\n\rUnbekannte Parameterauswahl !"},
    {34079, "AUDIO"},
    {34110, "/MONI"},
    {34155, "Basis-Signal '%s' %d nicht gefunden !"},
    {34156, "Audiosignal Parser : Startmacro  %d nicht gefunden !\n"},
    {34157, "Audiosignal Parser : Stopmacro  %d nicht gefunden !\n"},
    {34259, "Textwiedergabe"},
    {34421, "Kein Eintrag"},
    {34538, "Text"},
    {34555, "Interner Messagerekorder"},
    {34556, "Interner Pilottongenerator"},
    {34557, "Internes Powermanagement"},
    {34559, "/PILOT"},
    {34560, "/POWER"},
});
