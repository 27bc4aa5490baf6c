// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/DeferredIconStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace mitoran {

namespace {

// Stands for one standard icon of a style and asks the style for it on first use. The style and the widget
// are guarded, since the icon may be drawn long after the call that made it.
class DeferredStandardIcon final : public QIconEngine {
public:
    // QPointer guards only non-const objects; neither is changed through it.
    DeferredStandardIcon(QStyle* style, QStyle::StandardPixmap standardPixmap, const QWidget* widget)
        : m_style(style), m_standardPixmap(standardPixmap), m_widget(const_cast<QWidget*>(widget)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QString iconName() override { return Icon().name(); }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
    QIconEngine* clone() const override { return new DeferredStandardIcon(*this); }

private:
    const QIcon& Icon() {
        if (!m_icon)
            m_icon = m_style ? m_style->standardIcon(m_standardPixmap, nullptr, m_widget) : QIcon();
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_standardPixmap;
    QPointer<QWidget> m_widget;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const {
    // An option carries the state the icon depends on at this moment: such a request is answered at once.
    if (option)
        return QProxyStyle::standardIcon(pixmap, option, widget);
    return QIcon(new DeferredStandardIcon(baseStyle(), pixmap, widget));
}

} // namespace mitoran
