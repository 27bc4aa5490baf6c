// SPDX-License-Identifier: GPL-3.0-or-later
// How long the 36協定 window takes to open: from the menu command to the first paint of its chart, the first time
// in a process (the chart module and Qt Charts are loaded then) and again after closing it. The main window is
// on screen first, over the seventeen month files the agreement year reads, each with overtime. Every sample
// runs in a child process of its own (offscreen), so that each first opening loads the module afresh.
#include "engine/calendar/Clock.h"
#include "engine/session/Session.h"
#include "engine/settings/Folders.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/Util.h"
#include "gui/common/MessageBoxQuestions.h"
#include "gui/common/ProgramFont.h"
#include "gui/limits/LimitChartLoader.h"
#include "gui/limits/LimitForm.h"
#include "gui/main/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

using namespace mitoran;

constexpr int kSamples = 15;
constexpr double kTargetMs = 150;

class BenchFolders : public Folders {
public:
    explicit BenchFolders(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    std::filesystem::path DataFolder() const override { return m_folder; }
    std::filesystem::path CurrentDirectory() const override { return m_folder; }
    std::string ProgramName() const override { return "mitoran"; }

private:
    std::filesystem::path m_folder;
};

// Seventeen months up to today's, every weekday from 8:30 to 20:00.
void WriteMonths(SettingsStore& store, const Folders& folders, const LocalDateTime& today) {
    Session session(store, folders, "");
    session.LoadUser("");
    int index = today.year * 12 + today.month - 1;
    for (int i = 0; i < 17; ++i, --index) {
        session.ShowMonth(index / 12, index % 12 + 1, false);
        for (int day = 1; day <= session.sheet.dayCount; ++day) {
            if (!TrimText(session.sheet.days[day][DayColumn::Kubun]).empty())
                continue;
            session.sheet.days[day][DayColumn::Arrival] = " 8:30";
            session.sheet.days[day][DayColumn::Leaving] = "20:00";
        }
        session.SaveShownMonth();
    }
}

// Counts until the first paint of a chart's viewport.
class ChartPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<QGraphicsView*>(object->parent()) != nullptr)
            painted = true;
        return QObject::eventFilter(object, event);
    }
};

double OpenMs(TZangyoMain& main, ChartPaint& paint) {
    paint.painted = false;
    QElapsedTimer timer;
    timer.start();
    main.findChild<QAction*>(QStringLiteral("LimitItem"))->trigger();
    while (!paint.painted)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

int Child(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setFont(ProgramFont());
    UseLimitChartModule(QStringLiteral(LIMIT_CHART_MODULE));
    QTemporaryDir folder;
    BenchFolders folders(folder.path().toStdString());
    MemorySettingsStore store;
    SystemClock clock;
    MessageBoxQuestions questions;
    WriteMonths(store, folders, clock.Now());

    TZangyoMain main(MainServices{{store, folders, clock, questions}, {}});
    main.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        QApplication::processEvents(QEventLoop::AllEvents, 50);

    ChartPaint paint;
    application.installEventFilter(&paint);
    const double first = OpenMs(main, paint);
    main.findChild<TLimitForm*>()->reject();
    QApplication::processEvents();
    const double again = OpenMs(main, paint);
    std::printf("%.1f %.1f\n", first, again);
    return 0;
}

double Median(std::vector<double> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--child")
        return Child(argc, argv);
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("MITORAN_DATA_DIR"), home.filePath(QStringLiteral("data")));
    std::vector<double> firsts;
    std::vector<double> agains;
    for (int i = 0; i < kSamples; ++i) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child")});
        child.waitForFinished(60000);
        double first = 0;
        double again = 0;
        if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf", &first, &again) != 2) {
            std::fprintf(stderr, "sample %d failed: %s\n", i, child.readAllStandardError().constData());
            return 1;
        }
        firsts.push_back(first);
        agains.push_back(again);
    }
    std::printf("36協定 window, median of %d: first opening %.1f ms, opening again %.1f ms (target %.0f ms)\n",
                kSamples, Median(firsts), Median(agains), kTargetMs);
    return Median(firsts) <= kTargetMs ? 0 : 1;
}
