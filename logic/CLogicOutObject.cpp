#include "logic/CLogicOutObject.h"

QL_IMPLEMENT_SERIAL(CLogicOutObject, 0)

CLogicOutObject::CLogicOutObject()
{
    m_type = OT_LOGIC_OUT_OBJECT;
}
