// Makes the service windows known: the feature windows of kinds 19, 20, 21,
// 27 and 28, the zone test's properties, the service dialog and the system
// configuration browser (the selection dialog's fault kind:
// ServiceSelectionKinds.cpp).
#include <QApplication>

#include "comm/windows/CCommWindowsHost.h"
#include "hardware/CInternalSlot.h"
#include "service/windows/CEventLogFrm.h"
#include "service/windows/CFaultDlgFrm.h"
#include "service/windows/CFaultTextDlg.h"
#include "service/windows/CFuseFrm.h"
#include "service/windows/CHardwareDlgFrm.h"
#include "service/windows/CServiceDlg.h"
#include "service/windows/CSystemConfigDlg.h"
#include "service/windows/CZonetestFrm.h"
#include "service/windows/CZonetestPropDlg.h"
#include "ui/CObjectDlg.h"
#include "ui/CWindowRegistry.h"

namespace {
const bool g_registered = [] {
    CObjectDlg::RegisterFeatureFrame<CEventLogFrm>("CEventLogFrm");
    CObjectDlg::RegisterFeatureFrame<CFaultDlgFrm>("CFaultDlgFrm");
    CObjectDlg::RegisterFeatureFrame<CFuseFrm>("CFuseFrm");
    CObjectDlg::RegisterFeatureFrame<CHardwareDlgFrm>("CHardwareDlgFrm");
    CObjectDlg::RegisterFeatureFrame<CZonetestFrm>("CZonetestFrm");
    CWindowRegistry::Register(QStringLiteral("CZonetestPropDlg"),
                              [](CQuillomerDoc*) -> QWidget* { return new CZonetestPropDlg; });
    CWindowRegistry::Register(QStringLiteral("CFaultTextDlg"),
                              [](CQuillomerDoc*) -> QWidget* { return new CFaultTextDlg; });
    CWindowRegistry::Register(QStringLiteral("CServiceDlg"),
                              [](CQuillomerDoc*) -> QWidget* { return new CServiceDlg(nullptr); });
    CWindowRegistry::Register(QStringLiteral("CSystemConfigDlg"),
                              [](CQuillomerDoc*) -> QWidget* { return new CSystemConfigDlg; });
    // The device link runs the browser for its command and hands it every
    // line while it runs; the link itself knows no window.
    CCommWindowsHost::SetSystemConfigDialog(
        [] {
            CSystemConfigDlg dialog(QApplication::activeWindow());
            dialog.ChooseSource();
            dialog.exec();
        },
        [](const std::string& line, int) {
            if (CSystemConfigDlg* dialog = CSystemConfigDlg::Running())
                dialog->OnReceiveLine(line);
        });
    CInternalSlot::SetServiceDialogRunner([](CInternalSlot* slot) {
        CServiceDlg dialog(slot);
        dialog.DoModal();
    });
    return true;
}();
}  // namespace
