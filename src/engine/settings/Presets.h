// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The preset times and memos: how a box is stored and how the grid's popup menus offer it.
namespace mitoran {

// A preset time box as shown and stored: blank stays empty, anything else is time text (1730 → "17:30").
std::string PresetTimeText(std::string_view box);
// A preset memo box as stored: blanks at both ends removed.
std::string PresetMemoText(std::string_view box);

// The popup menu's captions; nothing for a blank preset, which is never offered.
std::optional<std::string> PresetTimeCaption(std::string_view preset);
std::optional<std::string> PresetMemoCaption(std::string_view preset);

} // namespace mitoran
