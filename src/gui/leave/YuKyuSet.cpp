// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/leave/YuKyuSet.h"

#include "engine/calendar/Clock.h"
#include "engine/leave/LedgerEditing.h"
#include "engine/print/PrintLists.h"
#include "engine/session/LedgerClose.h"
#include "engine/session/Questions.h"
#include "engine/session/Session.h"
#include "engine/session/WindowPlacement.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "gui/common/PrintCommands.h"
#include "gui/common/ProgramFont.h"
#include "gui/common/WindowUtil.h"
#include "gui/leave/LedgerGrid.h"
#include "gui/leave/YuKyuDel.h"
#include "gui/leave/YuKyuDel2.h"
#include "platform/Cp932Qt.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QToolTip>

#include <array>
#include <filesystem>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

const char* const kClassName = "TYuuKyu";
constexpr std::array<int, 7> kColumnWidths{3, 10, 2, 4, 5, 5, 10};
constexpr int kMinRows = 11;
constexpr int kExtraMaxWidthChars = 50;

bool ShiftHeld() {
    return (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) != 0;
}

QLineEdit* BalanceField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(56);
    return field;
}

QString ChooseCsvFile(QWidget* parent, const QString& folder, const QString& name) {
    return QFileDialog::getSaveFileName(parent, {}, QDir(folder).filePath(name), u"CSVﾌｧｲﾙ (*.csv)"_s);
}

} // namespace

TYuuKyu::TYuuKyu(const LeaveWindowServices& services)
    : m_services(services), m_ledger(services.session.ledger), m_vacDel([this] {
          auto* dialog = new TVacDel(this);
          connect(dialog, &EscDialog::EscapePressed, this, &TYuuKyu::EscButtonClick);
          return dialog;
      }),
      m_vacDel2([this] {
          const LocalDateTime today = m_services.clock.Now();
          auto* dialog = new TVacDel2({today.year, today.month}, this);
          connect(dialog, &EscDialog::EscapePressed, this, &TYuuKyu::EscButtonClick);
          return dialog;
      }),
      m_chooseCsvFile(
          [this](const QString& folder, const QString& name) { return ChooseCsvFile(this, folder, name); }) {
    FormCreate();
}

TYuuKyu::~TYuuKyu() {
    disconnect(m_focusChangedConnection);
    m_ledger.SetScrollHandler({});
}

// ---- Creation, showing and closing ----

void TYuuKyu::FormCreate() {
    setObjectName(QString::fromLatin1(kClassName));
    setWindowTitle(u"有給休暇"_s);
    BuildPanels();
    BuildMenus();
    BuildPopupMenus();
    ComputeSizeLimits();
    RestorePlacement();
    m_ledger.SetScrollHandler([this](int lastEntryRow) { ScrollToEntry(lastEntryRow); });
}

void TYuuKyu::BuildPanels() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    m_kuriZanMemo = BalanceField(u"KuriZanMemo"_s, central);
    // Tab reaches the carry-over too, so that it can be typed without the mouse.
    m_kuriZanMemo->setFocusPolicy(Qt::StrongFocus);
    m_kuriZanMemo->installEventFilter(this);
    m_nowZanMemo = BalanceField(u"NowZanMemo"_s, central);
    m_nowZanMemo->setReadOnly(true);
    m_nowZanMemo->setFocusPolicy(Qt::NoFocus);
    connect(m_kuriZanMemo, &QLineEdit::editingFinished, this, &TYuuKyu::NisuuMemoExit);
    top->addWidget(new QLabel(ToQString(text::kKuriZanLabel), central));
    top->addWidget(m_kuriZanMemo);
    top->addSpacing(12);
    top->addWidget(new QLabel(ToQString(text::kNowZanLabel), central));
    top->addWidget(m_nowZanMemo);
    top->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);

    m_calcButton = NamedButton(u"CalcButton"_s, u"再計算"_s, central);
    auto* saveButton = NamedButton(u"SaveButton"_s, u"保 存"_s, central);
    auto* delButton = NamedButton(u"DelButton"_s, u"削 除..."_s, central);
    m_cancelButton = NamedButton(u"CancelButton"_s, u"閉じる"_s, central);
    auto* escButton = NamedButton(u"EscButton"_s, u"Esc"_s, central);
    escButton->hide();
    connect(m_calcButton, &QPushButton::clicked, this, &TYuuKyu::CalcButtonClick);
    connect(saveButton, &QPushButton::clicked, this, &TYuuKyu::SaveButtonClick);
    connect(delButton, &QPushButton::clicked, this, &TYuuKyu::DeleteNoClick);
    connect(m_cancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(escButton, &QPushButton::clicked, this, &TYuuKyu::EscButtonClick);
    for (QPushButton* button : {m_calcButton, saveButton, delButton, m_cancelButton})
        buttons->addWidget(button);
    layout->addLayout(top);
    layout->addLayout(buttons);

    m_grid = new QTableView(central);
    m_grid->setObjectName(u"VacStringGrid"_s);
    m_grid->setFont(GridFont());
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                            QAbstractItemView::SelectedClicked);
    m_grid->setTabKeyNavigation(true);
    m_grid->setWordWrap(false);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_model = new LedgerGridModel(m_ledger, m_services.session.settings, this);
    m_delegate = new LedgerGridDelegate(
        m_ledger, m_services.session.settings,
        {[this] { VacStringGridDblClick(); }, [this](const QKeyEvent& key) { return VacStringGridKeyDown(key); }},
        this);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(m_delegate);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &TYuuKyu::VacStringGridDblClick);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &TYuuKyu::VacStringGridSelectCell);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &TYuuKyu::ShowGridPopup);
    // The grid's own editor takes the focus from it all the time: only leaving both is leaving the grid.
    m_focusChangedConnection = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const auto inGrid = [this](QWidget* widget) {
            return widget != nullptr && (widget == m_grid || m_grid->isAncestorOf(widget));
        };
        if (inGrid(old) && now != nullptr && !inGrid(now))
            AutoRecalculate();
    });
    FitGridColumns(*m_grid, kColumnWidths, kMinRows);
    layout->addWidget(m_grid, 1);
    setCentralWidget(central);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TYuuKyu::EscButtonClick);
}

