// What the selection dialog offers for the macros: the macros, one or several,
// and the macro types.
#include "macros/CMacro.h"
#include "model/ObjectTypeCode.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
using D = CSelectionDlg;

// The macro types, valued by string id.
void MacroTypeRows(D& dlg, CQuillomerDoc*)
{
    std::vector<uint32_t> ids;
    CMacro::GetTypeList(0, &ids);
    dlg.AddIdRows(ids, 0, false);
}

struct Registrar {
    Registrar()
    {
        using I = D::IdColumn;
        using P = D::Preselect;
        using R = D::Result;
        D::RegisterKind(selkind::Macro, {D::ObjectRows(OT_MACRO, 0), I::Shown, P::TextNoCase});
        D::RegisterKind(selkind::MacroMulti,
                        {D::ObjectNumberRows(OT_MACRO, 0), I::Shown, P::NumbersByValue, R::DecimalRanges, true});
        D::RegisterKind(selkind::MacroType, {MacroTypeRows, I::Removed, P::TextExact, R::Value});
    }
} g_registrar;

}  // namespace
