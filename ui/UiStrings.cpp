// Texts of the toolkit's string table (German source texts).
#include "platform/StringTable.h"

QL_STRING_TABLE({
    {106, "Einstellungen übertragen"},
    {115, "Textfile senden"},
    {117, "'Netscan'  durchführen"},
    {34137, "Netscan"},
    {34362, "Verbinden"},
    {32800, "Voreinstellungen"},
    {34336, "Bitte geben Sie ein korrektes Datum ein !"},
    {35160, "Bitte geben Sie eine korrekte Uhrzeit ein !"},
});