void TYuuKyu::BuildMenus() {
    QMenu* file = menuBar()->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    QAction* saveItem = NamedItem(file, u"SaveItem"_s, u"保存(&S)"_s);
    saveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(saveItem, &QAction::triggered, this, &TYuuKyu::SaveButtonClick);
    connect(NamedItem(file, u"OutFileItem"_s, u"CSVﾌｧｲﾙ出力(&O)..."_s), &QAction::triggered, this,
            &TYuuKyu::OutFileItemClick);
    connect(NamedItem(file, u"PrintIem"_s, u"印刷(&P)..."_s), &QAction::triggered, this, &TYuuKyu::PrintIemClick);
    connect(NamedItem(file, u"PdfItem"_s, u"PDFに保存..."_s), &QAction::triggered, this, &TYuuKyu::PdfItemClick);
    file->addSeparator();
    connect(NamedItem(file, u"CloseItem"_s, u"閉じる(&C)"_s), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(u"編集(&E)"_s);
    connect(NamedItem(edit, u"CalcItem"_s, u"再計算(&C)"_s), &QAction::triggered, this, &TYuuKyu::CalcButtonClick);
    QMenu* remove = edit->addMenu(u"削除(&D)"_s);
    connect(NamedItem(remove, u"DeleteNo"_s, u"件数指定(&N)..."_s), &QAction::triggered, this, &TYuuKyu::DeleteNoClick);
    connect(NamedItem(remove, u"DeleteDate"_s, u"日付指定(&D)..."_s), &QAction::triggered, this,
            &TYuuKyu::DeleteDateClick);
}

void TYuuKyu::BuildPopupMenus() {
    m_selPopupMenu = new QMenu(this);
    m_selPopupMenu->setObjectName(u"SelPopupMenu"_s);
    const std::array<std::pair<QString, QString>, 6> categories{{
        {u"VacationMenu"_s, u"有給"_s},
        {u"AMVacationMenu"_s, u"午前"_s},
        {u"PMVacationMenu"_s, u"午後"_s},
        {u"VacUpMenu"_s, u"増加"_s},
        {u"VacDownMenu"_s, u"減少"_s},
        {u"VacElseMenu"_s, u"その他"_s},
    }};
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const auto category = static_cast<LeaveCategory>(i + 1);
        connect(NamedItem(m_selPopupMenu, categories[i].first, categories[i].second), &QAction::triggered, this,
                [this, category] { VacationMenuClick(category); });
    }

    m_selPopup2Menu = new QMenu(this);
    m_selPopup2Menu->setObjectName(u"SelPopup2Menu"_s);
    connect(NamedItem(m_selPopup2Menu, u"MemoColorMenuItem"_s, u"ﾒﾓの色設定...(&M)"_s), &QAction::triggered, this,
            &TYuuKyu::MemoColorMenuItemClick);
    connect(NamedItem(m_selPopup2Menu, u"ColorRestItem"_s, u"ﾒﾓを標準色に戻す"_s), &QAction::triggered, this,
            &TYuuKyu::ColorRestItemClick);
    m_selPopup2Menu->addSeparator();
    // The edit commands act on the open cell editor.
    const std::array<std::tuple<QString, QString, std::function<void(QLineEdit&)>>, 4> edits{{
        {u"CutItem4"_s, u"切り取り(&T)"_s, [](QLineEdit& editor) { editor.cut(); }},
        {u"CopyItem4"_s, u"コピー(&C)"_s, [](QLineEdit& editor) { editor.copy(); }},
        {u"PasteItem4"_s, u"貼り付け(&P)"_s, [](QLineEdit& editor) { editor.paste(); }},
        {u"UndoItem4"_s, u"元に戻す(&U)"_s, [](QLineEdit& editor) { editor.undo(); }},
    }};
    for (const auto& [name, caption, command] : edits) {
        connect(NamedItem(m_selPopup2Menu, name, caption), &QAction::triggered, this, [this, command] {
            if (QLineEdit* editor = m_delegate->OpenEditor())
                command(*editor);
        });
    }
}

