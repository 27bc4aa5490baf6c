// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/TokuSyukeiUnit.h"

#include "gui/WindowTestSupport.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

// The span dialog's date boxes take a date typed whole; other text, or Esc, leaves the date as it was.
class TokuSyukeiFormTest : public QObject {
    Q_OBJECT

private slots:
    void typedDateIsTakenOnEnterOrLeaving_data();
    void typedDateIsTakenOnEnterOrLeaving();
};

void TokuSyukeiFormTest::typedDateIsTakenOnEnterOrLeaving_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<bool>("closed");
    QTest::newRow("slashes, Enter") << u"2026/5/15"_s << int(Qt::Key_Return) << QDate(2026, 5, 15) << true;
    QTest::newRow("eight digits, Tab") << u"20260520"_s << int(Qt::Key_Tab) << QDate(2026, 5, 20) << false;
    QTest::newRow("no such date") << u"2026/2/30"_s << int(Qt::Key_Tab) << QDate(2026, 5, 1) << false;
    QTest::newRow("Esc drops it") << u"2026/5/15"_s << int(Qt::Key_Escape) << QDate(2026, 5, 1) << false;
}

void TokuSyukeiFormTest::typedDateIsTakenOnEnterOrLeaving() {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QDate, start);
    QFETCH(bool, closed);
    test::WindowEnvironment environment;
    TTokuSyukeiForm dialog({2026, 5, 8}, environment.questions, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* picker = dialog.findChild<QDateEdit*>(u"StartDateTimePicker"_s);
    picker->setFocus();
    QTRY_VERIFY(picker->hasFocus());
    QTest::keyClicks(picker, typed);
    QCOMPARE(picker->findChild<QLineEdit*>()->text(), typed);
    QTest::keyClick(picker, static_cast<Qt::Key>(key));
    QCOMPARE(picker->date(), start);
    QCOMPARE(picker->findChild<QLineEdit*>()->text(), start.toString(u"yyyy/MM/dd"_s));
    QCOMPARE(dialog.isVisible(), !closed);
    QCOMPARE(dialog.Span().first, (CalendarDate{start.year(), start.month(), start.day()}));
}

} // namespace mitoran

QTEST_MAIN(mitoran::TokuSyukeiFormTest)
#include "TokuSyukeiFormTest.moc"
