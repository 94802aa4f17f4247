#include "macros/windows/CBuzzerMacroView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "macros/CMacro.h"

CBuzzerMacroView::CBuzzerMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Akustisches Signal auf der Sprechstelle konfigurieren")
{
    m_console = AddCombo(1721, "Sprechstelle");
    m_pattern = AddEdit(1499, "Zeichenmuster", "( max. 16 Zeichen)");
    m_step = AddEdit(1237, "Dauer pro Schritt", "s       (0=Piepser aus)");
    // The step time is typed as the digits after a fixed "0." that stands
    // right before the field, so that "0.[5]" reads as the half second it is.
    {
        int row = 0, column = 0, rows = 0, columns = 0;
        Grid()->getItemPosition(Grid()->indexOf(m_step), &row, &column, &rows, &columns);
        Grid()->removeWidget(m_step);
        auto* fraction = new QHBoxLayout;
        fraction->setSpacing(2);
        fraction->addWidget(new QLabel(QStringLiteral("0."), this));
        fraction->addWidget(m_step, 1);
        Grid()->addLayout(fraction, row, column);
    }
    m_repeat = AddEdit(1719, "Wiederholung", "(0=unendlich, 1 .. 255)");
    m_pause = AddEdit(1720, "Pause zwischen zwei Muster", "s (0 .. 255 s)");
    OnSelect(m_console, [this](int v) { Macro()->SetParam(38, v); });
    TextParamEdit(m_pattern, 13);
    // A text that holds no whole number leaves the parameter as it was.
    TypedNumberEdit(m_step, 39, true, false);
    TypedNumberEdit(m_repeat, 75, true, false);
    TypedNumberEdit(m_pause, 76, true, false);
}

void CBuzzerMacroView::OnInitialUpdate()
{
    FillConsoles(m_console);
    CMacro* macro = Macro();
    if (!macro)
        return;
    SelectData(m_console, macro->GetParam(38));
    m_pattern->setText(QString::fromStdString(macro->GetParamText(13)));
    m_step->setText(QString::fromStdString(macro->GetParamText(39)));
    m_pause->setText(QString::fromStdString(macro->GetParamText(76)));
    m_repeat->setText(QString::fromStdString(macro->GetParamText(75)));
}
