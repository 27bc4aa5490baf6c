// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace mitoran {

// The day grid's column widths in characters and the rows the main window is laid out for.
inline constexpr std::array<int, 9> kColumnWidths{5, 2, 2, 5, 5, 5, 5, 5, 10};
inline constexpr int kDesignRows = 22;

} // namespace mitoran
