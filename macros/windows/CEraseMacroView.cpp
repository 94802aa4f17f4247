#include "macros/windows/CEraseMacroView.h"

#include <QComboBox>

#include "macros/CMacro.h"

CEraseMacroView::CEraseMacroView(QWidget* parent) : CMacroEditorView(parent, "Ausgewählte Aufnahme löschen")
{
    m_message = AddCombo(1543, "Aufnahme");
    OnSelect(m_message, [this](int) {
        const int slot = m_message->currentIndex();
        ForBoth([slot](CMacro& m) { m.SetParam(64, slot); });
    });
}

void CEraseMacroView::OnInitialUpdate()
{
    FillRecorderSlots(m_message);
    if (CMacro* macro = Macro(); macro && macro->GetParam(64) >= 0 && macro->GetParam(64) < m_message->count())
        m_message->setCurrentIndex(macro->GetParam(64));
}
