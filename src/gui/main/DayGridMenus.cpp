// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/DayGridMenus.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthSheet.h"
#include "engine/month/TimeEntry.h"
#include "engine/session/GridCommands.h"
#include "engine/settings/Presets.h"
#include "engine/settings/Settings.h"
#include "gui/common/WindowUtil.h"
#include "gui/main/DayGridView.h"
#include "gui/main/TAdjustForm.h"
#include "gui/main/TSetForm.h"
#include "gui/settings/UseMemoSetUnit.h"
#include "gui/settings/UseTimeSetUnit.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QMenu>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

DayGridMenus::DayGridMenus(QWidget& window, DayGridView& grid, DayGridMenuServices services)
    : QObject(&window), m_window(window), m_grid(grid), m_services(std::move(services)),
      m_useTimeSetForm([this] { return new TUseTimeSetForm(m_services.settings, m_services.saveSettings, &m_window); }),
      m_useMemoSetForm(
          [this] { return new TUseMemoSetForm(m_services.settings, m_services.saveSettings, &m_window); }) {
    BuildKubunPopupMenu();
    BuildTimePopupMenu();
    m_zanTime2PopupMenu = BuildManualEntryPopupMenu(u"ZanTime2PopupMenu"_s, u"ZanInputItem"_s, u"任意残業時間入力..."_s,
                                                    u"ZanClearItem"_s, u"残業時間クリア"_s);
    m_zanTime3PopupMenu = BuildManualEntryPopupMenu(u"ZanTime3PopupMenu"_s, u"KinmuInputItem"_s,
                                                    u"任意勤務時間入力..."_s, u"KinmuClearItem"_s, u"勤務時間クリア"_s);
    BuildMemoPopupMenu();
    for (QMenu* menu : {m_zanTime1PopupMenu, m_zanTime4PopupMenu})
        connect(menu, &QMenu::aboutToShow, this, &DayGridMenus::UpdatePresetCaptions);
}

QMenu* DayGridMenus::NewPopupMenu(const QString& name) {
    auto* menu = new QMenu(&m_window);
    menu->setObjectName(name);
    return menu;
}

// Items with a shortcut belong to the window, so the shortcut works while their menu is attached.
QAction* DayGridMenus::ShortcutItem(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key) {
    QAction* action = NamedItem(menu, name, caption);
    action->setData(key);
    action->setShortcutContext(Qt::WindowShortcut);
    m_window.addAction(action);
    m_popupShortcutItems.emplace_back(menu, action);
    return action;
}

void DayGridMenus::AddEditCommands(QMenu* menu) {
    menu->addSeparator();
    connect(menu->addAction(u"切り取り(&T)"_s), &QAction::triggered, this,
            [this] { EditCommand([](QLineEdit& editor) { editor.cut(); }); });
    connect(menu->addAction(u"コピー(&C)"_s), &QAction::triggered, this,
            [this] { EditCommand([](QLineEdit& editor) { editor.copy(); }); });
    connect(menu->addAction(u"貼り付け(&P)"_s), &QAction::triggered, this,
            [this] { EditCommand([](QLineEdit& editor) { editor.paste(); }); });
    connect(menu->addAction(u"元に戻す(&U)"_s), &QAction::triggered, this,
            [this] { EditCommand([](QLineEdit& editor) { editor.undo(); }); });
}

// The command acts on the current cell and shows what it changed.
void DayGridMenus::ConnectCellCommand(QAction* action, std::function<bool(int, int)> command) {
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        if (command(m_grid.CurrentDay(), m_grid.CurrentColumn()))
            emit MonthChanged();
    });
}

// A category goes to the row last pressed, which may be a fixed cell that the cell cursor never enters.
void DayGridMenus::BuildKubunPopupMenu() {
    m_selPopupMenu = NewPopupMenu(u"SelPopupMenu"_s);
    for (const KubunInfo& info : KubunTable()) {
        const int tag = static_cast<int>(info.kubun);
        connect(NamedItem(m_selPopupMenu, u"KubunItem%1"_s.arg(tag), ToQString(info.caption)), &QAction::triggered,
                this, [this, tag] {
                    if (KubunMenuClick(m_services.sheet, m_grid.PopupRow(), tag, m_services.settings))
                        emit MonthChanged();
                });
    }
    AddEditCommands(m_selPopupMenu);
}

