#include "model/CIDManager.h"

#include <map>

#include "model/CBaseDevice.h"
#include "model/CControlPad.h"
#include "model/ModelStrings.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

namespace {
constexpr uint32_t kCapacity[OT_LAST + 1] = {
    0,
    21, 65, 51, 33, 3, 3, 17, 513, 21, 2,        // 1..10
    17, 101, 51, 2, 2, 17, 251, 2, 101, 65,      // 11..20
    101, 2, 101, 11, 11, 31, 2, 31, 11, 31,      // 21..30
    2, 2, 251, 201, 9, 961, 16, 51, 2, 2,        // 31..40
    97, 97, 41, 9, 2, 2, 2, 251, 41, 2,          // 41..50
    2, 2, 51, 51, 51, 2, 2, 0, 2, 11,            // 51..60
    2, 2, 2, 65, 2, 2, 2,                        // 61..67
};

CIDManager::AmpInfoFn& AmpInfoHook()
{
    static CIDManager::AmpInfoFn fn = nullptr;
    return fn;
}

const char* NameOf(const CBaseDevice* obj)
{
    return obj ? obj->GetName().c_str() : "";
}
}  // namespace

uint32_t GetTypeCapacity(uint32_t type)
{
    return type >= OT_FIRST && type <= OT_LAST ? kCapacity[type] : 0;
}

CIDManager::CIDManager()
{
    for (uint32_t t = OT_FIRST; t <= OT_LAST; ++t)
        m_tables[t].assign(kCapacity[t], nullptr);
}

void CIDManager::Clear()
{
    for (auto& table : m_tables)
        std::fill(table.begin(), table.end(), nullptr);
}

CIDManager::AmpInfoFn CIDManager::SetAmpInfoFn(AmpInfoFn fn)
{
    AmpInfoFn old = AmpInfoHook();
    AmpInfoHook() = fn;
    return old;
}

bool CIDManager::IsValidType(uint32_t type)
{
    return type >= OT_FIRST && type <= OT_LAST;
}

bool CIDManager::IsValidID(int32_t number, uint32_t type) const
{
    return IsValidType(type) && number >= 0 && static_cast<uint32_t>(number) < kCapacity[type];
}

int32_t CIDManager::GetNextID(CBaseDevice* obj, uint32_t type)
{
    if (!IsValidType(type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_GET_NEXT_ID).c_str(), static_cast<int>(type), NameOf(obj)));
        return -1;
    }
    auto& table = m_tables[type];
    for (size_t n = type == OT_GROUP ? 0 : 1; n < table.size(); ++n) {
        if (!table[n]) {
            table[n] = obj;
            return static_cast<int32_t>(n);
        }
    }
    return -1;
}

int CIDManager::AddID(CBaseDevice* obj, uint32_t type, int32_t number)
{
    if (!IsValidID(number, type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_ADD_ID).c_str(), number, static_cast<int>(type), NameOf(obj)));
        return 0;
    }
    m_tables[type][number] = obj;
    return 1;
}

int CIDManager::RemoveID(CBaseDevice* obj, uint32_t type, int32_t number)
{
    if (!IsValidID(number, type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_REMOVE_ID).c_str(), number, static_cast<int>(type), NameOf(obj)));
        return 0;
    }
    // An entry another object has taken over stays with that object.
    CBaseDevice*& entry = m_tables[type][number];
    if (!obj || entry == obj)
        entry = nullptr;
    return 1;
}

CBaseDevice* CIDManager::IsIDTaken(CBaseDevice* obj, uint32_t type, int32_t number) const
{
    if (!IsValidID(number, type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_ADD_ID).c_str(), number, static_cast<int>(type), NameOf(obj)));
        return nullptr;
    }
    return m_tables[type][number];
}

bool CIDManager::IsTaken(CBaseDevice* obj, uint32_t type, int32_t number) const
{
    if (!IsValidID(number, type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_ADD_ID).c_str(), number, static_cast<int>(type), NameOf(obj)));
        return true;
    }
    return m_tables[type][number] != nullptr;
}

CBaseDevice* CIDManager::GetBaseDevice(int32_t number, uint32_t type) const
{
    if (!IsValidID(number, type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_GET_BASE_DEVICE).c_str(), number, static_cast<int>(type)));
        return nullptr;
    }
    return m_tables[type][number];
}

int32_t CIDManager::GetCount(uint32_t type) const
{
    if (!IsValidType(type))
        return -1;
    int32_t count = 0;
    for (const CBaseDevice* o : m_tables[type])
        if (o)
            ++count;
    return count;
}

