// SPDX-License-Identifier: GPL-3.0-or-later
// Every window as a screen reader meets it: the walk opens each window and dialog the program has (through the
// menus, the buttons that open dialogs and the password prompts) and checks its controls' names; the day grid
// names its cells and editor; the main window's status says what happened; the current cell is framed.
#include "gui/common/Accessibility.h"
#include "engine/month/MonthFile.h"
#include "engine/session/ProgramColors.h"
#include "gui/WindowTestSupport.h"
#include "gui/common/WindowUtil.h"
#include "gui/main/DayGridView.h"
#include "platform/Cp932Qt.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

// What a keyboard or screen-reader user operates: each needs a name of its own.
bool IsInteractive(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link:
        return true;
    default:
        return false;
    }
}

QString ClassOf(const QObject* object) {
    const QString name = QString::fromLatin1(object->metaObject()->className());
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

QString Describe(QAccessibleInterface& control) {
    const QObject* object = control.object();
    if (object == nullptr)
        return u"role %1"_s.arg(control.role());
    return u"%1 \"%2\""_s.arg(ClassOf(object), object->objectName());
}

// What a screen reader says a control is: its name, or for a combo box (named by its value under X11) the label it
// is related to.
QString HeardName(QAccessibleInterface& control) {
    if (control.role() == QAccessible::ComboBox) {
        const auto labels = control.relations(QAccessible::Label);
        if (!labels.isEmpty())
            return labels.first().first->text(QAccessible::Name).trimmed();
    }
    return control.text(QAccessible::Name).trimmed();
}

// The controls of one window by what a listener hears: the titles of the groups around a control, then its
// name. A radio button "しない" in the group "出社時刻調整" is told apart from the one in "退社時刻調整".
struct WindowControls {
    QStringList unnamed;
    std::map<QString, QSet<const void*>> byHeardName;
    std::map<QString, QString> described;
};

void Collect(QAccessibleInterface& parent, const QString& context, WindowControls& controls) {
    for (int i = 0; i < parent.childCount(); ++i) {
        QAccessibleInterface* child = parent.child(i);
        if (child == nullptr || child->state().invisible)
            continue;
        const QAccessible::Role role = child->role();
        const QString name = HeardName(*child);
        if (IsInteractive(role)) {
            const void* identity = child->object() != nullptr ? static_cast<const void*>(child->object()) : child;
            if (name.isEmpty()) {
                controls.unnamed << Describe(*child);
            } else if (role == QAccessible::ComboBox && child->relations(QAccessible::Label).isEmpty()) {
                controls.unnamed << Describe(*child) + u" (named by its value)"_s;
            } else {
                const QString heard = context + name;
                controls.byHeardName[heard].insert(identity);
                controls.described[heard] += Describe(*child) + u" "_s;
            }
        }
        // A grid's cells are checked by the grid tests; a control's inner parts are its own.
        if (role == QAccessible::Table || role == QAccessible::List || role == QAccessible::Tree ||
            role == QAccessible::ComboBox)
            continue;
        Collect(*child, role == QAccessible::Grouping && !name.isEmpty() ? context + name + u" / "_s : context,
                controls);
    }
}

// What the mouse can operate or read, which the keyboard must reach as well.
bool IsOperable(const QWidget& control) {
    return qobject_cast<const QAbstractButton*>(&control) != nullptr ||
           qobject_cast<const QLineEdit*>(&control) != nullptr || qobject_cast<const QComboBox*>(&control) != nullptr ||
           (qobject_cast<const QAbstractItemView*>(&control) != nullptr &&
            qobject_cast<const QHeaderView*>(&control) == nullptr) ||
           qobject_cast<const QAbstractSpinBox*>(&control) != nullptr;
}

// Opens every window the program shows and walks each once: modal dialogs while they run, other windows once they
// are on screen. Windows are reached through the menu items and buttons that open a dialog (their captions end in
// "..."), and through the settings dialog's two layout buttons; commands that hand over to the platform's own
// dialogs (printing, files) are left out.
class WindowWalker {
public:
    explicit WindowWalker(QObject& owner) : m_owner(owner) {}

    void Visit(QWidget& window) {
        if (m_walked.contains(&window))
            return;
        m_walked.insert(&window);
        WindowControls controls;
        const auto walk = [&] {
            if (QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&window))
                Collect(*face, QString(), controls);
        };
        walk();
        for (QTabWidget* pages : window.findChildren<QTabWidget*>()) {
            const int shown = pages->currentIndex();
            for (int page = 0; page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                walk();
            }
            pages->setCurrentIndex(shown);
        }
        const QString title = ClassOf(&window);
        m_classes << title;
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (control->window() == &window && !control->isHidden() && control->isEnabled() && IsOperable(*control) &&
                (control->focusPolicy() & Qt::TabFocus) == 0)
                m_problems << u"%1: Tab never reaches %2 \"%3\""_s.arg(title, ClassOf(control), control->objectName());
        }
        for (const QString& control : std::as_const(controls.unnamed))
            m_problems << u"%1: %2 has no name"_s.arg(title, control);
        for (const auto& [heard, objects] : controls.byHeardName) {
            if (objects.size() > 1)
                m_problems << u"%1: \"%2\" names %3"_s.arg(title, heard, controls.described[heard].trimmed());
        }
        qInfo().noquote() << title << "interactive controls:" << controls.byHeardName.size() + controls.unnamed.size()
                          << "unnamed:" << controls.unnamed.size();
        OpenDialogsOf(window);
    }

    // Runs what may open a window, walks what it opens and closes it again.
    void Open(const std::function<void()>& command) {
        const QWidgetList before = VisibleWindows();
        auto* poll = new QTimer(&m_owner);
        QObject::connect(poll, &QTimer::timeout, &m_owner, [this, poll] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (modal == nullptr || m_closing.contains(modal))
                return;
            poll->stop();
            m_closing.insert(modal);
            Visit(*modal);
            m_closing.remove(modal);
            if (auto* pass = qobject_cast<TPass*>(modal); pass != nullptr && test::AlternateProfile()) {
                pass->findChild<QLineEdit*>(u"PassEdit"_s)->setText(ToQString(test::kProfileAmountsPassword));
                pass->findChild<QPushButton*>(u"OkButton"_s)->click();
            } else {
                modal->reject();
            }
            poll->start();
        });
        poll->start(20);
        command();
        delete poll;
        for (QWidget* window : VisibleWindows()) {
            if (!before.contains(window)) {
                Visit(*window);
                window->close();
            }
        }
    }

    QStringList Problems() const { return m_problems; }
    QStringList Classes() const { return m_classes; }

