#include "paging/ZoneSets.h"

#include "model/NumberSet.h"

#include <algorithm>
#include <functional>

namespace {
void AddZone(ZoneSet& set, const CBaseDevice* zone)
{
    const int32_t n = zone->GetNumber();
    if (n >= 1 && n <= 100)
        SetBit(set, static_cast<unsigned>(n - 1), true);
}
}  // namespace

bool AddZonesOf(ZoneSet& set, const CBaseDevice* partner)
{
    if (!partner)
        return false;
    if (partner->GetType() == OT_ZONE) {
        AddZone(set, partner);
        return false;
    }
    if (partner->GetType() != OT_GROUP)
        return false;
    for (const LinkRecord* rec : partner->m_outLinks) {
        if (!rec->HasPartner())
            continue;
        if (rec->partner->GetType() == OT_ZONE) {
            AddZone(set, rec->partner);
        } else if (rec->partner->GetType() == OT_GROUP) {
            for (const LinkRecord* inner : rec->partner->m_outLinks)
                if (inner->HasPartner() && inner->partner->GetType() == OT_ZONE)
                    AddZone(set, inner->partner);
        }
    }
    return partner->GetNumber() == 0;
}

std::string ZoneSetText(const ZoneSet& set)
{
    return RangesToString(set, 100);
}

std::vector<CBaseDevice*> HoldersOfZones(const CBaseDevice& zoneOrGroup)
{
    std::vector<CBaseDevice*> holders;
    const std::function<void(const CBaseDevice&, int)> walk = [&](const CBaseDevice& held, int depth) {
        for (const LinkRecord* rec : held.m_inLinks) {
            if (!rec->HasPartner() || rec->partner == &zoneOrGroup)
                continue;
            CBaseDevice* holder = rec->partner;
            if (std::find(holders.begin(), holders.end(), holder) == holders.end())
                holders.push_back(holder);
            if (holder->GetType() == OT_GROUP && depth < 2)
                walk(*holder, depth + 1);
        }
    };
    walk(zoneOrGroup, 0);
    return holders;
}

std::vector<int32_t> ZoneNumbersOf(const CBaseDevice& zoneOrGroup)
{
    ZoneSet set{};
    AddZonesOf(set, &zoneOrGroup);
    std::vector<int32_t> zones;
    for (int32_t n = 1; n <= 100; ++n)
        if (TestBit(set, static_cast<unsigned>(n - 1)))
            zones.push_back(n);
    return zones;
}

std::string LineSafe(std::string value)
{
    for (char& c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return value;
}
