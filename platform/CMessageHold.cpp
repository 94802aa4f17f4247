#include "platform/CMessageHold.h"

#include <utility>

#include "platform/MessageBox.h"

namespace {
CMessageHold*& Innermost()
{
    static CMessageHold* hold = nullptr;
    return hold;
}
}  // namespace

CMessageHold::CMessageHold() : m_outer(Innermost())
{
    Innermost() = this;
}

CMessageHold::~CMessageHold()
{
    Innermost() = m_outer;
    for (const Message& m : Take())
        ShowMessageWithDetail(m.text, m.detail, m.type);
}

std::vector<CMessageHold::Message> CMessageHold::Take()
{
    return std::exchange(m_held, {});
}

bool CMessageHold::Keep(const std::string& text, const std::string& detail, uint32_t type)
{
    CMessageHold* hold = Innermost();
    if (!hold || (type & 0xF) != mb::Ok)
        return false;
    hold->m_held.push_back({text, detail, type});
    return true;
}