private:
    static QWidgetList VisibleWindows() {
        QWidgetList windows;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && qobject_cast<QMenu*>(widget) == nullptr)
                windows << widget;
        }
        return windows;
    }

    static bool OpensDialog(const QString& caption) { return caption.endsWith(u"..."_s); }

    void OpenItemsOf(QMenu& menu) {
        static const QStringList kPlatformDialogs{u"PrintIem"_s, u"PdfItem"_s, u"OutFileItem"_s};
        for (QAction* item : menu.actions()) {
            if (item->menu() != nullptr)
                OpenItemsOf(*item->menu());
            else if (item->isEnabled() && OpensDialog(item->text()) && !kPlatformDialogs.contains(item->objectName()))
                Open([item] { item->trigger(); });
        }
    }

    void OpenDialogsOf(QWidget& window) {
        static const QStringList kLayoutButtons{u"PrintTiltleButton"_s, u"PrivateInfoButton"_s};
        for (QMenuBar* bar : window.findChildren<QMenuBar*>()) {
            for (QAction* menu : bar->actions()) {
                if (menu->menu() == nullptr)
                    continue;
                OpenItemsOf(*menu->menu());
            }
        }
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->window() == &window && button->isEnabled() &&
                (OpensDialog(button->text()) || kLayoutButtons.contains(button->objectName())))
                Open([button] { button->click(); });
        }
    }

    QObject& m_owner;
    QSet<QWidget*> m_walked;
    QSet<QWidget*> m_closing;
    QStringList m_problems;
    QStringList m_classes;
};

// The colour of a pixel of the widget as drawn.
std::int32_t PixelOf(QWidget& widget, QPoint point) {
    const QColor color = widget.grab().toImage().pixelColor(point);
    return ToColorRef(color);
}

// The names of header cells, which the table makes anew at every call and leaves to the caller to delete.
QStringList TakeNames(const QList<QAccessibleInterface*>& cells) {
    QStringList names;
    for (QAccessibleInterface* cell : cells) {
        names << cell->text(QAccessible::Name);
        QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(cell));
    }
    return names;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyControlOfEveryWindowHasAUniqueName();
    void dayGridCellsAndEditorSpeak();
    void statusSaysWhatHappened();
    void currentCellIsFramedWithAndWithoutItsEditor();

private:
    void StartWindow();
    DayGridView& Grid() const { return *m_window->findChild<DayGridView*>(u"DayStringGrid"_s); }
    int DecemberRow(int day) const { return test::DayRow(m_window->CurrentSession().sheet, 12, day); }

    std::unique_ptr<test::WindowEnvironment> m_env;
    std::unique_ptr<TZangyoMain> m_window;
};

void AccessibilityTest::init() {
    m_env = std::make_unique<test::WindowEnvironment>();
    QVERIFY(m_env->folder.isValid());
}

void AccessibilityTest::cleanup() {
    m_window.reset();
}

void AccessibilityTest::StartWindow() {
    m_window = m_env->MainWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->ShowMonth({2026, 12});
}

