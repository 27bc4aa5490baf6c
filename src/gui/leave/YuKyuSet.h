// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/leave/Ledger.h"
#include "gui/common/LazyDialog.h"

#include <QMainWindow>

#include <functional>
#include <string>

class QAction;
class QColorDialog;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace mitoran {

class Clock;
class LedgerGridDelegate;
class LedgerGridModel;
class Questions;
class Session;
class SettingsStore;
class TVacDel;
class TVacDel2;

// What the paid-leave window reaches outside itself.
struct LeaveWindowServices {
    Session& session; // the current user's settings and ledger
    SettingsStore& store;
    const Clock& clock;
    Questions& questions;
    std::string startUser;
    QWidget* mainWindow; // disabled while this window is shown
};

// The paid-leave window "有給休暇": the ledger as an editable grid `VacStringGrid` with the carry-over and
// current balances, recalculation, saving, deleting old entries, the category and memo menus and the CSV
// export. Closing asks about unsaved edits (ConfirmLedgerClose).
class TYuuKyu : public QMainWindow {
    Q_OBJECT

public:
    explicit TYuuKyu(const LeaveWindowServices& services);
    ~TYuuKyu() override;

    // Answers the CSV save dialog: the folder and proposed name in, the chosen file (empty: cancelled) out.
    using FileChooser = std::function<QString(const QString& folder, const QString& name)>;
    void SetCsvFileChooser(FileChooser chooser) { m_chooseCsvFile = std::move(chooser); }

    void CalcButtonClick();
    void SaveButtonClick();
    void DeleteNoClick();
    void DeleteDateClick();
    void OutFileItemClick();
    // The ledger after a recalculation with both balances: a print preview, or a PDF file.
    void PrintIemClick();
    void PdfItemClick();
    void VacationMenuClick(LeaveCategory category);
    void MemoColorMenuItemClick();
    void ColorRestItemClick();
    void VacStringGridDblClick();
    TVacDel& DeleteByCountDialog() { return *m_vacDel; }
    TVacDel2& DeleteByDateDialog() { return *m_vacDel2; }

signals:
    // Esc here and in its dialogs: the program's Esc rule, which the main window applies.
    void EscapePressed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void BuildPanels();
    void BuildMenus();
    void BuildPopupMenus();
    void ComputeSizeLimits();
    void RestorePlacement();

    bool SaveLedger();
    void RecalculateLedger(bool scroll);
    void AutoRecalculate();
    void ScrollToEntry(int lastEntryRow);
    void ShowLedger();
    void CommitEditor();
    void NisuuMemoExit();
    bool VacStringGridKeyDown(const QKeyEvent& key);
    void VacStringGridSelectCell();
    void ShowGridPopup(const QPoint& position);
    void PickMemoColor(bool choose);
    void EscButtonClick();
    void ReportError(const std::exception& error);
    int CurrentRow() const;
    int CurrentColumn() const;
    void SelectCell(int row, int column);

    LeaveWindowServices m_services;
    Ledger& m_ledger;
    LedgerGridModel* m_model = nullptr;
    LedgerGridDelegate* m_delegate = nullptr;
    QTableView* m_grid = nullptr;
    QLineEdit* m_kuriZanMemo = nullptr;
    QLineEdit* m_nowZanMemo = nullptr;
    QPushButton* m_calcButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QMenu* m_selPopupMenu = nullptr;
    QMenu* m_selPopup2Menu = nullptr;
    QColorDialog* m_colorDialog = nullptr;
    LazyDialog<TVacDel> m_vacDel;
    LazyDialog<TVacDel2> m_vacDel2;
    FileChooser m_chooseCsvFile;
    QMetaObject::Connection m_focusChangedConnection;
    bool m_scrolling = false;
};

} // namespace mitoran
