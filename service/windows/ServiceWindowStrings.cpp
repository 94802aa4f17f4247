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
    {34524, "Nur im Online Modus möglich!"},
    {34525, "Keine Sprechstellen vorhanden!"},
    {34526, "Keine Verstärker vorhanden!"},
    {34527, "Keine LMZ Karten vorhanden!"},
    {32782, "Verstärker"},
    {34548, "Release"},
    {34549, "LMZ782"},
    {32841, "KVTConfiguration.txt"},
    {32842, "Wollen Sie die Konfiguration des KVTs neu auslesen ?\n\nJa     > Auslesen vom KVT (dauert einige Minuten)\nNein > Es wird versucht, eine bereits bestehende Konfigurationsdatei zu öffnen"},
    {32843, "Datei nicht gefunden !"},
    {33002, "Eigenschaften"},
    {34611, "Liniendaten uploaden\nLiniendaten uploaden"},
    {34618, "Linientest Eigenschaften\nLinientest Eigenschaften"},
});