// Also: Tab reaches every control the mouse can operate or read.
void AccessibilityTest::everyControlOfEveryWindowHasAUniqueName() {
    StartWindow();
    WindowWalker walker(*this);
    walker.Visit(*m_window);
    const QStringList problems = walker.Problems();
    for (const QString& problem : problems)
        qWarning().noquote() << problem;
    QVERIFY2(problems.isEmpty(),
             qPrintable(u"%1 controls without a name of their own or out of Tab's reach, listed above"_s.arg(
                 problems.size())));
    // The walk reached the windows it is meant to reach (others, added later, are walked as well).
    QStringList expected{u"TZangyoMain"_s, u"TJump"_s,           u"TTotal"_s,           u"TYuuKyu"_s,
                         u"TVacDel"_s,     u"TVacDel2"_s,        u"TYearTotal"_s,       u"TTokuSyukeiForm"_s,
                         u"TSetting"_s,    u"TPassChangeForm"_s, u"TPrivateInfoForm"_s, u"TPrintSettingForm"_s,
                         u"HelpWindow"_s};
    if (test::AlternateProfile())
        expected << u"TPass"_s;
    for (const QString& window : std::as_const(expected))
        QVERIFY2(walker.Classes().contains(window), qPrintable(u"not reached: "_s + window));
}

// 8 December 2026 is a Tuesday; its arrival cell is named by date, weekday and column, and says what only its
// colour shows.
void AccessibilityTest::dayGridCellsAndEditorSpeak() {
    StartWindow();
    const int row = DecemberRow(8);
    QVERIFY(row > 0);
    m_window->CurrentSession().sheet.days[row].houteiMark = "*";
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&Grid());
    QVERIFY(table != nullptr && table->tableInterface() != nullptr);
    QCOMPARE(table->text(QAccessible::Name), u"12月の勤務表"_s);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(row - 1, DayGridView::kArrivalColumn);
    QVERIFY(cell != nullptr && cell->tableCellInterface() != nullptr);
    QCOMPARE(cell->text(QAccessible::Name), u"12月8日(火) 出社"_s);
    QCOMPARE(cell->text(QAccessible::Description), u"法定休日"_s);
    const QStringList columnHeaders = TakeNames(cell->tableCellInterface()->columnHeaderCells());
    const QStringList rowHeaders = TakeNames(cell->tableCellInterface()->rowHeaderCells());
    QCOMPARE(columnHeaders, QStringList{u"出社"_s});
    QCOMPARE(rowHeaders, QStringList{u"12月8日(火)"_s});

    Grid().setFocus();
    Grid().SelectCell(row, DayGridView::kArrivalColumn);
    QLineEdit* editor = Grid().CurrentEditor();
    QVERIFY(editor != nullptr);
    QTRY_VERIFY(editor->hasFocus());
    QAccessibleInterface* editorFace = QAccessible::queryAccessibleInterface(editor);
    QCOMPARE(editorFace->text(QAccessible::Name), u"12月8日(火) 出社"_s);
    QCOMPARE(editorFace->text(QAccessible::Description), u"法定休日"_s);
    QVERIFY(editorFace->state().focused);
}

void AccessibilityTest::statusSaysWhatHappened() {
    StartWindow();
    QCOMPARE(m_window->accessibleDescription(), u"2026年12月を表示しています"_s);
    m_window->SaveButtonClick();
    QCOMPARE(m_window->accessibleDescription(), u"12月を保存しました"_s);

    // A folder where November's file would go: the save is refused and said to be.
    const std::filesystem::path blocked = MonthFilePath(m_env->folders.DataFolder(), 2026, 11, "");
    std::filesystem::create_directories(blocked);
    std::ofstream(blocked / "keep") << "x";
    m_window->ShowMonth({2026, 11});
    QCOMPARE(m_window->accessibleDescription(), u"2026年11月を表示しています"_s);
    m_window->SaveButtonClick();
    QCOMPARE(m_window->accessibleDescription(), u"11月を保存できませんでした"_s);
}

// The frame stands out from the cell's background by 3:1 at least, around the cell and around its open editor.
void AccessibilityTest::currentCellIsFramedWithAndWithoutItsEditor() {
    StartWindow();
    const int row = DecemberRow(8);
    Grid().setFocus();
    Grid().SelectCell(row, DayGridView::kMemoColumn);
    QTRY_VERIFY(Grid().CurrentEditor() != nullptr && Grid().CurrentEditor()->hasFocus());
    const auto frameContrast = [&] {
        const QRect cell = Grid().visualRect(Grid().currentIndex());
        QWidget& viewport = *Grid().viewport();
        const std::int32_t frame = PixelOf(viewport, {cell.left(), cell.center().y()});
        const std::int32_t inside = PixelOf(viewport, cell.center());
        return ContrastRatio(frame, inside);
    };
    QVERIFY2(frameContrast() >= kGraphicContrast, "with the editor");
    Grid().CurrentEditor()->hide();
    Grid().setFocus();
    QVERIFY2(frameContrast() >= kGraphicContrast, "without the editor");
}

} // namespace mitoran

QTEST_MAIN(mitoran::AccessibilityTest)
#include "AccessibilityTest.moc"
