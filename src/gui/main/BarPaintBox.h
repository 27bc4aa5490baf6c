// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/session/TargetBar.h"

#include <QWidget>

#include <functional>

namespace mitoran {

// The drawing area of the target bar: ticks and segments as the month's target bar lays them out for the
// area's current size.
class BarPaintBox : public QWidget {
    Q_OBJECT

public:
    using Layout = std::function<TargetBar(int width, int height)>;

    BarPaintBox(Layout layout, QWidget* parent = nullptr);

    TargetBar CurrentBar() const { return m_layout(width(), height()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Layout m_layout;
};

} // namespace mitoran
