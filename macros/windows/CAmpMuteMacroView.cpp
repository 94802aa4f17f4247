#include "macros/windows/CAmpMuteMacroView.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "macros/CMacro.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

CAmpMuteMacroView::CAmpMuteMacroView(QWidget* parent) : CMacroEditorView(parent, "Muten eines Verstärkerkanals")
{
    m_channels = AddStatic(1521, "Verstärkerkanäle");
    auto* choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QStringLiteral("1520"));
    Grid()->addWidget(choose, 0, 3);
    m_mute = AddToggle(1503, "Mute");
    connect(m_mute, &QPushButton::toggled, this, [this](bool on) {
        if (CMacro* macro = Macro(); macro && !IsFilling()) {
            macro->SetParam(29, on ? 1 : 0);
            Modified();
        }
    });
    connect(choose, &QPushButton::clicked, this, [this] {
        CMacro* macro = Macro();
        if (!macro)
            return;
        CSelectionDlg dlg;
        dlg.m_nKind = selkind::AmpChannels;
        dlg.m_bMultiple = true;
        dlg.SetHeld(CSelectionDlg::Held::Ranges(QString::fromStdString(macro->GetParamText(58))));
        if (RunDialog(dlg) != QDialog::Accepted)
            return;
        macro = Macro();  // the dialog let the device's answers in
        if (!macro)
            return;
        macro->SetParamText(58, dlg.GetSelection().toStdString());
        macro->SetDocModified();
        m_channels->setText(dlg.GetSelection());
    });
}

void CAmpMuteMacroView::OnInitialUpdate()
{
    CMacro* macro = Macro();
    if (!macro)
        return;
    m_channels->setText(QString::fromStdString(macro->GetParamText(58)));
    m_mute->setChecked(macro->GetParam(29) == 1);
}
