#pragma once
// The central device's built-in message recorder (one per document, number 1):
// its recording settings and the names of its 25 message slots. It has no
// protocol block of its own; the recorder window sends its settings live.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

// Value keys: low 16 bits the value, high 16 bits the message slot index.
namespace recorderkey {
enum : uint32_t {
    Input = 0,          // GetInt/SetInt: recording input; GetValue: "IN%d"
    MessageNumber = 1,  // GetInt/SetInt: selected slot; GetValue: the slot name (index in high word)
    Output = 2,         // GetInt/SetInt: playback output 0..4; GetValue: "%d"
    Quality = 3,        // GetValue/SetText: the quality text
    MaxTime = 4,        // GetFloat/SetFloat; GetValue "%3.1f"
    MessageName = 5,    // SetText: rename the slot (index in high word)
};
}

class CInternalMessageRec : public CBaseDevice {
    QL_DECLARE_SERIAL(CInternalMessageRec)
public:
    static constexpr uint32_t kKindId = 34555;  // "Interner Messagerekorder"
    static constexpr int kMessageCount = 25;
    static constexpr float kMaxRecordTime = 360.4f;
    static const char* const kQualityLinear;  // "20KHZ LINEAR"
    static const char* const kQualityMuLaw;   // "10KHZ µ-LAW"

    CInternalMessageRec();

    void Serialize(CArchive& ar) override;
    // The recorder contributes no line to a download.
    int GetDownloadLines(int mode, int step) override;
    // An upload never changes the recorder.
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    int32_t GetInt(uint32_t key) const;
    void SetInt(uint32_t key, int32_t value);
    float GetFloat(uint32_t key) const;
    void SetFloat(uint32_t key, float value);
    std::string GetValue(uint32_t key) const;
    void SetText(uint32_t key, const std::string& text);
    // Kind 1 appends the first 25 message names; returns the list's count
    // (0 without a list).
    int GetMessageNames(int kind, std::vector<std::string>* list) const;

    // "Textwiedergabe %d" for slot index 0..24.
    static std::string DefaultMessageName(int index);

private:
    std::vector<std::string> m_messageNames;
    int32_t m_input = 1;          // 1..4 ("IN1".."IN4")
    int32_t m_output = 1;         // 0 none, 1..4 ("OUT1".."OUT4")
    int32_t m_messageNumber = 1;  // 1..25
    float m_maxTime = 0.0f;       // seconds, 0.0 = no limit
    std::string m_quality;
};
