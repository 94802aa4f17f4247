// Texts of the groups, collective calls and the console node.

#include "platform/StringTable.h"

QL_STRING_TABLE({
    {34192, "Sie können keine weitere Gruppenebene hinzufügen !"},
    {33091, "Sammelruf"},
});
