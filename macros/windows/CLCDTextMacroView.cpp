#include "macros/windows/CLCDTextMacroView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "macros/CMacro.h"

CLCDTextMacroView::CLCDTextMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Text-String an Sprechstelle übertragen und auf LCD anzeigen")
{
    m_console = AddCombo(1227, "Sprechstelle");
    m_text = AddEdit(1216, nullptr, "( max. 16 Zeichen)");
    m_line1 = AddRadio(1406, "Zeile 1");
    m_line2 = AddRadio(1407, "Zeile 2");
    m_time = AddEdit(1237, "Anzeigendauer", "s       (0=dauernd)");
    m_clear = AddCheck(1716, "andere Zeile löschen");
    m_sound = AddCheck(1718, "akustisches Signal bei Textanzeige");
    OnSelect(m_console, [this](int v) { Macro()->SetParam(38, v); });
    auto write = [this](int param, int value) {
        // The setter marks the project only when the value changes.
        if (CMacro* macro = Macro(); macro && !IsFilling())
            macro->SetParam(param, value);
    };
    connect(m_line1, &QRadioButton::clicked, this, [write] { write(20, 1); });
    connect(m_line2, &QRadioButton::clicked, this, [write] { write(20, 2); });
    connect(m_clear, &QCheckBox::toggled, this, [write](bool on) { write(71, on ? 1 : 0); });
    connect(m_sound, &QCheckBox::toggled, this, [write](bool on) { write(70, on ? 1 : 0); });
    TextParamEdit(m_text, 13);
    TypedNumberEdit(m_time, 39, true, true);
}

void CLCDTextMacroView::OnInitialUpdate()
{
    FillConsoles(m_console);
    CMacro* macro = Macro();
    if (!macro)
        return;
    SelectData(m_console, macro->GetParam(38));
    m_text->setText(QString::fromStdString(macro->GetParamText(13)));
    if (macro->GetParam(20) == 1)
        m_line1->setChecked(true);
    else if (macro->GetParam(20) == 2)
        m_line2->setChecked(true);
    m_time->setText(QString::fromStdString(macro->GetParamText(39)));
    m_clear->setChecked(macro->GetParam(71) != 0);
    m_sound->setChecked(macro->GetParam(70) != 0);
}
