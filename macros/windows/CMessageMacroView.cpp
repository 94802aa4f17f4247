#include "macros/windows/CMessageMacroView.h"

#include <QComboBox>
#include <QRadioButton>

#include "macros/CMacro.h"
#include "model/ObjectTypeCode.h"

CMessageMacroView::CMessageMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Sprachwiedergabe in gewählte Linien / Gruppen durchschalten bzw. abschalten")
{
    AddZones("Linien");
    m_priority = AddCombo(1165, "Priorität");
    AddPair("Message ein", "Message aus");
    m_message = AddCombo(1231, "Message");
    auto* addSub = AddRadio(1486, "ADD/SUB");
    auto* onOff = AddRadio(1485, "ON/OFF");
    OnSelect(m_message, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(34, v); }); });
    OnSelect(m_priority, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(1, v); }); });
    for (QRadioButton* b : {addSub, onOff})
        connect(b, &QRadioButton::clicked, this, [this, onOff] {
            if (!IsFilling() && Macro())
                ApplyAddSubMode(onOff->isChecked() ? 0 : 1);
        });
}

void CMessageMacroView::OnInitialUpdate()
{
    FillPriority(m_priority, true);
    FillObjects(m_message, OT_MESSAGE_SIGNAL);
    CMacro* macro = Macro();
    if (!macro)
        return;
    ShowPair();
    SelectPriority(m_priority, macro->GetParam(1));
    SelectData(m_message, macro->GetParam(34));
    findChild<QRadioButton*>(macro->GetParam(18) != 0 ? QStringLiteral("1486") : QStringLiteral("1485"))
        ->setChecked(true);
    ShowZones();
}
