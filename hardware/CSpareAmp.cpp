#include "hardware/CSpareAmp.h"

#include "hardware/CAmplifier.h"
#include "model/CQuillomerDoc.h"
#include "model/NumberSet.h"

QL_IMPLEMENT_SERIAL(CSpareAmp, 3)

namespace {
constexpr uint32_t kKindAmplifier = OT_AMPLIFIER;     // 2
constexpr uint32_t kKindReadyInput = OT_READY_INPUT;  // 38
}  // namespace

CSpareAmp::CSpareAmp() : m_names(kEntries)
{
    m_type = OT_SPARE_AMP;
    Reset();
}

void CSpareAmp::Reset()
{
    m_cleared.fill(0xFF);
    for (SpareEntry& e : m_entries)
        e = SpareEntry();
}

bool CSpareAmp::IsEntryCleared(int n) const
{
    return n < 0 || n >= kEntries || TestBit(m_cleared, static_cast<unsigned>(n));
}

void CSpareAmp::SetEntryCleared(int n, bool cleared)
{
    if (n >= 0 && n < kEntries)
        SetBit(m_cleared, static_cast<unsigned>(n), cleared);
}

void CSpareAmp::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        for (const SpareEntry& e : m_entries) {
            ar << e.index << e.readyFlag;
            for (const SpareWatch& w : e.watch)
                ar << w.index << w.readyFlag << w.outRelay << w.inRelay;
        }
        ar.WriteCount(static_cast<uint32_t>(m_names.size()));
        for (const std::string& name : m_names)
            ar << name;
        return;
    }
    Reset();
    m_names.assign(kEntries, std::string());
    if (m_loadedSchema >= 2) {
        for (SpareEntry& e : m_entries) {
            ar >> e.index >> e.readyFlag;
            for (SpareWatch& w : e.watch)
                ar >> w.index >> w.readyFlag >> w.outRelay >> w.inRelay;
        }
    }
    if (m_loadedSchema >= 3) {
        const uint32_t count = ar.ReadCount();
        for (uint32_t i = 0; i < count; ++i) {
            std::string name;
            ar >> name;
            if (i < static_cast<uint32_t>(kEntries))
                m_names[i] = std::move(name);
        }
    }
    for (int n = 0; n < kEntries; ++n)
        SetEntryCleared(n, m_names[n].empty());
}

bool CSpareAmp::GetEntry(int n, std::string& name, uint32_t& kind, int32_t& index) const
{
    if (n < 0 || n >= kEntries)
        return false;
    const SpareEntry& e = m_entries[n];
    name = m_names[n];
    kind = e.readyFlag ? kKindReadyInput : kKindAmplifier;
    index = e.index;
    return !IsEntryCleared(n);
}

bool CSpareAmp::GetWatch(int j, int n, uint32_t& kind, int32_t& index) const
{
    if (n < 0 || n >= kEntries || j < 0 || j >= kWatches)
        return false;
    const SpareWatch& w = m_entries[n].watch[j];
    kind = w.readyFlag ? kKindReadyInput : kKindAmplifier;
    index = w.index;
    return w.index != 0 || w.outRelay != 0 || w.inRelay != 0;
}

int32_t CSpareAmp::GlobalChannel(int32_t number, int32_t channel) const
{
    if (!m_pDocument)
        return -1;
    const CIDManager& dir = m_pDocument->GetIDManager();
    if (!dir.IsValidID(number, OT_AMPLIFIER))
        return -1;
    return CAmplifier::GetGlobalChannel(dir.GetBaseDevice(number, OT_AMPLIFIER), channel);
}

void CSpareAmp::SetEntry(int n, const std::string& name, bool inUse, uint32_t kind, int32_t number,
                         int32_t channel)
{
    if (n < 0 || n >= kEntries)
        return;
    SetDocModified();
    SpareEntry& e = m_entries[n];
    m_names[n] = name;
    SetEntryCleared(n, !inUse);
    if (kind == kKindAmplifier) {
        e.readyFlag = 0;
        const int32_t global = GlobalChannel(number, channel);
        if (global > 0)
            e.index = static_cast<uint16_t>(global);
    } else {
        e.readyFlag = 1;
        e.index = static_cast<uint16_t>(number);
    }
    if (!inUse)
        for (SpareWatch& w : e.watch)
            w = SpareWatch();
}

void CSpareAmp::SetWatch(int j, int n, uint32_t kind, int32_t number, int32_t channel)
{
    if (n < 0 || n >= kEntries || j < 0 || j >= kWatches)
        return;
    SetDocModified();
    SpareWatch& w = m_entries[n].watch[j];
    if (kind == kKindAmplifier) {
        w.readyFlag = 0;
        const int32_t global = GlobalChannel(number, channel);
        if (global > 0)
            w.index = static_cast<uint16_t>(global);
    } else if (kind == kKindReadyInput) {
        w.readyFlag = 1;
        w.index = static_cast<uint16_t>(number);
    } else {
        w = SpareWatch();
    }
}
