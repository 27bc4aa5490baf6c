// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calendar/Clock.h"
#include "engine/month/MonthSheet.h"
#include "engine/session/Questions.h"
#include "engine/settings/Folders.h"
#include "engine/settings/MemorySettingsStore.h"
#include "gui/common/ProgramFont.h"
#include "gui/main/DayGridColumns.h"
#include "gui/main/MainForm.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

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

// Answers the engine's questions from a list (then with the default) and keeps what was asked.
class ScriptedQuestions : public Questions {
public:
    Answer Ask(const std::string& caption, const std::string& text, Buttons buttons) override {
        asked.push_back({caption, text, buttons});
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

// What a window under test works with: a temporary data folder, an empty settings store, a clock fixed
// on Wednesday 10 March 2004 at 9:00 and scripted answers to its questions.
struct WindowEnvironment {
    QTemporaryDir folder;
    TestFolders folders{folder.path().toStdString()};
    MemorySettingsStore store;
    FixedClock clock{LocalDateTime{2004, 3, 10, 9, 0, 0}};
    ScriptedQuestions questions;
    // The writers' lock, where a test shares the files with another program.
    WriterLock* writerLock = nullptr;

    // Windows under test have the font the start-up frame gives the program.
    WindowEnvironment() { QApplication::setFont(ProgramFont()); }

    // A main window on this environment, not yet shown.
    std::unique_ptr<TZangyoMain> MainWindow() {
        return std::make_unique<TZangyoMain>(MainServices{{store, folders, clock, questions, writerLock}, {}});
    }
};

} // namespace mitoran::test
