// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's hot paths: recalculating a full month, loading and saving its file (also one of repeated keys),
// the holiday list, the month CSV, the period totals, the overtime limits of a month and a full paid-leave ledger.
#include "engine/leave/Ledger.h"
#include "engine/limits/AgreementYear.h"
#include "engine/month/MonthCsv.h"
#include "engine/session/Session.h"
#include "engine/settings/Folders.h"
#include "engine/settings/HolidayList.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Cp932.h"
#include "engine/totals/PeriodTotals.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

using namespace mitoran;

class BenchFolders final : public Folders {
public:
    BenchFolders() : m_folder(std::filesystem::temp_directory_path() / "mitoran-bench") {
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    ~BenchFolders() override { std::filesystem::remove_all(m_folder); }
    std::filesystem::path DataFolder() const override { return m_folder; }
    std::filesystem::path CurrentDirectory() const override { return m_folder; }
    std::string ProgramName() const override { return "mitoran"; }

private:
    std::filesystem::path m_folder;
};

// A 31-day month with every category, late nights, hand-fixed values and memos, under ten breaks.
struct BenchMonth {
    BenchMonth() : session(store, folders, "") {
        session.LoadUser("");
        for (int i = 1; i <= 10; ++i)
            session.settings.Time[i] = {std::to_string(9 + i) + ":00", std::to_string(9 + i) + ":10"};
        session.settings.FlexTime = false;
        session.ShowMonth(2024, 3, true);
        const char* marks[] = {"  ", "○", "有", "前", "後", "代", "欠", "半"};
        for (int d = 1; d <= session.sheet.dayCount; ++d) {
            DayRecord& day = session.sheet.days[d];
            day[DayColumn::Kubun] = Utf8ToCp932(marks[d % 8]);
            day[DayColumn::Arrival] = d % 3 == 0 ? "20:00" : " 8:" + std::to_string(10 + d);
            day[DayColumn::Leaving] = d % 3 == 0 ? " 2:30" : std::to_string(17 + d % 8) + ":45";
            day[DayColumn::Memo] = Utf8ToCp932("会議と出張の準備、資料作成");
            if (d % 7 == 0) {
                day.zangyoFixed = "*";
                day[DayColumn::Zangyo] = " 1:30";
            }
        }
    }

