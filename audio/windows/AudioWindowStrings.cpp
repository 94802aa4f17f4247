// The command texts of the audio windows' bars (menu text, then tool tip).
#include "platform/StringTable.h"

QL_STRING_TABLE({
    {32944, "Monitoreintrag uploaden\nMonitoreintrag uploaden"},
    {32945, "Monitoreintrag downloaden\nMonitoreintrag downloaden"},
    {32986, "Onlinedaten laden\nOnlinedaten laden"},
    {33145, "Neuen Monitoreintrag erzeugen\nNeuen Monitoreintrag erzeugen"},
    {33146, "Monitoreintrag löschen\nMonitoreintrag löschen"},
    {34478, "Monitorrelais löschen\nMonitorrelais löschen"},
    {34479, "Neues Monitorrelais erzeugen\nNeues Monitorrelais erzeugen"},
    {34624, "Liste exportieren\nListe exportieren"},
    {34625, "Liste drucken\nListe drucken"},
    {33170, "Pilottondaten uploaden\nPilottondaten uploaden"},
    {33171, "Powermanagementdaten downloaden\nPowermanagementdaten downloaden"},
    {33172, "Powermanagementdaten uploaden\nPowermanagementdaten uploaden"},
    {33175, "Pilottondaten downloaden\nPilottondaten downloaden"},
});
