// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Clock.h"
#include "engine/month/MonthSheet.h"
#include "engine/session/CommandLine.h"
#include "engine/session/Questions.h"
#include "engine/settings/Folders.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/Settings.h"
#include "engine/text/Util.h"
#include "gui/common/PassForm.h"
#include "gui/common/ProgramFont.h"
#include "gui/main/DayGridColumns.h"
#include "gui/main/MainForm.h"
#include "platform/Cp932Qt.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mitoran::test {

using mitoran::GridColumn;

// Data files in a folder of the test's own.
class TestFolders : public Folders {
public:
    explicit TestFolders(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    std::filesystem::path DataFolder() const override { return m_folder; }
    std::filesystem::path CurrentDirectory() const override { return m_folder; }
    std::string ProgramName() const override { return "mitoran"; }

private:
    std::filesystem::path m_folder;
};

// Answers the engine's questions from a list (then with the default) and keeps what was asked, with the icon the
// message box would show (a plain question shows the warning icon).
class ScriptedQuestions : public Questions {
public:
    Answer Ask(const std::string& caption, const std::string& text, Buttons buttons) override {
        return AskStyled(caption, text, buttons, QuestionIcon::Warning, Answer::Ok);
    }
    Answer AskStyled(const std::string& caption, const std::string& text, Buttons buttons, QuestionIcon icon,
                     Answer) override {
        asked.push_back({caption, text, buttons, icon});
        if (answers.empty())
            return fallback;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    struct Question {
        std::string caption;
        std::string text;
        Buttons buttons;
        QuestionIcon icon;
    };
    std::deque<Answer> answers;
    Answer fallback = Answer::Ok;
    std::vector<Question> asked;
};

// Runs `handle` on each modal dialog of type T that appears until the returned timer is stopped.
template <typename T>
QTimer* HandleModals(QObject* owner, std::function<void(T&)> handle) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, owner, [timer, handle] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            handle(*dialog);
            timer->start();
        }
    });
    timer->start(20);
    return timer;
}

// The settings the window tests run under. Each window test program runs twice (tests/CMakeLists.txt): under the
// defaults, and with MITORAN_TEST_PROFILE=alternate under a profile that turns on what changes the control flow:
// "AutoCalc", "AutoSave", "FlexTime", closing day 20, "Hankyu05", "EscKeyMin", an amounts password, a second
// user and the start with "/M".
inline bool AlternateProfile() {
    const char* profile = std::getenv("MITORAN_TEST_PROFILE");
    return profile != nullptr && std::string_view(profile) == "alternate";
}

// What a case expects under the defaults and under the alternate profile, where the two differ.
template <typename T>
T Expected(T underDefaults, T underAlternate) {
    return AlternateProfile() ? underAlternate : underDefaults;
}

inline const std::string kProfileAmountsPassword = "kane";
inline const std::string kProfileSecondUser = "u2";

inline void ApplyAlternateProfile(Settings& settings) {
    settings.AutoCalc = true;
    settings.AutoSave = true;
    settings.FlexTime = true;
    settings.SimeDay = 20;
    settings.Hankyu05 = true;
    settings.EscKeyMin = true;
    settings.KinPass = kProfileAmountsPassword;
}

// The row of a date in the month shown (0 when it is not there): under the alternate profile's closing day the
// sheet month of March starts on 21 February.
inline int DayRow(const MonthSheet& sheet, int month, int day) {
    const std::string date = PadNumber(month, 2, " ") + "/" + PadNumber(day, 2, " ");
    for (int row = 1; row <= std::min(sheet.dayCount, kMaxDays); ++row) {
        if (sheet.days[row][DayColumn::Date] == date)
            return row;
    }
    return 0;
}

// What a window under test works with: a temporary data folder, a settings store (empty, or holding the
// alternate profile), a clock fixed on Wednesday 10 March 2004 at 9:00 and scripted answers to its questions.
struct WindowEnvironment {
    QTemporaryDir folder;
    TestFolders folders{folder.path().toStdString()};
    MemorySettingsStore store;
    FixedClock clock{LocalDateTime{2004, 3, 10, 9, 0, 0}};
    ScriptedQuestions questions;
    // The writers' lock, where a test shares the files with another program.
    WriterLock* writerLock = nullptr;

    // Windows under test have the font the start-up frame gives the program.
    WindowEnvironment() {
        QApplication::setFont(ProgramFont());
        if (!AlternateProfile())
            return;
        StoreSettings(ApplyAlternateProfile);
        std::filesystem::create_directories(folders.DataFolder() / kProfileSecondUser);
        StoreSettings([](Settings&) {}, kProfileSecondUser);
    }

    // Loads a user's stored settings (a first run's when there are none), changes them and stores them.
    void StoreSettings(const std::function<void(Settings&)>& change, const std::string& user = "") {
        const SettingsContext context{store, folders, user, "", false};
        Settings settings;
        LoadSettings(settings, context);
        change(settings);
        SaveSettings(settings, context);
    }

    // The command line of the profile ("/M" under the alternate one) with the parameters given.
    static CommandLine StartCommandLine(std::vector<std::string> parameters = {}) {
        if (AlternateProfile() && std::ranges::find(parameters, "/M") == parameters.end())
            parameters.emplace_back("/M");
        return ParseCommandLine(parameters);
    }

    // A main window on this environment, not yet shown.
    std::unique_ptr<TZangyoMain> MainWindow(std::vector<std::string> parameters = {}) {
        return std::make_unique<TZangyoMain>(
            MainServices{{store, folders, clock, questions, writerLock}, StartCommandLine(std::move(parameters))});
    }

    // Answers every amounts password prompt with the profile's password until the timer is deleted (there is
    // none to answer under the defaults).
    static QTimer* AnswerAmountsPassword(QObject* owner) {
        return HandleModals<TPass>(owner, [](TPass& pass) {
            pass.findChild<QLineEdit*>(QStringLiteral("PassEdit"))->setText(ToQString(kProfileAmountsPassword));
            pass.findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
        });
    }
};

} // namespace mitoran::test
