#include "logic/CReadyInpObject.h"

QL_IMPLEMENT_SERIAL(CReadyInpObject, 0)

CReadyInpObject::CReadyInpObject()
{
    m_type = OT_READY_INP_OBJECT;
}
