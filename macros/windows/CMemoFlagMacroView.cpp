#include "macros/windows/CMemoFlagMacroView.h"

#include <QComboBox>
#include <QRadioButton>

#include "macros/CMacro.h"
#include "model/ObjectTypeCode.h"

CMemoFlagMacroView::CMemoFlagMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Setzen/Rücksetzen des Zustands für ein Memo Flag")
{
    m_true = AddRadio(1410, "TRUE");
    m_false = AddRadio(1411, "FALSE");
    m_flag = AddCombo(1235, "Memo Flag");
    OnSelect(m_flag, [this](int v) {
        Macro()->SetParam(40, v);
        // The counterpart no longer names this macro as its partner.
        if (CMacro* other = Counterpart())
            other->SetParam(31, 0);
    });
    connect(m_true, &QRadioButton::clicked, this, [this] {
        if (CMacro* macro = Macro(); macro && !IsFilling()) {
            macro->SetParam(22, 1);
            Modified();
        }
    });
    connect(m_false, &QRadioButton::clicked, this, [this] {
        if (CMacro* macro = Macro(); macro && !IsFilling()) {
            macro->SetParam(22, 0);
            Modified();
        }
    });
}

void CMemoFlagMacroView::OnInitialUpdate()
{
    FillObjects(m_flag, OT_MEMO_FLAG);
    CMacro* macro = Macro();
    if (!macro)
        return;
    (macro->GetParam(22) == 1 ? m_true : m_false)->setChecked(true);
    SelectData(m_flag, macro->GetParam(40));
}
