// Makes the service windows known: the feature windows of kinds 19, 20, 21
// and 27, the service dialog and the system configuration browser (the
// selection dialog's fault kind: ServiceSelectionKinds.cpp).
#include "service/windows/CEventLogFrm.h"
#include "service/windows/CFaultDlgFrm.h"
#include "service/windows/CFuseFrm.h"
#include "service/windows/CHardwareDlgFrm.h"
#include "service/windows/CServiceDlg.h"
#include "hardware/CInternalSlot.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

namespace {
template <class Frame>
void Register(const char* name)
{
    CObjectDlg::RegisterFrame(Frame::kWindowKind,
                              [](CQuillomerDoc*, QWidget* parent) -> QWidget* { return new Frame(parent); });
    // The layout test opens each window in the host the program uses.
    CWindowRegistry::Register(QString::fromLatin1(name),
                              [](CQuillomerDoc* doc) -> QWidget* { return new CObjectDlg(doc, Frame::kWindowKind); });
}

const bool g_registered = [] {
    Register<CEventLogFrm>("CEventLogFrm");
    Register<CFaultDlgFrm>("CFaultDlgFrm");
    Register<CFuseFrm>("CFuseFrm");
    Register<CHardwareDlgFrm>("CHardwareDlgFrm");
    CWindowRegistry::Register(QStringLiteral("CServiceDlg"),
                              [](CQuillomerDoc*) -> QWidget* { return new CServiceDlg(nullptr); });
    CInternalSlot::SetServiceDialogRunner([](CInternalSlot* slot) {
        CServiceDlg dialog(slot);
        dialog.DoModal();
    });
    return true;
}();
}  // namespace
