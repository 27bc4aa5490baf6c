// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/UseMemoSetUnit.h"
#include "gui/settings/UseTimeSetUnit.h"

#include "engine/calendar/Clock.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/text/Cp932.h"
#include "gui/WindowTestSupport.h"
#include "gui/main/MainForm.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>
#include <optional>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

// The preset dialogs on the main window's own settings, and the popup items that show the presets.
class PresetDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void presetTimesAreStoredAsTimeText();
    void cancelKeepsThePresetsAndShowingRefills();
    void presetMemosAreTrimmedAndBlankOnesUnset();

private:
    Settings& CurrentSettings() { return m_window->CurrentSession().settings; }
    void SaveSettings();
    // Opens the dialog modally, types into its boxes (number → text) and presses the button.
    template <typename Form>
    void Fill(Form& form, const std::map<int, QString>& boxes, const QString& boxName, const QString& button);
    std::pair<QString, bool> Item(const QString& menu, const QString& item);
    std::optional<std::string> Stored(const char* name) const;

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<test::TestFolders> m_folders;
    std::unique_ptr<MemorySettingsStore> m_store;
    std::unique_ptr<FixedClock> m_clock;
    std::unique_ptr<test::ScriptedQuestions> m_questions;
    std::unique_ptr<TZangyoMain> m_window;
    int m_saves = 0;
};

void PresetDialogsTest::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_folders = std::make_unique<test::TestFolders>(m_folder->path().toStdString());
    m_store = std::make_unique<MemorySettingsStore>();
    m_clock = std::make_unique<FixedClock>(LocalDateTime{2024, 3, 5, 9, 0});
    m_questions = std::make_unique<test::ScriptedQuestions>();
    m_window = std::make_unique<TZangyoMain>(MainServices{{*m_store, *m_folders, *m_clock, *m_questions}, {}});
    m_saves = 0;
}

void PresetDialogsTest::cleanup() {
    m_window.reset();
}

void PresetDialogsTest::SaveSettings() {
    ++m_saves;
    mitoran::SaveSettings(CurrentSettings(), m_window->CurrentSession().Context());
}

template <typename Form>
void PresetDialogsTest::Fill(Form& form, const std::map<int, QString>& boxes, const QString& boxName,
                             const QString& button) {
    QTimer* handler = test::HandleModals<Form>(this, [&](Form& dialog) {
        for (const auto& [number, text] : boxes) {
            auto* box = dialog.template findChild<QLineEdit*>(boxName.arg(number));
            box->setFocus();
            box->selectAll();
            box->insert(text);
        }
        QTest::mouseClick(dialog.template findChild<QPushButton*>(button), Qt::LeftButton);
    });
    form.exec();
    handler->stop();
    delete handler;
}

std::pair<QString, bool> PresetDialogsTest::Item(const QString& menu, const QString& item) {
    emit m_window->findChild<QMenu*>(menu)->aboutToShow();
    const auto* action = m_window->findChild<QAction*>(item);
    return {action->text(), action->isEnabled()};
}

std::optional<std::string> PresetDialogsTest::Stored(const char* name) const {
    return m_store->ReadValue(UserKeyPath(""), "Setting", name);
}

