#include "paging/windows/CZoneLineTransfer.h"

#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "platform/StringTable.h"

namespace {
constexpr uint32_t kLinesText = 34457;  // "Linien"
}  // namespace

CZoneLineTransfer::CZoneLineTransfer(CQuillomerDoc* doc) : m_doc(doc)
{
    m_name = LoadStringId(kLinesText);
}

void CZoneLineTransfer::Add(uint32_t type, int32_t number, int row)
{
    m_items.push_back({type, number, row});
}

int CZoneLineTransfer::RowAt(int step) const
{
    for (const Item& item : m_items)
        if (step < item.first + item.count)
            return item.row;
    return m_items.empty() ? 0 : m_items.back().row;
}

CBaseDevice* CZoneLineTransfer::Find(const Item& item) const
{
    if (!m_doc || !m_doc->GetIDManager().IsValidID(item.number, item.type))
        return nullptr;
    return m_doc->GetIDManager().GetBaseDevice(item.number, item.type);
}

int CZoneLineTransfer::GetDownloadLines(int mode, int step)
{
    if (step < 0) {
        int total = 0;
        for (Item& item : m_items) {
            CBaseDevice* obj = Find(item);
            const int count = obj ? obj->GetDownloadLines(mode, -1) : 0;
            item.first = total;
            item.count = count > 0 ? count : 0;
            total += item.count;
        }
        return total;
    }
    for (const Item& item : m_items) {
        if (step < item.first || step >= item.first + item.count)
            continue;
        const int end = item.first + item.count;
        CBaseDevice* obj = Find(item);
        if (!obj)
            return end;
        const int inner = step - item.first;
        const int next = obj->GetDownloadLines(mode, inner);
        if (next == inner)
            return step;
        return next < 0 || next >= item.count ? end : item.first + next;
    }
    return step;
}
