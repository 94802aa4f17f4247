#pragma once
// Zones for tests: an amplifier on the project's first output card with a
// 1-in-N relay topology.

#include <cstdint>

class CQuillomerDoc;
class CRelaisTopology;

// An amplifier of `ampKind` on the first output card, switched to 1-in-N
// with `zones` zones; null when the topology was not made.
CRelaisTopology* AddOneInN(CQuillomerDoc& doc, int zones, int32_t ampKind = 33074);
