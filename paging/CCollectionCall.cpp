#include "paging/CCollectionCall.h"

#include "model/BlockWalk.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "paging/CRelais.h"
#include "paging/CZone.h"
#include "paging/PagingIds.h"
#include "paging/ZoneSets.h"
#include "platform/AnswerLine.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CCollectionCall, 1)

CCollectionCall::CCollectionCall()
{
    m_type = OT_COLLECTION_CALL;
}

const std::string& CCollectionCall::GetName() const
{
    const LinkRecord* rec = GetInLinkAtKey(0);
    if (rec && rec->HasPartner() && rec->partner != this)
        return rec->partner->GetName();
    return m_name;
}

int CCollectionCall::OnCommand(uint32_t commandId)
{
    // The ten collective calls live as long as the project.
    if (commandId == objcmd::Delete)
        return 1;
    return CBaseDevice::OnCommand(commandId);
}

std::string CCollectionCall::GetRelayText() const
{
    const LinkRecord* rec = GetInLinkAtKey(0);
    if (rec && rec->HasPartner())
        if (auto* relay = dynamic_cast<const CRelais*>(rec->partner))
            return StrFormat("%u", relay->GetRelayNumber());
    return "0";
}

std::string CCollectionCall::GetZonesText() const
{
    ZoneSet set{};
    for (const LinkRecord* rec : m_outLinks)
        if (rec->HasPartner())
            AddZonesOf(set, rec->partner);
    return ZoneSetText(set);
}

int CCollectionCall::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return 2;
    if (step < 0 || step > 1 || IsOutBufferFull())
        return step;
    const bool query = mode != 0;
    if (step == 0)
        SendCommand(m_path + "/RELAY " + (query ? std::string("?") : GetRelayText()), m_pDocument, true);
    else
        SendCommand(m_path + "/ZONES " + (query ? std::string("?") : GetZonesText()), m_pDocument, true);
    return step + 1;
}

void CCollectionCall::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    std::string key, value;
    if (!ReadAnswerLine(line, 2, key, value) || linkState == linkstate::Download)
        return;
    if (key == "/RELAY") {
        const std::string design = GetRelayText();
        if (value != design && value != "OFF")
            ShowMessage(StrFormat(LoadStringId(IDS_ZONE_RELAYS_DIFFER).c_str(), GetName().c_str(), value.c_str(),
                                  design.c_str()),
                        mb::Ok);
    } else if (key == "/ZONES" && m_pDocument) {
        // "? " is the device not understanding the query: no zones at all.
        if (IsRefusedValue(value))
            return;
        // Only a set of zone numbers is one: a word, a number in another
        // notation ("1e2", "0x10") or a set beyond the 100 zones takes no
        // zone, and an upload names it with the zones the next download sends.
        ZoneSet set{};
        if (value != "0" &&
            (value.size() > kRangeTextMaxLength || !ParseDecimalRanges(set, 100, value))) {
            if (linkState == linkstate::Upload)
                ReportNotHeld(&diffFileName, m_path + key, value, GetZonesText());
            return;
        }
        for (unsigned n = 1; n <= 100; ++n) {
            if (!TestBit(set, n - 1))
                continue;
            CBaseDevice* zone = m_pDocument->GetIDManager().GetBaseDevice(static_cast<int32_t>(n), OT_ZONE);
            if (!zone) {
                ShowMessage(StrFormat(LoadStringId(IDS_ZONE_NOT_ON_SHEET).c_str(), static_cast<int>(n)), mb::Ok);
                continue;
            }
            if (!GetOutLinkTo(zone))
                LinkTo(0, zone, 0);
        }
    }
}
