// What the selection dialog offers for the calendar: the day programmes, and
// how it treats the holiday and appointment functions.
#include "model/ObjectTypeCode.h"
#include "ui/CSelectionDlg.h"
#include "ui/UiIds.h"

namespace {
using D = CSelectionDlg;

struct Registrar {
    Registrar()
    {
        D::RegisterKind(selkind::DayProgram, {D::ObjectRows(OT_DAYPROG, 21)});
        // Rows come with the holiday and appointment objects.
        for (int kind : {selkind::Holiday, selkind::Appointment})
            D::RegisterKind(kind, {nullptr, D::IdColumn::Removed, D::Preselect::TextExact, D::Result::Value});
    }
} g_registrar;

}  // namespace
