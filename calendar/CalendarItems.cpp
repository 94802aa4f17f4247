#include "calendar/CalendarItems.h"

#include "calendar/CalendarIds.h"
#include "model/BlockWalk.h"
#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"

namespace calitems {

CBaseDevice* MakeNumbered(CQuillomerDoc* doc, const char* className, uint32_t type, uint32_t kindId, int32_t number,
                          int32_t category)
{
    return CreateNumberedPlaceholder(doc, className, type, kindId, number, category);
}

namespace {
CBaseDevice* FindOrMake(CQuillomerDoc* doc, int32_t number, uint32_t type, const char* className, uint32_t kindId,
                        int32_t category)
{
    if (!doc || number < 1 || !doc->GetIDManager().IsValidID(number, type))
        return nullptr;
    if (CBaseDevice* obj = doc->GetIDManager().GetBaseDevice(number, type))
        return obj;
    return MakeNumbered(doc, className, type, kindId, number, category);
}
}  // namespace

CBaseDevice* FindOrMakeMacro(CQuillomerDoc* doc, int32_t number)
{
    return FindOrMake(doc, number, OT_MACRO, "CMacro", IDS_CAL_NO_MACRO_TYPE, CAT_MACRO);
}

CBaseDevice* FindOrMakeDayprog(CQuillomerDoc* doc, int32_t number)
{
    return FindOrMake(doc, number, OT_DAYPROG, "CDayprog", IDS_CAL_DAYPROG, CAT_CALENDAR);
}

CBaseDevice* Find(CQuillomerDoc* doc, int32_t number, uint32_t type)
{
    if (!doc || !doc->GetIDManager().IsValidID(number, type))
        return nullptr;
    return doc->GetIDManager().GetBaseDevice(number, type);
}

void Relink(CBaseDevice* owner, int32_t key, CBaseDevice* partner)
{
    owner->RemoveOutLinksAtKey(key);
    if (!partner)
        return;
    owner->AddOutLink(owner, key, partner, 0, partner->GetCategory());
    partner->AddInLink(partner, 0, owner, key, owner->GetCategory());
}

}  // namespace calitems
