// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace mitoran {

// The notification-area icon "IconSelect" chooses: 0 the overtime clock (残業ｱｲｺﾝ（従来版）), 1 the
// inconspicuous computer (ﾊﾟｿｺﾝｱｲｺﾝ（目立たない）); any other value the first. Drawn at 16 and 32 pixels.
QIcon NotificationIcon(int iconSelect);

} // namespace mitoran
