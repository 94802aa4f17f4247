#include "macros/windows/CStopMacroView.h"

#include <QComboBox>

#include "macros/CMacro.h"

CStopMacroView::CStopMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Beendet alle Makros mit niedrigerer Priorität")
{
    m_priority = AddCombo(1165, "Priorität");
    OnSelect(m_priority, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(1, v); }); });
}

void CStopMacroView::OnInitialUpdate()
{
    FillPriority(m_priority, true);
    if (CMacro* macro = Macro())
        SelectPriority(m_priority, macro->GetParam(1));
}