void DayGridMenus::BuildTimePopupMenu() {
    MonthSheet& sheet = m_services.sheet;
    m_zanTime1PopupMenu = NewPopupMenu(u"ZanTime1PopupMenu"_s);
    ConnectCellCommand(
        ShortcutItem(m_zanTime1PopupMenu, u"NowTimeItem"_s, u"現在時刻入力..."_s, QKeySequence(Qt::CTRL | Qt::Key_G)),
        [this, &sheet](int day, int column) {
            return NowTimeIn(sheet, day, column, m_services.clock.Now(), m_services.settings, *m_services.timeAdjust);
        });
    ConnectCellCommand(
        ShortcutItem(m_zanTime1PopupMenu, u"TeijiTimeItem"_s, u"定時時刻入力"_s, QKeySequence(Qt::CTRL | Qt::Key_T)),
        [this, &sheet](int day, int column) { return TeijiTimeIn(sheet, day, column, m_services.settings); });
    ConnectCellCommand(
        ShortcutItem(m_zanTime1PopupMenu, u"UpTimeItem"_s, u"上の時刻を貼り付け"_s, QKeySequence(Qt::CTRL | Qt::Key_U)),
        [&sheet](int day, int column) { return TopTimeInItemClick(sheet, day, column); });
    QMenu* useTime = m_zanTime1PopupMenu->addMenu(u"設定時刻を貼り付け"_s);
    for (std::size_t n = 0; n < m_useTimeItems.size(); ++n) {
        m_useTimeItems[n] = NamedItem(useTime, u"UseTime%1"_s.arg(n + 1), u"未設定"_s);
        const int number = static_cast<int>(n + 1);
        ConnectCellCommand(m_useTimeItems[n], [this, &sheet, number](int day, int column) {
            return UseTimeClick(sheet, day, column, m_services.settings, number);
        });
    }
    useTime->addSeparator();
    connect(NamedItem(useTime, u"UseTimeSetItem"_s, u"設定時刻..."_s), &QAction::triggered, this,
            [this] { m_useTimeSetForm->exec(); });
    ConnectCellCommand(NamedItem(m_zanTime1PopupMenu, u"TimeClearItem"_s, u"時刻クリア"_s),
                       [&sheet](int day, int column) { return TimeClear(sheet, day, column); });
    AddEditCommands(m_zanTime1PopupMenu);
}

// The menu of a computed column: its value entered by hand (Ctrl+N) or cleared.
QMenu* DayGridMenus::BuildManualEntryPopupMenu(const QString& name, const QString& inputName,
                                               const QString& inputCaption, const QString& clearName,
                                               const QString& clearCaption) {
    MonthSheet& sheet = m_services.sheet;
    QMenu* menu = NewPopupMenu(name);
    ConnectCellCommand(
        ShortcutItem(menu, inputName, inputCaption, QKeySequence(Qt::CTRL | Qt::Key_N)),
        [this, &sheet](int day, int column) { return ZanTimeIn(sheet, day, column, *m_services.timeSet); });
    ConnectCellCommand(NamedItem(menu, clearName, clearCaption),
                       [&sheet](int day, int column) { return TimeClear(sheet, day, column); });
    AddEditCommands(menu);
    return menu;
}

