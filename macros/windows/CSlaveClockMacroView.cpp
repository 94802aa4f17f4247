#include "macros/windows/CSlaveClockMacroView.h"

#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include "macros/CMacro.h"
#include "ui/CDateTimeEdit.h"

CSlaveClockMacroView::CSlaveClockMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Funktionen für die Nebenuhren")
{
    AddText("Funktion:");
    m_start = AddRadio(1212, "Nebenuhren starten");
    m_stop = AddRadio(1643, "Nebenuhren stoppen");
    m_set = AddRadio(1005, "Nebenuhren setzen");
    m_time = new CDateTimeEdit(QTime(0, 0), this);
    m_time->setObjectName(QStringLiteral("1644"));
    m_time->setDisplayFormat(QStringLiteral("H:mm"));
    Grid()->addWidget(new QLabel(Tr("Nebenuhren  stehen auf"), this), Grid()->rowCount(), 0);
    Grid()->addWidget(m_time, Grid()->rowCount() - 1, 1);
    // Start, stop or set: parameters 71 (start or stop), 3 (run) and 70 (set), macro only.
    auto mode = [this](QRadioButton* b, int setRun, int run, int setTime) {
        connect(b, &QRadioButton::clicked, this, [this, setRun, run, setTime] {
            CMacro* macro = Macro();
            if (IsFilling() || !macro)
                return;
            // A second click on the checked button changes nothing.
            macro->SetParam(71, setRun);
            macro->SetParam(3, run);
            macro->SetParam(70, setTime);
        });
    };
    mode(m_start, 1, 1, 0);
    mode(m_stop, 1, 0, 0);
    mode(m_set, 0, 0, 1);
    connect(m_time, &CDateTimeEdit::timeChanged, this, [this](QTime time) {
        CMacro* macro = Macro();
        if (IsFilling() || !macro)
            return;
        // The picked time on the day the macro holds, in local time.
        QDateTime at = QDateTime::fromSecsSinceEpoch(macro->GetParam(69));
        at.setTime(time);
        // Enter on the time shown changes nothing.
        const auto seconds = static_cast<int32_t>(at.toSecsSinceEpoch());
        if (seconds == macro->GetParam(69))
            return;
        macro->SetParam(69, seconds);
        Modified();
    });
}

void CSlaveClockMacroView::OnInitialUpdate()
{
    CMacro* macro = Macro();
    if (!macro)
        return;
    if (macro->GetParam(71) != 0) {
        (macro->GetParam(3) != 0 ? m_start : m_stop)->setChecked(true);
        // Starting or stopping never sets the clocks as well.
        macro->SetParam(70, 0);
    } else if (macro->GetParam(70) != 0) {
        m_set->setChecked(true);
    }
    m_time->setTime(QDateTime::fromSecsSinceEpoch(macro->GetParam(69)).time());
}
