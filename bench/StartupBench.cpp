// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the desktop program against a minimal Qt Widgets program that shows the same 32 × 9 table of
// Japanese text: wall time from starting the process to its first painted table, and peak resident memory.
// The program runs once with an empty data folder (first run) and once with the current month's file
// present. Both children run on the offscreen platform.
#include "engine/calendar/Clock.h"
#include "engine/session/Session.h"
#include "engine/settings/Folders.h"
#include "engine/settings/MemorySettingsStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 51;

struct Run {
    double seconds = 0;    // wall time to the first painted table
    double cpuSeconds = 0; // processor time of the whole child, which ends right after that paint
    long peakKiB = 0;
};

std::map<std::string, std::vector<Run>> g_runs;

class BenchFolders : public mitoran::Folders {
public:
    explicit BenchFolders(fs::path folder) : m_folder(std::move(folder)) {}
    fs::path DataFolder() const override { return m_folder; }
    fs::path CurrentDirectory() const override { return m_folder; }
    std::string ProgramName() const override { return "mitoran"; }

private:
    fs::path m_folder;
};

// The home folder every child shares (font caches and the like), with the runtime folder in it.
const fs::path& SharedHome() {
    static const fs::path home = [] {
        const fs::path folder = fs::temp_directory_path() / ("mitoran-startup-" + std::to_string(::getpid()));
        fs::create_directories(folder / "runtime");
        ::chmod((folder / "runtime").c_str(), 0700);
        return folder;
    }();
    return home;
}

// A folder for one run's data and settings: empty, so that the program starts as on its first run.
fs::path NewHome(const std::string& name) {
    static int count = 0;
    const fs::path home = SharedHome() / (name + "-" + std::to_string(++count));
    fs::create_directories(home);
    return home;
}

std::vector<std::string> ChildEnvironment(const fs::path& home) {
    const std::map<std::string, std::string> overrides{{"MITORAN_DATA_DIR", (home / "data").string()},
                                                       {"XDG_CONFIG_HOME", (home / "config").string()},
                                                       {"XDG_DATA_HOME", (home / "share").string()},
                                                       {"XDG_RUNTIME_DIR", (SharedHome() / "runtime").string()},
                                                       {"HOME", SharedHome().string()},
                                                       {"QT_QPA_PLATFORM", "offscreen"}};
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (!overrides.contains(text.substr(0, text.find('='))))
            environment.push_back(text);
    }
    for (const auto& [name, value] : overrides)
        environment.push_back(name + "=" + value);
    return environment;
}

// Starts the program, waits for the line it prints after its first painted table, and reaps it.
Run RunChild(const char* program, const fs::path& home) {
    std::vector<std::string> environment = ChildEnvironment(home);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string programText = program;
    char* argv[] = {programText.data(), nullptr};

    int output[2];
    if (::pipe(output) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program, &actions, nullptr, argv, envp.data()) != 0)
        throw std::runtime_error(std::string("cannot start ") + program);
    ::close(output[1]);
    std::string line;
    char byte = 0;
    while (::read(output[0], &byte, 1) == 1 && byte != '\n')
        line += byte;
    const auto painted = std::chrono::steady_clock::now();
    ::close(output[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (line.empty())
        throw std::runtime_error(std::string(program) + " ended without painting");
    const auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
    return {std::chrono::duration<double>(painted - start).count(), seconds(usage.ru_utime) + seconds(usage.ru_stime),
            std::stol(line)};
}

// A data folder whose settings exist and that holds the current month with a few worked days.
fs::path HomeWithMonthFile() {
    const fs::path home = NewHome("month");
    RunChild(MITORAN_PROBE, home); // the first run writes the settings and the holiday list
    mitoran::MemorySettingsStore store;
    const BenchFolders folders(home / "data");
    mitoran::Session session(store, folders, "");
    session.LoadUser("");
    const mitoran::LocalDateTime today = mitoran::SystemClock().Now();
    session.ShowMonth(today.year, today.month, false);
    for (int day = 1; day <= session.sheet.dayCount; ++day) {
        session.sheet.days[day][mitoran::DayColumn::Arrival] = " 8:30";
        session.sheet.days[day][mitoran::DayColumn::Leaving] = "19:00";
    }
    session.SaveShownMonth();
    return home;
}

// The three programs run in rounds, each round in turn, so that a change in the machine's load between them
// weighs on all three alike; the benchmarks then report the samples.
void Sample() {
    const fs::path minimalHome = NewHome("minimal");
    const fs::path monthHome = HomeWithMonthFile();
    std::vector<fs::path> firstRunHomes;
    for (int round = 0; round < kRuns; ++round) {
        g_runs["minimal"].push_back(RunChild(MINIMAL_TABLE, minimalHome));
        g_runs["first run"].push_back(RunChild(MITORAN_PROBE, firstRunHomes.emplace_back(NewHome("first"))));
        g_runs["month file"].push_back(RunChild(MITORAN_PROBE, monthHome));
    }
    fs::remove_all(SharedHome());
}

void Report(benchmark::State& state, const std::string& name) {
    const std::vector<Run>& runs = g_runs.at(name);
    std::size_t next = 0;
    std::vector<long> peaks;
    for (auto _ : state) {
        const Run& run = runs.at(next++ % runs.size());
        state.SetIterationTime(run.seconds);
        peaks.push_back(run.peakKiB);
    }
    std::ranges::sort(peaks);
    state.counters["peak_KiB"] = static_cast<double>(peaks[peaks.size() / 2]);
}

BENCHMARK_CAPTURE(Report, minimal_table, std::string("minimal"))
    ->UseManualTime()
    ->Iterations(kRuns)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Report, mitoran_first_run, std::string("first run"))
    ->UseManualTime()
    ->Iterations(kRuns)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Report, mitoran_month_file, std::string("month file"))
    ->UseManualTime()
    ->Iterations(kRuns)
    ->Unit(benchmark::kMillisecond);

template <typename T>
T Median(std::vector<T> values) {
    std::ranges::sort(values);
    return values.empty() ? T{} : values[values.size() / 2];
}

void PrintComparison() {
    const auto medianOf = [](const std::vector<Run>& runs, auto member) {
        std::vector<double> values;
        for (const Run& run : runs)
            values.push_back(static_cast<double>(run.*member));
        return Median(values);
    };
    if (!g_runs.contains("minimal"))
        return;
    const double baseTime = medianOf(g_runs["minimal"], &Run::seconds);
    const double baseCpu = medianOf(g_runs["minimal"], &Run::cpuSeconds);
    const double baseMemory = medianOf(g_runs["minimal"], &Run::peakKiB);
    std::printf("\n%-12s %12s %7s %12s %7s %12s %7s\n", "median", "first paint", "ratio", "processor", "ratio",
                "peak KiB", "ratio");
    for (const char* name : {"minimal", "first run", "month file"}) {
        if (!g_runs.contains(name))
            continue;
        const double time = medianOf(g_runs[name], &Run::seconds);
        const double cpu = medianOf(g_runs[name], &Run::cpuSeconds);
        const double memory = medianOf(g_runs[name], &Run::peakKiB);
        std::printf("%-12s %9.1f ms %7.2f %9.1f ms %7.2f %12.0f %7.2f\n", name, time * 1000, time / baseTime,
                    cpu * 1000, cpu / baseCpu, memory, memory / baseMemory);
    }
    std::printf("target: first paint and peak memory within 1.30\n");
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Sample();
    benchmark::RunSpecifiedBenchmarks();
    PrintComparison();
    benchmark::Shutdown();
    return 0;
}
