// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/limits/AgreementYear.h"
#include "gui/common/EscDialog.h"
#include "gui/common/MonthListServices.h"

#include <array>
#include <functional>
#include <string>

class QLabel;
class QTableView;

namespace mitoran {

class LimitChart;
class LimitTableModel;

// 36協定: the overtime limits of the labour agreement over one agreement year. Above the table, the headroom of
// the month chosen in it (this month when the year holds it) and the forecast; the table of the twelve months
// coloured by level, with the state of each limit of the chosen month beside it; the chart below. Not modal: it
// reads the month files again whenever it is shown or becomes active, so that saves made meanwhile show.
class TLimitForm : public EscDialog {
    Q_OBJECT

public:
    TLimitForm(MonthListServices services, QWidget* parent);

    void PreYearButtonClick();
    void TodayButtonClick();
    void NextYearButtonClick();
    // Shows the month of the grid's current row in the main window, then closes.
    void JumpButtonClick();
    // The table with the limits in force: a print preview, or a PDF file.
    void PrintIemClick();
    void PdfItemClick();

    const AgreementYear& ShownYear() const { return m_year; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    void FormCreate();
    void BuildMenus();
    QWidget* BuildTopPanel();
    QWidget* BuildHeadroomPanel();
    QWidget* BuildLevelPanel();
    QWidget* BuildChart();
    YearMonth ThisMonth() const;
    // Reads the agreement year that holds the month; the chosen row stays on the same month of the year.
    void ShowYear(YearMonth month, int row);
    void ReadAgain();
    void ShowChosenMonth();
    void ShowChart();

    MonthListServices m_services;
    AgreementYear m_year;
    LimitTableModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_yearLabel = nullptr;
    QLabel* m_headroomLabel = nullptr;
    QLabel* m_forecastLabel = nullptr;
    // One label for each rule, shown while the rule applies to the chosen month.
    std::array<QLabel*, 6> m_levelLabels{};
    LimitChart* m_chart = nullptr;
};

} // namespace mitoran
