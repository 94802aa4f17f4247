#pragma once
// A zone ("Linie"): one loudspeaker line of the installation. It is made by
// the relay topology that feeds it (its outgoing key 0 goes to one of the
// topology's incoming keys) and holds the line-test settings of its line.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CZone : public CBaseDevice {
    QL_DECLARE_SERIAL(CZone)
public:
    static constexpr uint32_t kKind = 32802;        // "Linie"
    static constexpr uint32_t kBitmap = 212;
    static constexpr uint32_t kContextMenu = 215;
    static constexpr int32_t kMaxZones = 100;

    CZone();

    void Serialize(CArchive& ar) override;
    using CBaseDevice::Create;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    int PostLoad() override;

    int32_t m_negTolerance = 0;       // 0..100 ("/TEST/NEGTOL")
    int32_t m_posTolerance = 0;       // 0..100 ("/TEST/POSTOL")
    int32_t m_testVolume = -20;       // -78..0 ("/TESTVOL")
    std::string m_ignoredFaults = "NONE";  // "/TEST/IGNORE"
    // Relay tables of files from before the relay objects (schemas 0 and 1).
    std::vector<uint32_t> m_oldRelays;
    std::vector<uint32_t> m_oldRelays2;
};
