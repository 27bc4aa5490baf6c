// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/totals/YearForm.h"

#include "engine/calendar/Clock.h"
#include "engine/print/PrintLists.h"
#include "engine/session/Questions.h"
#include "engine/session/Session.h"
#include "engine/session/WindowPlacement.h"
#include "engine/settings/SettingsStore.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "gui/common/CsvFileDialog.h"
#include "gui/common/PrintCommands.h"
#include "gui/common/ProgramFont.h"
#include "gui/common/WindowUtil.h"
#include "gui/totals/PeriodGridDelegate.h"
#include "gui/totals/PeriodTableModel.h"
#include "platform/Cp932Qt.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

const char* const kClassName = "TYearTotal";
constexpr std::array<int, kPeriodColumns> kColumnWidths{7, 6, 6, 6, 6, 6, 8, 8, 8, 8};
constexpr int kInitialRows = 17;
constexpr int kFewestRows = 6;

QLineEdit* NumberMemo(const QString& name, int characters, QWidget* parent) {
    auto* memo = new QLineEdit(parent);
    memo->setObjectName(name);
    memo->setMaxLength(4);
    memo->setAlignment(Qt::AlignRight);
    memo->setFixedWidth(memo->fontMetrics().horizontalAdvance(u'0') * characters + 12);
    return memo;
}

} // namespace

TYearTotal::TYearTotal(MonthListServices services, QWidget* parent)
    : EscDialog(parent), m_services(std::move(services)) {
    FormCreate();
}