// The width runs from that of the columns to 50 blanks more, the height from 11 grid rows to all 501.
void TYuuKyu::ComputeSizeLimits() {
    const QSize smallest = GridSizeFor(*m_grid, kColumnWidths, kMinRows);
    const QSize tallest = GridSizeFor(*m_grid, kColumnWidths, kLedgerRowCount + 1);
    const int chrome = menuBar()->sizeHint().height() + 2 * m_cancelButton->sizeHint().height() + 30;
    const int extraWidth = m_grid->fontMetrics().horizontalAdvance(QString(kExtraMaxWidthChars, u' '));
    const QRect work = screen()->availableGeometry();
    const int width = std::max(smallest.width() + 24, centralWidget()->minimumSizeHint().width());
    setMinimumSize(std::min(width, work.width()), std::min(smallest.height() + chrome, work.height()));
    setMaximumSize(std::min(width + extraWidth, work.width()), std::min(tallest.height() + chrome, work.height()));
    resize(minimumSize().width(),
           std::min(GridSizeFor(*m_grid, kColumnWidths, 21).height() + chrome, maximumSize().height()));
}

void TYuuKyu::RestorePlacement() {
    WindowPlacementStore placements(m_services.store, m_services.startUser);
    if (m_services.session.settings.StartUserWindowSize) {
        const WindowSize size = placements.RestoreSize(kClassName, {height(), width()});
        resize(size.width, size.height);
    }
    const WindowPosition position =
        placements.RestorePosition(kClassName, {height(), width()}, {ScreenPixelHeight(), ScreenPixelWidth()});
    move(position.left, position.top);
}

void TYuuKyu::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TYuuKyu::FormShow() {
    if (m_services.mainWindow != nullptr)
        m_services.mainWindow->setEnabled(false);
    try {
        m_ledger.LoadLedger();
    } catch (const std::exception& error) {
        ReportError(error);
    }
    ShowLedger();
    m_cancelButton->setFocus();
}

void TYuuKyu::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TYuuKyu::FormCloseQuery() {
    CommitEditor();
    NisuuMemoExit();
    return ConfirmLedgerClose(m_ledger, m_services.session.settings.AutoSave, ShiftHeld(), m_services.questions,
                              [this] { return SaveLedger(); });
}

void TYuuKyu::FormClose() {
    if (m_services.mainWindow != nullptr)
        m_services.mainWindow->setEnabled(true);
    FormDestroy();
}

// The placement is stored at every close: the window lives as long as the program.
void TYuuKyu::FormDestroy() {
    WindowPlacementStore placements(m_services.store, m_services.startUser);
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : QRect(pos(), size());
    placements.SavePosition(kClassName, {normal.top(), normal.left()});
    placements.SaveSize(kClassName, {normal.height(), normal.width()});
}

void TYuuKyu::EscButtonClick() {
    emit EscapePressed();
}

void TYuuKyu::ReportError(const std::exception& error) {
    m_services.questions.Ask(text::kAppTitle, error.what(), Buttons::Ok);
}

// ---- The ledger ----

void TYuuKyu::CommitEditor() {
    if (QLineEdit* editor = m_delegate->OpenEditor(); editor != nullptr && m_grid->currentIndex().isValid())
        m_delegate->setModelData(editor, m_model, m_grid->currentIndex());
}

