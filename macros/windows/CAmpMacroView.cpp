#include "macros/windows/CAmpMacroView.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "macros/CMacro.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
// Switch-on boxes: mains, battery, pilot tone, FAULT reset; switch-off boxes:
// mains, battery, pilot tone (bits 1, 2, 4, 8).
constexpr int kOnIds[4] = {1523, 1214, 1215, 1216};
constexpr int kOffIds[3] = {1217, 1219, 1218};
constexpr const char* kOnTexts[4] = {"Netz", "Batterie", "Pilotton", "FAULT Reset"};
}  // namespace

CAmpMacroView::CAmpMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Ein- und Ausschaltoptionen eines remotefähigen Verstärkers")
{
    m_amps = AddStatic(1522, "Verstärker");
    auto* choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QStringLiteral("1520"));
    Grid()->addWidget(choose, 0, 3);
    AddText("Einschaltoptionen");
    for (int i = 0; i < 4; ++i)
        m_on[i] = AddToggle(kOnIds[i], kOnTexts[i]);
    AddText("Ausschaltoptionen");
    for (int i = 0; i < 3; ++i)
        m_off[i] = AddToggle(kOffIds[i], kOnTexts[i]);
    // Checking an option in one group clears it in the other: an option is
    // never both a switch-on and a switch-off option.
    auto wire = [this](QPushButton* box, int param, int bit, QPushButton* other) {
        connect(box, &QPushButton::toggled, this, [this, box, param, bit, other](bool on) {
            CMacro* macro = Macro();
            if (IsFilling() || !macro)
                return;
            const int flags = macro->GetParam(param);
            macro->SetParam(param, on ? (flags | bit) : (flags & ~bit));
            Modified();
            if (on && other)
                other->setChecked(false);
        });
    };
    for (int i = 0; i < 4; ++i)
        wire(m_on[i], 61, 1 << i, i < 3 ? m_off[i] : nullptr);
    for (int i = 0; i < 3; ++i)
        wire(m_off[i], 62, 1 << i, m_on[i]);
    connect(choose, &QPushButton::clicked, this, [this] {
        CMacro* macro = Macro();
        if (!macro)
            return;
        CSelectionDlg dlg;
        dlg.m_nKind = selkind::AmpConfig;
        dlg.m_bMultiple = true;
        dlg.SetHeld(CSelectionDlg::Held::Ranges(QString::fromStdString(macro->GetParamText(59))));
        if (RunDialog(dlg) != QDialog::Accepted)
            return;
        macro = Macro();  // the dialog let the device's answers in
        if (!macro)
            return;
        macro->SetParamText(59, dlg.GetSelection().toStdString());
        macro->SetDocModified();
        m_amps->setText(dlg.GetSelection());
    });
}

void CAmpMacroView::OnInitialUpdate()
{
    CMacro* macro = Macro();
    if (!macro)
        return;
    m_amps->setText(QString::fromStdString(macro->GetParamText(58)));
    for (int i = 0; i < 4; ++i)
        m_on[i]->setChecked((macro->GetParam(61) & (1 << i)) != 0);
    for (int i = 0; i < 3; ++i)
        m_off[i]->setChecked((macro->GetParam(62) & (1 << i)) != 0);
}
