// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

namespace mitoran {

// The font of every window of the program, 12 pixels high.
QFont ProgramFont();
// The first of the wanted families the system has, else its first Japanese family, else the first wanted.
QString FirstInstalledFamily(const QStringList& wanted);
// The font of the day grids: fixed-width where the system has one of its own, else the program font.
QFont GridFont();

} // namespace mitoran