void TYearTotal::FormCreate() {
    setObjectName(QString::fromLatin1(kClassName));
    setWindowTitle(u"期間集計"_s);
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    BuildMenus();
    layout->addWidget(BuildRangePanel());

    m_model = new PeriodTableModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(u"MonthStringGrid"_s);
    m_grid->setModel(m_model);
    m_grid->setFont(GridFont());
    m_grid->horizontalHeader()->setFont(GridFont());
    m_grid->setItemDelegate(new PeriodGridDelegate(*m_model, m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setToolTip(u"各月の残業時間の合計一覧です。\r\nﾀﾞﾌﾞﾙｸﾘｯｸで、ｶｰｿﾙのある月のﾃﾞｰﾀへ移動します。\r\n"
                       u"赤色=平均以上。青色=平均計算対象外。"_s);
    const QSize gridSize = FitGridColumns(*m_grid, kColumnWidths, kInitialRows);
    m_grid->setMinimumWidth(gridSize.width());
    connect(m_grid, &QTableView::doubleClicked, this, &TYearTotal::JumpButtonClick);
    layout->addWidget(m_grid, 1);

    // The range of today from the kept start month; the table is computed when the window shows.
    const LocalDateTime now = m_services.clock.Now();
    ShowRange(RangeOfToday({now.year, now.month}, m_services.session.settings.SyukeiMonth));
    layout->activate();
    setFixedWidth(sizeHint().width());
    resize(width(), sizeHint().height() - m_grid->sizeHint().height() + gridSize.height());
    const WindowPosition position =
        WindowPlacementStore(m_services.store, m_services.startUser)
            .RestorePosition(kClassName, {height(), width()}, {ScreenPixelHeight(), ScreenPixelWidth()});
    move(position.left, position.top);
}

QWidget* TYearTotal::BuildRangePanel() {
    auto* panel = new QWidget(this);
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* range = new QHBoxLayout;
    m_startYearMemo = NumberMemo(u"StartYearMemo"_s, 4, panel);
    m_startMonthMemo = NumberMemo(u"StartMonthMemo"_s, 2, panel);
    m_endYearMemo = NumberMemo(u"EndYearMemo"_s, 4, panel);
    m_endMonthMemo = NumberMemo(u"EndMonthMemo"_s, 2, panel);
    const std::pair<QLineEdit*, QString> fields[] = {{m_startYearMemo, u"年"_s},
                                                     {m_startMonthMemo, u"月 ～"_s},
                                                     {m_endYearMemo, u"年"_s},
                                                     {m_endMonthMemo, u"月"_s}};
    for (const auto& [memo, unit] : fields) {
        memo->installEventFilter(this);
        range->addWidget(memo);
        range->addWidget(new QLabel(unit, panel));
    }
    range->addStretch(1);
    auto* calcButton = NamedButton(u"CalcButton"_s, u"期間集計"_s, panel);
    auto* allCalcButton = NamedButton(u"AllCalcButton"_s, u"全期間"_s, panel);
    range->addWidget(calcButton);
    range->addWidget(allCalcButton);
    connect(calcButton, &QPushButton::clicked, this, &TYearTotal::CalcButtonClick);
    connect(allCalcButton, &QPushButton::clicked, this, &TYearTotal::AllCalcButtonClick);
    rows->addLayout(range);

    auto* moves = new QHBoxLayout;
    const std::tuple<QString, QString, void (TYearTotal::*)()> buttons[] = {
        {u"PreYearButton"_s, u"<< 前年"_s, &TYearTotal::PreYearButtonClick},
        {u"PreMonthButton"_s, u"< 前月"_s, &TYearTotal::PreMonthButtonClick},
        {u"TodayButton"_s, u"当 年"_s, &TYearTotal::TodayButtonClick},
        {u"NextMonthButton"_s, u"次月 >"_s, &TYearTotal::NextMonthButtonClick},
        {u"NextYearButton"_s, u"次年 >>"_s, &TYearTotal::NextYearButtonClick},
        {u"JumpButton"_s, u"移動"_s, &TYearTotal::JumpButtonClick},
    };
    for (const auto& [name, caption, handler] : buttons) {
        auto* button = NamedButton(name, caption, panel);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        moves->addWidget(button);
    }
    moves->addStretch(1);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"閉じる"_s, panel);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    moves->addWidget(cancelButton);
    rows->addLayout(moves);
    return panel;
}

void TYearTotal::BuildMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    connect(NamedItem(file, u"PrintIem"_s, u"印刷(&P)..."_s), &QAction::triggered, this, &TYearTotal::PrintIemClick);
    connect(NamedItem(file, u"PdfItem"_s, u"PDFに保存..."_s), &QAction::triggered, this, &TYearTotal::PdfItemClick);
    connect(NamedItem(file, u"OutFileItem"_s, u"CSVﾌｧｲﾙ出力(&O)..."_s), &QAction::triggered, this,
            &TYearTotal::OutFileItemClick);
    file->addSeparator();
    connect(NamedItem(file, u"CloseItem"_s, u"閉じる(&C)"_s), &QAction::triggered, this, &QDialog::reject);
    QMenu* view = bar->addMenu(u"表示(&V)"_s);
    const std::tuple<QString, QString, void (TYearTotal::*)()> items[] = {
        {u"CalcItem"_s, u"期間集計(&C)"_s, &TYearTotal::CalcButtonClick},
        {u"AllCalcItem"_s, u"全期間集計(&A)"_s, &TYearTotal::AllCalcButtonClick},
        {u"PreItem"_s, u"前年(&P)"_s, &TYearTotal::PreYearButtonClick},
        {u"BackItem"_s, u"前月(&B)"_s, &TYearTotal::PreMonthButtonClick},
        {u"NowItem"_s, u"当年(&T)"_s, &TYearTotal::TodayButtonClick},
        {u"ForwardItem"_s, u"次月(&F)"_s, &TYearTotal::NextMonthButtonClick},
        {u"NextItem"_s, u"次年(&N)"_s, &TYearTotal::NextYearButtonClick},
    };
    for (const auto& [name, caption, handler] : items)
        connect(NamedItem(view, name, caption), &QAction::triggered, this, handler);
    layout()->setMenuBar(bar);
}

void TYearTotal::showEvent(QShowEvent* event) {
    EscDialog::showEvent(event);
    CalcButtonClick();
    findChild<QPushButton*>(u"CancelButton"_s)->setFocus();
}

// Closing keeps the start month for the next run and the window's position.
void TYearTotal::done(int result) {
    KeepSyukeiMonth(m_services.session.settings, m_services.session.Context(),
                    TextToIntDef(FromQString(m_startMonthMemo->text()), 1));
    WindowPlacementStore(m_services.store, m_services.startUser).SavePosition(kClassName, {y(), x()});
    EscDialog::done(result);
}

PeriodRange TYearTotal::TypedRange() const {
    return ClampedRange(FromQString(m_startYearMemo->text()), FromQString(m_startMonthMemo->text()),
                        FromQString(m_endYearMemo->text()), FromQString(m_endMonthMemo->text()));
}

void TYearTotal::ShowRange(const PeriodRange& range) {
    m_startYearMemo->setText(QString::number(range.start.year));
    m_startMonthMemo->setText(QString::number(range.start.month));
    m_endYearMemo->setText(QString::number(range.end.year));
    m_endMonthMemo->setText(QString::number(range.end.month));
}

