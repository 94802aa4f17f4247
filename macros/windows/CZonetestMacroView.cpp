#include "macros/windows/CZonetestMacroView.h"

#include <QRadioButton>

#include "macros/CMacro.h"

CZonetestMacroView::CZonetestMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Auslösen bzw. Beenden einer Impedanz- oder einer Linienmessung")
{
    AddZones("Linien");
    m_end = AddRadio(1005, "Messungen beenden");
    m_line = AddRadio(1701, "Linienmessung");
    m_impedance = AddRadio(1702, "Impedanzmessung");
    auto mode = [this](QRadioButton* b, int test) {
        connect(b, &QRadioButton::clicked, this, [this, test] {
            CMacro* macro = Macro();
            if (IsFilling() || !macro)
                return;
            if (test >= 0)
                macro->SetParam(72, test);
            macro->SetParam(3, test >= 0 ? 1 : 0);
        });
    };
    mode(m_end, -1);
    mode(m_line, 1);
    mode(m_impedance, 0);
}

void CZonetestMacroView::OnInitialUpdate()
{
    CMacro* macro = Macro();
    if (!macro)
        return;
    if (macro->GetParam(3) == 0)
        m_end->setChecked(true);
    else
        (macro->GetParam(72) != 0 ? m_line : m_impedance)->setChecked(true);
    ShowZones();
}