    MemorySettingsStore store;
    BenchFolders folders;
    Session session;
};

void BM_RecalcMonth(benchmark::State& state) {
    BenchMonth month;
    for (auto _ : state) {
        MonthCalculation result = RecalcMonth(month.session.sheet, month.session.settings);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_RecalcMonth);

void BM_LoadMonth(benchmark::State& state) {
    BenchMonth month;
    month.session.SaveShownMonth();
    for (auto _ : state) {
        const bool loaded = month.session.ShowMonth(2024, 3, true);
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_LoadMonth);

void BM_SaveMonth(benchmark::State& state) {
    BenchMonth month;
    int step = 0;
    for (auto _ : state) {
        // A changed memo each time, so every save writes and commits the whole file.
        month.session.sheet.days[1][DayColumn::Memo] = std::to_string(++step);
        MonthCalculation result = month.session.SaveShownMonth();
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_SaveMonth)->Unit(benchmark::kMicrosecond);

// What "recalc" does with a month file of 1.2 MB whose 100,000 lines repeat one day's key: load, recalculate and
// save. The repeated lines go in one pass; the time must stay far below a tenth of a second.
void BM_RecalcMonthOfRepeatedKeys(benchmark::State& state) {
    BenchMonth month;
    std::string repeated = "[System]\r\nLastDay=31\r\n[DayData]\r\n";
    for (int line = 0; line < 100000; ++line)
        repeated += "1=3/ 1,Fri,\r\n";
    const std::filesystem::path file = MonthFilePath(month.folders.DataFolder(), 2024, 3, "");
    for (auto _ : state) {
        state.PauseTiming();
        WriteFileAtomically(file, repeated);
        state.ResumeTiming();
        month.session.ShowMonth(2024, 3, true);
        MonthCalculation result = month.session.SaveShownMonth();
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_RecalcMonthOfRepeatedKeys)->Unit(benchmark::kMillisecond);

// The text of the month's CSV file, without writing it.
void BM_MonthCsv(benchmark::State& state) {
    BenchMonth month;
    RecalcMonth(month.session.sheet, month.session.settings);
    for (auto _ : state) {
        std::string csv = MonthCsvText(month.session.sheet, 2024, 3, month.session.settings);
        benchmark::DoNotOptimize(csv);
    }
}
BENCHMARK(BM_MonthCsv)->Unit(benchmark::kMicrosecond);

// Ten years of saved months, 2015 to 2024, in the folder of the month.
void SaveTenYears(BenchMonth& month) {
    for (int year = 2015; year <= 2024; ++year) {
        for (int m = 1; m <= 12; ++m) {
            month.session.ShowMonth(year, m, true);
            month.session.sheet.days[1][DayColumn::Arrival] = " 8:00";
            month.session.sheet.days[1][DayColumn::Leaving] = "20:00";
            month.session.SaveShownMonth();
        }
    }
}

void BM_PeriodTotalsOfAYear(benchmark::State& state) {
    BenchMonth month;
    SaveTenYears(month);
    for (auto _ : state) {
        PeriodTable table =
            ComputePeriodTotals({{2024, 1}, {2024, 12}}, month.session.Location(), month.session.settings);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_PeriodTotalsOfAYear)->Unit(benchmark::kMicrosecond);

// "全期間": every month of 1990..2090 looked for, ten years of them read.
void BM_PeriodTotalsOfAllMonths(benchmark::State& state) {
    BenchMonth month;
    SaveTenYears(month);
    for (auto _ : state) {
        std::optional<PeriodResult> all = ComputeAllPeriodTotals(month.session.Location(), month.session.settings);
        benchmark::DoNotOptimize(all);
    }
}
BENCHMARK(BM_PeriodTotalsOfAllMonths)->Unit(benchmark::kMillisecond);

// The limits of one month as the window and the command show them: its agreement year of twelve months and
// the five before, 17 month files, with today's forecast.
void BM_LimitsOfAMonth(benchmark::State& state) {
    BenchMonth month;
    SaveTenYears(month);
    for (auto _ : state) {
        AgreementYear year =
            ReadAgreementYear(month.session.Location(), month.session.settings, {2024, 6}, CalendarDate{2024, 6, 14});
        benchmark::DoNotOptimize(year);
    }
}
BENCHMARK(BM_LimitsOfAMonth)->Unit(benchmark::kMicrosecond);

// A folder of its own holding "Holiday.dat", as every start of the program reads it.
class HolidayFolder {
public:
    HolidayFolder()
        : m_folder(std::filesystem::temp_directory_path() /
                   ("mitoran-bench-holiday-" + std::to_string(std::random_device{}()))) {
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    ~HolidayFolder() { std::filesystem::remove_all(m_folder); }
    std::filesystem::path File() const { return m_folder / "Holiday.dat"; }

private:
    std::filesystem::path m_folder;
};

void BM_LoadHolidayList(benchmark::State& state) {
    HolidayFolder folder;
    HolidayList list;
    LoadHolidayList(list, folder.File());
    for (auto _ : state) {
        LoadHolidayList(list, folder.File());
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_LoadHolidayList)->Unit(benchmark::kMicrosecond);

// The first start of the program: no file yet, so the whole list is written anew.
void BM_SaveNewHolidayList(benchmark::State& state) {
    HolidayFolder folder;
    HolidayList list;
    list.SetDefaults();
    for (auto _ : state) {
        std::filesystem::remove(folder.File());
        SaveHolidayList(list, folder.File());
    }
}
BENCHMARK(BM_SaveNewHolidayList)->Unit(benchmark::kMicrosecond);

// A ledger of 500 entries, one every three days from April 2020, saved once to its file.
struct FullLedger {
    FullLedger() {
        ledger.SetLocation(folders.DataFolder(), "");
        const char* categories[] = {"有給", "午前", "午後", "増加", "減少", "ｿﾉ他"};
        for (int row = 1; row <= kLedgerRowCount; ++row) {
            const CalendarDate date = AddDays({2020, 4, 1}, 3 * (kLedgerRowCount - row));
            LedgerRow& entry = ledger.Row(row);
            entry[LedgerColumn::Date] =
                std::to_string(date.year) + "/" + std::to_string(date.month) + "/" + std::to_string(date.day);
            entry[LedgerColumn::Category] = Utf8ToCp932(categories[row % 6]);
            entry[LedgerColumn::Days] = row % 6 == 3 ? "20" : "-0.5";
            entry[LedgerColumn::Memo] = Utf8ToCp932("通院のため");
        }
        ledger.SaveLedger();
    }

    BenchFolders folders;
    Ledger ledger;
};

void BM_LoadLedger(benchmark::State& state) {
    FullLedger full;
    for (auto _ : state) {
        full.ledger.LoadLedger();
        benchmark::DoNotOptimize(full.ledger.EntryCount());
    }
}
BENCHMARK(BM_LoadLedger)->Unit(benchmark::kMicrosecond);

void BM_RecalculateLedger(benchmark::State& state) {
    FullLedger full;
    for (auto _ : state) {
        full.ledger.RecalculateLedger(true);
        benchmark::DoNotOptimize(full.ledger.EntryCount());
    }
}
BENCHMARK(BM_RecalculateLedger)->Unit(benchmark::kMicrosecond);

void BM_SaveLedger(benchmark::State& state) {
    FullLedger full;
    int step = 0;
    for (auto _ : state) {
        full.ledger.Row(1)[LedgerColumn::Memo] = std::to_string(++step);
        full.ledger.SaveLedger();
    }
}
BENCHMARK(BM_SaveLedger)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
