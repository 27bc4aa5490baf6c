// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tray/KestrowForm.h"

#include "gui/WindowTestSupport.h"
#include "gui/tray/FakeTray.h"
#include "platform/SingleHalt.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;
using test::FakeTray;

class KestrowFormTest : public QObject {
    Q_OBJECT

private slots:
    void withoutATrayTheWindowOpensTheProgramWithTheUserPart();
    void inTheTraySessionEndStartsTheProgramWithDown();
};

// The program is started once the name is given up, else it would end at once.
void KestrowFormTest::withoutATrayTheWindowOpensTheProgramWithTheUserPart() {
    const QString name = QUuid::createUuid().toString();
    bool heldWhileStarting = true;
    int starts = 0;
    bool succeed = false;
    const ProgramStarter starter = [&](const QString& program, const QStringList& arguments) {
        ++starts;
        heldWhileStarting = IsInstanceRunning(name);
        return program == u"/opt/mitoran"_s && arguments == QStringList{u"/U:abc"_s} && succeed;
    };
    auto tray = std::make_unique<FakeTray>(false);
    FakeTray* fake = tray.get();
    TKestrowForm form({ParseWatcherCommandLine({"/Idle", "1", "/U:abc"}), u"/opt/mitoran"_s, starter}, std::move(tray));
    QSignalSpy ended(&form, &TKestrowForm::Ended);
    QVERIFY(form.Claim(name));
    QVERIFY(IsInstanceRunning(name));
    TKestrowForm second({}, std::make_unique<FakeTray>(false));
    QVERIFY(!second.Claim(name));
    form.Present();
    QVERIFY(form.isVisible());
    QVERIFY(!fake->active);

    // A failed start is reported and the watcher stays, holding its name.
    QTimer* handler = test::HandleModals<QMessageBox>(this, [](QMessageBox& box) { box.accept(); });
    QTest::mouseClick(form.findChild<QPushButton*>(u"OpenButton"_s), Qt::LeftButton);
    handler->deleteLater();
    QCOMPARE(starts, 1);
    QVERIFY(IsInstanceRunning(name));
    QCOMPARE(ended.count(), 0);

    succeed = true;
    QTest::mouseClick(form.findChild<QPushButton*>(u"OpenButton"_s), Qt::LeftButton);
    QCOMPARE(starts, 2);
    QVERIFY(!heldWhileStarting);
    QCOMPARE(ended.count(), 1);
    QVERIFY(!form.isVisible());
    QVERIFY(!IsInstanceRunning(name));
}

void KestrowFormTest::inTheTraySessionEndStartsTheProgramWithDown() {
    test::StartedPrograms started;
    auto tray = std::make_unique<FakeTray>(true);
    FakeTray* fake = tray.get();
    TKestrowForm form({ParseWatcherCommandLine({"/Idle", "1", "/M"}), u"mitoran"_s, started.Starter()},
                      std::move(tray));
    QSignalSpy ended(&form, &TKestrowForm::Ended);
    QVERIFY(form.Claim(QUuid::createUuid().toString()));
    form.Present();
    QVERIFY(!form.isVisible());
    QVERIFY(fake->active);

    form.SessionEnding();
    QCOMPARE(started.starts.size(), 1u);
    QCOMPARE(started.starts[0].arguments, (QStringList{u"/Down"_s, u"/M"_s}));
    QCOMPARE(ended.count(), 1);
    QVERIFY(!fake->active);

    // "終了(&X)" ends without starting anything.
    auto otherTray = std::make_unique<FakeTray>(true);
    FakeTray* otherFake = otherTray.get();
    TKestrowForm other({{}, u"mitoran"_s, started.Starter()}, std::move(otherTray));
    QSignalSpy otherEnded(&other, &TKestrowForm::Ended);
    other.Present();
    emit otherFake->QuitRequested();
    QCOMPARE(otherEnded.count(), 1);
    QCOMPARE(started.starts.size(), 1u);
}

} // namespace mitoran

QTEST_MAIN(mitoran::KestrowFormTest)
#include "KestrowFormTest.moc"
