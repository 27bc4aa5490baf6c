// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/limits/LimitForm.h"

#include "engine/calendar/Clock.h"
#include "engine/limits/LimitTable.h"
#include "engine/print/PrintLists.h"
#include "engine/session/Navigation.h"
#include "engine/session/Session.h"
#include "engine/session/WindowPlacement.h"
#include "engine/totals/PeriodTotals.h"
#include "gui/common/PrintCommands.h"
#include "gui/common/ProgramFont.h"
#include "gui/common/WindowUtil.h"
#include "gui/limits/LevelLabel.h"
#include "gui/limits/LimitChart.h"
#include "gui/limits/LimitChartLoader.h"
#include "gui/limits/LimitTableModel.h"
#include "platform/Cp932Qt.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

const char* const kClassName = "TLimitForm";
// Two characters more than the widest text: the cells keep the style's margins.
constexpr std::array<int, kLimitColumnCount> kColumnWidths{9, 8, 9, 8, 15, 9, 11, 13};
constexpr int kGridRows = kAgreementMonths + 1;
constexpr int kHeadroomPixels = 22;
constexpr QSize kLeastChartSize(600, 280);
constexpr double kMinutesPerHour = 60.0;

// The labels of the rules, in the order of LimitRule.
const std::array<QString, 6> kLevelLabelNames{u"MonthLevelLabel"_s,        u"YearLevelLabel"_s,
                                              u"SpecialMonthLevelLabel"_s, u"SpecialYearLevelLabel"_s,
                                              u"Under100LevelLabel"_s,     u"AverageLevelLabel"_s};

QList<double> Hours(const AgreementYear& year, int (*figure)(const LimitMonth&)) {
    QList<double> hours;
    for (const LimitMonth& month : year.months)
        hours << figure(month) / kMinutesPerHour;
    return hours;
}

LimitChartData ChartDataOf(const AgreementYear& year, const LimitSettings& limits) {
    LimitChartData data;
    for (const LimitMonth& month : year.months)
        data.months << ToQString(ShortMonthName(month.month));
    data.overtime = Hours(year, [](const LimitMonth& m) { return m.figures.overtime; });
    data.holidayWork = Hours(year, [](const LimitMonth& m) { return m.figures.holidayWork; });
    data.highestAverage = Hours(year, [](const LimitMonth& m) { return m.Average(m.HighestAverageSpan()); });
    const auto& headers = LimitColumnHeaders();
    data.overtimeName = ToQString(headers[static_cast<std::size_t>(LimitColumn::Overtime)]);
    data.holidayWorkName = ToQString(headers[static_cast<std::size_t>(LimitColumn::HolidayWork)]);
    data.averageName = u"平均(最高)"_s;
    data.hoursName = u"時間"_s;
    for (const ChartLine& line : ChartLinesOf(limits))
        data.lines.append({ToQString(ChartLineName(line)), line.minutes / kMinutesPerHour});
    return data;
}

} // namespace

TLimitForm::TLimitForm(MonthListServices services, QWidget* parent)
    : EscDialog(parent), m_services(std::move(services)) {
    FormCreate();
}

void TLimitForm::FormCreate() {
    setObjectName(QString::fromLatin1(kClassName));
    setWindowTitle(u"36協定"_s);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    BuildMenus();
    layout->addWidget(BuildTopPanel());
    layout->addWidget(BuildHeadroomPanel());

    m_model = new LimitTableModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(u"LimitStringGrid"_s);
    m_grid->setModel(m_model);
    m_grid->setFont(GridFont());
    m_grid->horizontalHeader()->setFont(GridFont());
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setToolTip(u"協定年度の各月の時間外労働と休日労働です。\n色=上限の70%(黄)・90%(橙)・到達(赤)。\n"
                       u"ﾀﾞﾌﾞﾙｸﾘｯｸで、ｶｰｿﾙのある月のﾃﾞｰﾀへ移動します。"_s);
    const QSize gridSize = FitGridColumns(*m_grid, kColumnWidths, kGridRows);
    m_grid->setFixedWidth(gridSize.width());
    m_grid->setFixedHeight(gridSize.height());
    connect(m_grid, &QTableView::doubleClicked, this, &TLimitForm::JumpButtonClick);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TLimitForm::ShowChosenMonth);

    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(m_grid);
    tableRow->addWidget(BuildLevelPanel(), 1);
    layout->addLayout(tableRow);
    layout->addWidget(BuildChart(), 1);

    const QSize size = sizeHint();
    resize(size);
    const WindowPosition position =
        WindowPlacementStore(m_services.store, m_services.startUser)
            .RestorePosition(kClassName, {size.height(), size.width()}, {ScreenPixelHeight(), ScreenPixelWidth()});
    move(position.left, position.top);
}

