#pragma once
// The system-wide audio settings of the central device (one per document,
// number 1): the playback level of each signal kind, the attenuation of the
// background programme during announcements and the audio inputs that feed
// the external alarm and message signals and the background programme.
// The device path of its block is "AUDIO".

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "model/CBaseDevice.h"

// Value keys (MiscAudioKey).
namespace miscaudiokey {
enum : uint32_t {
    AlarmVol = 0,     // "ALARM_VOL", dB
    ChimeVol = 1,     // "CHIME_VOL", dB
    MessageVol = 2,   // "MESSAGE_VOL", dB
    PanicVol = 3,     // "PANIC_VOL", dB
    BackAtt = 4,      // "BACK_ATT", dB, -41 = off
    ExtAlarmInp = 5,  // "EXT_ALARM_INP", input 0..3
    ExtMsgInp = 6,    // "EXT_MSG_INP", input 0..3
    BackInp = 7,      // "BACK_INP", input 0..3
    Count = 8,
};
}

class CMiscAudio : public CBaseDevice {
    QL_DECLARE_SERIAL(CMiscAudio)
public:
    static constexpr uint32_t kKindId = 32821;  // "Gemeinsame Audio Parameter"
    static constexpr float kMinLevel = -80.0f;
    static constexpr float kMaxLevel = 6.0f;
    static constexpr int32_t kBackAttOff = -41;

    CMiscAudio();

    void Serialize(CArchive& ar) override;
    // The common creation, then the path "AUDIO"; fills the keyword tables.
    int InitObject() override;

    // Keys 0-3 "%2.1f" of the level, 4-7 "%d"; else empty.
    std::string GetValue(uint32_t key) const;
    // Sets one value from its text, limited to the key's range; true for keys 0-7.
    bool SetValue(uint32_t key, const std::string& text);

    // Builds the line of one key with the value as the device counts it
    // ("/AUDIO/BACK_ATT -127"; " ?" in query mode), sends it and returns it.
    std::string SendAudioLine(uint32_t key, bool shorten, bool query);
    // Eight steps, the keys in order, one line each.
    int GetDownloadLines(int mode, int step) override;
    // Takes one value in the device's counting. An answer it cannot read is
    // reported and changes nothing; one it cannot hold as given (beyond the
    // range, a decimal where a whole number belongs) is held at what it can
    // hold. Either is named in the difference file with the value kept.
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // The value of a key as the device counts it, as a download sends it.
    std::string DeviceValueText(uint32_t key) const;

    float GetLevel(uint32_t key) const { return key < 4 ? m_levels[key] : 0.0f; }
    int32_t GetInt(uint32_t key) const { return key >= 4 && key < 8 ? m_ints[key - 4] : 0; }

    // The keyword tables shared by all objects of the class (filled by the
    // first InitObject): keyword → key and key → keyword.
    static const std::unordered_map<std::string, uint32_t>& KeyOfKeyword();
    static const std::unordered_map<uint32_t, std::string>& KeywordOfKey();

private:
    static void FillKeywordTables();

    std::array<float, 4> m_levels{-14.8f, -9.0f, -3.6f, 0.0f};  // keys 0..3
    std::array<int32_t, 4> m_ints{kBackAttOff, 2, 2, 3};           // keys 4..7
};
