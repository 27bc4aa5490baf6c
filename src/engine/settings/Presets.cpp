// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settings/Presets.h"

#include "engine/text/Texts.h"
#include "engine/text/Util.h"

namespace mitoran {

std::string PresetTimeText(std::string_view box) {
    return TrimText(box).empty() ? std::string() : NormalTimeText(box);
}

std::string PresetMemoText(std::string_view box) {
    return TrimText(box);
}

std::optional<std::string> PresetTimeCaption(std::string_view preset) {
    const std::string time = PresetTimeText(preset);
    if (time.empty())
        return std::nullopt;
    return time + text::kPresetPasteSuffix;
}

std::optional<std::string> PresetMemoCaption(std::string_view preset) {
    if (PresetMemoText(preset).empty())
        return std::nullopt;
    return std::string(preset);
}

} // namespace mitoran
