#include "calendar/CCalObject.h"

#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CCalObject, 0)

CCalObject::CCalObject()
{
    m_type = OT_CAL_OBJECT;
}

int CCalObject::PostLoad()
{
    SetName(LoadStringId(kKindId));
    return 1;
}
