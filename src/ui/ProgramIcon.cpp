// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramIcon.h"

namespace mitoran {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/mitoran-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace mitoran
