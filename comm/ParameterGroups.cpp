#include "comm/ParameterGroups.h"

#include <QtGlobal>

#include <algorithm>
#include <initializer_list>

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/ObjectTypeCode.h"

const std::vector<std::string>& ParameterGroupTexts()
{
    static const std::vector<std::string> texts = {
        QT_TRANSLATE_NOOP("ParameterGroups", "Audio"),
        QT_TRANSLATE_NOOP("ParameterGroups", "Sprechstellen"),
        QT_TRANSLATE_NOOP("ParameterGroups", "Linien und Gruppen"),
        QT_TRANSLATE_NOOP("ParameterGroups", "Steuerung (Trigger, Makros ...)"),
        QT_TRANSLATE_NOOP("ParameterGroups", "Timer und Kalender"),
        QT_TRANSLATE_NOOP("ParameterGroups", "Textdatei  ( nur Download )"),
    };
    return texts;
}

namespace {

void AddCategory(CQuillomerDoc& doc, int32_t category, std::vector<CBaseDevice*>& out)
{
    for (CBaseDevice* obj : doc.GetList(category))
        out.push_back(obj);
}

template <class Pred>
void AddCategoryIf(CQuillomerDoc& doc, int32_t category, std::vector<CBaseDevice*>& out, Pred pred)
{
    for (CBaseDevice* obj : doc.GetList(category)) {
        if (pred(obj))
            out.push_back(obj);
    }
}

void AddNumbered(CQuillomerDoc& doc, uint32_t type, int32_t number, std::vector<CBaseDevice*>& out)
{
    if (CBaseDevice* obj = doc.GetIDManager().GetBaseDevice(number, type))
        out.push_back(obj);
}

bool IsOneOf(uint32_t type, std::initializer_list<uint32_t> types)
{
    return std::find(types.begin(), types.end(), type) != types.end();
}

}  // namespace

std::vector<CBaseDevice*> CollectParameterGroupObjects(CQuillomerDoc& doc, uint32_t groups)
{
    std::vector<CBaseDevice*> out;
    auto ticked = [groups](int bit) { return ((groups >> bit) & 1u) != 0; };
    if (ticked(paramgroup::Audio)) {
        AddCategory(doc, CAT_OUTPUT_SLOT, out);
        AddCategory(doc, CAT_INPUT_SLOT, out);
        AddCategoryIf(doc, CAT_INTERFACE, out, [](CBaseDevice* o) { return o->GetType() == OT_FUSE; });
        AddCategoryIf(doc, CAT_AUDIO, out, [](CBaseDevice* o) {
            return !IsOneOf(o->GetType(), {OT_CAL_OBJECT, OT_GLOBAL_READY_INPUT, OT_MACRO_OBJECT, OT_CONDITION_OBJECT,
                                           OT_LOGIC_OUT_OBJECT, OT_VIRT_CTRL, OT_SPARE_AMP, OT_FAULT, OT_LAN_GROUP,
                                           OT_CONSOLE_OBJECT});
        });
    }
    if (ticked(paramgroup::Consoles)) {
        AddCategory(doc, CAT_CONSOLE, out);
        AddNumbered(doc, OT_CONSOLE_OBJECT, 1, out);
    }
    if (ticked(paramgroup::ZonesAndGroups)) {
        AddNumbered(doc, OT_GROUP, 0, out);
        AddCategory(doc, CAT_RELAIS_TOPOLOGY, out);
        AddCategory(doc, CAT_ZONE, out);
        AddCategoryIf(doc, CAT_AUDIO, out, [](CBaseDevice* o) { return o->GetType() == OT_LAN_GROUP; });
    }
    if (ticked(paramgroup::Control)) {
        AddCategory(doc, CAT_DIGITAL_IO, out);
        for (uint32_t type : {OT_GLOBAL_READY_INPUT, OT_MACRO_OBJECT, OT_CONDITION_OBJECT, OT_LOGIC_OUT_OBJECT,
                              OT_VIRT_CTRL, OT_SPARE_AMP, OT_FAULT})
            AddNumbered(doc, type, 1, out);
    }
    if (ticked(paramgroup::TimerCalendar)) {
        AddCategory(doc, CAT_CALENDAR, out);
        AddNumbered(doc, OT_CAL_OBJECT, 1, out);
    }
    return out;
}