void TYearTotal::ShowTable(PeriodTable table) {
    m_model->SetTable(std::move(table));
    ApplyHeightLimits();
}

bool TYearTotal::Calculate() {
    const PeriodRange range = TypedRange();
    ShowRange(range);
    if (!IsOrdered(range)) {
        m_services.questions.AskStyled(text::kPeriodRangeCaption, text::kPeriodRangeRefused, Buttons::Ok,
                                       QuestionIcon::Error, Answer::Ok);
        return false;
    }
    m_shownRange = range;
    ShowTable(ComputePeriodTotals(range, m_services.session.Location(), m_services.session.settings));
    return true;
}

void TYearTotal::CalcButtonClick() {
    Calculate();
}

void TYearTotal::AllCalcButtonClick() {
    std::optional<PeriodResult> all =
        ComputeAllPeriodTotals(m_services.session.Location(), m_services.session.settings);
    if (!all)
        return;
    ShowRange(all->range);
    m_shownRange = all->range;
    ShowTable(std::move(all->table));
}

void TYearTotal::TodayButtonClick() {
    const LocalDateTime now = m_services.clock.Now();
    ShowRange(RangeOfToday({now.year, now.month}, ClampMonth(FromQString(m_startMonthMemo->text()))));
    CalcButtonClick();
}

void TYearTotal::ShiftPeriod(int months) {
    ShowRange(ShiftedRange(TypedRange().start, months));
    CalcButtonClick();
}

void TYearTotal::PreYearButtonClick() {
    ShiftPeriod(-12);
}

void TYearTotal::PreMonthButtonClick() {
    ShiftPeriod(-1);
}

void TYearTotal::NextMonthButtonClick() {
    ShiftPeriod(+1);
}

void TYearTotal::NextYearButtonClick() {
    ShiftPeriod(+12);
}

void TYearTotal::JumpButtonClick() {
    const int row = m_grid->currentIndex().row();
    const PeriodTable& table = m_model->Table();
    if (row < 0 || row >= table.MonthCount())
        return;
    if (m_services.jumpToMonth(table.months[static_cast<std::size_t>(row)]))
        accept();
}

// The table is computed afresh first; a refused range writes nothing.
void TYearTotal::OutFileItemClick() {
    if (!Calculate())
        return;
    const PeriodTable& table = m_model->Table();
    Settings& settings = m_services.session.settings;
    ExportCsvFile(this, settings, PeriodCsvFileName(m_shownRange, settings),
                  PeriodCsvText(m_shownRange, table, settings), m_services.saveSettings, m_services.questions);
}

void TYearTotal::PrintIemClick() {
    if (Calculate())
        ShowPrintPreview(this, ShownPrintList(), m_services.session.settings, PrintDateText(m_services.clock));
}

void TYearTotal::PdfItemClick() {
    if (!Calculate())
        return;
    Settings& settings = m_services.session.settings;
    SavePdfFile(this, settings, PdfFileName(PeriodCsvFileName(m_shownRange, settings)), ShownPrintList(),
                PrintDateText(m_services.clock), m_services.saveSettings, m_services.questions);
}

PrintList TYearTotal::ShownPrintList() const {
    return PeriodPrintList(m_shownRange, m_model->Table(), m_services.session.settings);
}

// A range field selects its whole text when it is entered, by mouse as well as by Tab.
bool TYearTotal::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* memo = qobject_cast<QLineEdit*>(object))
            QTimer::singleShot(0, memo, &QLineEdit::selectAll);
    }
    return EscDialog::eventFilter(object, event);
}

void TYearTotal::resizeEvent(QResizeEvent* event) {
    EscDialog::resizeEvent(event);
    FillGridWidth(*m_grid, kColumnWidths);
}

int TYearTotal::GridHeightFor(int rows) const {
    return GridSizeFor(*m_grid, kColumnWidths, rows).height();
}

// Between the height of 6 grid rows and of every row (header and summaries included), within the screen.
void TYearTotal::ApplyHeightLimits() {
    const int chrome = height() - m_grid->height();
    const int allRows = m_model->rowCount() + 1;
    int maxHeight = chrome + GridHeightFor(allRows);
    if (const QScreen* current = screen())
        maxHeight = std::min(maxHeight, current->availableGeometry().height());
    const int minHeight = std::min(chrome + GridHeightFor(kFewestRows), maxHeight);
    setMinimumHeight(minHeight);
    setMaximumHeight(maxHeight);
    if (height() > maxHeight)
        resize(width(), maxHeight);
}

} // namespace mitoran
