// Makes the calendar and clock windows known: the feature windows of kinds 8,
// 9, 10, 11 and 25 and the clock symbol's dialog (the selection dialog's
// calendar kinds: CalendarSelectionKinds.cpp).
#include "calendar/CClock.h"
#include "calendar/CTimer.h"
#include "calendar/windows/CAppointDlgFrm.h"
#include "calendar/windows/CClkFrm.h"
#include "calendar/windows/CClockDlg.h"
#include "calendar/windows/CDayprogDlgFrm.h"
#include "calendar/windows/CHolidayDlgFrm.h"
#include "calendar/windows/CWeekDlgFrm.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "ui/CObjectDlg.h"
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
    CTimer::SetClockDialogRunner(&RunClockDialog);
    return true;
}();
}  // namespace
