#pragma once
// The amplifier models: one row per model the designer knows. A row fixes the
// channel count, the power of each channel, the symbol bitmap, the frame
// width in module positions and whether the model carries the remote module
// (addressable on the amplifier bus). The last row, kind 32788 "Nicht
// benutzt", ends the table; it is found by its kind, not by a count.

#include <cstdint>

struct AmpTypeEntry {
    int32_t index;        // 0..18
    uint32_t kindId;      // model string id (the amplifier's kind id)
    int32_t remote;       // 1: the model carries the remote module
    int32_t frameWidth;   // 1, 2 or 4 module positions (0 in the end row)
    int32_t power[4];     // W per channel 1..4, 0 = not stated
    int32_t channels;     // 1..4 (0 in the end row)
    uint32_t bitmapId;    // symbol bitmap
};

namespace amptype {
constexpr int kRows = 19;             // the end row included
constexpr uint32_t kEndKind = 32788;  // "Nicht benutzt"
}  // namespace amptype

extern const AmpTypeEntry AmpTypeTable[amptype::kRows];
