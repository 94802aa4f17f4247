#pragma once
// A gong (chime) generator of the central device. Its nine words are kept as
// they were loaded; nothing here edits them.

#include <array>
#include <cstdint>

#include "model/CBaseDevice.h"

class CGong : public CBaseDevice {
    QL_DECLARE_SERIAL(CGong)
public:
    static constexpr uint32_t kKindId = 32808;  // "Gong"
    static constexpr size_t kWordCount = 9;

    CGong();
    void Serialize(CArchive& ar) override;

    std::array<uint32_t, kWordCount> m_words{};
};
