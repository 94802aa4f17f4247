#pragma once
// The central device's built-in pilot tone generator (one per document,
// number 1): on/off, the frequency and the levels on OUT1..OUT4. Path "/PILOT".

#include <array>
#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

// Value keys: low 16 bits the value, high 16 bits the level index 0..3.
namespace pilotkey {
enum : uint32_t {
    Frequency = 0,
    Level = 1,  // 1 + (i << 16): level of OUT(i+1)
    On = 2,
};
inline constexpr uint32_t LevelKey(uint32_t index) { return Level | (index << 16); }
}

class CInternalPilottoneGen : public CBaseDevice {
    QL_DECLARE_SERIAL(CInternalPilottoneGen)
public:
    static constexpr uint32_t kKindId = 34556;  // "Interner Pilottongenerator"
    static constexpr float kMinFrequency = 10.0f;
    static constexpr float kMaxFrequency = 23000.0f;
    static constexpr float kMinLevel = -150.0f;
    static constexpr float kMaxLevel = 0.0f;

    CInternalPilottoneGen();

    // The on flag is not stored: a loaded project has the generator off.
    void Serialize(CArchive& ar) override;

    // Key 2: the on flag; every other key 0.
    int32_t GetValue(uint32_t key) const;
    // Key 2: sets the on flag (value != 0) and returns it; other keys do nothing (0).
    int32_t SetValue(uint32_t key, int32_t value);
    // Key 0: frequency, key 1 + (i << 16): level i+1; else 0.0.
    float GetFloatValue(uint32_t key) const;
    // Sets the frequency (10.0..23000.0) or a level (-150.0..0.0), clamped.
    void SetFloatValue(uint32_t key, float value);
    // "%.1f" of frequency and levels, "ON"/"OFF" of the flag; else empty.
    std::string GetValueText(uint32_t key) const;

    // Six steps ("/GEN", "/FREQU", "/VOL1".."/VOL4"), only for the upgraded
    // device; the standard device has no pilot tone generator.
    int GetDownloadLines(int mode, int step) override;
    // Takes the device's values during an upload; a value beyond its range
    // is held at its limit, one that does not read is not taken, and either
    // is named in the difference file with the value kept.
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

private:
    int32_t m_on = 0;
    float m_frequency = kMinFrequency;
    std::array<float, 4> m_levels{kMinLevel, kMinLevel, kMinLevel, kMinLevel};
};
