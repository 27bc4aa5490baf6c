// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/BarPaintBox.h"

#include "gui/common/WindowUtil.h"

#include <QPainter>

namespace mitoran {

namespace {

QRect ToQRect(const BarRect& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// An outline covering exactly the pixels of the rectangle, as a one-pixel frame of it.
void DrawFrame(QPainter& painter, const QRect& rect, const QColor& color) {
    if (rect.isEmpty())
        return;
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace

BarPaintBox::BarPaintBox(Layout layout, QWidget* parent) : QWidget(parent), m_layout(std::move(layout)) {
    setObjectName(QStringLiteral("BarPaintBox"));
}

void BarPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const TargetBar bar = CurrentBar();
    for (const BarRect& tick : bar.ticks)
        DrawFrame(painter, ToQRect(tick), Qt::black);
    for (const BarSegment& segment : bar.segments) {
        if (segment.filled)
            painter.fillRect(ToQRect(segment.rect), ToQColor(segment.color, palette()));
        DrawFrame(painter, ToQRect(segment.rect), ToQColor(segment.outline, palette()));
    }
}

} // namespace mitoran
