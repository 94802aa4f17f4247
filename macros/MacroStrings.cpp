// Texts of the macro block.
#include "platform/StringTable.h"

QL_STRING_TABLE({
    {32806, "Makro"},
    {34463, "Makroobjekt"},
    {34464, "/MACRO"},
});
