#include "paging/CLANGroup.h"

#include <algorithm>

#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "paging/PagingIds.h"
#include "paging/ZoneSets.h"
#include "platform/AnswerLine.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CLANGroup, 2)

namespace {
CLANGroup::MembersDialogFn& MembersHook()
{
    static CLANGroup::MembersDialogFn fn = nullptr;
    return fn;
}
CLANGroup::NumberDialogFn& NumberHook()
{
    static CLANGroup::NumberDialogFn fn = nullptr;
    return fn;
}
bool IsMemberType(const CBaseDevice* obj)
{
    return obj && (obj->GetType() == OT_ZONE || obj->GetType() == OT_GROUP);
}
}  // namespace

CLANGroup::MembersDialogFn CLANGroup::SetMembersDialog(MembersDialogFn fn)
{
    MembersDialogFn old = MembersHook();
    MembersHook() = fn;
    return old;
}

CLANGroup::NumberDialogFn CLANGroup::SetNumberDialog(NumberDialogFn fn)
{
    NumberDialogFn old = NumberHook();
    NumberHook() = fn;
    return old;
}

CLANGroup::CLANGroup()
{
    m_type = OT_LAN_GROUP;
    m_kindId = kKind;
    m_contextMenuId = kContextMenu;
}

void CLANGroup::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_members;
        return;
    }
    m_members = "0";
    if (m_loadedSchema >= 2)
        ar >> m_members;
}

int CLANGroup::Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
                      int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
                      CQuillomerDoc* doc)
{
    if (!CBaseDevice::Create(kindId, inputs, outputs, name, left + 100, top, right, bottom, category, bitmapId,
                             style, doc))
        return 0;
    m_showConnectorNames = 1;
    return 1;
}

std::string CLANGroup::GetMembersText(int mode) const
{
    if (mode == 0)
        return m_members;
    if (mode != 1)
        return {};
    if (m_members == "ALL")
        return LoadStringId(IDS_ALL);
    if (m_members == "NONE" || m_members == "0")
        return LoadStringId(IDS_NO_ENTRY);
    return m_members;
}

void CLANGroup::SetAttributeText(int attribute, const std::string& text)
{
    const ChangeGuard guard(*this);
    if (attribute == 0)
        m_members = text;
}

void CLANGroup::CollectMembers(DeviceList& list) const
{
    for (const LinkRecord* rec : m_outLinks)
        if (rec->ownKey != 0 && rec->HasPartner() && IsMemberType(rec->partner))
            list.push_back(rec->partner);
}

void CLANGroup::ApplyMembers(const DeviceList& list)
{
    const ChangeGuard guard(*this);
    for (CBaseDevice* obj : list)
        if (IsMemberType(obj) && !FindOutLink(1, obj, 0, obj->GetCategory()))
            LinkTo(1, obj, 0);
    std::vector<const LinkRecord*> gone;
    for (const LinkRecord* rec : m_outLinks)
        if (rec->ownKey != 0 && rec->HasPartner() && IsMemberType(rec->partner) &&
            std::find(list.begin(), list.end(), rec->partner) == list.end())
            gone.push_back(rec);
    for (const LinkRecord* rec : gone)
        UnlinkOut(*rec);
}

bool CLANGroup::UpdateMembersText(bool store)
{
    ZoneSet set{};
    bool all = false;
    for (const LinkRecord* rec : m_outLinks)
        if (rec->ownKey == 1 && rec->HasPartner())
            all = AddZonesOf(set, rec->partner) || all;
    if (store)
        m_members = all ? std::string("ALL") : ZoneSetText(set);
    return all;
}

void CLANGroup::ZonesGone(const std::vector<int32_t>& zones)
{
    ZoneSet reached{};
    for (const LinkRecord* rec : m_outLinks)
        if (rec->ownKey == 1 && rec->HasPartner())
            AddZonesOf(reached, rec->partner);
    std::vector<int32_t> lost;
    for (const int32_t n : zones)
        if (n >= 1 && n <= 100 && !TestBit(reached, static_cast<unsigned>(n - 1)))
            lost.push_back(n);
    const std::string text = RangeTextWithout(m_members, 100, lost);
    if (text == m_members)
        return;
    const ChangeGuard guard(*this);
    m_members = text;
}

