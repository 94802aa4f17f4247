// A sample tree for the translation check: one window text and one
// string-table text have their English text, one of each has none.
#include <QCoreApplication>

#include "platform/StringTable.h"

QL_STRING_TABLE({{1, "Übersetzt"}, {2, "Vergessen"}});

QString Texts()
{
    return QCoreApplication::translate("Sample", "Fertig") + QCoreApplication::translate("Sample", "Offen");
}
