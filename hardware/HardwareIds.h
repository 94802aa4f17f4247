#pragma once
// Ids of the hardware family that other parts of the program name. The
// numbers are the program's resource ids and must not change.

#include <cstdint>

// Amplifier models: the kind id of an amplifier equals the menu command that
// adds one of that model.
namespace ampmodel {
enum : uint32_t {
    OneChannel = 33099,       // "1-Kanal Verstärker"
    Hbe6631 = 33007,
    Hbe6633 = 33071,
    Hbe6631Yok = 33160,       // "HBE 6631 + YOK 58417"
    Hbe6633Yok = 33161,
    TwoChannel = 33035,       // "2-Kanal Verstärker"
    Hbe6657 = 33072,
    Hbe6659 = 33073,
    Hbe6683_4x1 = 33074,      // "4 x 100W"
    Hbe6683_211 = 33075,      // "200W + 100W + 100W"
    Hbe6683_121 = 33076,
    Hbe6683_112 = 33077,
    Hbe6683_2x2 = 33078,      // "2 x 200W"
    Hbe6682_4x1 = 33079,
    Hbe6682_211 = 33080,
    Hbe6682_121 = 33081,
    Hbe6682_112 = 33082,
    Hbe6682_2x2 = 33083,
};
}

// Texts of the hardware family without an id of the device's resources.
namespace hwtext {
enum : uint32_t {
    IDS_DEVICE_IN_USE = 34952,  // "Dieses Gerät kann momentan nicht gelöscht werden !..."
};
}
