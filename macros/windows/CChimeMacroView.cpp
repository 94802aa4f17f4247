#include "macros/windows/CChimeMacroView.h"

#include "model/ObjectTypeCode.h"

CChimeMacroView::CChimeMacroView(QWidget* parent)
    : CSignalMacroView(parent, {"Übertragen eines Gong-Signal in gewählte Linien/Gruppen", OT_CHIME_SIGNAL, "Gong",
                                33, "Gong EIN", "Gong AUS", false})
{
}
