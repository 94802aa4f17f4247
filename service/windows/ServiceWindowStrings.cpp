// The command texts of the service windows' bars (menu text, then tool tip).
#include "platform/StringTable.h"

QL_STRING_TABLE({
    {34612, "Protokollierungseinstellungen uploaden\nProtokollierungseinstellungen uploaden"},
    {34613, "Protokollierungseinstellungen downloaden\nProtokollierungseinstellungen downloaden"},
    {34643, "Ansicht wechseln\nAnsicht wechseln"},
    {34500, "FAULT Einstellungen downloaden\nFAULT Einstellungen downloaden"},
    {34501, "FAULT Einstellungen uploaden\nFAULT Einstellungen uploaden"},
    {33173, "Sicherungsdaten uploaden\nSicherungsdaten uploaden"},
    {33174, "Sicherungsdaten downloaden\nSicherungsdaten downloaden"},
    {34520, "Sprechstellen\nSprechstellen"},
    {34521, "KVT Slots\nKVT Slots"},
    {34522, "Verstärker\nVerstärker"},
    {34523, "LMZ Karten\nLMZ Karten"},
});
