// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/WindowTitle.h"

#include "engine/settings/Settings.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

namespace mitoran {

std::string MainWindowTitle(const Settings& settings, std::string_view currentUser, bool multiUser) {
    const std::string separator = " - ";
    if (settings.PrivateNameDisp && !TrimText(settings.PrivateName).empty())
        return text::kAppTitle + separator + settings.PrivateName;
    if (!currentUser.empty())
        return text::kAppTitle + separator + std::string(currentUser);
    if (multiUser)
        return text::kAppTitle + separator + text::kCurrentUserCaption;
    return text::kAppTitle;
}

} // namespace mitoran
