// What the selection dialog offers for the service objects: the fault sources.
#include "service/CFault.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
using D = CSelectionDlg;

// The fault sources, valued by string id; the first is the none row.
void FaultSourceRows(D& dlg, CQuillomerDoc*)
{
    std::vector<uint32_t> ids;
    CFault::FillSourceIds(8, &ids);
    dlg.AddIdRows(ids, 31, true);
}

struct Registrar {
    Registrar()
    {
        D::RegisterKind(selkind::Fault,
                        {FaultSourceRows, D::IdColumn::Removed, D::Preselect::TextContains, D::Result::Mask, true});
    }
} g_registrar;

}  // namespace
