// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ProgramIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <array>
#include <map>

namespace mitoran {

namespace {

constexpr std::array<int, 4> kSizes{16, 32, 48, 64};

// Reads each size from the resources the first time it is asked for: a platform without window icons never
// decodes one, and start-up does not wait for the images.
class ProgramIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    // Never larger than the largest drawn size, as icons made from files behave.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QSize wanted = actualSize(size, mode, state);
        const int side = BestSide(wanted.width());
        auto [entry, added] = m_pixmaps.try_emplace(side);
        if (added)
            entry->second = QPixmap(QStringLiteral(":/icons/mitoran-%1.png").arg(side));
        return side == wanted.width() ? entry->second
                                      : entry->second.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : kSizes)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), kSizes.back()});
        return QSize(side, side);
    }

    QIconEngine* clone() const override { return new ProgramIconEngine; }
    QString key() const override { return QStringLiteral("ProgramIconEngine"); }

private:
    // The smallest drawn size that covers the request, else the largest.
    static int BestSide(int requested) {
        for (const int side : kSizes) {
            if (side >= requested)
                return side;
        }
        return kSizes.back();
    }

    std::map<int, QPixmap> m_pixmaps;
};

} // namespace

QIcon ProgramIcon() {
    return QIcon(new ProgramIconEngine);
}

} // namespace mitoran
