// Makes the calendar and clock windows known: the feature windows of kinds 8,
// 9, 10, 11 and 25, the clock symbol's dialog, and the rows of the selection
// dialog for the appointment and holiday functions.
#include "calendar/CAppoint.h"
#include "calendar/CClock.h"
#include "calendar/CHoliday.h"
#include "calendar/CTimer.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "calendar/windows/CClkFrm.h"
#include "calendar/windows/CClockDlg.h"
#include "calendar/windows/CDayprogDlgFrm.h"
#include "calendar/windows/CHolidayDlgFrm.h"
#include "calendar/windows/CWeekDlgFrm.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"
#include "ui/CObjectDlg.h"
#include "ui/CSelectionDlg.h"
#include "ui/CWindowRegistry.h"

namespace {
template <class Frame>
void Register()
{
    CObjectDlg::RegisterFrame(Frame::kWindowKind,
                              [](CQuillomerDoc*, QWidget* parent) -> QWidget* { return new Frame(parent); });
}

// The layout test opens each window in the host the program uses.
template <class Frame>
void RegisterForLayout(const char* name)
{
    CWindowRegistry::Register(QString::fromLatin1(name),
                              [](CQuillomerDoc* doc) -> QWidget* { return new CObjectDlg(doc, Frame::kWindowKind); });
}

void FunctionRows(CSelectionDlg& dlg, const std::vector<uint32_t>& ids)
{
    for (uint32_t id : ids)
        dlg.AddRow(QString::fromStdString(LoadStringId(id)), QString(), 2, id);
}

bool RunClockDialog(CTimer* timer)
{
    CQuillomerDoc* doc = timer ? timer->GetDocument() : nullptr;
    auto* clock = doc ? dynamic_cast<CClock*>(doc->GetIDManager().GetBaseDevice(1, OT_CLOCK)) : nullptr;
    CClockDlg dlg(clock);
    return dlg.exec() == QDialog::Accepted;
}

const bool g_registered = [] {
    Register<CAppointDlgFrm>();
    Register<CDayprogDlgFrm>();
    Register<CHolidayDlgFrm>();
    Register<CWeekDlgFrm>();
    Register<CClkFrm>();
    RegisterForLayout<CAppointDlgFrm>("CAppointDlgFrm");
    RegisterForLayout<CDayprogDlgFrm>("CDayprogDlgFrm");
    RegisterForLayout<CHolidayDlgFrm>("CHolidayDlgFrm");
    RegisterForLayout<CWeekDlgFrm>("CWeekDlgFrm");
    RegisterForLayout<CClkFrm>("CClkFrm");
    CWindowRegistry::Register(QStringLiteral("CClockDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        return new CClockDlg(dynamic_cast<CClock*>(doc->GetIDManager().GetBaseDevice(1, OT_CLOCK)));
    });
    CSelectionDlg::RegisterKindRows(static_cast<int>(CAppoint::kKindId), [](CSelectionDlg& dlg, CQuillomerDoc*) {
        std::vector<uint32_t> ids;
        CAppoint::GetFunctionList(2, &ids);
        FunctionRows(dlg, ids);
    });
    CSelectionDlg::RegisterKindRows(static_cast<int>(CHoliday::kKindId), [](CSelectionDlg& dlg, CQuillomerDoc*) {
        std::vector<uint32_t> ids;
        CHoliday::GetFunctionList(1, &ids);
        FunctionRows(dlg, ids);
    });
    CTimer::SetClockDialogRunner(&RunClockDialog);
    return true;
}();
}  // namespace
