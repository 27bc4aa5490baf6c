// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/YukyuPanel.h"

#include "engine/text/Util.h"

namespace mitoran {

YukyuPanelValue YukyuRemainder(std::string_view balanceText, std::string_view targetText) {
    const double remaining = TextToReal(balanceText, 1, 0) - TextToReal(targetText, 1, 0);
    return {TrimText(RealToText(5, 1, remaining)), remaining < 0};
}

} // namespace mitoran
