// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: a Qt Widgets program that shows a 32 × 9 table of Japanese
// text and nothing else.
#include "FirstPaint.h"

#include <QHeaderView>
#include <QTableWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ReportFirstPaint(application);
    const QStringList headers{QStringLiteral("日 付"), QStringLiteral("曜"),    QStringLiteral("休"),
                              QStringLiteral("出 社"), QStringLiteral("退 社"), QStringLiteral("普 通"),
                              QStringLiteral("深 夜"), QStringLiteral("勤 務"), QStringLiteral("メ モ")};
    const QStringList weekdays{QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
                               QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土")};
    QTableWidget table(32, 9);
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    table.setFont(font);
    table.setHorizontalHeaderLabels(headers);
    for (int row = 0; row < 32; ++row) {
        const QStringList cells{QStringLiteral("12/%1").arg(row + 1, 2),
                                weekdays[row % 7],
                                row % 7 == 0 ? QStringLiteral("○") : QString(),
                                QStringLiteral(" 8:30"),
                                QStringLiteral("19:00"),
                                QStringLiteral(" 2:00"),
                                QString(),
                                QStringLiteral(" 9:30"),
                                QStringLiteral("会議")};
        for (int column = 0; column < 9; ++column)
            table.setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table.resize(430, 420);
    table.show();
    return application.exec();
}
