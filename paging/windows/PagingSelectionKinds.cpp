// What the selection dialog offers for the paging objects: consoles, zones,
// LAN groups, the relays of the two relay tables and the line-test faults a
// zone can ignore.
#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"
#include "paging/CRelaisManager.h"
#include "paging/CZone.h"
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

// The none row, then every numbered relay of the first (LMZ763) or the second
// (LMZ764) relay table, each row carrying the relay itself.
D::RowProvider RelayRows(bool first)
{
    return [first](D& dlg, CQuillomerDoc* doc) {
        dlg.AddNoneRow();
        CRelaisManager* m = doc ? doc->GetRelaisManager() : nullptr;
        if (!m)
            return;
        DeviceList relays;
        if (first)
            m->GetAllRelais(relays);
        else
            m->GetAllSRelais(relays);
        for (CBaseDevice* r : relays)
            dlg.AddRow(QString::fromStdString(r->GetName()).trimmed(), QString(), 19, reinterpret_cast<quintptr>(r));
    };
}

// The line-test faults a zone can ignore, valued by string id; the first is
// the none row.
void IgnoreRows(D& dlg, CQuillomerDoc*)
{
    std::vector<uint32_t> ids;
    CZone::GetIgnoreChoices(selkind::Ignore, &ids);
    dlg.AddIdRows(ids, 34, true);
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
        D::RegisterKind(selkind::LMZ763Relay, {RelayRows(true), I::Removed, P::Row, R::RelayObject});
        D::RegisterKind(selkind::LMZ764Relay, {RelayRows(false), I::Removed, P::Row, R::RelayObject});
        D::RegisterKind(selkind::Ignore, {IgnoreRows, I::Removed, P::TextContains, R::Mask, true});
    }
} g_registrar;

}  // namespace
