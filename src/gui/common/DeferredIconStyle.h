// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace mitoran {

// The platform's style, except that its standard icons are read only when first drawn. Qt decodes every
// size of a standard icon when it is asked for; the menu bar asks for its overflow button's at construction,
// although that button shows only when the menus do not fit.
class DeferredIconStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const override;
};

} // namespace mitoran