void DayGridMenus::BuildMemoPopupMenu() {
    m_zanTime4PopupMenu = NewPopupMenu(u"ZanTime4PopupMenu"_s);
    QMenu* useMemo = m_zanTime4PopupMenu->addMenu(u"定型ﾒﾓを貼り付け"_s);
    for (std::size_t n = 0; n < m_useMemoItems.size(); ++n) {
        m_useMemoItems[n] = NamedItem(useMemo, u"UseMemo%1"_s.arg(n + 1), u"未設定"_s);
        connect(m_useMemoItems[n], &QAction::triggered, this, [this, n] { UseMemoClick(static_cast<int>(n)); });
    }
    useMemo->addSeparator();
    connect(NamedItem(useMemo, u"UseMemoSetItem"_s, u"定型ﾒﾓの設定..."_s), &QAction::triggered, this,
            [this] { m_useMemoSetForm->exec(); });
    AddEditCommands(m_zanTime4PopupMenu);
    m_zanTime4PopupMenu->addSeparator();
    connect(NamedItem(m_zanTime4PopupMenu, u"MemoColorItem"_s, u"ﾒﾓの色設定...(&M)"_s), &QAction::triggered, this,
            [this] { MemoColorClick(true); });
    connect(NamedItem(m_zanTime4PopupMenu, u"MemoColorResetItem"_s, u"ﾒﾓを標準色に戻す"_s), &QAction::triggered, this,
            [this] { MemoColorClick(false); });
}

void DayGridMenus::AttachPopupMenu(int column) {
    switch (PopupOfColumn(column)) {
    case GridPopup::Sel:
        m_attached = m_selPopupMenu;
        break;
    case GridPopup::ZanTime1:
        m_attached = m_zanTime1PopupMenu;
        break;
    case GridPopup::ZanTime2:
        m_attached = m_zanTime2PopupMenu;
        break;
    case GridPopup::ZanTime3:
        m_attached = m_zanTime3PopupMenu;
        break;
    case GridPopup::ZanTime4:
        m_attached = m_zanTime4PopupMenu;
        break;
    }
    for (const auto& [menu, action] : m_popupShortcutItems)
        action->setShortcut(menu == m_attached ? action->data().value<QKeySequence>() : QKeySequence());
}

void DayGridMenus::ShowGridPopup(const QPoint& position) {
    if (m_attached != nullptr)
        m_attached->popup(m_grid.viewport()->mapToGlobal(position));
}

void DayGridMenus::UpdatePresetCaptions() {
    const Settings& settings = m_services.settings;
    for (std::size_t n = 0; n < m_useTimeItems.size(); ++n) {
        const std::optional<std::string> caption = PresetTimeCaption(settings.PresetTimes[n]);
        m_useTimeItems[n]->setText(caption ? ToQString(*caption) : u"未設定"_s);
        m_useTimeItems[n]->setEnabled(caption.has_value());
    }
    for (std::size_t n = 0; n < m_useMemoItems.size(); ++n) {
        const std::optional<std::string> caption = PresetMemoCaption(settings.PresetMemos[n]);
        m_useMemoItems[n]->setText(caption ? ToQString(*caption) : u"未設定"_s);
        m_useMemoItems[n]->setEnabled(caption.has_value());
    }
}

void DayGridMenus::UseMemoClick(int number) {
    const int day = m_grid.CurrentDay();
    if (day < 1 || m_grid.CurrentColumn() != DayGridView::kMemoColumn)
        return;
    // The memo goes into the cell editor as a paste would put it, without touching the clipboard.
    m_grid.SelectCell(day, DayGridView::kMemoColumn);
    QLineEdit* editor = m_grid.CurrentEditor();
    if (editor == nullptr)
        return;
    editor->insert(ToQString(m_services.settings.PresetMemos[static_cast<std::size_t>(number)]));
    m_grid.CommitEditor(editor);
}

void DayGridMenus::MemoColorClick(bool choose) {
    MonthSheet& sheet = m_services.sheet;
    const int day = m_grid.PopupRow();
    if (day < 1 || day > sheet.dayCount)
        return;
    if (m_colorDialog == nullptr) {
        m_colorDialog = new QColorDialog(&m_window);
        m_colorDialog->setObjectName(u"ColorDialog"_s);
    }
    if (PickCellColor(choose, sheet.days[day].memoColor, *m_colorDialog, *m_grid.viewport()))
        emit CellsChanged();
}

void DayGridMenus::EditCommand(const std::function<void(QLineEdit&)>& command) {
    if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        command(*editor);
        if (m_grid.isAncestorOf(editor))
            m_grid.CommitEditor(editor);
    }
}

} // namespace mitoran
