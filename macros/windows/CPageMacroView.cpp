#include "macros/windows/CPageMacroView.h"

#include <QComboBox>
#include <QRadioButton>

#include "macros/CMacro.h"
#include "model/ObjectTypeCode.h"

CPageMacroView::CPageMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Audio-Routing : Eingang wird auf gewählte Linien/Gruppen durchgeschaltet\n"
                               "bzw. abgeschaltet")
{
    AddZones("Linien");
    m_priority = AddCombo(1165, "Priorität");
    m_prechime = AddCombo(1229, "Vorgong");
    AddPair("Durchsage EIN", "Durchsage AUS");
    m_input = AddCombo(1227, "Eingang");
    auto* addSub = AddRadio(1486, "ADD/SUB");
    auto* onOff = AddRadio(1485, "ON/OFF");
    OnSelect(m_input, [this](int) {
        const int position = m_input->currentIndex();
        ForBoth([position](CMacro& m) { m.SetParam(4, position); });
    });
    OnSelect(m_prechime, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(5, v); }); });
    OnSelect(m_priority, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(1, v); }); });
    for (QRadioButton* b : {addSub, onOff})
        connect(b, &QRadioButton::clicked, this, [this, onOff] {
            if (!IsFilling() && Macro())
                ApplyAddSubMode(onOff->isChecked() ? 0 : 1);
        });
}

void CPageMacroView::OnInitialUpdate()
{
    FillInputs(m_input);
    FillObjects(m_prechime, OT_CHIME_SIGNAL);
    FillPriority(m_priority, true);
    CMacro* macro = Macro();
    if (!macro)
        return;
    ShowPair();
    if (macro->GetParam(4) >= 0 && macro->GetParam(4) < m_input->count())
        m_input->setCurrentIndex(macro->GetParam(4));
    SelectPriority(m_priority, macro->GetParam(1));
    SelectData(m_prechime, macro->GetParam(5));
    findChild<QRadioButton*>(macro->GetParam(18) != 0 ? QStringLiteral("1486") : QStringLiteral("1485"))
        ->setChecked(true);
    ShowZones();
}