void TLimitForm::BuildMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    connect(NamedItem(file, u"PrintIem"_s, u"印刷(&P)..."_s), &QAction::triggered, this, &TLimitForm::PrintIemClick);
    connect(NamedItem(file, u"PdfItem"_s, u"PDFに保存..."_s), &QAction::triggered, this, &TLimitForm::PdfItemClick);
    file->addSeparator();
    connect(NamedItem(file, u"CloseItem"_s, u"閉じる(&C)"_s), &QAction::triggered, this, &QDialog::reject);
    QMenu* view = bar->addMenu(u"表示(&V)"_s);
    connect(NamedItem(view, u"PreItem"_s, u"前年度(&P)"_s), &QAction::triggered, this, &TLimitForm::PreYearButtonClick);
    connect(NamedItem(view, u"NowItem"_s, u"当年度(&T)"_s), &QAction::triggered, this, &TLimitForm::TodayButtonClick);
    connect(NamedItem(view, u"NextItem"_s, u"次年度(&N)"_s), &QAction::triggered, this,
            &TLimitForm::NextYearButtonClick);
    layout()->setMenuBar(bar);
}

QWidget* TLimitForm::BuildTopPanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    m_yearLabel = new QLabel(panel);
    m_yearLabel->setObjectName(u"YearLabel"_s);
    row->addWidget(m_yearLabel);
    const std::tuple<QString, QString, QString, void (TLimitForm::*)()> buttons[] = {
        {u"PreYearButton"_s, u"◀"_s, u"前年度"_s, &TLimitForm::PreYearButtonClick},
        {u"TodayButton"_s, u"当年度"_s, u"今月を含む協定年度"_s, &TLimitForm::TodayButtonClick},
        {u"NextYearButton"_s, u"▶"_s, u"次年度"_s, &TLimitForm::NextYearButtonClick},
    };
    for (const auto& [name, caption, hint, handler] : buttons) {
        auto* button = NamedButton(name, caption, panel);
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setAutoDefault(false);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button);
    }
    row->addStretch(1);
    auto* jumpButton = NamedButton(u"JumpButton"_s, u"移動"_s, panel);
    jumpButton->setAutoDefault(false);
    connect(jumpButton, &QPushButton::clicked, this, &TLimitForm::JumpButtonClick);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"閉じる"_s, panel);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(jumpButton);
    row->addWidget(cancelButton);
    return panel;
}

QWidget* TLimitForm::BuildHeadroomPanel() {
    auto* panel = new QWidget(this);
    m_headroomLabel = new QLabel(panel);
    m_headroomLabel->setObjectName(u"HeadroomLabel"_s);
    QFont large = ProgramFont();
    large.setPixelSize(kHeadroomPixels);
    large.setBold(true);
    m_headroomLabel->setFont(large);
    m_headroomLabel->setContentsMargins(4, 2, 4, 2);
    m_forecastLabel = new QLabel(panel);
    m_forecastLabel->setObjectName(u"ForecastLabel"_s);
    m_forecastLabel->setToolTip(u"今月のこれまでの時間外を、会社の平日の経過日数で月末まで延ばした見込みです。"_s);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 2, 0, 2);
    row->addWidget(m_headroomLabel);
    row->addSpacing(12);
    row->addWidget(m_forecastLabel, 0, Qt::AlignBottom);
    row->addStretch(1);
    return panel;
}

// The limits of the chosen month, one a line beside the table.
QWidget* TLimitForm::BuildLevelPanel() {
    auto* panel = new QWidget(this);
    auto* levels = new QVBoxLayout(panel);
    levels->setContentsMargins(0, 0, 0, 0);
    levels->setSpacing(4);
    for (std::size_t i = 0; i < kLevelLabelNames.size(); ++i) {
        auto* label = new QLabel(panel);
        label->setObjectName(kLevelLabelNames[i]);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(3, 1, 3, 1);
        label->hide();
        levels->addWidget(label);
        m_levelLabels[i] = label;
    }
    levels->addStretch(1);
    // As wide as the longest state from the start, so that the window's first size holds it.
    const LimitStatus widest{
        {LimitRule::Average, kLastAverageSpan, 999 * 60 * kLastAverageSpan, kAverageMonthLimit * kLastAverageSpan},
        LimitLevel::Reached};
    panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(ToQString(LimitStatusText(widest))) + 12);
    return panel;
}

