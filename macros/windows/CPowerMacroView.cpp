#include "macros/windows/CPowerMacroView.h"

#include <QComboBox>

#include "macros/CMacro.h"
#include "model/ObjectTypeCode.h"

CPowerMacroView::CPowerMacroView(QWidget* parent) : CMacroEditorView(parent, "Ein- und ausschalten der Anlage")
{
    m_priority = AddCombo(1165, "Einschaltpriorität :");
    m_powerOn = AddCombo(1040, "POWER ON");
    m_powerOff = AddCombo(1398, "POWER OFF");
    AddPair("EIN", "AUS");
    OnSelect(m_priority, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(1, v); }); });
    OnSelect(m_powerOn, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(27, v); }); });
    OnSelect(m_powerOff, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(28, v); }); });
}

void CPowerMacroView::OnInitialUpdate()
{
    FillObjects(m_powerOn, OT_MACRO);
    FillObjects(m_powerOff, OT_MACRO);
    FillPriority(m_priority, false);
    CMacro* macro = Macro();
    if (!macro)
        return;
    ShowPair();
    SelectData(m_powerOn, macro->GetParam(27));
    SelectData(m_powerOff, macro->GetParam(28));
    SelectPriority(m_priority, macro->GetParam(1));
}
