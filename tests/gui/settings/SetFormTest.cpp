// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/SetForm.h"

#include "engine/month/MonthFile.h"
#include "engine/settings/ColorRef.h"
#include "engine/text/Cp932.h"
#include "engine/text/ProfileFile.h"
#include "engine/text/Texts.h"
#include "gui/WindowTestSupport.h"
#include "gui/common/PassForm.h"
#include "gui/help/HelpWindow.h"
#include "gui/settings/PrintSettingUnit.h"
#include "gui/settings/PrivateInfoUnit.h"
#include "gui/settings/RadioGroup.h"
#include "platform/Cp932Qt.h"
#include "platform/QtSettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

// The settings dialog opened from the main window's menu, driven as a user would.
class SetFormTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openingNeedsTheAmountsPassword();
    void okStoresEveryPageAndTheHolidayList();
    void okWritesTheSettingsFile();
    void boxesApplyTheirRulesAndTheEnableRulesFollow();
    void cancelAfterASubDialogLeavesTheStoreAsItWas();
    void printLayoutRefusesCollidingPositions();
    void changedClosingDayRecreatesTheMonthOnYes();
    void refusedHolidayListKeepsTheDialogOpen();
    void closingDayTypedThenEnterIsReadAsOnLeaving();
    void breakGridEditCommandsActOnTheCurrentCell();
    void namedUserReadsTheDefaultUsersSettings();
    void limitsPageStoresOnOkHeldWithinTheLawAndCancelDiscards();

private:
    void StartWindow();
    // Opens the dialog from the menu and runs `handle` on it; the handler closes it.
    void OpenSettings(const std::function<void(TSetting&)>& handle);
    std::optional<std::string> Stored(const char* subkey, const char* name) const;
    std::filesystem::path MonthFile() const;

    template <typename T>
    static T* Find(QWidget& form, const QString& name) {
        T* control = form.findChild<T*>(name);
        if (control == nullptr)
            qFatal("no control %s", qPrintable(name));
        return control;
    }
    static void Click(QWidget& form, const QString& button) {
        QTest::mouseClick(Find<QPushButton>(form, button), Qt::LeftButton);
    }
    static void Type(QWidget& form, const QString& box, const QString& text) {
        Find<QLineEdit>(form, box)->setText(text);
    }

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_window;
    QTimer* m_profilePassword = nullptr;
};

void SetFormTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    QVERIFY(m_env->folder.isValid());
}

void SetFormTest::cleanup() {
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    delete std::exchange(m_profilePassword, nullptr);
    m_window.reset();
}

