// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ProgramFont.h"
#include "gui/common/WindowUtil.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QtMath>

#include <array>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

// Headings, widths in characters and the widest texts of the day grid's columns.
struct SampleColumn {
    QString heading;
    int characters;
    QString text;
};
const std::array<SampleColumn, 7> kSampleColumns{{{u"日 付"_s, 5, u"12/31"_s},
                                                  {u"曜"_s, 2, u"水"_s},
                                                  {u"休"_s, 2, u"有"_s},
                                                  {u"出 社"_s, 5, u"23:59"_s},
                                                  {u"普 通"_s, 5, u"-9:30"_s},
                                                  {u"勤 務"_s, 5, u"10:45"_s},
                                                  {u"  メ  モ  "_s, 10, u"ＡＢＣＤＥ"_s}}};

bool IsJapanese(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
}

} // namespace

class GridFontTest : public QObject {
    Q_OBJECT

private slots:
    void columnsHoldTheirTextsWhole_data();
    void columnsHoldTheirTextsWhole();
    void firstInstalledFamilyIsChosen();
    void programFontsWriteJapanese();
};

// In every font the machine has, each column is at least as wide as its heading and its widest text (with the
// cell margins); in a fixed-pitch font, as the system's, a column is exactly its width in characters.
void GridFontTest::columnsHoldTheirTextsWhole_data() {
    QTest::addColumn<QString>("family");
    for (const QString& family : QFontDatabase::families()) {
        if (!family.startsWith(u'@'))
            QTest::newRow(qPrintable(family)) << family;
    }
}

void GridFontTest::columnsHoldTheirTextsWhole() {
    QFETCH(QString, family);
    QFont font(family);
    font.setPixelSize(12);
    QStandardItemModel model(1, static_cast<int>(kSampleColumns.size()));
    std::array<int, kSampleColumns.size()> widths{};
    for (int column = 0; column < model.columnCount(); ++column) {
        model.setHorizontalHeaderItem(column, new QStandardItem(kSampleColumns[column].heading));
        model.setItem(0, column, new QStandardItem(kSampleColumns[column].text));
        widths[column] = kSampleColumns[column].characters;
    }
    QTableView grid;
    grid.setShowGrid(false);
    grid.setFont(font);
    grid.setModel(&model);
    FitGridColumns(grid, widths, 2);

    const QFontMetrics metrics(font);
    const bool fixedPitch = QFontInfo(font).fixedPitch() &&
                            metrics.horizontalAdvance(u'0') == metrics.horizontalAdvance(u' ') &&
                            metrics.horizontalAdvance(u"水"_s) == 2 * metrics.horizontalAdvance(u' ');
    for (int column = 0; column < model.columnCount(); ++column) {
        const SampleColumn& sample = kSampleColumns[column];
        const int width = grid.horizontalHeader()->sectionSize(column);
        const QByteArray where = family.toUtf8() + " column " + QByteArray::number(column);
        QVERIFY2(width >= metrics.horizontalAdvance(sample.text) + 4, where.constData());
        QVERIFY2(width >= metrics.horizontalAdvance(sample.heading.trimmed()) + 4, where.constData());
        if (fixedPitch)
            QCOMPARE(width, qCeil(sample.characters * QFontMetricsF(font).horizontalAdvance(u' ')) + 4);
    }
}

void GridFontTest::firstInstalledFamilyIsChosen() {
    const QStringList installed = QFontDatabase::families();
    QVERIFY(!installed.isEmpty());
    const QString absent = u"No Such Family 5e1f"_s;
    QCOMPARE(FirstInstalledFamily({absent, installed.last(), installed.first()}), installed.last());

    const QString fallBack = FirstInstalledFamily({absent});
    if (QFontDatabase::families(QFontDatabase::Japanese).isEmpty()) {
        QCOMPARE(fallBack, absent);
        return;
    }
    QVERIFY2(IsJapanese(fallBack) && !fallBack.startsWith(u'@'), qPrintable(fallBack));
}

// Where the machine has a Japanese font, the windows and the grids are given one.
void GridFontTest::programFontsWriteJapanese() {
    if (QFontDatabase::families(QFontDatabase::Japanese).isEmpty())
        QSKIP("no Japanese font is installed");
    for (const QFont& font : {ProgramFont(), GridFont()}) {
        const QString family = QFontInfo(font).family();
        QVERIFY2(IsJapanese(family), qPrintable(family));
        QCOMPARE(QFontInfo(font).pixelSize(), 12);
    }
}

} // namespace mitoran

QTEST_MAIN(mitoran::GridFontTest)
#include "GridFontTest.moc"
