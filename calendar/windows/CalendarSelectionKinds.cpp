// What the selection dialog offers for the calendar: the day programmes and
// the holiday and appointment functions.
#include "calendar/CAppoint.h"
#include "calendar/CHoliday.h"
#include "model/ObjectTypeCode.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
using D = CSelectionDlg;

// The function words of a list kind, valued by string id.
template <int (*FunctionList)(int, std::vector<uint32_t>*), int Kind, int Image>
void FunctionRows(D& dlg, CQuillomerDoc*)
{
    std::vector<uint32_t> ids;
    FunctionList(Kind, &ids);
    dlg.AddIdRows(ids, Image, false);
}

struct Registrar {
    Registrar()
    {
        using I = D::IdColumn;
        using P = D::Preselect;
        using R = D::Result;
        D::RegisterKind(selkind::DayProgram, {D::ObjectRows(OT_DAYPROG, 21)});
        D::RegisterKind(selkind::Holiday, {FunctionRows<&CHoliday::GetFunctionList, 1, 22>, I::Removed, P::TextExact,
                                           R::Value});
        D::RegisterKind(selkind::Appointment, {FunctionRows<&CAppoint::GetFunctionList, 2, 20>, I::Removed,
                                               P::TextExact, R::Value});
    }
} g_registrar;

}  // namespace
