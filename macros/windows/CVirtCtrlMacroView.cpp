#include "macros/windows/CVirtCtrlMacroView.h"

#include <QComboBox>
#include <QLineEdit>

#include "macros/CMacro.h"
#include "model/ObjectTypeCode.h"
#include "ui/CTextGuard.h"

CVirtCtrlMacroView::CVirtCtrlMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Stellen eines virtuellen Controllers")
{
    m_controller = AddCombo(1497, "VC");
    m_value = AddEdit(1498, "Wert");
    m_unit = AddEdit(1500, "Einheit");
    m_text = AddEdit(1499, "Text");
    m_steps = AddEdit(1004, "Schritte", "( 0: absolut,\n-127..-1: dekrement, +1..+127 inkrement)");
    m_digits = AddEdit(1502, "Nachkommastellen");
    OnSelect(m_controller, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(37, v); }); });
    // Each edit commits when it loses the focus, shows what the macro kept
    // and hands that on to the counterpart. A text without a number changes
    // nothing: the edit shows again what the macro holds.
    OnCommit(m_digits, [this] {
        const auto v = ReadInt(m_digits->text());
        if (!v) {
            m_digits->setText(QString::fromStdString(Macro()->GetParamText(15)));
            return;
        }
        Macro()->SetParam(15, *v);
        const int kept = Macro()->GetParam(15);
        m_digits->setText(QString::number(kept));
        if (CMacro* other = Counterpart())
            other->SetParam(15, kept);
    });
    OnCommit(m_steps, [this] {
        const auto v = ReadInt(m_steps->text());
        if (!v) {
            m_steps->setText(QString::fromStdString(Macro()->GetParamText(11)));
            return;
        }
        Macro()->SetParam(11, *v);
        const int shown = Macro()->GetParam(11);
        m_steps->setText(QString::number(shown));
        if (CMacro* other = Counterpart())
            other->SetParam(11, shown);
    });
    auto text = [this](QLineEdit* edit, int param) {
        CTextGuard::Guard(edit);
        OnCommit(edit, [this, edit, param] {
            Macro()->SetParamText(param, edit->text().toStdString());
            const std::string kept = Macro()->GetParamText(param);
            edit->setText(QString::fromStdString(kept));
            if (CMacro* other = Counterpart())
                other->SetParamText(param, kept);
        });
    };
    text(m_text, 13);
    text(m_unit, 14);
    OnCommit(m_value, [this] {
        const auto v = ReadFloat(m_value->text());
        if (!v) {
            m_value->setText(QString::fromStdString(Macro()->GetParamText(36)));
            return;
        }
        Macro()->SetParamFloat(36, *v);
        const float kept = Macro()->GetParamFloat(36);
        m_value->setText(QString::fromStdString(Macro()->GetParamText(36)));
        if (CMacro* other = Counterpart())
            other->SetParamFloat(36, kept);
    });
}

void CVirtCtrlMacroView::OnInitialUpdate()
{
    FillObjects(m_controller, OT_VIRT_CTRL_ITEM);
    CMacro* macro = Macro();
    if (!macro)
        return;
    SelectData(m_controller, macro->GetParam(37));
    m_steps->setText(QString::fromStdString(macro->GetParamText(11)));
    m_value->setText(QString::fromStdString(macro->GetParamText(36)));
    m_text->setText(QString::fromStdString(macro->GetParamText(13)));
    m_unit->setText(QString::fromStdString(macro->GetParamText(14)));
    m_digits->setText(QString::fromStdString(macro->GetParamText(15)));
}
