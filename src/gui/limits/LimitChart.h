// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// The chart of the 36協定 window. It is drawn with Qt Charts, which lives in a module of its own
// (mitoran_limits_chart) that the window loads when it first opens: start-up never loads Qt Charts. The module
// sees only this header and Qt.
namespace mitoran {

// What the chart shows, in hours, one entry per month of the agreement year.
struct LimitChartData {
    QStringList months; // "4月" …
    QList<double> overtime;
    QList<double> holidayWork;
    QList<double> highestAverage;
    QString overtimeName;
    QString holidayWorkName;
    QString averageName;
    QString hoursName; // the value axis' title
    struct Line {
        QString name;
        double hours = 0;
    };
    QList<Line> lines; // levels drawn across the year
};

class LimitChart {
public:
    virtual ~LimitChart() = default;
    // The chart's widget, owned by the parent given when it was made.
    virtual QWidget* Widget() = 0;
    virtual void ShowYear(const LimitChartData& data) = 0;
};

// The module's one entry point: a chart in the given font, a child of the parent.
using MakeLimitChartFunction = LimitChart* (*)(QWidget* parent, const QFont& font);
inline constexpr char kMakeLimitChartSymbol[] = "MitoranMakeLimitChart";

} // namespace mitoran
