// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace mitoran {

// The program's icon (a clock over a calendar sheet), drawn at 16, 32, 48 and 64 pixels; each size is read
// only when it is first shown.
QIcon ProgramIcon();

} // namespace mitoran
