// Texts of the paging consoles, their keys and their windows.

#include "paging/ConsoleIds.h"
#include "platform/StringTable.h"

QL_STRING_TABLE({
    // Console models.
    {34000, "WRN2271"},
    {34001, "WRN2272"},
    {34002, "WRN2314"},
    {34003, "WRN2315"},
    {34004, "WRN2318"},
    {34005, "WRN2271X"},
    {34006, "WRN2272X"},
    {34007, "WRN2314X"},
    {34008, "WRN2315X"},
    {34009, "WRN2318X"},
    {34318, "WRN2316"},
    {34319, "WRN2316X"},
    {34566, "WRN2283"},
    // Key labels ("label@default value").
    {34064, "Löschen@"},
    {34065, "Alle@"},
    {34066, "On@28"},
    {34067, "Gong@0,4,80"},
    {34068, "Stop@2"},
    {34069, "Text@0,1,20"},
    {34070, "Programm@"},
    {34071, "Sprechen@-1,0,50"},
    {34072, "Alarm@0,1,90,UNPROT"},
    {34073, "Zusatztaste 2@"},
    {34074, "Zusatztaste 1@"},
    {34075, "PTT@-1,0,50"},
    {34076, "Aux@"},
    {34086, "Auswahl"},
    {34087, "Gesperrt"},
    {34089, "Makro"},
    // Messages.
    {34028, "Diese Sprechstelle kann nicht erzeugt werden !\nMöglicherweise ist zu wenig Speicher vorhanden !"},
    {34029, "Parser-Fehler !\n\rUnbekannte Parameterauswahl !"},
    {34059, "Sprechstellen Eigenschaften"},
    {34061, "WRN-Sprechstellen"},
    {34113, "Tastenansicht"},
    {34127, "Aktuelle Auswahl"},
    {34153, "Tasteneigenschaften für Taste '"},
    {34160, "Versionsabfrage nicht möglich,da QUILLOMER nicht antwortet !"},
    {34173, "Die Sprechstelle '%s' ist nicht angeschlossen !\nEs können deshalb keine Daten übertragen werden.\n"},
    {34174, "Die Gruppe %d gibt es im Arbeitsblatt nicht !\n"},
    {34175, "Warnung: Audiosignal für Taste %d ist nicht vorhanden !\n"},
    {34176, "Warnung: Linie oder Gruppe ist nicht vorhanden !"},
    {34177, "Warnung: 2.Makro nicht vorhanden !\n"},
    {34178, "Warnung:.Makro nicht vorhanden !\n"},
    {34179, "Warnung: Wollen Sie die geänderten Eigenschaften wirklich verwerfen ?\n"},
    {34181, "Userlevel-Abfrage nicht möglich,da QUILLOMER nicht antwortet !"},
    {IDS_CONS_VERSION_REFUSED, "Versionsabfrage nicht möglich, da QUILLOMER die Abfrage abgelehnt hat !"},
    {IDS_CONS_USERLEVEL_REFUSED, "Userlevel-Abfrage nicht möglich, da QUILLOMER die Abfrage abgelehnt hat !"},
    {34182, "Wollen Sie die geänderte Tastenprogrammierung übernehmen ?\n"},
    {34183, "Warnung: Wollen Sie wirklich die Tastenzuordnung\ndieser Sprechstelle vollständig löschen ?\n"},
    {34185, "Es sind keine Sprechstellen zum Kopieren vorhanden !\n"},
    {34187, "Die Sprechstelle\n"},
    {34188, " hat die SW-Version V"},
    {34189, "Falsche Schemanummer: Sprechstellendatenformat teilweise incorrect !\n"},
    {34190, "Sie laden ein File (Version < V0.955) , das eine Sprechstelle mit Erweiterung enthält (Typename + X). "
            "Diese Typen wurden jedoch in der Tastenansicht ohne WRN2296 angezeigt und wie Sprechstellen ohne "
            "Erweiterung behandelt !\r\n\nWenn Sie die Tastenprogrammierung dieser Sprechstellen übernehmen wollen, "
            "dann müssen Sie für die Sprechstelle '%s' zunächst eine neue Sprechstelle erzeugen und anschliessend die "
            "Tastenbelegung der '%s' auf die neue Sprechstelle kopieren !\r\n\n Danach können Sie die '%s' löschen !\n"},
    {34191, "Warnung: Sie haben bei dieser Sprechstelle Eigenschaften verändert !\nBeim Umschalten auf eine andere "
            "Sprechstelle gehen diese verloren.\n\nWollen Sie die Änderungen sichern ?\n"},
    {34287, "Warnung : AUX Taste bei Sprechstelle '%s' mit Erweiterung gefunden.\r\nAm EXT-Anschluß kann nur 1 Gerät "
            "angeschlossen werden !"},
    {34288, "Warnung : PTT Taste bei Sprechstelle '%s' mit Erweiterung gefunden.\r\nAm EXT-Anschluß kann nur 1 Gerät "
            "angeschlossen werden !"},
    {34289, "Der EXT-Anschluß wird schon von WRN2296 verwendet !"},
    {34290, "Der EXT-Anschluß wird schon von einer PTT- oder AUX-Taste verwendet !"},
    {34647, "Achtung: This console has too many Groups ! "},
});
