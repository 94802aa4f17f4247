// What the selection dialog offers for the paging objects: consoles, zones,
// LAN groups, and how it treats the relay and ignore choices.
#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"
#include "platform/StringTable.h"
#include "ui/CEditListCtrl.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
using D = CSelectionDlg;

// 64 numbers, "Nicht benutzt" unless a LAN group has it.
void LanGroupRows(D& dlg, CQuillomerDoc* doc)
{
    const QString unused = QString::fromStdString(LoadStringId(uistr::NotUsed));
    for (int n = 1; n <= 64; ++n)
        dlg.AddRow(unused, QString::number(n), 33, static_cast<quintptr>(n));
    if (!doc)
        return;
    DeviceList groups;
    doc->GetIDManager().GetBaseDeviceList(groups, OT_LAN_GROUP);
    for (CBaseDevice* g : groups)
        if (g->GetNumber() >= 1 && g->GetNumber() <= 64)
            dlg.List()->SetItemText(g->GetNumber() - 1, 0, QString::fromStdString(g->GetName()));
}

struct Registrar {
    Registrar()
    {
        using I = D::IdColumn;
        using P = D::Preselect;
        using R = D::Result;
        D::RegisterKind(selkind::Console, {D::ObjectRows(OT_CONSOLE, 3)});
        D::RegisterKind(selkind::Zone, {D::ObjectRows(OT_ZONE, 34)});
        D::RegisterKind(selkind::LanGroup, {LanGroupRows, I::Shown, P::Row, R::Value});
        // Rows come with the relay tables and the zone's ignorable faults.
        for (int kind : {selkind::LMZ763Relay, selkind::LMZ764Relay})
            D::RegisterKind(kind, {nullptr, I::Removed, P::Row, R::RelayObject});
        D::RegisterKind(selkind::Ignore, {nullptr, I::Removed, P::TextContains, R::Mask, true});
    }
} g_registrar;

}  // namespace
