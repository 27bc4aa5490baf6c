// SPDX-License-Identifier: GPL-3.0-or-later
// The chart module (mitoran_limits_chart): the agreement year's bars of 時間外 stacked with 休日労働, the levels
// of the limits as lines across the year and the highest 2〜6 month average as a line, drawn with Qt Charts.
#include "gui/limits/LimitChart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace mitoran {

namespace {

constexpr double kLeastTopHours = 110;
constexpr double kTopMarginHours = 10;
constexpr double kTickHours = 20;

// Colours that keep 3:1 against the white plot and against each other's neighbours.
const QColor kOvertimeColor(0x1f, 0x5f, 0xa8);
const QColor kHolidayWorkColor(0xe0, 0x7b, 0x00);
const QColor kAverageColor(0x6a, 0x1b, 0x9a);
const QColor kLineColors[] = {QColor(0x2e, 0x7d, 0x32), QColor(0x00, 0x69, 0x5c), QColor(0xc6, 0x28, 0x28),
                              QColor(0x4e, 0x34, 0x2e)};

class LimitChartView final : public QChartView, public LimitChart {
public:
    LimitChartView(QWidget* parent, const QFont& font) : QChartView(parent), m_font(font) {
        setObjectName(QStringLiteral("LimitChartView"));
        setRenderHint(QPainter::Antialiasing);
        setChart(new QChart);
        chart()->setAnimationOptions(QChart::NoAnimation);
        chart()->legend()->setAlignment(Qt::AlignBottom);
        chart()->legend()->setFont(m_font);
        chart()->setMargins(QMargins(4, 4, 4, 4));
    }

    QWidget* Widget() override { return this; }

    void ShowYear(const LimitChartData& year) override {
        QChart& view = *chart();
        view.removeAllSeries();
        // removeAllSeries deletes the series, while removeAxis only hands the axis back: it is deleted here.
        for (QAbstractAxis* axis : view.axes()) {
            view.removeAxis(axis);
            delete axis;
        }

        auto* months = new QBarCategoryAxis;
        months->append(year.months);
        auto* hours = new QValueAxis;
        hours->setTitleText(year.hoursName);
        hours->setRange(0, TopHours(year));
        hours->setTickType(QValueAxis::TicksDynamic);
        hours->setTickAnchor(0);
        hours->setTickInterval(kTickHours);
        hours->setLabelFormat(QStringLiteral("%d"));
        for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{months, hours}) {
            axis->setLabelsFont(m_font);
            axis->setTitleFont(m_font);
        }
        view.addAxis(months, Qt::AlignBottom);
        view.addAxis(hours, Qt::AlignLeft);

        auto* bars = new QStackedBarSeries;
        bars->append(BarSet(year.overtimeName, year.overtime, kOvertimeColor));
        bars->append(BarSet(year.holidayWorkName, year.holidayWork, kHolidayWorkColor));
        bars->setBarWidth(0.6);
        Attach(bars, months, hours);

        // A level spans the whole category axis, from the left edge of the first bar to the right of the last.
        const double right = static_cast<double>(year.months.size()) - 0.5;
        for (qsizetype i = 0; i < year.lines.size(); ++i) {
            const LimitChartData::Line& level = year.lines[i];
            auto* line = new QLineSeries;
            line->setName(level.name);
            line->append(-0.5, level.hours);
            line->append(right, level.hours);
            line->setPen(QPen(kLineColors[i % std::size(kLineColors)], 1.5, Qt::DashLine));
            Attach(line, months, hours);
        }

        auto* average = new QLineSeries;
        average->setName(year.averageName);
        for (qsizetype i = 0; i < year.highestAverage.size(); ++i)
            average->append(static_cast<double>(i), year.highestAverage[i]);
        average->setPen(QPen(kAverageColor, 2));
        average->setPointsVisible(true);
        Attach(average, months, hours);
    }

private:
    static double TopHours(const LimitChartData& year) {
        double top = kLeastTopHours;
        for (qsizetype i = 0; i < year.overtime.size(); ++i)
            top = std::max(top, year.overtime[i] + year.holidayWork.value(i) + kTopMarginHours);
        for (const double average : year.highestAverage)
            top = std::max(top, average + kTopMarginHours);
        return std::ceil(top / kTickHours) * kTickHours;
    }

    static QBarSet* BarSet(const QString& name, const QList<double>& values, const QColor& color) {
        auto* set = new QBarSet(name);
        set->append(values);
        set->setColor(color);
        set->setBorderColor(color);
        return set;
    }

    void Attach(QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
        chart()->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }

    QFont m_font;
};

} // namespace

} // namespace mitoran

extern "C" Q_DECL_EXPORT mitoran::LimitChart* MitoranMakeLimitChart(QWidget* parent, const QFont& font) {
    return new mitoran::LimitChartView(parent, font);
}
