#include "logic/CConditionObject.h"

#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CConditionObject, 0)

CConditionObject::CConditionObject()
{
    m_type = OT_CONDITION_OBJECT;
}

int CConditionObject::PostLoad()
{
    SetName(LoadStringId(kKindId));
    return 1;
}
