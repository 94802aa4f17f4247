#pragma once
// An alarm generator of the central device. Its eleven words are kept as they
// were loaded (three groups of three, then two single words); nothing here
// edits them.

#include <array>
#include <cstdint>

#include "model/CBaseDevice.h"

class CAlarm : public CBaseDevice {
    QL_DECLARE_SERIAL(CAlarm)
public:
    static constexpr uint32_t kKindId = 32807;  // "Alarm"
    static constexpr size_t kWordCount = 11;

    CAlarm();
    void Serialize(CArchive& ar) override;

    std::array<uint32_t, kWordCount> m_words{};
};
