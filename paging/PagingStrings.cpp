// Texts of zones, groups, LAN groups, collective calls, relays and the console node.

#include "platform/StringTable.h"

QL_STRING_TABLE({
    {34192, "Sie können keine weitere Gruppenebene hinzufügen !"},
    {33091, "Sammelruf"},
    {32826, "Linienrelais"},
    {32827, "Pflichtrelais"},
    {32828, "Kontrollrelais"},
    {34012, "Linien"},
    {34309, "Audioausgänge für Linie %s stimmen nicht überein! (%s -> %s)!"},
    {34310, "Linienrelais für Linie %s stimmen nicht überein (%s -> %s)!"},
    {34311, "Pflichtrelais für Linie %s stimmt nicht überein (%s -> %s)!"},
    {34312, "Pflichtrelaistyp für Linie %s stimmt nicht überein (%s -> %s)!"},
    {34313, "Kontrollrelais für Linie %s stimmt nicht überein (%s -> %s)!"},
    {34314, "Kontrollrelaistyp für Linie %s stimmt nicht überein (%s -> %s)!"},
    {34576, "Fehler bei LAN Gruppe"},
    {34499, "fehlt"},
    {34221, "Linie %d im Arbeitsblatt nicht vorhanden !"},
    {34601, "+ Tol."},
    {34602, "- Tol."},
    {34609, "Spannungsfehler"},
    {34610, "Stromfehler"},
    {34180, "Die Karte kann erst gelöscht werden, wenn sie nicht\nmehr benutzt wird!"},
    {34378, "Objekt kann nicht eingefügt werden!"},
    {34700, "Keine freie Relaisnummer mehr: das Relais wird auf keine Karte gesetzt!"},
});
