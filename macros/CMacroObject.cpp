#include "macros/CMacroObject.h"

#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CMacroObject, 1)

CMacroObject::CMacroObject()
{
    m_type = OT_MACRO_OBJECT;
}

int CMacroObject::InitObject()
{
    if (!CBaseDevice::InitObject())
        return 0;
    m_path = kPath;
    if (m_pDocument != nullptr) {
        bool entered = false;
        const auto range = m_pDocument->GetPathMap().equal_range(m_path);
        for (auto it = range.first; it != range.second; ++it)
            entered = entered || it->second == this;
        if (!entered)
            m_pDocument->AddPath(m_path, this);
    }
    return 1;
}

int CMacroObject::PostLoad()
{
    SetName(LoadStringId(kNameTextId));
    return 1;
}
