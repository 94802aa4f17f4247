// Texts of the device link's own messages.
#include "comm/CommStrings.h"

#include "platform/StringTable.h"

QL_STRING_TABLE({
    {IDS_DOWNLOAD_INCOMPLETE,
     "Der Download wurde nicht vollständig ausgeführt ! Die Konfiguration im QUILLOMER ist unvollständig."},
    {IDS_LOCK_RELEASE_NOT_SENT,
     "Die Freigabe der Makrosperre (\"/MACRO/LOCK OFF\") und das Speichern (\"/SERVICE/START FASTSAVE\") konnten "
     "nicht gesendet werden: die Makros des QUILLOMER bleiben gesperrt und seine Einstellungen sind nicht gespeichert."},
    {IDS_LOCK_RELEASE_UNREAD,
     "Die Freigabe der Makrosperre (\"/MACRO/LOCK OFF\") und das Speichern (\"/SERVICE/START FASTSAVE\") wurden "
     "gesendet, aber von QUILLOMER nicht gelesen: die Makros des QUILLOMER bleiben gesperrt und seine Einstellungen "
     "sind nicht gespeichert."},
    {IDS_LOCK_RELEASE_ONLY_UNREAD,
     "Die Freigabe der Makrosperre (\"/MACRO/LOCK OFF\") wurde gesendet, aber von QUILLOMER nicht gelesen: die "
     "Makros des QUILLOMER bleiben gesperrt."},
    {IDS_LOCK_RELEASE_HELD,
     "Die Freigabe der Makrosperre (\"/MACRO/LOCK OFF\") und das Speichern (\"/SERVICE/START FASTSAVE\") konnten "
     "noch nicht gesendet werden, weil QUILLOMER die Übertragung anhält; sie folgen, sobald QUILLOMER sie annimmt."},
    {IDS_UPLOAD_UNANSWERED, "QUILLOMER antwortet nicht mehr: %d von %d Abfragen blieben unbeantwortet."},
    {IDS_TRANSFER_LINE_LOST, "Die Verbindung zu QUILLOMER wurde während der Übertragung unterbrochen."},
    {IDS_UPLOAD_INCOMPLETE,
     "Upload unvollständig ! Die '*.err' Datei enthält nur die Unterschiede der beantworteten Werte."},
    {IDS_DOWNLOAD_NO_ECHO,
     "QUILLOMER antwortet nicht mehr: %d Sekunden lang kam keine der gesendeten Zeilen zurück."},
    {IDS_TRANSFER_CANCELLED, "Die Übertragung wurde abgebrochen."},
    {IDS_TRANSFER_REACHED, "Übertragen bis: Parameter: [%s], Schritt %d von %d."},
    {IDS_SAVE_INCOMPLETE_ASK,
     "Ein Download wurde nicht vollständig ausgeführt: die Konfiguration im QUILLOMER ist unvollständig und nicht "
     "gespeichert.\nSoll sie beim Trennen trotzdem im QUILLOMER gespeichert werden (\"/SERVICE/START FASTSAVE\") ?"},
    {IDS_EXPORT_NOT_WRITTEN, "Der Export ist fehlgeschlagen !"},
    {IDS_ONLINE_ONLY, "Nur im Online Modus möglich!"},
    {IDS_TEXTFILE_LINES_LEFT_OUT,
     "Die Datei '%s' enthält Zeilen mit Zeichen, die QUILLOMER nicht annehmen kann. Diese Zeilen werden "
     "ausgelassen:\n\n%s\nMit den übrigen Zeilen fortfahren ?\n(Nein: Der Vorgang wird abgebrochen.)"},
    {IDS_TEXTFILE_LINE_LACKS, "Zeile %d: %s   (Zeichen: %s)"},
    {IDS_TEXTFILE_MORE_LINES, "... und %d weitere Zeilen"},
});