void TYuuKyu::RecalculateLedger(bool scroll) {
    CommitEditor();
    NisuuMemoExit();
    m_ledger.RecalculateLedger(scroll);
    ShowLedger();
}

void TYuuKyu::AutoRecalculate() {
    if (m_services.session.settings.AutoCalc)
        RecalculateLedger(false);
}

void TYuuKyu::ShowLedger() {
    m_kuriZanMemo->setText(ToQString(m_ledger.CarryOverText()));
    m_nowZanMemo->setText(ToQString(m_ledger.CurrentBalanceText()));
    m_model->Refresh();
    m_grid->viewport()->update();
}

// The last entry shows near the bottom and the free row under it is ready for typing. The ledger calls this from
// inside its recalculation (a month save too, the window hidden): the cursor move must not start another one.
void TYuuKyu::ScrollToEntry(int lastEntryRow) {
    if (lastEntryRow <= 0)
        return;
    const int rowHeight = std::max(1, m_grid->verticalHeader()->defaultSectionSize());
    const int visibleRows = std::max(1, m_grid->viewport()->height() / rowHeight);
    const int topRow = std::clamp(lastEntryRow - visibleRows + 2, 1, std::max(1, kLedgerRowCount + 1 - visibleRows));
    m_grid->verticalScrollBar()->setValue(topRow - 1);
    if (lastEntryRow < kLedgerRowCount) {
        const QScopedValueRollback scrolling(m_scrolling, true);
        SelectCell(lastEntryRow + 1, kLedgerDateColumn);
    }
    if (isVisible() && isEnabled())
        m_grid->setFocus();
}

// A ledger file written meanwhile by another program is reloaded or asked about, never overwritten silently.
bool TYuuKyu::SaveLedger() {
    RecalculateLedger(true);
    SaveOutcome outcome = SaveOutcome::Kept;
    try {
        outcome = m_services.session.SaveLedgerChecked(m_services.questions);
    } catch (const FileWriteError& error) {
        ReportError(error);
        return false;
    }
    ShowLedger();
    return outcome != SaveOutcome::Kept;
}

// Only a carry-over the user typed goes to the ledger: the field may show an older one (a month save changes the
// ledger while the window is hidden).
void TYuuKyu::NisuuMemoExit() {
    if (!m_kuriZanMemo->isModified())
        return;
    const std::string carryOver = RealToText(0, 1, TextToReal(FromQString(m_kuriZanMemo->text()), 1, 0.0));
    m_kuriZanMemo->setText(ToQString(carryOver));
    m_ledger.SetCarryOverText(carryOver);
}

void TYuuKyu::CalcButtonClick() {
    RecalculateLedger(true);
}

void TYuuKyu::SaveButtonClick() {
    SaveLedger();
}

void TYuuKyu::DeleteNoClick() {
    if (m_vacDel->exec() != QDialog::Accepted)
        return;
    RecalculateLedger(true);
    m_ledger.DeleteOldestEntries(DeletionCount(m_vacDel->CountText()));
    ShowLedger();
}

void TYuuKyu::DeleteDateClick() {
    if (m_vacDel2->exec() != QDialog::Accepted)
        return;
    RecalculateLedger(true);
    m_ledger.DeleteEntriesUpTo(m_vacDel2->DateText());
    ShowLedger();
}

void TYuuKyu::PrintIemClick() {
    RecalculateLedger(false);
    const Settings& settings = m_services.session.settings;
    ShowPrintPreview(this, LedgerPrintList(m_ledger, settings), settings, PrintDateText(m_services.clock));
}

void TYuuKyu::PdfItemClick() {
    RecalculateLedger(false);
    Settings& settings = m_services.session.settings;
    const auto saveSettings = [this, &settings] {
        try {
            SaveSettings(settings, m_services.session.Context());
        } catch (const FileWriteError& error) {
            ReportError(error);
        }
    };
    SavePdfFile(this, settings, PdfFileName(LedgerCsvFileName(settings)), LedgerPrintList(m_ledger, settings),
                PrintDateText(m_services.clock), saveSettings, m_services.questions);
}

void TYuuKyu::OutFileItemClick() {
    RecalculateLedger(false);
    Settings& settings = m_services.session.settings;
    const QString chosen = m_chooseCsvFile(ToQString(settings.SaveInitialDir), ToQString(LedgerCsvFileName(settings)));
    if (chosen.isEmpty())
        return;
    settings.SaveInitialDir = FromQString(QFileInfo(chosen).absolutePath());
    try {
        SaveSettings(settings, m_services.session.Context());
        WriteLedgerCsv(std::filesystem::path(chosen.toStdU16String()), m_ledger, settings);
    } catch (const FileWriteError& error) {
        ReportError(error);
    }
}

