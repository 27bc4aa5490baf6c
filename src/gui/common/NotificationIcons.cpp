// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/NotificationIcons.h"

namespace mitoran {

QIcon NotificationIcon(int iconSelect) {
    const QLatin1String name(iconSelect == 1 ? "pasokon" : "zangyo");
    QIcon icon;
    for (const int side : {16, 32})
        icon.addFile(QStringLiteral(":/icons/tray-%1-%2.png").arg(name).arg(side), QSize(side, side));
    return icon;
}

} // namespace mitoran
