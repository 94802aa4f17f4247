// The windows of zones, groups, LAN groups and relays: the dialogs the objects
// open and the layout registrations.

#include <QString>

#include "model/CQuillomerDoc.h"
#include "paging/CGroup.h"
#include "paging/CLANGroup.h"
#include "paging/CRelais.h"
#include "paging/CRelaisTopology.h"
#include "paging/CZone.h"
#include "paging/windows/CRelaisTopologyDlg.h"
#include "ui/CLineGroupSelectDlg.h"
#include "ui/CLineGroupTreeDlg.h"
#include "ui/CSelectionDlg.h"
#include "ui/CWindowRegistry.h"

namespace {
constexpr int kLanGroupKind = 34575;

bool RunZoneDialog(CBaseDevice* object)
{
    CLineGroupTreeDlg dlg(object);
    return dlg.exec() == QDialog::Accepted;
}

bool RunMembersDialog(CLANGroup*, DeviceList& members)
{
    QList<CBaseDevice*> list(members.begin(), members.end());
    CLineGroupSelectDlg dlg(&list);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    members.assign(list.begin(), list.end());
    return true;
}

bool RunNumberDialog(CLANGroup* group, int32_t& number)
{
    CSelectionDlg dlg;
    dlg.m_nKind = kLanGroupKind;
    dlg.SetHeld(CSelectionDlg::Held::Number(group->GetNumber()));
    if (dlg.DoModal() != QDialog::Accepted || dlg.m_nResultNumber < 1)
        return false;
    number = dlg.m_nResultNumber;
    return true;
}

const bool g_registered = [] {
    CZone::SetDialog(&RunZoneDialog);
    CGroup::SetDialog(&RunZoneDialog);
    CLANGroup::SetMembersDialog(&RunMembersDialog);
    CLANGroup::SetNumberDialog(&RunNumberDialog);
    CRelaisTopology::SetDialog(&CRelaisTopologyDlg::Run);
    CWindowRegistry::Register(QStringLiteral("CRelaisTopologyDlg"), [](CQuillomerDoc* doc) -> QWidget* {
        // A "Programm/Ruf" topology when there is one: its rows are the widest.
        CRelaisTopology* sample = nullptr;
        if (doc)
            for (CBaseDevice* obj : doc->GetList(CAT_RELAIS_TOPOLOGY))
                if (auto* t = dynamic_cast<CRelaisTopology*>(obj);
                    t && (!sample || (sample->GetKindId() != topologykind::ProgramCall &&
                                      t->GetKindId() == topologykind::ProgramCall)))
                    sample = t;
        return new CRelaisTopologyDlg(sample);
    });
    return true;
}();
}  // namespace
