// Texts of the macro block.
#include "macros/MacroIds.h"
#include "platform/StringTable.h"

QL_STRING_TABLE({
    {32806, "Makro"},
    {34463, "Makroobjekt"},
    {34464, "/MACRO"},
    {IDS_MACRO_ABOVE_LIMIT, "%d Makros haben eine Nummer über %d: das Gerät nimmt sie nicht an,\n"
                            "sie werden nicht übertragen !"},
});