int32_t CIDManager::GetMaxID(uint32_t type) const
{
    if (!IsValidType(type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_GET_BASE_DEVICE_LIST).c_str(), static_cast<int>(type)));
        return 0;
    }
    int32_t maxId = 0;
    for (const CBaseDevice* o : m_tables[type])
        if (o && o->GetNumber() > maxId)
            maxId = o->GetNumber();
    return maxId;
}

void CIDManager::GetBaseDeviceList(DeviceList& list, uint32_t type) const
{
    if (!IsValidType(type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_GET_BASE_DEVICE_LIST).c_str(), static_cast<int>(type)));
        return;
    }
    for (CBaseDevice* o : m_tables[type])
        if (o)
            list.push_back(o);
}

void CIDManager::GetBaseDeviceListByKind(DeviceList& list, uint32_t type, uint32_t kindId) const
{
    if (!IsValidType(type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_GET_BASE_DEVICE_LIST).c_str(), static_cast<int>(type)));
        return;
    }
    for (CBaseDevice* o : m_tables[type])
        if (o && o->GetKindId() == kindId)
            list.push_back(o);
}

void CIDManager::RemoveAndClose(uint32_t type, int32_t number)
{
    if (!IsValidType(type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_GET_BASE_DEVICE_LIST).c_str(), static_cast<int>(type)));
        return;
    }
    auto& table = m_tables[type];
    if (number < 0 || static_cast<size_t>(number) >= table.size())
        return;
    for (size_t n = static_cast<size_t>(number); n + 1 < table.size(); ++n) {
        table[n] = table[n + 1];
        if (table[n])
            table[n]->SetNumber(static_cast<int32_t>(n));
    }
    table.back() = nullptr;
}

void CIDManager::DeleteFrom(uint32_t type, int32_t from, int32_t to)
{
    if (!IsValidType(type)) {
        ShowMessage(StrFormat(LoadStringId(IDS_GET_BASE_DEVICE_LIST).c_str(), static_cast<int>(type)));
        return;
    }
    const int32_t cap = static_cast<int32_t>(kCapacity[type]);
    if (from < 1)
        from = 1;
    if (from > cap || to < 0 || to > cap)
        return;
    if (to == 0)
        to = cap;
    for (int32_t n = from; n < to; ++n) {
        // The object removes itself from the table when it is deleted.
        if (CBaseDevice* o = m_tables[type][n])
            o->OnCommand(objcmd::Delete);
    }
}

int CIDManager::ChangeID(CBaseDevice* obj, int32_t oldNumber, int32_t newNumber)
{
    if (!obj)
        return 0;
    const uint32_t type = obj->GetType();
    if (!IsValidID(oldNumber, type) || !IsValidID(newNumber, type))
        return 0;
    auto& table = m_tables[type];
    if (table[oldNumber] != obj || table[newNumber])
        return 0;
    table[oldNumber] = nullptr;
    table[newNumber] = obj;
    return 1;
}

void CIDManager::GetRemoteAmpsByAddress(DeviceList& list) const
{
    AmpInfoFn info = AmpInfoHook();
    if (!info)
        return;
    // Of two amplifiers with the same address the higher-numbered one is listed.
    std::map<int32_t, CBaseDevice*> byAddress;
    for (CBaseDevice* o : m_tables[OT_AMPLIFIER]) {
        if (!o)
            continue;
        const AmpInfo a = info(o);
        if (a.remote && a.address >= 0 && a.address <= 64)
            byAddress[a.address] = o;
    }
    for (const auto& [address, amp] : byAddress)
        list.push_back(amp);
}

std::string CIDManager::GetAmpChannelText(int32_t channel) const
{
    DeviceList amps;
    GetRemoteAmpsByAddress(amps);
    AmpInfoFn info = AmpInfoHook();
    int32_t before = 0;
    for (CBaseDevice* amp : amps) {
        const int32_t count = info(amp).channels;
        if (channel > before && channel <= before + count)
            return amp->GetName() + StrFormat(" CH%d", channel - before);
        before += count;
    }
    return StrFormat("%d *", channel);
}

CControlPad* CIDManager::FindControlPadByKeyword(const std::string& keyword, int32_t index) const
{
    for (CBaseDevice* o : m_tables[OT_CONTROL_PAD]) {
        auto* pad = dynamic_cast<CControlPad*>(o);
        if (pad && pad->MatchesKeyword(keyword, index))
            return pad;
    }
    return nullptr;
}