void PresetDialogsTest::presetTimesAreStoredAsTimeText() {
    TUseTimeSetForm form(
        CurrentSettings(), [this] { SaveSettings(); }, m_window.get());
    QCOMPARE(form.windowTitle(), u"良く使う時刻を設定"_s);
    Fill(form, {{1, u"1730"_s}, {2, u"   "_s}, {3, u"abc"_s}, {4, u"8.00"_s}, {6, u"８：３０"_s}}, u"UseTime%1Memo"_s,
         u"OkButton"_s);

    const auto& presets = CurrentSettings().PresetTimes;
    QCOMPARE(presets[0], std::string("17:30"));
    QCOMPARE(presets[1], std::string());
    QCOMPARE(presets[2], std::string(" 0:00")); // unreadable, yet not blank
    QCOMPARE(presets[3], std::string(" 8:00"));
    QCOMPARE(presets[5], std::string(" 8:30"));
    QCOMPARE(m_saves, 1);
    QCOMPARE(Stored("Time18").value_or("?"), std::string("17:30,"));
    QCOMPARE(Stored("Time19").value_or("?"), std::string(" 0:00, 8:00"));

    QCOMPARE(Item(u"ZanTime1PopupMenu"_s, u"UseTime1"_s).first, u"17:30 を貼り付け"_s);
    QCOMPARE(Item(u"ZanTime1PopupMenu"_s, u"UseTime4"_s).first, u" 8:00 を貼り付け"_s);
    QCOMPARE(Item(u"ZanTime1PopupMenu"_s, u"UseTime2"_s), std::make_pair(u"未設定"_s, false));
}

void PresetDialogsTest::cancelKeepsThePresetsAndShowingRefills() {
    CurrentSettings().PresetTimes[0] = "17:30";
    CurrentSettings().PresetTimes[1] = "830"; // a stored preset in another form shows as time text
    TUseTimeSetForm form(
        CurrentSettings(), [this] { SaveSettings(); }, m_window.get());
    QString shown;
    QTimer* handler = test::HandleModals<TUseTimeSetForm>(this, [&](TUseTimeSetForm& dialog) {
        shown = dialog.findChild<QLineEdit*>(u"UseTime2Memo"_s)->text();
        dialog.findChild<QLineEdit*>(u"UseTime1Memo"_s)->setText(u"9:00"_s);
        QTest::mouseClick(dialog.findChild<QPushButton*>(u"CancelButton"_s), Qt::LeftButton);
    });
    form.exec();
    handler->stop();
    QCOMPARE(shown, u" 8:30"_s);
    QCOMPARE(CurrentSettings().PresetTimes[0], std::string("17:30"));
    QCOMPARE(m_saves, 0);

    // Opened again, the box shows the preset, not what was typed before Cancel.
    handler = test::HandleModals<TUseTimeSetForm>(this, [&](TUseTimeSetForm& dialog) {
        shown = dialog.findChild<QLineEdit*>(u"UseTime1Memo"_s)->text();
        dialog.reject();
    });
    form.exec();
    handler->stop();
    QCOMPARE(shown, u"17:30"_s);
}

void PresetDialogsTest::presetMemosAreTrimmedAndBlankOnesUnset() {
    CurrentSettings().PresetMemos[0] = Utf8ToCp932("会議");
    TUseMemoSetForm form(
        CurrentSettings(), [this] { SaveSettings(); }, m_window.get());
    QCOMPARE(form.windowTitle(), u"定型メモを設定"_s);
    Fill(form, {{1, u"   "_s}, {2, u"　出張 "_s}, {10, u"在宅"_s}}, u"UseMemo%1Memo"_s, u"OkButton"_s);

    const auto& memos = CurrentSettings().PresetMemos;
    QCOMPARE(memos[0], std::string());
    QCOMPARE(ToQString(memos[1]), u"　出張"_s); // blanks are ASCII blanks; the full-width one stays
    QCOMPARE(ToQString(memos[9]), u"在宅"_s);
    QCOMPARE(Stored("UseMemo01").value_or("?"), std::string());
    QCOMPARE(ToQString(Stored("UseMemo10").value_or("?")), u"在宅"_s);

    QCOMPARE(Item(u"ZanTime4PopupMenu"_s, u"UseMemo1"_s), std::make_pair(u"未設定"_s, false));
    QCOMPARE(Item(u"ZanTime4PopupMenu"_s, u"UseMemo10"_s), std::make_pair(u"在宅"_s, true));
}

} // namespace mitoran

QTEST_MAIN(mitoran::PresetDialogsTest)
#include "PresetDialogsTest.moc"