// ---- The grid ----

int TYuuKyu::CurrentRow() const {
    return m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() + 1 : 0;
}

int TYuuKyu::CurrentColumn() const {
    return m_grid->currentIndex().isValid() ? m_grid->currentIndex().column() : -1;
}

void TYuuKyu::SelectCell(int row, int column) {
    m_grid->setCurrentIndex(m_model->index(row - 1, column));
}

void TYuuKyu::VacStringGridSelectCell() {
    if (!m_scrolling)
        AutoRecalculate();
}

void TYuuKyu::VacStringGridDblClick() {
    const int row = CurrentRow();
    const int column = CurrentColumn();
    if (row < 1)
        return;
    CommitEditor();
    if (column <= kLedgerWeekdayColumn) {
        const LocalDateTime today = m_services.clock.Now();
        FillDateCell(m_ledger.Row(row), {today.year, today.month, today.day});
        m_model->Refresh();
        SelectCell(row, kLedgerCategoryColumn);
    } else if (column == kLedgerCategoryColumn && CycleCategory(m_ledger.Row(row), m_ledger)) {
        m_model->Refresh();
        AutoRecalculate();
    }
}

void TYuuKyu::VacationMenuClick(LeaveCategory category) {
    const int row = CurrentRow();
    if (row < 1)
        return;
    CommitEditor();
    ApplyCategory(m_ledger.Row(row), category, m_ledger);
    m_model->Refresh();
    AutoRecalculate();
}

void TYuuKyu::MemoColorMenuItemClick() {
    PickMemoColor(true);
}

void TYuuKyu::ColorRestItemClick() {
    PickMemoColor(false);
}

void TYuuKyu::PickMemoColor(bool choose) {
    if (CurrentRow() < 1)
        return;
    if (m_colorDialog == nullptr) {
        m_colorDialog = new QColorDialog(this);
        m_colorDialog->setObjectName(u"ColorDialog"_s);
    }
    PickCellColor(choose, m_ledger.Row(CurrentRow()).color, *m_colorDialog, *m_grid->viewport());
}

bool TYuuKyu::VacStringGridKeyDown(const QKeyEvent& key) {
    const LedgerCell from{CurrentRow(), CurrentColumn()};
    if (key.key() == Qt::Key_Escape) {
        EscButtonClick();
        return true;
    }
    if (key.key() == Qt::Key_Backtab) {
        const std::optional<LedgerCell> to = BackTabCell(from);
        if (!to)
            return false;
        if (to->row == 0)
            m_cancelButton->setFocus(Qt::BacktabFocusReason);
        else
            SelectCell(to->row, to->column);
        return true;
    }
    if (key.key() == Qt::Key_Tab && TabLeavesGrid(from, (key.modifiers() & Qt::ControlModifier) != 0)) {
        m_calcButton->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}

void TYuuKyu::ShowGridPopup(const QPoint& position) {
    const int column = CurrentColumn();
    QMenu* menu = column == kLedgerCategoryColumn ? m_selPopupMenu
                  : column == kLedgerMemoColumn   ? m_selPopup2Menu
                                                  : nullptr;
    if (menu != nullptr)
        menu->popup(m_grid->viewport()->mapToGlobal(position));
}

bool TYuuKyu::eventFilter(QObject* object, QEvent* event) {
    if (object == m_grid->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        SelectCellOnRightClick(*m_grid, mouse->button(), mouse->position().toPoint());
    } else if (object == m_grid->viewport() && event->type() == QEvent::ToolTip) {
        // Column hints stand 16 pixels right of the pointer for 10 seconds; outside the data cells there is none.
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = m_grid->indexAt(help->pos()).data(Qt::ToolTipRole).toString();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos() + QPoint(16, 0), hint, m_grid->viewport(), {}, 10000);
        return true;
    } else if (object == m_grid && event->type() == QEvent::Resize) {
        // The memo column takes the width the grid has to spare, once the layout has sized it.
        FillGridWidth(*m_grid, kColumnWidths);
    } else if (object == m_grid && event->type() == QEvent::KeyPress) {
        if (VacStringGridKeyDown(*static_cast<QKeyEvent*>(event)))
            return true;
    } else if (object == m_kuriZanMemo && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, m_kuriZanMemo, &QLineEdit::selectAll);
    }
    return QMainWindow::eventFilter(object, event);
}

} // namespace mitoran
