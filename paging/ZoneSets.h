#pragma once
// Zone numbers reached through the links of collective calls, LAN groups and
// groups: a zone partner counts itself, a group its zones and the zones of
// its own member groups (two levels).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

using ZoneSet = std::array<uint8_t, 13>;  // 100 zones

// Adds the zones that `partner` stands for; true when it is the all-zones
// group (number 0).
bool AddZonesOf(ZoneSet& set, const CBaseDevice* partner);
// The range text of the set, "0" when empty.
std::string ZoneSetText(const ZoneSet& set);

// What holds a zone or a group by a link of its own, directly or through the
// groups (two levels) the zone or group is in, each once.
std::vector<CBaseDevice*> HoldersOfZones(const CBaseDevice& zoneOrGroup);
// The zone numbers a zone or a group stands for.
std::vector<int32_t> ZoneNumbersOf(const CBaseDevice& zoneOrGroup);
// Deletes a zone or a group: what held it drops from its texts the zones it
// reaches no more (`zoneOrGroup` is gone afterwards). `remove` deletes it.
template <class Remove>
void DeleteHeldZones(CBaseDevice& zoneOrGroup, Remove remove)
{
    const std::vector<CBaseDevice*> holders = HoldersOfZones(zoneOrGroup);
    const std::vector<int32_t> zones = ZoneNumbersOf(zoneOrGroup);
    remove();
    for (CBaseDevice* holder : holders)
        holder->ZonesGone(zones);
}

// A value as it may go into a protocol line: control characters (which a file
// or the device may have brought) become blanks.
std::string LineSafe(std::string value);
