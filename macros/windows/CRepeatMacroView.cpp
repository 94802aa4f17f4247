#include "macros/windows/CRepeatMacroView.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

#include "macros/CMacro.h"
#include "model/ObjectTypeCode.h"

CRepeatMacroView::CRepeatMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Makro in Abhängigkeit einer Bedingung wiederholen")
{
    m_interval = AddEdit(1195, "Zeitintervall", "s ( 0 .. 300 s )");
    m_macro = AddCombo(1545, "Makro");
    m_count = AddEdit(1261, "Wiederholungszähler", "( 1..65536; 0 unendlich )");
    m_condition = AddCombo(1546, "Bedingung");
    OnSelect(m_macro, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(67, v); }); });
    OnSelect(m_condition, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(25, v); }); });
    // A value out of range is limited and shown limited.
    auto limited = [this](QLineEdit* edit, int param, int max) {
        OnCommit(edit, [this, edit, param, max] {
            const auto v = ReadInt(edit->text());
            if (!v) {
                // Nothing to take: the edit shows what the macro holds.
                edit->setText(QString::fromStdString(Macro()->GetParamText(param)));
                return;
            }
            const int value = std::clamp(*v, 0, max);
            if (value != *v)
                edit->setText(QString::number(value));
            ForBoth([&](CMacro& m) { m.SetParam(param, value); });
        });
    };
    limited(m_interval, 39, CMacro::kMaxRepeatInterval);
    limited(m_count, 68, CMacro::kMaxRepeatCount);
}

void CRepeatMacroView::OnInitialUpdate()
{
    FillObjects(m_macro, OT_MACRO);
    FillObjects(m_condition, OT_CONDITION);
    CMacro* macro = Macro();
    if (!macro)
        return;
    SelectData(m_macro, macro->GetParam(67));
    SelectData(m_condition, macro->GetParam(25));
    m_interval->setText(QString::fromStdString(macro->GetParamText(39)));
    m_count->setText(QString::fromStdString(macro->GetParamText(68)));
}
