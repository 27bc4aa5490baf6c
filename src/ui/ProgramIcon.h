// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace mitoran {

// The program's icon (a clock over a calendar sheet) at 16, 32, 48 and 256 pixels; each size is read
// only when a window first needs it.
QIcon ProgramIcon();

} // namespace mitoran
