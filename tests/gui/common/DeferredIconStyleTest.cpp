// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/DeferredIconStyle.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

#include <memory>

namespace mitoran {

namespace {

constexpr auto kExtension = QStyle::SP_ToolBarHorizontalExtensionButton;

// The platform's style, counting the standard icons asked of it.
class CountingStyle final : public QProxyStyle {
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(u"Fusion"_qs)) {}

    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const override {
        ++asked;
        return QProxyStyle::standardIcon(pixmap, option, widget);
    }

    mutable int asked = 0;
};

} // namespace

class DeferredIconStyleTest : public QObject {
    Q_OBJECT

private slots:
    void iconsAreAskedOfTheStyleOnceWhenFirstUsed();
    void iconsOutliveTheirWidgetAndTheirStyle();
    void menuBarAsksForNoIconUntilItsOverflowShows();
};

void DeferredIconStyleTest::iconsAreAskedOfTheStyleOnceWhenFirstUsed() {
    auto* base = new CountingStyle;
    DeferredIconStyle style(base);
    const QIcon icon = style.standardIcon(kExtension, nullptr, nullptr);
    QCOMPARE(base->asked, 0);

    const QImage drawn = icon.pixmap(16).toImage();
    QCOMPARE(base->asked, 1);
    const QImage direct = base->QProxyStyle::standardIcon(kExtension, nullptr, nullptr).pixmap(16).toImage();
    QVERIFY(!drawn.isNull());
    QCOMPARE(drawn, direct);
    QCOMPARE(icon.availableSizes(), base->QProxyStyle::standardIcon(kExtension, nullptr, nullptr).availableSizes());
    QVERIFY(!icon.isNull());
    QCOMPARE(base->asked, 1);

    // A copy shares what was read; a request with an option is answered at once.
    const QIcon copy = icon;
    copy.pixmap(32);
    QCOMPARE(base->asked, 1);
    QStyleOption option;
    style.standardIcon(kExtension, &option, nullptr);
    QCOMPARE(base->asked, 2);
}

void DeferredIconStyleTest::iconsOutliveTheirWidgetAndTheirStyle() {
    auto style = std::make_unique<DeferredIconStyle>(new CountingStyle);
    auto widget = std::make_unique<QWidget>();
    const QIcon forWidget = style->standardIcon(kExtension, nullptr, widget.get());
    widget.reset();
    QVERIFY(!forWidget.pixmap(16).isNull());

    const QIcon orphan = style->standardIcon(kExtension, nullptr, nullptr);
    style.reset();
    QVERIFY(orphan.pixmap(16).isNull());
    QVERIFY(orphan.isNull());
}

void DeferredIconStyleTest::menuBarAsksForNoIconUntilItsOverflowShows() {
    auto* base = new CountingStyle;
    QApplication::setStyle(new DeferredIconStyle(base));
    {
        QMenuBar bar;
        for (int i = 0; i < 12; ++i)
            bar.addMenu(u"メニュー%1"_qs.arg(i));
        QCOMPARE(base->asked, 0);
        bar.resize(40, bar.sizeHint().height());
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTRY_COMPARE(base->asked, 1);
    }
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_qs));
}

} // namespace mitoran

QTEST_MAIN(mitoran::DeferredIconStyleTest)
#include "DeferredIconStyleTest.moc"