bool CLANGroup::ChangeId(int32_t number)
{
    if (!m_pDocument || number == m_number || !m_pDocument->GetIDManager().ChangeID(this, m_number, number))
        return false;
    m_number = number;
    m_pDocument->RemovePath(m_path, this);
    EnterPath(StrFormat("/KVT/LANGRP%d", m_number));
    SetDocModified();
    return true;
}

void CLANGroup::OnOpen(uint32_t, uint32_t, uint32_t)
{
    DeviceList members;
    CollectMembers(members);
    const DeviceList shown = members;
    if (!MembersHook() || !MembersHook()(this, members))
        return;
    // OK on the members as shown keeps the stored set: after an upload it is
    // the device's, which may name zones the dialog has no row for.
    auto sorted = [](DeviceList list) {
        std::sort(list.begin(), list.end());
        return list;
    };
    if (sorted(members) == sorted(shown))
        return;
    ApplyMembers(members);
    UpdateMembersText(true);
    Redraw();
}

int CLANGroup::OnCommand(uint32_t commandId)
{
    switch (commandId) {
    case zonecmd::ChangeLanId: {
        int32_t number = m_number;
        if (NumberHook() && NumberHook()(this, number))
            ChangeId(number);
        return 1;
    }
    case zonecmd::Download:
    case zonecmd::Upload:
        GetAppHost().TransferObject(this, commandId == zonecmd::Upload);
        return 1;
    case zonecmd::Properties2:
        OnOpen(0, 0, 0);
        return 1;
    default:
        return CBaseDevice::OnCommand(commandId);
    }
}

void CLANGroup::OnUpdateCommand(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case zonecmd::ChangeLanId:
    case zonecmd::Delete:
    case zonecmd::Properties2:
        cmdUI.Enable(true);
        break;
    case zonecmd::Download:
    case zonecmd::Upload:
        cmdUI.Enable(m_pDocument && m_pDocument->IsConnected());
        break;
    default:
        CBaseDevice::OnUpdateCommand(cmdUI);
        break;
    }
}

std::string CLANGroup::GetListText()
{
    return LoadStringId(IDS_ZONES) + ": " + GetMembersText(1);
}

int CLANGroup::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(32805));
        texts.push_back(LoadStringId(34244));
        texts.push_back(LoadStringId(34457));
    } else {
        texts.push_back(m_name);
        texts.push_back(StrFormat("%d", m_number));
        texts.push_back(m_members);
    }
    return static_cast<int>(texts.size());
}

int CLANGroup::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({40, 0});
    columns.push_back({60, 0});
    return 1;
}

int CLANGroup::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return m_pDocument && m_pDocument->m_data.deviceVariant != 0 ? 1 : -1;
    if (step != 0 || IsOutBufferFull())
        return step;
    SendCommand(m_path + " " + (mode != 0 ? std::string("?") : LineSafe(m_members)), m_pDocument, true);
    return 1;
}

void CLANGroup::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
        line.pop_back();
    const size_t blank = line.find(' ');
    if (blank == std::string::npos || linkState == linkstate::Download)
        return;
    const std::string path = "/" + line.substr(0, blank);
    const std::string value = line.substr(blank + 1);
    // Only the line of the group itself ("KVT/LANGRP3 1-4") carries the
    // members; "? " is the device not understanding the query.
    if (IsRefusedValue(value) || path != m_path)
        return;
    // All zones, none, or a set of them; anything else is kept out, and an
    // upload names it with the members the next download sends.
    ZoneSet zones{};
    if (value != "ALL" && value != "NONE" && value != "0" &&
        (value.size() > kRangeTextMaxLength || !ParseDecimalRanges(zones, 100, value))) {
        if (linkState == linkstate::Upload)
            ReportNotHeld(&diffFileName, m_path, value, m_members);
        return;
    }
    m_members = value;
}
