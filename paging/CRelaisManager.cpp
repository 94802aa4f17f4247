#include "paging/CRelaisManager.h"

#include <memory>

#include "model/CQuillomerDoc.h"

namespace {
template <size_t N>
CBaseDevice* Get(const std::array<CBaseDevice*, N>& t, int32_t n)
{
    return n >= 1 && static_cast<size_t>(n) < N ? t[n] : nullptr;
}

template <size_t N>
int Claim(std::array<CBaseDevice*, N>& t, CBaseDevice* obj, int32_t n)
{
    if (!obj || n < 1 || static_cast<size_t>(n) >= N || t[n])
        return 0;
    t[n] = obj;
    return 1;
}

template <size_t N>
int Release(std::array<CBaseDevice*, N>& t, const CBaseDevice* obj, int32_t n)
{
    if (n < 1 || static_cast<size_t>(n) >= N || t[n] != obj)
        return 0;
    t[n] = nullptr;
    return 1;
}

template <size_t N>
int32_t ClaimFree(std::array<CBaseDevice*, N>& t, CBaseDevice* obj)
{
    for (size_t n = 1; n < N; ++n) {
        if (!t[n]) {
            t[n] = obj;
            return static_cast<int32_t>(n);
        }
    }
    return 0;
}

template <size_t N>
void RemoveAll(std::array<CBaseDevice*, N>& t, const CBaseDevice* obj)
{
    for (auto& e : t)
        if (e == obj)
            e = nullptr;
}

template <size_t N>
void ListAll(const std::array<CBaseDevice*, N>& t, DeviceList& list)
{
    for (size_t n = 1; n < N; ++n)
        if (t[n])
            list.push_back(t[n]);
}

// Every document gets its tables when it is made.
const bool g_installed = [] {
    CQuillomerDoc::SetRelaisManagerFactory(
        [](CQuillomerDoc*) -> std::shared_ptr<CRelaisManager> { return std::make_shared<CRelaisManager>(); });
    return true;
}();
}  // namespace

CRelaisManager* RelaisManagerOf(const CBaseDevice* obj)
{
    return obj && obj->GetDocument() ? obj->GetDocument()->GetRelaisManager() : nullptr;
}

CBaseDevice* CRelaisManager::GetRelais(int32_t n) const { return Get(m_relais, n); }
int CRelaisManager::ClaimRelaisNumber(CBaseDevice* obj, int32_t n) { return Claim(m_relais, obj, n); }
int CRelaisManager::ReleaseRelaisNumber(CBaseDevice* obj, int32_t n) { return Release(m_relais, obj, n); }
int32_t CRelaisManager::ClaimFreeRelaisNumber(CBaseDevice* obj) { return obj ? ClaimFree(m_relais, obj) : 0; }

int32_t CRelaisManager::GetFreeRelaisNumber() const
{
    for (int32_t n = 1; n <= kRelais; ++n)
        if (!m_relais[n])
            return n;
    return 0;
}

bool CRelaisManager::AreRelaisNumbersFree(int32_t n, int32_t k) const
{
    if (k <= 0)
        return true;
    if (n < 0)
        return false;
    int32_t free = 0;
    for (int32_t i = std::max(n, 1); i <= kRelais && free < k; ++i)
        if (!m_relais[i])
            ++free;
    return free >= k;
}

int CRelaisManager::RemoveRelais(CBaseDevice* obj)
{
    RemoveAll(m_relais, obj);
    return 1;
}

void CRelaisManager::GetAllRelais(DeviceList& list) const { ListAll(m_relais, list); }

CBaseDevice* CRelaisManager::GetSRelais(int32_t n) const { return Get(m_sRelais, n); }
int CRelaisManager::ClaimSRelaisNumber(CBaseDevice* obj, int32_t n) { return Claim(m_sRelais, obj, n); }
int CRelaisManager::ReleaseSRelaisNumber(CBaseDevice* obj, int32_t n) { return Release(m_sRelais, obj, n); }
int32_t CRelaisManager::ClaimFreeSRelaisNumber(CBaseDevice* obj) { return obj ? ClaimFree(m_sRelais, obj) : 0; }

int CRelaisManager::RemoveSRelais(CBaseDevice* obj)
{
    RemoveAll(m_sRelais, obj);
    return 1;
}

void CRelaisManager::GetAllSRelais(DeviceList& list) const { ListAll(m_sRelais, list); }

CBaseDevice* CRelaisManager::GetCollCall(int32_t n) const { return Get(m_collCalls, n); }
int CRelaisManager::ClaimCollCallNumber(CBaseDevice* obj, int32_t n) { return Claim(m_collCalls, obj, n); }

int CRelaisManager::RemoveCollCall(CBaseDevice* obj)
{
    RemoveAll(m_collCalls, obj);
    return 1;
}

void CRelaisManager::Forget(const CBaseDevice* obj)
{
    RemoveAll(m_relais, obj);
    RemoveAll(m_sRelais, obj);
    RemoveAll(m_collCalls, obj);
}
