#include "macros/windows/CSignalMacroView.h"

#include <QComboBox>
#include <QRadioButton>

#include "macros/CMacro.h"

CSignalMacroView::CSignalMacroView(QWidget* parent, const Form& form)
    : CMacroEditorView(parent, form.description), m_form(form)
{
    if (form.signalType != 0) {
        m_signal = AddCombo(1231, form.signalLabel);
        m_priority = AddCombo(1165, "Priorität");
        OnSelect(m_signal, [this](int v) { ForBoth([this, v](CMacro& m) { m.SetParam(m_form.signalParam, v); }); });
        OnSelect(m_priority, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(1, v); }); });
    }
    AddZones("Linien");
    AddPair(form.onLabel, form.offLabel);
    if (form.modeButtons) {
        m_addSub = AddRadio(1486, "ADD/SUB");
        m_onOff = AddRadio(1485, "ON/OFF");
        for (QRadioButton* b : {m_addSub, m_onOff})
            connect(b, &QRadioButton::clicked, this, [this] {
                if (!IsFilling() && Macro())
                    ApplyAddSubMode(m_onOff->isChecked() ? 0 : 1);
            });
    }
}

void CSignalMacroView::OnInitialUpdate()
{
    if (m_signal) {
        FillPriority(m_priority, true);
        FillObjects(m_signal, m_form.signalType);
    }
    CMacro* macro = Macro();
    if (!macro)
        return;
    ShowPair();
    if (m_signal) {
        SelectPriority(m_priority, macro->GetParam(1));
        SelectData(m_signal, macro->GetParam(m_form.signalParam));
    }
    ShowZones();
    if (m_onOff)
        (macro->GetParam(18) == 0 ? m_onOff : m_addSub)->setChecked(true);
}
