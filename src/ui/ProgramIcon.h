// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace mitoran {

// The program's icon (a clock over a calendar sheet) at 16, 32, 48 and 64 pixels. Qt decodes every size
// when the icon is made, so the sizes stay small: a 256-pixel image cost a tenth of the start-up.
QIcon ProgramIcon();

} // namespace mitoran
