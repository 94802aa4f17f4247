// Texts of the calendar and clock objects. Ids from 36100 on are this
// folder's own (texts without a known resource number).
#include "platform/StringTable.h"

QL_STRING_TABLE({
    {33088, "Kalender"},
    {34118, "Wochenprogramm"},
    {34119, "Tagesprogramm"},
    {34126, "Uhr"},
    {36101, "Montag"},
    {36102, "Dienstag"},
    {36103, "Mittwoch"},
    {36104, "Donnerstag"},
    {36105, "Freitag"},
    {36106, "Samstag"},
    {36107, "Sonntag"},
    {36108, "Wochentag"},
});
