// What the selection dialog offers for the audio objects: the signals and the
// monitor's sources.
#include "audio/CMonitor.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
using D = CSelectionDlg;

// Every source the monitor offers, valued by its source code.
void MonitorSourceRows(D& dlg, CQuillomerDoc* doc)
{
    auto* monitor = doc ? dynamic_cast<CMonitor*>(doc->GetIDManager().GetBaseDevice(1, OT_MONITOR)) : nullptr;
    if (!monitor)
        return;
    std::vector<uint32_t> sources;
    monitor->GetSources(1, &sources);
    for (uint32_t code : sources)
        dlg.AddRow(QString::fromStdString(monitor->GetSourceText(code)), QString(), 13, code);
}

struct Registrar {
    Registrar()
    {
        D::RegisterKind(selkind::Chime, {D::ObjectRows(OT_CHIME_SIGNAL, 11)});
        D::RegisterKind(selkind::Alarm, {D::ObjectRows(OT_ALARM_SIGNAL, 10)});
        D::RegisterKind(selkind::Message, {D::ObjectRows(OT_MESSAGE_SIGNAL, 12)});
        D::RegisterKind(selkind::Monitor,
                        {MonitorSourceRows, D::IdColumn::Removed, D::Preselect::Row, D::Result::Value});
    }
} g_registrar;

}  // namespace
