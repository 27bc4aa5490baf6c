// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace mitoran {

// A colour as the settings and the month files hold it: 0x00BBGGRR; bit 31 set marks a system colour.
constexpr std::int32_t RgbColor(int red, int green, int blue) {
    return static_cast<std::int32_t>(red | green << 8 | blue << 16);
}
constexpr int RedOf(std::int32_t color) {
    return color & 0xFF;
}
constexpr int GreenOf(std::int32_t color) {
    return (color >> 8) & 0xFF;
}
constexpr int BlueOf(std::int32_t color) {
    return (color >> 16) & 0xFF;
}

} // namespace mitoran
