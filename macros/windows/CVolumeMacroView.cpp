#include "macros/windows/CVolumeMacroView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>

#include "macros/CMacro.h"
#include "ui/CSpinArrows.h"

CVolumeMacroView::CVolumeMacroView(QWidget* parent)
    : CMacroEditorView(parent,
                       "Einstellen / Verändern eines Lautstärkewertes\n"
                       "Bei DIREKT wird ein Lautstärkewert in dB übertragen\n"
                       "Bei REGLER wird der Lautstärkesteller um den spezifizierten Wert verändert "
                       "(inkrementiert/dekrementiert)")
{
    m_value = AddEdit(1234, nullptr, "dB");
    m_arrows = new CSpinArrows(this);
    m_arrows->setObjectName(QStringLiteral("111"));
    // The arrows are as tall as the value beside them, however tall the
    // parameter box is.
    m_arrows->setFixedHeight(m_value->sizeHint().height());
    Grid()->addWidget(m_arrows, 0, 3, Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_arrows->Up(), &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_arrows->Down(), &QToolButton::clicked, this, [this] { Step(-1); });
    AddPair("Inkrement / Absolut", "Dekrement / Absolut");
    m_controller = AddCombo(1233, "Lautstärkesteller");
    m_regler = AddRadio(1396, "Regler");
    m_direct = AddRadio(32856, "Direkt");
    OnSelect(m_controller, [this](int) {
        const std::string text = m_controller->currentText().toStdString();
        ForBoth([&](CMacro& m) { m.SetParamText(9, text); });
    });
    // The value goes to both macros at every key; a text that does not begin
    // with a whole number writes nothing.
    TypedNumberEdit(m_value, 10, true, true);

    for (QRadioButton* b : {m_regler, m_direct})
        connect(b, &QRadioButton::clicked, this, [this] {
            if (IsFilling() || !Macro())
                return;
            const bool regler = m_regler->isChecked();
            // A second click on the mode already chosen renames nothing.
            if (regler == (Macro()->GetParam(11) != 0))
                return;
            SetRange(regler ? 0 : -150, 6);
            ForBoth([regler](CMacro& m) {
                const bool up = m.GetParam(3) != 0;
                m.SetParam(11, regler ? (up ? 1 : -1) : 0);
                std::string name = m.GetName();
                name = regler && up ? ReplaceAll(name, "SET", "UP") : ReplaceAll(name, "UP", "SET");
                name = regler && !up ? ReplaceAll(name, "SET", "DOWN") : ReplaceAll(name, "DOWN", "SET");
                m.SetNameUnique(name, true);
            });
            RefreshWindow();
        });
}

void CVolumeMacroView::SetRange(int low, int high)
{
    m_low = low;
    m_high = high;
}

int CVolumeMacroView::Position() const
{
    // The arrows go on from the value the macro holds, typed or stepped.
    const CMacro* macro = Macro();
    return std::clamp(macro ? macro->GetParam(10) : 0, m_low, m_high);
}

void CVolumeMacroView::Step(int delta)
{
    CMacro* macro = Macro();
    if (IsFilling() || !macro)
        return;
    const int now = Position();
    const int position = std::clamp(now + delta, m_low, m_high);
    if (position == now)
        return;
    macro->SetParam(10, position);
    Modified();
    m_value->setText(QString::number(position));
}

void CVolumeMacroView::OnInitialUpdate()
{
    for (const std::string& c : CMacro::VolumeControllers())
        m_controller->addItem(QString::fromStdString(c));
    m_controller->setCurrentIndex(0);
    SetRange(-150, 6);
    CMacro* macro = Macro();
    if (!macro)
        return;
    ShowPair();
    const int found = m_controller->findText(QString::fromStdString(macro->GetParamText(9)), Qt::MatchExactly);
    if (found >= 0)
        m_controller->setCurrentIndex(found);
    const bool regler = macro->GetParam(11) != 0;
    (regler ? m_regler : m_direct)->setChecked(true);
    SetRange(regler ? 0 : -150, 6);
    m_value->setText(QString::fromStdString(macro->GetParamText(10)));
}
