#include "logic/CTriggerObject.h"

#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CTriggerObject, 1)

CTriggerObject::CTriggerObject()
{
    m_type = OT_TRIGGER_OBJECT;
}

int CTriggerObject::PostLoad()
{
    SetName(LoadStringId(kNameTextId));
    return 1;
}
