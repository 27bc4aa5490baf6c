// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Calendar.h"
#include "engine/print/PrintLayout.h"
#include "engine/totals/PeriodTotals.h"
#include "gui/common/EscDialog.h"
#include "gui/common/MonthListServices.h"

#include <functional>

class QLineEdit;
class QTableView;

namespace mitoran {

class PeriodTableModel;

// 期間集計: the totals of a range of months, one row per month and the total, average, maximum and minimum
// rows; moves the range, jumps to a month and writes the table as a CSV file.
class TYearTotal : public EscDialog {
    Q_OBJECT

public:
    TYearTotal(MonthListServices services, QWidget* parent);

    void CalcButtonClick();
    void AllCalcButtonClick();
    void TodayButtonClick();
    void PreYearButtonClick();
    void PreMonthButtonClick();
    void NextMonthButtonClick();
    void NextYearButtonClick();
    void JumpButtonClick();
    void OutFileItemClick();
    // The table on display with its summary rows: a print preview, or a PDF file.
    void PrintIemClick();
    void PdfItemClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void FormCreate();
    PrintList ShownPrintList() const;
    QWidget* BuildRangePanel();
    void BuildMenus();
    bool Calculate();
    PeriodRange TypedRange() const;
    void ShowRange(const PeriodRange& range);
    void ShowTable(PeriodTable table);
    void ShiftPeriod(int months);
    int GridHeightFor(int rows) const;
    void ApplyHeightLimits();

    MonthListServices m_services;
    PeriodTableModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QLineEdit* m_startYearMemo = nullptr;
    QLineEdit* m_startMonthMemo = nullptr;
    QLineEdit* m_endYearMemo = nullptr;
    QLineEdit* m_endMonthMemo = nullptr;
    PeriodRange m_shownRange;
};

} // namespace mitoran
