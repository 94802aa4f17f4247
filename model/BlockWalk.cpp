#include "model/BlockWalk.h"

#include <algorithm>
#include <cstdio>

#include "model/CBaseDevice.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "model/DiffFile.h"
#include "model/DocContext.h"
#include "model/ModelStrings.h"
#include "model/NumberSet.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

void BlockClearState::Reset(const char* flagKey)
{
    asked = 0;
    answered = 0;
    capability = GetAppHost().GetProfileInt("KVT7000", flagKey, 0);
}

void SendBlockLine(const std::string& line, CQuillomerDoc* doc)
{
    // Texts typed by the user travel inside the line: a line break or other
    // control character in them would end or garble the device's line.
    std::string safe = line;
    for (char& c : safe)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    SendCommand(safe, doc, true);
}

int BlockClearStep(BlockClearState& state, int mode, int step, const std::string& clearPath, CQuillomerDoc* doc,
                   bool waits)
{
    if (!mode) {
        SendBlockLine(clearPath + " ALL", doc);
        return step + 1;
    }
    if (!state.capability)
        return step + 1;
    if (!waits) {
        SendBlockLine(clearPath + " ?", doc);
        return step + 1;
    }
    if (state.answered)
        return step + 1;
    if (!state.asked) {
        state.asked = 1;
        SendBlockLine(clearPath + " ?", doc);
    }
    return step;
}

bool SplitEntryKey(const std::string& key, const std::string& word, int limit, int& number, std::string& rest)
{
    if (key.compare(0, word.size(), word) != 0)
        return false;
    const size_t digits = word.size();
    size_t end = digits;
    while (end < key.size() && end - digits < 6 && key[end] >= '0' && key[end] <= '9')
        ++end;
    if (end == digits || (end < key.size() && key[end] != '/'))
        return false;
    const int n = std::stoi(key.substr(digits, end - digits));
    if (n < 1 || n > limit)
        return false;
    number = n;
    rest = key.substr(end);
    return true;
}

bool ReadBlockInt(const std::string& text, int& out)
{
    int v = 0;
    if (std::sscanf(text.c_str(), "%d", &v) != 1)
        return false;
    out = v;
    return true;
}

bool ReadBlockFloat(const std::string& text, float& out)
{
    const std::optional<float> v = ScanFiniteFloat(text);
    if (!v)
        return false;
    out = *v;
    return true;
}

bool IsFamilyNumber(const CQuillomerDoc* doc, uint32_t type, int32_t number)
{
    if (!doc || number < 1 || !doc->GetIDManager().IsValidID(number, type))
        return false;
    const uint32_t limit = GetMaxObjectCount(type, doc->m_data.deviceVariant);
    return limit == 0 || static_cast<uint32_t>(number) <= limit;
}

CBaseDevice* FindNumbered(CQuillomerDoc* doc, uint32_t type, int number)
{
    if (!doc || !doc->GetIDManager().IsValidID(number, type))
        return nullptr;
    return doc->GetIDManager().GetBaseDevice(number, type);
}

bool ReadFreeList(std::span<uint8_t> free, unsigned range, const std::string& item, const std::string& value)
{
    if (ParseRangesString(free, range, value))
        return true;
    FillBits(free, 0, range, false);
    ReportUnreadableAnswer(item + " " + value);
    return false;
}

bool ApplyFreeList(CQuillomerDoc* doc, uint32_t type, int limit, unsigned range, const std::string& item,
                   const std::string& value, const std::function<void(int number)>& make,
                   const std::string* diffFile, const std::string& table)
{
    if (!doc)
        return false;
    NumberSet free{};
    FillBits(free, 0, kNumberSetBits, true);
    if (!ReadFreeList(free, range, item, value))
        return false;
    for (int n = 1; n <= limit; ++n) {
        CBaseDevice* obj = FindNumbered(doc, type, n);
        if (TestBit(free, static_cast<unsigned>(n - 1))) {
            if (obj)
                doc->FreeOnDevice(*obj);
            else
                doc->NoteFreeOnDevice(type, n);
        } else if (!obj) {
            make(n);
        }
    }
    ReportBeyondLimit(diffFile, table, free, limit, range);
    return true;
}

void ReportBeyondLimit(const std::string* diffFile, const std::string& table, std::span<const uint8_t> free,
                       int limit, unsigned range)
{
    if (!diffFile || diffFile->empty())
        return;
    // The device's table reaches at least to the highest number it gives as free.
    unsigned extent = std::min(range, kNumberSetBits);
    while (extent > 0 && !TestBit(free, extent - 1))
        --extent;
    NumberSet used{};
    bool any = false;
    for (unsigned n = static_cast<unsigned>(std::max(limit, 0)) + 1; n < extent; ++n) {
        if (!TestBit(free, n - 1)) {
            SetBit(used, n - 1, true);
            any = true;
        }
    }
    if (any)
        AppendErrText(*diffFile, StrFormat(LoadStringId(IDS_BEYOND_LIMIT).c_str(), table.c_str(),
                                           RangesToString(used, range).c_str(), limit));
}

CBaseDevice* CreateNumberedPlaceholder(CQuillomerDoc* doc, const char* className, uint32_t type, uint32_t kindId,
                                       int32_t number, int32_t category)
{
    if (!doc || !IsFamilyNumber(doc, type, number) || doc->GetIDManager().GetBaseDevice(number, type))
        return nullptr;
    const CRuntimeClass* cls = CClassRegistry::Find(className);
    if (!cls)
        return nullptr;
    CSerializable* made = cls->create();
    auto* obj = dynamic_cast<CBaseDevice*>(made);
    if (!obj || obj->GetType() != type) {
        delete made;
        return nullptr;
    }
    if (!obj->Create(kindId, StrFormat("%d *", number), number, category, doc)) {
        delete obj;
        return nullptr;
    }
    doc->AddObject(obj, category);
    obj->KeepClearOfDeviceNames();
    doc->NotePlaceholderForFree(*obj);
    return obj;
}

CBaseDevice* FindOrMakeNumbered(CQuillomerDoc* doc, const char* className, uint32_t type, uint32_t kindId,
                                int32_t number, int32_t category)
{
    if (CBaseDevice* obj = FindNumbered(doc, type, number))
        return obj;
    return CreateNumberedPlaceholder(doc, className, type, kindId, number, category);
}

void ReportUntaken(const std::string* diffFile, const std::string& itemWord, int32_t ownerNumber,
                   const std::string& missing)
{
    if (diffFile && !diffFile->empty())
        AppendErrLine(*diffFile, itemWord, ownerNumber, missing);
}

void ReportNotHeld(const std::string* diffFile, const std::string& item, const std::string& device,
                   const std::string& held)
{
    if (diffFile && !diffFile->empty())
        AppendErrMismatch(*diffFile, item, device, held);
}
