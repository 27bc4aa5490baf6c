// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/common/LazyDialog.h"

#include <QObject>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class QAction;
class QColorDialog;
class QKeySequence;
class QLineEdit;
class QMenu;
class QPoint;
class QWidget;

namespace mitoran {

class Clock;
class DayGridView;
class TTimeAdjust;
class TTimeSet;
class TUseMemoSetForm;
class TUseTimeSetForm;
struct MonthSheet;
struct Settings;

// What the popup commands work on: the month on display, the settings, the clock and the window's dialogs.
struct DayGridMenuServices {
    MonthSheet& sheet;
    Settings& settings;
    const Clock& clock;
    LazyDialog<TTimeAdjust>& timeAdjust;
    LazyDialog<TTimeSet>& timeSet;
    // Stores the settings (the preset dialogs change them) and reports a failure to the user.
    std::function<void()> saveSettings;
};

// The day grid's popup menus, one per group of columns: the day category, the time commands, manual entry,
// preset memos and the memo colour, each ending with the edit commands. The menus and their items are
// children of the window; an item's shortcut works while its menu is attached to the current column.
class DayGridMenus : public QObject {
    Q_OBJECT

public:
    DayGridMenus(QWidget& window, DayGridView& grid, DayGridMenuServices services);

    void AttachPopupMenu(int column);
    // Shows the attached popup at a point of the grid's viewport.
    void ShowGridPopup(const QPoint& position);

signals:
    // A command changed the month: grid, summary and bar are shown again.
    void MonthChanged();
    // Only the grid's cells changed (a preset memo, a memo colour).
    void CellsChanged();

private:
    QMenu* NewPopupMenu(const QString& name);
    QAction* ShortcutItem(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key);
    void AddEditCommands(QMenu* menu);
    void ConnectCellCommand(QAction* action, std::function<bool(int, int)> command);
    void BuildKubunPopupMenu();
    void BuildTimePopupMenu();
    QMenu* BuildManualEntryPopupMenu(const QString& name, const QString& inputName, const QString& inputCaption,
                                     const QString& clearName, const QString& clearCaption);
    void BuildMemoPopupMenu();
    void UpdatePresetCaptions();
    void UseMemoClick(int number);
    void MemoColorClick(bool choose);
    void EditCommand(const std::function<void(QLineEdit&)>& command);

    QWidget& m_window;
    DayGridView& m_grid;
    DayGridMenuServices m_services;
    LazyDialog<TUseTimeSetForm> m_useTimeSetForm;
    LazyDialog<TUseMemoSetForm> m_useMemoSetForm;
    // Made on first use: building it costs start-up time.
    QColorDialog* m_colorDialog = nullptr;

    QMenu* m_selPopupMenu = nullptr;
    QMenu* m_zanTime1PopupMenu = nullptr;
    QMenu* m_zanTime2PopupMenu = nullptr;
    QMenu* m_zanTime3PopupMenu = nullptr;
    QMenu* m_zanTime4PopupMenu = nullptr;
    QMenu* m_attached = nullptr;
    std::array<QAction*, 6> m_useTimeItems{};
    std::array<QAction*, 10> m_useMemoItems{};
    std::vector<std::pair<QMenu*, QAction*>> m_popupShortcutItems;
};

} // namespace mitoran
