#include "paging/CGroup.h"

#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "paging/CConsole.h"
#include "paging/ZoneSets.h"
#include "platform/MessageBox.h"

QL_IMPLEMENT_SERIAL(CGroup, 1)

namespace {
constexpr uint32_t kGroupBitmap = 313;
constexpr uint32_t kGroupStyle = symstyle::BitmapAtTop | symstyle::WideRight;
constexpr const char* kClearPath = "/KVT/CLEAR";
}  // namespace

CGroup::CGroup()
{
    m_type = OT_GROUP;
    m_contextMenuId = 111;
    m_moveLock = 0;
}

int CGroup::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
                   int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
                   CQuillomerDoc* doc)
{
    if (!CBaseDevice::Create(kindId, inputs, outputs, name, left + 100, top, right, bottom, category, bitmapId,
                             style, doc))
        return 0;
    m_showConnectorNames = 1;
    if (m_number == 0) {
        m_classValue = kLevelAll;
    } else {
        AvoidOverlap(CAT_AUDIO);
        AvoidOverlap(m_category);
    }
    return 1;
}

int CGroup::PostLoad()
{
    // Every group answers under the clear path of the all-zones group.
    if (m_pDocument && !m_path.empty())
        m_pDocument->RemovePath(m_path, this);
    EnterPath(kClearPath);
    return 1;
}

bool CGroup::HasGroupMember() const
{
    for (const LinkRecord* rec : m_outLinks)
        if (rec->HasPartner() && rec->partner->GetType() == OT_GROUP)
            return true;
    return false;
}

CGroup* CGroup::AddParentGroup()
{
    const CPoint at = m_outputPoints.empty() ? CPoint(m_rect.right, m_rect.top) : m_outputPoints[0];
    auto* group = new CGroup;
    if (!group->Create(0, 1, 1, nullptr, at.x, at.y, at.x, at.y, CAT_GROUP, kGroupBitmap, kGroupStyle,
                       m_pDocument)) {
        delete group;
        return nullptr;
    }
    group->LinkTo(0, this, 0);
    group->Redraw();
    group->SetLevel(kLevelGroups);
    if (m_pDocument)
        m_pDocument->AddObject(group, CAT_GROUP);
    return group;
}

namespace {
CGroup::DialogFn& DialogHook()
{
    static CGroup::DialogFn fn = nullptr;
    return fn;
}
}  // namespace

CGroup::DialogFn CGroup::SetDialog(DialogFn fn)
{
    DialogFn old = DialogHook();
    DialogHook() = fn;
    return old;
}

void CGroup::OnOpen(uint32_t, uint32_t, uint32_t)
{
    if (DialogHook() && DialogHook()(this))
        Redraw();
}

int CGroup::OnCommand(uint32_t commandId)
{
    switch (commandId) {
    case groupcmd::AddGroup:
        // The all-zones group is never put into another group.
        if (m_number == 0)
            return 1;
        if (GetLevel() == kLevelGroups) {
            ShowMessageId(34192, mb::Ok);
            return 1;
        }
        AddParentGroup();
        return 1;
    case groupcmd::Delete:
        // The all-zones group stays.
        if (m_number == 0)
            return 1;
        // A key that selected the group would still be sent selecting its
        // slot, while its view shows it unprogrammed.
        CConsole::SwitchOffKeysSelecting(*this);
        // What named its zones through the group names them no more.
        DeleteHeldZones(*this, [this, commandId] { CBaseDevice::OnCommand(commandId); });
        return 1;
    case groupcmd::Properties:
        OnOpen(0, 0, 0);
        return 1;
    default:
        return CBaseDevice::OnCommand(commandId);
    }
}

void CGroup::OnUpdateCommand(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case groupcmd::AddGroup:
        cmdUI.Enable(m_number != 0 && !HasGroupMember());
        break;
    case groupcmd::Delete:
    case groupcmd::Properties:
        cmdUI.Enable(true);
        break;
    default:
        CBaseDevice::OnUpdateCommand(cmdUI);
        break;
    }
}

int CGroup::GetDownloadLines(int mode, int step)
{
    if (step == -1) {
        if (m_number != 0)
            return 0;
        return m_pDocument && m_pDocument->m_data.deviceVariant != 0 ? 3 : 2;
    }
    if (m_number != 0 || step < 0 || step > 2)
        return step;
    if (IsOutBufferFull())
        return step;
    // The clear commands have no query form: an upload sends nothing here.
    if (mode != 0)
        return step + 1;
    static const char* const kKeys[3] = {"/ZONE", "/COLLCALL", "/LANGRP"};
    SendCommand(m_path + kKeys[step] + " ALL", m_pDocument, false);
    return step + 1;
}
