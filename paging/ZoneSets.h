#pragma once
// Zone numbers reached through the links of collective calls, LAN groups and
// groups: a zone partner counts itself, a group its zones and the zones of
// its own member groups (two levels).

#include <array>
#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

using ZoneSet = std::array<uint8_t, 13>;  // 100 zones

// Adds the zones that `partner` stands for; true when it is the all-zones
// group (number 0).
bool AddZonesOf(ZoneSet& set, const CBaseDevice* partner);
// The range text of the set, "0" when empty.
std::string ZoneSetText(const ZoneSet& set);

// A value as it may go into a protocol line: control characters (which a file
// or the device may have brought) become blanks.
std::string LineSafe(std::string value);
