// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/limits/LevelLabel.h"

#include "gui/common/WindowUtil.h"

#include <QApplication>
#include <QLabel>

namespace mitoran {

void ColourByLevel(QLabel& label, LimitLevel level) {
    const std::optional<std::int32_t> color = LimitLevelColor(level);
    QPalette palette = QApplication::palette();
    if (color) {
        palette.setColor(QPalette::Window, ToQColor(*color, palette));
        palette.setColor(QPalette::WindowText, Qt::black);
    }
    label.setPalette(palette);
    label.setAutoFillBackground(color.has_value());
}

} // namespace mitoran
