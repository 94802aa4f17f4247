#include "logic/CMemoFlag.h"

#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CMemoFlag, 1)

namespace {
constexpr uint32_t kTitleName = 32805;  // "Name"
constexpr uint32_t kTitleId = 34244;    // "ID"
}  // namespace

CMemoFlag::CMemoFlag()
{
    m_type = OT_MEMO_FLAG;
}

void CMemoFlag::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
}

int CMemoFlag::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        texts.push_back(LoadStringId(kTitleName));
        texts.push_back(LoadStringId(kTitleId));
    } else {
        texts.push_back(GetName());
        texts.push_back(GetNumberText());
    }
    return static_cast<int>(texts.size());
}

int CMemoFlag::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.push_back({2, 0});
    columns.push_back({30, 0});
    return static_cast<int>(columns.size());
}
