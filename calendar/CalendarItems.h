#pragma once
// Objects the calendar makes on its own: an item or a referenced macro or day
// programme that a device answer or a user's choice names by a number the
// document lacks. Such an object is named "%d *" with its number.

#include <cstdint>

class CBaseDevice;
class CQuillomerDoc;

namespace calitems {

// Makes an object of the class (by its runtime class name) with that number
// and appends it to the category's list. Null when the document already holds
// one, the number is outside the directory's range for the type or the class
// is unknown.
CBaseDevice* MakeNumbered(CQuillomerDoc* doc, const char* className, uint32_t type, uint32_t kindId, int32_t number,
                          int32_t category);

// The object `number` of `type` in the document, made as a placeholder when
// missing (macros in category 15 as "Kein Typ", day programmes in category 7).
CBaseDevice* FindOrMakeMacro(CQuillomerDoc* doc, int32_t number);
CBaseDevice* FindOrMakeDayprog(CQuillomerDoc* doc, int32_t number);

// The object `number` of `type`, or null (also for numbers out of range,
// without the directory's message).
CBaseDevice* Find(CQuillomerDoc* doc, int32_t number, uint32_t type);

// Drops the links at `key` and links `owner` there to `partner` (partner key 0).
void Relink(CBaseDevice* owner, int32_t key, CBaseDevice* partner);

}  // namespace calitems
