// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/limits/LimitChecks.h"

class QLabel;

namespace mitoran {

// The label's background in the level's colour with black text, or the window's own colours for no level.
void ColourByLevel(QLabel& label, LimitLevel level);

} // namespace mitoran
