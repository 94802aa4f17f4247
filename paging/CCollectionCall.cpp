#include "paging/CCollectionCall.h"

QL_IMPLEMENT_SERIAL(CCollectionCall, 1)

CCollectionCall::CCollectionCall()
{
    m_type = OT_COLLECTION_CALL;
}

const std::string& CCollectionCall::GetName() const
{
    const LinkRecord* rec = GetInLinkAtKey(0);
    if (rec && rec->HasPartner() && rec->partner != this)
        return rec->partner->GetName();
    return m_name;
}