void SetFormTest::StartWindow() {
    m_profilePassword = m_env->AnswerAmountsPassword(this);
    m_window = m_env->MainWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void SetFormTest::OpenSettings(const std::function<void(TSetting&)>& handle) {
    QTimer* handler = test::HandleModals<TSetting>(this, [&](TSetting& dialog) {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        handle(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
    auto* item = m_window->findChild<QAction*>(u"SettingItem"_s);
    QVERIFY(item != nullptr && item->isEnabled());
    item->trigger();
    delete handler;
}

std::optional<std::string> SetFormTest::Stored(const char* subkey, const char* name) const {
    return m_env->store.ReadValue(UserKeyPath(""), subkey, name);
}

std::filesystem::path SetFormTest::MonthFile() const {
    return MonthFilePath(m_env->folders.DataFolder(), 2004, 3, "");
}

void SetFormTest::openingNeedsTheAmountsPassword() {
    StartWindow();
    delete std::exchange(m_profilePassword, nullptr);
    m_window->CurrentSession().settings.KinPass = "kane";
    int prompts = 0;
    QString entry = u"wrong"_s;
    QTimer* passwords = test::HandleModals<TPass>(this, [&](TPass& pass) {
        ++prompts;
        pass.findChild<QLineEdit*>(u"PassEdit"_s)->setText(entry);
        QTest::mouseClick(pass.findChild<QPushButton*>(u"OkButton"_s), Qt::LeftButton);
    });
    bool shown = false;
    OpenSettings([&](TSetting&) { shown = true; });
    QCOMPARE(prompts, 3);
    QCOMPARE(m_env->questions.asked.size(), std::size_t{3});
    QCOMPARE(m_env->questions.asked[0].text, text::kPasswordWrong);
    QVERIFY(!shown);

    entry = u"KANE"_s;
    OpenSettings([&](TSetting& dialog) {
        shown = true;
        QCOMPARE(dialog.windowTitle(), u"環境設定"_s);
        QVERIFY(!Find<QPushButton>(dialog, u"ReadCurrentButton"_s)->isEnabled()); // the default user
        QVERIFY(Find<QPushButton>(dialog, u"OkButton"_s)->hasFocus());
        // F1 opens the help page of the page shown.
        Find<QTabWidget>(dialog, u"SettingPageControl"_s)->setCurrentIndex(2);
        Find<QAction>(dialog, u"HelpKeyItem"_s)->trigger();
    });
    QVERIFY(shown);
    QCOMPARE(prompts, 4);
    delete passwords;
    auto* help = m_window->findChild<HelpWindow*>();
    QVERIFY(help != nullptr);
    QCOMPARE(help->findChild<QTextBrowser*>(u"HelpBrowser"_s)->source(), HelpWindow::TopicPage(65));
}

void SetFormTest::okStoresEveryPageAndTheHolidayList() {
    StartWindow();
    QTimer* colors = test::HandleModals<QColorDialog>(this, [](QColorDialog& dialog) {
        dialog.setCurrentColor(QColor(255, 228, 228));
        dialog.accept();
    });
    OpenSettings([&](TSetting& dialog) {
        // 勤務・金額設定
        Find<QCheckBox>(dialog, u"FlexTimeCheckBox"_s)->setChecked(true);
        Type(dialog, u"StartMemo"_s, u"830"_s);
        Type(dialog, u"KihonMemo"_s, u"250,000"_s);
        Type(dialog, u"SinyaEndMemo"_s, u"48:30"_s);
        auto* breaks = Find<QTableView>(dialog, u"BreakStringGrid"_s);
        breaks->model()->setData(breaks->model()->index(2, 1), u"15:00"_s);
        breaks->setCurrentIndex(breaks->model()->index(0, 1));
        Find<QAction>(dialog, u"InsertItem"_s)->trigger(); // "12:00, 13:00" moves to row 2
        // 時刻調整設定
        Find<RadioGroup>(dialog, u"StartAdjustRadioGroup"_s)->SetItemIndex(2);
        Find<QComboBox>(dialog, u"StartTimeComboBox"_s)->setCurrentIndex(3);
        // 休日・ｶﾚﾝﾀﾞｰ設定: 9 February becomes a company day off.
        Find<QCheckBox>(dialog, u"Week4CheckBox"_s)->setChecked(true);
        Type(dialog, u"HanDayAMMemo"_s, u"0.5"_s);
        auto* calendar = Find<QTableView>(dialog, u"YearHolidayStringGrid"_s);
        Find<QTabWidget>(dialog, u"SettingPageControl"_s)->setCurrentIndex(2);
        const QModelIndex mark = calendar->model()->index(39, 1);
        calendar->scrollTo(mark);
        QTest::mouseDClick(calendar->viewport(), Qt::LeftButton, {}, calendar->visualRect(mark).center());
        calendar->model()->setData(calendar->model()->index(39, 2), u"創立,記念日"_s);
        Find<QComboBox>(dialog, u"CellColorComboBox"_s)->setCurrentIndex(8); // 日曜
        QTest::mouseClick(Find<QCheckBox>(dialog, u"CellColorCheckBox"_s), Qt::LeftButton);
        QTest::keyClick(Find<QPushButton>(dialog, u"CellColorPanel"_s), Qt::Key_Space); // the swatch is a button
        // 印刷・その他の設定
        Type(dialog, u"PrintMemoLenMemo"_s, u"5"_s);
        Find<QComboBox>(dialog, u"IconSelectComboBox"_s)->setCurrentIndex(1);
        QVERIFY(!Find<QLabel>(dialog, u"IconImage"_s)->pixmap().isNull());
        Click(dialog, u"OkButton"_s);
        QVERIFY(!dialog.isVisible());
    });
    delete colors;
    QVERIFY(m_env->questions.asked.empty());

    QCOMPARE(Stored("System", "FlexTime"), "1");
    QCOMPARE(Stored("Setting", "Time11"), " 8:30,17:00");
    QCOMPARE(Stored("Setting", "Time12"), "22:00, 0:30");
    QCOMPARE(Stored("Setting", "Kin01"), "250000");
    QCOMPARE(Stored("Setting", "Time01"), ",");
    QCOMPARE(Stored("Setting", "Time02"), "12:00,13:00");
    QCOMPARE(Stored("Setting", "Time04"), "15:00, 0:00");
    QCOMPARE(Stored("System", "StartAdjustSelect"), "2");
    QCOMPARE(Stored("System", "StartTime2"), "3");
    QCOMPARE(Stored("System", "Week4Check"), "1");
    QCOMPARE(Stored("System", "HanDayAM"), "-0.5");
    QCOMPARE(Stored("System", "CellColorCheck7"), "1");
    QCOMPARE(Stored("System", "CellColor7"), std::to_string(RgbColor(255, 228, 228)));
    QCOMPARE(Stored("System", "PrintMemo"), "10");
    QCOMPARE(Stored("System", "IconSelect"), "1");
    QCOMPARE(ToQString(ProfileFile(m_env->folders.DataFolder() / "Holiday.dat").ReadString("HolidayData", "40", "")),
             u"2月 9日, ○ ,創立.記念日,"_s);
    QVERIFY(m_window->CurrentSession().holidays[40].IsMarked());
    QCOMPARE(m_window->CurrentSession().settings.CellColorCheck[7], true);
}

// With the program's own store, OK leaves the new values in the settings file at once.
void SetFormTest::okWritesTheSettingsFile() {
    QTemporaryDir config;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    QtSettingsStore store;
    m_window = std::make_unique<TZangyoMain>(
        MainServices{{store, m_env->folders, m_env->clock, m_env->questions}, CommandLine{}});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    OpenSettings([&](TSetting& dialog) {
        Type(dialog, u"TeateMemo"_s, u"30,000"_s);
        Find<QCheckBox>(dialog, u"AutoSaveCheckBox"_s)->setChecked(true);
        Click(dialog, u"OkButton"_s);
    });
#ifdef Q_OS_WIN
    // On Windows the settings are in the registry: the test run's own Wine prefix.
    QSettings file(u"HKEY_CURRENT_USER\\Software\\Quorvan\\Vuvedez"_s, QSettings::NativeFormat);
#else
    QSettings file(config.filePath(u"Quorvan/Vuvedez.ini"_s), QSettings::IniFormat);
#endif
    const QString allowance = file.value(u"Setting/Kin02"_s).toString();
    const QString autoSave = file.value(u"System/AutoSave"_s).toString();
    m_window.reset();
    file.clear();
    QCOMPARE(allowance, u"30000"_s);
    QCOMPARE(autoSave, u"1"_s);
}

void SetFormTest::boxesApplyTheirRulesAndTheEnableRulesFollow() {
    StartWindow();
    m_env->questions.answers = {Answer::No}; // the alternate profile's closing day 20 becomes 31: keep the month
    OpenSettings([&](TSetting& dialog) {
        auto* simeDay = Find<QLineEdit>(dialog, u"SimeDayMemo"_s);
        simeDay->setFocus();
        QTRY_VERIFY(simeDay->hasFocus());
        simeDay->setText(u"29"_s);
        Find<QLineEdit>(dialog, u"KihonMemo"_s)->setFocus();
        QTRY_COMPARE(simeDay->text(), u"31"_s);
        QTRY_COMPARE(Find<QLineEdit>(dialog, u"KihonMemo"_s)->text(), u"200000"_s);
        simeDay->setFocus();
        QTRY_COMPARE(Find<QLineEdit>(dialog, u"KihonMemo"_s)->text(), u"200,000"_s);

        auto* startAutoIn = Find<RadioGroup>(dialog, u"StartAutoInRadioGroup"_s);
        auto* skip = Find<QCheckBox>(dialog, u"StartPassSkipCheckBox"_s);
        QVERIFY(!skip->isEnabled());
        startAutoIn->SetItemIndex(1);
        QVERIFY(skip->isEnabled());
        skip->setChecked(true);
        startAutoIn->SetItemIndex(0);
        QVERIFY(!skip->isEnabled());
        QVERIFY(!skip->isChecked());
        QVERIFY(!Find<QComboBox>(dialog, u"EndOverWriteComboBox"_s)->isEnabled());
        Find<RadioGroup>(dialog, u"EndAutoInRadioGroup"_s)->SetItemIndex(1);
        QVERIFY(Find<QComboBox>(dialog, u"EndOverWriteComboBox"_s)->isEnabled());

        auto* mokuTime = Find<QCheckBox>(dialog, u"MokuTimeCheckBox"_s);
        auto* mokuTedori = Find<QCheckBox>(dialog, u"MokuTedoriCheckBox"_s);
        QVERIFY(mokuTedori->isChecked());
        mokuTime->setChecked(true);
        QVERIFY(!mokuTedori->isChecked());
        QVERIFY(Find<QLineEdit>(dialog, u"MokuTimeMemo"_s)->isEnabled());
        QVERIFY(!Find<QLineEdit>(dialog, u"MokuMemo"_s)->isEnabled());
        Type(dialog, u"ZanMemo"_s, u"abc"_s);
        Click(dialog, u"OkButton"_s);
    });
    QCOMPARE(Stored("System", "SimeDay"), "31");
    QCOMPARE(Stored("System", "MokuhyoTime"), "1");
    QCOMPARE(Stored("System", "StartPassSkip"), "0");
    QCOMPARE(Stored("System", "EndAutoIn"), "1");
    QCOMPARE(Stored("Setting", "Kin04"), "0");
}

// What a sub-dialog changed lives in the settings until Cancel reloads them; OK saves it and the title follows.
void SetFormTest::cancelAfterASubDialogLeavesTheStoreAsItWas() {
    StartWindow();
    const auto before = m_env->store.Values(UserKeyPath(""), "System");
    const auto setName = [this](TSetting& dialog, const QString& name, const QString& button) {
        QTimer* info = test::HandleModals<TPrivateInfoForm>(this, [&](TPrivateInfoForm& form) {
            auto* edit = Find<QLineEdit>(form, u"PrivateNameEdit"_s);
            QVERIFY(!edit->isEnabled());
            Find<QCheckBox>(form, u"PrivateNameDispCheckBox"_s)->setChecked(true);
            QVERIFY(edit->isEnabled());
            edit->setText(name);
            Click(form, u"OkButton"_s);
        });
        Click(dialog, u"PrivateInfoButton"_s);
        delete info;
        QCOMPARE(ToQString(m_window->CurrentSession().settings.PrivateName), name);
        Click(dialog, button);
    };
    OpenSettings([&](TSetting& dialog) { setName(dialog, u"山田"_s, u"CancelButton"_s); });
    QCOMPARE(m_env->store.Values(UserKeyPath(""), "System"), before);
    QCOMPARE(m_window->CurrentSession().settings.PrivateName, std::string());
    QCOMPARE(m_window->windowTitle(), test::Expected(u"ミトラン"_s, u"ミトラン - (ｶﾚﾝﾄ)"_s));

    OpenSettings([&](TSetting& dialog) {
        // The controls show the settings as reloaded.
        QVERIFY(!Find<QLineEdit>(dialog, u"SimeDayMemo"_s)->text().isEmpty());
        setName(dialog, u"山田"_s, u"OkButton"_s);
    });
    QCOMPARE(ToQString(Stored("System", "PrivateName").value_or("")), u"山田"_s);
    QCOMPARE(m_window->windowTitle(), u"ミトラン - 山田"_s);
}

void SetFormTest::printLayoutRefusesCollidingPositions() {
    StartWindow();
    int refusals = 0;
    OpenSettings([&](TSetting& dialog) {
        Find<QCheckBox>(dialog, u"PrintPageCheckBox"_s)->setChecked(true);
        Find<QCheckBox>(dialog, u"PrintDateCheckBox"_s)->setChecked(true);
        QTimer* print = test::HandleModals<TPrintSettingForm>(this, [&](TPrintSettingForm& form) {
            QVERIFY(!Find<QComboBox>(form, u"NamePositionComboBox"_s)->isEnabled()); // 所属・氏名 not printed
            QVERIFY(Find<QComboBox>(form, u"DatePositionComboBox"_s)->isEnabled());
            Find<QComboBox>(form, u"PagePositionComboBox"_s)->setCurrentIndex(1);
            Find<QComboBox>(form, u"DatePositionComboBox"_s)->setCurrentIndex(1);
            Find<QLineEdit>(form, u"ZangyoTitleEdit"_s)->setText(u"残業一覧"_s);
            QTimer* font = test::HandleModals<QFontDialog>(this, [](QFontDialog& chooser) {
                chooser.setCurrentFont(QFont(u"IPAGothic"_s, 15));
                chooser.accept();
            });
            Click(form, u"TitleFontButton"_s);
            delete font;
            QVERIFY(Find<QLineEdit>(form, u"TitleFontEdit"_s)->text().contains(u"15"_s));
            Click(form, u"OkButton"_s);
            refusals += form.isVisible() ? 1 : 0;
            Find<QComboBox>(form, u"DatePositionComboBox"_s)->setCurrentIndex(2);
            Click(form, u"OkButton"_s);
        });
        Click(dialog, u"PrintTiltleButton"_s);
        delete print;
        Click(dialog, u"OkButton"_s);
    });
    QCOMPARE(refusals, 1);
    QCOMPARE(m_env->questions.asked.size(), std::size_t{1});
    QCOMPARE(m_env->questions.asked[0].caption, text::kSettingErrorCaption);
    QCOMPARE(ToQString(Stored("System", "ZangyoTitle").value_or("")), u"残業一覧"_s);
    QCOMPARE(Stored("System", "DatePosition"), "2");
    QCOMPARE(Stored("System", "TitleFontName"), "IPAGothic");
    QCOMPARE(Stored("System", "TitleFontSize"), "15");
}

// The closing day changes from 31 to 20 under the defaults, from 20 to 31 under the alternate profile.
void SetFormTest::changedClosingDayRecreatesTheMonthOnYes() {
    StartWindow();
    const QString from = test::Expected(u"31"_s, u"20"_s);
    const QString to = test::Expected(u"20"_s, u"31"_s);
    Session& session = m_window->CurrentSession();
    const auto saveArrival = [&session] {
        session.sheet.days[5][DayColumn::Arrival] = " 8:00";
        session.SaveShownMonth();
    };
    saveArrival();
    QVERIFY(std::filesystem::exists(MonthFile()));

    // Cancel keeps the dialog open and stores nothing; Yes re-creates the month of today under the new day.
    m_env->questions.answers = {Answer::Cancel, Answer::Yes};
    OpenSettings([&](TSetting& dialog) {
        Type(dialog, u"SimeDayMemo"_s, to);
        Click(dialog, u"OkButton"_s);
        QVERIFY(dialog.isVisible());
        QCOMPARE(ToQString(Stored("System", "SimeDay").value_or("")), from);
        Click(dialog, u"OkButton"_s);
    });
    QCOMPARE(m_env->questions.asked.size(), std::size_t{2});
    QCOMPARE(m_env->questions.asked[0].caption, text::kSimeDayChangeCaption);
    QCOMPARE(ToQString(Stored("System", "SimeDay").value_or("")), to);
    QVERIFY(!std::filesystem::exists(MonthFile()));
    // 21 February … 20 March of 2004, or the calendar month
    QCOMPARE(session.sheet.dayCount, test::Expected(29, 31));
    QCOMPARE(session.sheet.days[1][DayColumn::Date], test::Expected(std::string(" 2/21"), std::string(" 3/ 1")));
    for (int day = 1; day <= session.sheet.dayCount; ++day)
        QCOMPARE(session.sheet.days[day][DayColumn::Arrival], std::string());
    QCOMPARE(m_window->findChild<QLineEdit*>(u"MonthMemo"_s)->text(), u"3"_s);

    // No keeps the month as it is; the closing day is stored all the same.
    saveArrival();
    m_env->questions.answers = {Answer::No};
    OpenSettings([&](TSetting& dialog) {
        Type(dialog, u"SimeDayMemo"_s, from);
        Click(dialog, u"OkButton"_s);
    });
    QCOMPARE(m_env->questions.asked.size(), std::size_t{3});
    QCOMPARE(ToQString(Stored("System", "SimeDay").value_or("")), from);
    QVERIFY(std::filesystem::exists(MonthFile()));
    QCOMPARE(session.sheet.days[5][DayColumn::Arrival], std::string(" 8:00"));
}

// A holiday list that cannot be written is reported; nothing is stored and the dialog stays open with its edits,
// so that Cancel leaves everything as before OK and a later OK stores it all.
void SetFormTest::refusedHolidayListKeepsTheDialogOpen() {
    StartWindow();
    const std::filesystem::path list = m_env->folders.DataFolder() / "Holiday.dat";
    const auto stored = m_env->store.Values(UserKeyPath(""), "Setting");
    const auto refusedOk = [&](TSetting& dialog) {
        std::filesystem::remove(list);
        std::filesystem::create_directories(list / "inside");
        Type(dialog, u"TeateMemo"_s, u"30000"_s);
        Click(dialog, u"OkButton"_s);
        QVERIFY(dialog.isVisible());
        QCOMPARE(Find<QLineEdit>(dialog, u"TeateMemo"_s)->text(), u"30000"_s);
        QCOMPARE(m_env->store.Values(UserKeyPath(""), "Setting"), stored);
        QCOMPARE(m_window->CurrentSession().settings.Kin[2], 20000);
        std::filesystem::remove_all(list);
    };
    OpenSettings([&](TSetting& dialog) {
        refusedOk(dialog);
        Click(dialog, u"CancelButton"_s);
    });
    QCOMPARE(m_env->store.Values(UserKeyPath(""), "Setting"), stored);
    OpenSettings([&](TSetting& dialog) {
        refusedOk(dialog);
        Click(dialog, u"OkButton"_s);
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(m_env->questions.asked.size(), std::size_t{2});
    QVERIFY(m_env->questions.asked[0].text.find(Utf8ToCp932("に書き込めません")) != std::string::npos);
    QVERIFY(std::filesystem::is_regular_file(list));
    QCOMPARE(Stored("Setting", "Kin02"), "30000");
}

// Enter on the closing-day box reads it as leaving the box would: "abc" is 1, a change that is asked about.
void SetFormTest::closingDayTypedThenEnterIsReadAsOnLeaving() {
    StartWindow();
    m_env->questions.answers = {Answer::No};
    OpenSettings([&](TSetting& dialog) {
        auto* simeDay = Find<QLineEdit>(dialog, u"SimeDayMemo"_s);
        simeDay->setFocus();
        QTRY_VERIFY(simeDay->hasFocus());
        simeDay->setText(u"abc"_s);
        QTest::keyClick(simeDay, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(m_env->questions.asked.size(), std::size_t{1});
    QCOMPARE(m_env->questions.asked[0].caption, text::kSimeDayChangeCaption);
    QCOMPARE(Stored("System", "SimeDay"), "1");
}

// 切り取り, コピー, 貼り付け and 元に戻す act on the current cell's text, also once the right click that opened the
// menu closed the cell editor; a right click on the open editor keeps it open and shows the grid's menu.
void SetFormTest::breakGridEditCommandsActOnTheCurrentCell() {
    StartWindow();
    OpenSettings([&](TSetting& dialog) {
        auto* grid = Find<QTableView>(dialog, u"BreakStringGrid"_s);
        const auto command = [&](const QString& item) {
            auto* action = grid->findChild<QAction*>(item);
            QVERIFY(action != nullptr);
            action->trigger();
        };
        const auto openEditor = [&]() -> QLineEdit* {
            for (auto* editor : grid->viewport()->findChildren<QLineEdit*>()) {
                if (editor->isVisible())
                    return editor;
            }
            return nullptr;
        };
        const auto editorText = [&] { return openEditor() != nullptr ? openEditor()->text() : u"(no editor)"_s; };
        const auto cell = [&](int row, int column) { return grid->model()->index(row, column).data().toString(); };
        QApplication::clipboard()->clear();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 1)); // 12:00, first-run break
        command(u"CutItem"_s);
        QCOMPARE(QApplication::clipboard()->text(), u"12:00"_s);
        QCOMPARE(editorText(), QString());
        command(u"UndoItem"_s);
        QCOMPARE(editorText(), u"12:00"_s);
        grid->setCurrentIndex(grid->model()->index(1, 1));
        QCOMPARE(cell(0, 1), u"12:00"_s);
        command(u"PasteItem"_s);
        QCOMPARE(editorText(), u"12:00"_s);
        grid->setCurrentIndex(grid->model()->index(0, 2));
        QCOMPARE(cell(1, 1), u"12:00"_s);
        command(u"CopyItem"_s);
        QCOMPARE(QApplication::clipboard()->text(), u"13:00"_s);

        QLineEdit* editor = openEditor();
        QVERIFY(editor != nullptr);
        auto* menu = grid->findChild<QMenu*>(u"StringGridPopupMenu"_s);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2), editor->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(editor, &rightClick);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
        QVERIFY(editor->isVisible());
        QCOMPARE(grid->currentIndex(), grid->model()->index(0, 2));
    });
}

// "ｶﾚﾝﾄ設定読み込み" shows the default user's settings and holiday list; OK stores them for the user shown.
void SetFormTest::namedUserReadsTheDefaultUsersSettings() {
    Session defaultUser(m_env->store, m_env->folders, "");
    defaultUser.LoadUser("");
    defaultUser.settings.Kin[1] = 123456;
    HolidayList list = defaultUser.holidays;
    list[100].mark = text::kHolidayListMark;
    defaultUser.RegisterSettings(defaultUser.settings, list);

    m_window = std::make_unique<TZangyoMain>(
        MainServices{{m_env->store, m_env->folders, m_env->clock, m_env->questions}, CommandLine{"abc"}});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_env->questions.answers = {Answer::No}; // the alternate profile's closing day 20 replaces 31: keep the month
    OpenSettings([&](TSetting& dialog) {
        QCOMPARE(Find<QLineEdit>(dialog, u"KihonMemo"_s)->text(), u"200,000"_s);
        auto* read = Find<QPushButton>(dialog, u"ReadCurrentButton"_s);
        QVERIFY(read->isEnabled());
        QTest::mouseClick(read, Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>(dialog, u"KihonMemo"_s)->text(), u"123,456"_s);
        auto* calendar = Find<QTableView>(dialog, u"YearHolidayStringGrid"_s);
        QCOMPARE(calendar->model()->index(99, 1).data().toString(), u" ○ "_s);
        Click(dialog, u"OkButton"_s);
    });
    QCOMPARE(m_env->store.ReadValue(UserKeyPath("abc"), "Setting", "Kin01"), "123456");
    QCOMPARE(m_window->CurrentSession().CurrentUser(), std::string("abc"));
    QVERIFY(m_window->CurrentSession().holidays[100].IsMarked());
    HolidayList written;
    QVERIFY(ReadHolidayList(written, m_env->folders.DataFolder() / "abc" / "Holiday.dat"));
    QVERIFY(written[100].IsMarked());
}

// The 36協定 page: a limit beyond the law is held when the box is left, the button fills the variable-hours
// limits, the special clause's boxes follow its check; OK stores the group "Limits" (the warning turning on with
// the limits), Cancel leaves it as it was.
void SetFormTest::limitsPageStoresOnOkHeldWithinTheLawAndCancelDiscards() {
    StartWindow();
    OpenSettings([&](TSetting& dialog) {
        Find<QTabWidget>(dialog, u"SettingPageControl"_s)->setCurrentIndex(4);
        auto* month = Find<QLineEdit>(dialog, u"LimitMonthMemo"_s);
        QCOMPARE(month->text(), u"45:00"_s);
        QVERIFY(!Find<QCheckBox>(dialog, u"LimitWarningCheckBox"_s)->isChecked());
        auto* specialMonth = Find<QLineEdit>(dialog, u"SpecialMonthMemo"_s);
        QVERIFY(!specialMonth->isEnabled());
        Find<QCheckBox>(dialog, u"SpecialCheckBox"_s)->setChecked(true);
        QVERIFY(specialMonth->isEnabled());
        specialMonth->setFocus();
        QTRY_VERIFY(specialMonth->hasFocus());
        specialMonth->setText(u"120:00"_s);
        month->setFocus();
        QTRY_COMPARE(specialMonth->text(), u"99:59"_s);
        Click(dialog, u"VariableHoursButton"_s);
        QCOMPARE(month->text(), u"42:00"_s);
        QCOMPARE(Find<QLineEdit>(dialog, u"LimitYearMemo"_s)->text(), u"320:00"_s);
        Type(dialog, u"SpecialTimesMemo"_s, u"12"_s);
        Find<QCheckBox>(dialog, u"LimitMainDispCheckBox"_s)->setChecked(true);
        Click(dialog, u"OkButton"_s);
    });
    QCOMPARE(Stored("Limits", "Month"), "42:00");
    QCOMPARE(Stored("Limits", "Year"), "320:00");
    QCOMPARE(Stored("Limits", "SpecialMonth"), "99:59");
    QCOMPARE(Stored("Limits", "SpecialTimes"), "6");
    QCOMPARE(Stored("Limits", "Special"), "1");
    QCOMPARE(Stored("Limits", "Warning"), "1");
    QVERIFY(!m_window->findChild<QLabel*>(u"LimitPanel"_s)->isHidden());

    const auto stored = m_env->store.Values(UserKeyPath(""), "Limits");
    OpenSettings([&](TSetting& dialog) {
        QCOMPARE(Find<QLineEdit>(dialog, u"LimitMonthMemo"_s)->text(), u"42:00"_s);
        QVERIFY(Find<QCheckBox>(dialog, u"LimitWarningCheckBox"_s)->isChecked());
        Type(dialog, u"LimitMonthMemo"_s, u"30:00"_s);
        Find<QCheckBox>(dialog, u"LimitWarningCheckBox"_s)->setChecked(false);
        Click(dialog, u"CancelButton"_s);
    });
    QCOMPARE(m_env->store.Values(UserKeyPath(""), "Limits"), stored);
    QCOMPARE(m_window->CurrentSession().settings.Limits.Month, 42 * 60);
    QVERIFY(m_window->CurrentSession().settings.Limits.Warning);
}

} // namespace mitoran

QTEST_MAIN(mitoran::SetFormTest)
#include "SetFormTest.moc"
