#include "macros/windows/CBackgroundMacroView.h"

CBackgroundMacroView::CBackgroundMacroView(QWidget* parent)
    : CSignalMacroView(parent, {"Hintergrundmusik auf gewählte Linien/Gruppen durchschalten bzw. abschalten\n"
                                "(Die Zuteilung wird an alle Sprechstellen übermittelt und dort angezeigt)",
                                0, nullptr, 0, "Programm EIN", "Programm AUS", false})
{
}
