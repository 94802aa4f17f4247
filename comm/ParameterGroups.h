#pragma once
// The parameter groups of a transfer ("&Parameter laden...", "Exportieren
// ..."): which objects of a document each ticked group transfers, in the
// order the transfer walks them. Bit i of the group word is group i; the last
// group adds no objects but the project's text file.

#include <cstdint>
#include <string>
#include <vector>

class CBaseDevice;
class CQuillomerDoc;

namespace paramgroup {
enum : int { Audio = 0, Consoles = 1, ZonesAndGroups = 2, Control = 3, TimerCalendar = 4, TextFile = 5, Count = 6 };
}

// The check-list texts of the groups, in bit order (German; the dialog shows
// them through the translation context "ParameterGroups").
const std::vector<std::string>& ParameterGroupTexts();
// The objects of the ticked groups, group by group, each group in list order.
std::vector<CBaseDevice*> CollectParameterGroupObjects(CQuillomerDoc& doc, uint32_t groups);
// True when the text-file group is ticked.
inline bool HasTextFileGroup(uint32_t groups) { return (groups >> paramgroup::TextFile) & 1u; }
