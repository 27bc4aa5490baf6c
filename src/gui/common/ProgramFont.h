// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace mitoran {

// The font of every window of the program, 12 pixels high.
QFont ProgramFont();
// The font of the day grids: fixed-width where the system has one of its own, else the program font.
QFont GridFont();

} // namespace mitoran