// The chart module is loaded here, when the window is first made; without it the window works without a chart.
QWidget* TLimitForm::BuildChart() {
    m_chart = MakeLimitChart(this, ProgramFont());
    if (m_chart == nullptr) {
        auto* missing = new QLabel(u"グラフを表示できません (mitoran_limits_chart が見つかりません)。"_s, this);
        missing->setObjectName(u"ChartMissingLabel"_s);
        missing->setAlignment(Qt::AlignCenter);
        return missing;
    }
    QWidget* chart = m_chart->Widget();
    chart->setMinimumSize(kLeastChartSize);
    chart->setAccessibleName(u"時間外・休日労働のグラフ"_s);
    return chart;
}

YearMonth TLimitForm::ThisMonth() const {
    return WorkingMonth(m_services.clock.Now(), m_services.session.settings.SimeDay);
}

void TLimitForm::ShowYear(YearMonth month, int row) {
    const LocalDateTime now = m_services.clock.Now();
    month.year = std::clamp(month.year, kPeriodFirstYear, kPeriodLastYear);
    m_year = ReadAgreementYear(m_services.session.Location(), m_services.session.settings, month,
                               CalendarDate{now.year, now.month, now.day});
    m_yearLabel->setText(u"協定年度 "_s + ToQString(AgreementYearName(m_year)));
    m_model->SetYear(m_year);
    m_grid->setCurrentIndex(m_model->index(std::clamp(row, 0, kAgreementMonths - 1), 0));
    ShowChosenMonth();
    ShowChart();
}

void TLimitForm::ReadAgain() {
    ShowYear(m_year.start, m_grid->currentIndex().row());
}

// The headroom, forecast and limits of the month in the grid's current row.
void TLimitForm::ShowChosenMonth() {
    const int row = std::clamp(m_grid->currentIndex().row(), 0, kAgreementMonths - 1);
    const LimitMonth& month = m_year.months[static_cast<std::size_t>(row)];
    m_headroomLabel->setText(ToQString(MonthHeadroomText(month, ThisMonth())));
    ColourByLevel(*m_headroomLabel, HighestLevel(month.checks));
    const bool forecast = m_year.forecast && m_year.forecast->month == month.month;
    m_forecastLabel->setText(forecast ? ToQString(ForecastText(*m_year.forecast)) : QString());
    for (QLabel* label : m_levelLabels)
        label->hide();
    for (const LimitStatus& status : LimitStatusesOf(month)) {
        QLabel* label = m_levelLabels[static_cast<std::size_t>(status.check.rule)];
        label->setText(ToQString(LimitStatusText(status)));
        ColourByLevel(*label, status.level);
        label->show();
    }
}

void TLimitForm::ShowChart() {
    if (m_chart != nullptr)
        m_chart->ShowYear(ChartDataOf(m_year, m_services.session.settings.Limits));
}

// The year of today, with today's month chosen.
void TLimitForm::TodayButtonClick() {
    const YearMonth thisMonth = ThisMonth();
    const YearMonth start = AgreementYearStart(thisMonth, HeldStartMonth(m_services.session.settings.Limits.Start));
    ShowYear(thisMonth, (thisMonth.year - start.year) * 12 + thisMonth.month - start.month);
}

void TLimitForm::PreYearButtonClick() {
    ShowYear(MonthsAfter(m_year.start, -kAgreementMonths), m_grid->currentIndex().row());
}

void TLimitForm::NextYearButtonClick() {
    ShowYear(MonthsAfter(m_year.start, kAgreementMonths), m_grid->currentIndex().row());
}

void TLimitForm::JumpButtonClick() {
    const int row = m_grid->currentIndex().row();
    if (row < 0 || row >= kAgreementMonths)
        return;
    if (m_services.jumpToMonth(m_year.months[static_cast<std::size_t>(row)].month))
        accept();
}

void TLimitForm::PrintIemClick() {
    ReadAgain();
    ShowPrintPreview(this, LimitPrintList(m_year, m_services.session.settings), m_services.session.settings,
                     PrintDateText(m_services.clock));
}

void TLimitForm::PdfItemClick() {
    ReadAgain();
    Settings& settings = m_services.session.settings;
    SavePdfFile(this, settings, LimitPdfFileName(m_year, settings), LimitPrintList(m_year, settings),
                PrintDateText(m_services.clock), m_services.saveSettings, m_services.questions);
}

// Every showing starts on the year of today.
void TLimitForm::showEvent(QShowEvent* event) {
    EscDialog::showEvent(event);
    TodayButtonClick();
    findChild<QPushButton*>(u"CancelButton"_s)->setFocus();
}

// Coming back to the window reads the months again: the main window may have saved one meanwhile.
void TLimitForm::changeEvent(QEvent* event) {
    EscDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        ReadAgain();
}

// Closing only hides the window; its position is kept for the next run.
void TLimitForm::done(int result) {
    WindowPlacementStore(m_services.store, m_services.startUser).SavePosition(kClassName, {y(), x()});
    EscDialog::done(result);
}

} // namespace mitoran
