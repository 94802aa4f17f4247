#pragma once
// The relay number tables of a document: relays on LMZ763 cards (1..500),
// relays on LMZ764 cards (1..100) and relay topologies under their
// collective-call number (1..10). Entries point at objects the document
// owns; a number is free while its entry is empty. Number 0 is never valid.

#include <array>
#include <cstdint>

#include "model/CBaseDevice.h"

class CRelaisManager {
public:
    static constexpr int32_t kRelais = 500;
    static constexpr int32_t kSRelais = 100;
    static constexpr int32_t kCollCalls = 10;

    // ---- relay table (first family) ----
    CBaseDevice* GetRelais(int32_t n) const;
    int ClaimRelaisNumber(CBaseDevice* obj, int32_t n);
    int ReleaseRelaisNumber(CBaseDevice* obj, int32_t n);
    int32_t ClaimFreeRelaisNumber(CBaseDevice* obj);
    int32_t GetFreeRelaisNumber() const;
    // True when at least k numbers from n up to 500 are free (not necessarily in a row).
    bool AreRelaisNumbersFree(int32_t n, int32_t k) const;
    int RemoveRelais(CBaseDevice* obj);
    void GetAllRelais(DeviceList& list) const;

    // ---- second relay table (LMZ764) ----
    CBaseDevice* GetSRelais(int32_t n) const;
    int ClaimSRelaisNumber(CBaseDevice* obj, int32_t n);
    int ReleaseSRelaisNumber(CBaseDevice* obj, int32_t n);
    int32_t ClaimFreeSRelaisNumber(CBaseDevice* obj);
    int RemoveSRelais(CBaseDevice* obj);
    void GetAllSRelais(DeviceList& list) const;

    // ---- collective-call table ----
    CBaseDevice* GetCollCall(int32_t n) const;
    int ClaimCollCallNumber(CBaseDevice* obj, int32_t n);
    int RemoveCollCall(CBaseDevice* obj);

    // Empties every entry that points at obj, in all three tables.
    void Forget(const CBaseDevice* obj);

private:
    std::array<CBaseDevice*, kRelais + 1> m_relais{};
    std::array<CBaseDevice*, kSRelais + 1> m_sRelais{};
    std::array<CBaseDevice*, kCollCalls + 1> m_collCalls{};
};

// The relay tables of an object's document (null without one).
CRelaisManager* RelaisManagerOf(const CBaseDevice* obj);
