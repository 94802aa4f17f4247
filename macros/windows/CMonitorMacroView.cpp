#include "macros/windows/CMonitorMacroView.h"

#include <QComboBox>
#include <QRadioButton>

#include "audio/CMonitor.h"
#include "macros/CMacro.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"

CMonitorMacroView::CMonitorMacroView(QWidget* parent) : CMacroEditorView(parent, "Monitorquelle auswählen")
{
    m_table = AddRadio(1401, "Tabelle");
    m_direct = AddRadio(32856, "Direkt");
    AddPair("UP", "DOWN");
    m_source = AddCombo(1256, nullptr);
    OnSelect(m_source, [this](int v) { ForBoth([v](CMacro& m) { m.SetParam(17, v); }); });
    connect(m_table, &QRadioButton::clicked, this, [this] {
        if (IsFilling() || !Macro())
            return;
        m_source->setEnabled(false);
        // The counterpart steps the same way as the edited macro.
        const int step = Macro()->GetParam(3) != 0 ? 1 : -1;
        ForBoth([step](CMacro& m) { m.SetParam(16, step); });
    });
    connect(m_direct, &QRadioButton::clicked, this, [this] {
        if (IsFilling() || !Macro())
            return;
        m_source->setEnabled(true);
        ForBoth([](CMacro& m) { m.SetParam(16, 0); });
    });
}

void CMonitorMacroView::OnInitialUpdate()
{
    CMacro* macro = Macro();
    const int chosen = macro ? macro->GetParam(17) : 0;
    m_source->addItem(QStringLiteral("OFF"), 0);
    CQuillomerDoc* doc = Document();
    CIDManager* ids = doc ? &doc->GetIDManager() : nullptr;
    const auto* monitor = ids && ids->IsValidID(1, OT_MONITOR) ? dynamic_cast<CMonitor*>(ids->GetBaseDevice(1, OT_MONITOR))
                                                               : nullptr;
    if (monitor) {
        for (int i = 1; i <= CMonitor::GetMaxEntries(); ++i) {
            const uint32_t code = monitor->GetValue((static_cast<uint32_t>(i - 1) << 16) | monitorsource::AddEntry);
            if ((code & 0xFFFF) != monitorsource::Off)
                m_source->addItem(QStringLiteral("(%1) %2").arg(i).arg(QString::fromStdString(monitor->GetSourceText(code))), i);
            else if (i == chosen)
                m_source->addItem(QStringLiteral("(%1) OFF").arg(i), i);
        }
    }
    m_source->setCurrentIndex(0);
    if (!macro)
        return;
    ShowPair();
    const bool table = macro->GetParam(16) != 0;
    (table ? m_table : m_direct)->setChecked(true);
    m_source->setEnabled(!table);
    SelectData(m_source, chosen);
}
