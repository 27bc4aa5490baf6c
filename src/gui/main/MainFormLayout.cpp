// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's construction: its panels, fields and buttons, the main menu, the grid's popup menus and
// the size limits.
#include "gui/main/MainForm.h"

#include "engine/calendar/Clock.h"
#include "engine/month/MonthSheet.h"
#include "engine/month/TimeEntry.h"
#include "gui/common/ProgramFont.h"
#include "gui/common/WindowUtil.h"
#include "gui/help/HelpWindow.h"
#include "gui/main/BarPaintBox.h"
#include "gui/main/DayGridDelegate.h"
#include "gui/main/DayGridMenus.h"
#include "gui/main/DayGridModel.h"
#include "gui/main/DayGridView.h"
#include "gui/main/TAdjustForm.h"
#include "gui/main/TSetForm.h"
#include "platform/Cp932Qt.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMaxRows = 32;
constexpr int kTopSeparatorHeight = 4;
constexpr int kTopPanelHeight = 38;
constexpr int kMarginWidth = 8;
constexpr int kRightPanelWidth = 92;
constexpr int kBarPanelHeight = 16;
constexpr int kBarLabelWidth = 36;
constexpr int kLimitPanelHeight = 18;
constexpr int kExtraMaxWidthChars = 50;

QWidget* Panel(const QString& name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    return panel;
}

QLabel* BarLabel(const QString& name, const QString& hint, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setToolTip(hint);
    label->setFixedWidth(kBarLabelWidth);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

} // namespace

void TZangyoMain::BuildPanels() {
    auto* central = Panel(u"ClientPanel"_s, this);
    central->installEventFilter(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* topTop = Panel(u"TopTopPanel"_s, central);
    topTop->setFixedHeight(kTopSeparatorHeight);
    auto* bevel = new QFrame(topTop);
    bevel->setObjectName(u"LineBevel"_s);
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    auto* topTopLayout = new QVBoxLayout(topTop);
    topTopLayout->setContentsMargins(0, 0, 0, 0);
    topTopLayout->addWidget(bevel);
    layout->addWidget(topTop);
    layout->addWidget(BuildTopPanel());

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    auto* leftPanel = Panel(u"LeftPanel"_s, central);
    leftPanel->setFixedWidth(kMarginWidth);
    m_grid = new DayGridView(central);
    const QFont gridFont = GridFont();
    m_grid->setFont(gridFont);
    m_grid->horizontalHeader()->setFont(gridFont);
    m_model->SetGridFont(gridFont);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new DayGridDelegate(*m_grid, m_settings));
    m_rightPanel = BuildRightPanel();
    middle->addWidget(leftPanel);
    middle->addWidget(m_grid, 1);
    middle->addWidget(m_rightPanel);
    layout->addLayout(middle, 1);

    m_bottomPanel = Panel(u"BottomPanel"_s, central);
    m_bottomPanel->setFixedHeight(kMarginWidth);
    layout->addWidget(m_bottomPanel);
    layout->addWidget(BuildBarPanel());
    m_limitPanel = new QLabel(central);
    m_limitPanel->setObjectName(u"LimitPanel"_s);
    m_limitPanel->setFixedHeight(kLimitPanelHeight);
    m_limitPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_limitPanel->setContentsMargins(4, 0, 4, 0);
    m_limitPanel->setToolTip(u"36協定: 今月の時間外をあと何時間できるか、最初に達する上限"_s);
    m_limitPanel->hide();
    layout->addWidget(m_limitPanel);
    setCentralWidget(central);

    for (QWidget* margin : {topTop, leftPanel, m_bottomPanel})
        margin->installEventFilter(this);

    connect(m_grid, &DayGridView::EscapePressed, this, &TZangyoMain::EscButtonClick);
    connect(m_grid, &DayGridView::LeaveForward, this, [this] { m_backButton->setFocus(Qt::TabFocusReason); });
    connect(m_grid, &DayGridView::LeaveBackward, this, [this] { m_exitButton->setFocus(Qt::BacktabFocusReason); });
    connect(m_grid, &DayGridView::DayDoubleClicked, this, &TZangyoMain::DayStringGridDblClick);
    connect(m_grid, &DayGridView::CellSelected, this, &TZangyoMain::DayStringGridCellSelected);
    connect(m_grid, &DayGridView::FirstPainted, this, &TZangyoMain::WindowOnScreen);
    // Application-wide: disconnected by the destructor, before the grid and the session are gone.
    m_focusChangedConnection = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const auto inGrid = [this](QWidget* widget) {
            return widget != nullptr && (widget == m_grid || m_grid->isAncestorOf(widget));
        };
        if (inGrid(old) && now != nullptr && !inGrid(now))
            DayStringGridFocusLeft();
    });

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TZangyoMain::EscButtonClick);
}

QWidget* TZangyoMain::BuildTopPanel() {
    auto* top = Panel(u"TopPanel"_s, this);
    top->setFixedHeight(kTopPanelHeight);
    top->installEventFilter(this);
    auto* layout = new QHBoxLayout(top);
    layout->setContentsMargins(kMarginWidth, 4, 4, 4);

    const auto readOnlyField = [top](const QString& name, int width) {
        auto* field = new QLineEdit(top);
        field->setObjectName(name);
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(width);
        return field;
    };
    m_yearMemo = readOnlyField(u"YearMemo"_s, 40);
    m_monthMemo = readOnlyField(u"MonthMemo"_s, 26);
    layout->addWidget(m_yearMemo);
    layout->addWidget(new QLabel(u"年"_s, top));
    layout->addWidget(m_monthMemo);
    layout->addWidget(new QLabel(u"月"_s, top));
    layout->addSpacing(6);

    m_backButton = NamedButton(u"BackButton"_s, u"<< 前月"_s, top);
    auto* nowButton = NamedButton(u"NowButton"_s, u"当 月"_s, top);
    auto* nextButton = NamedButton(u"NextButton"_s, u"次月 >>"_s, top);
    auto* jumpButton = NamedButton(u"JumpButton"_s, u"指定月"_s, top);
    connect(m_backButton, &QPushButton::clicked, this, &TZangyoMain::BackButtonClick);
    connect(nowButton, &QPushButton::clicked, this, &TZangyoMain::NowButtonClick);
    connect(nextButton, &QPushButton::clicked, this, &TZangyoMain::NextButtonClick);
    connect(jumpButton, &QPushButton::clicked, this, &TZangyoMain::JumpButtonClick);
    for (QPushButton* button : {m_backButton, nowButton, nextButton, jumpButton}) {
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 12);
        layout->addWidget(button);
    }
    layout->addStretch(1);

    auto* topRight = Panel(u"TopRightPanel"_s, top);
    auto* topRightLayout = new QHBoxLayout(topRight);
    topRightLayout->setContentsMargins(0, 0, 0, 0);
    auto* vacationButton = NamedButton(u"VacationButton"_s, u"有給休暇..."_s, topRight);
    connect(vacationButton, &QPushButton::clicked, this, &TZangyoMain::VacationButtonClick);
    topRightLayout->addWidget(vacationButton);
    layout->addWidget(topRight);
    return top;
}

QWidget* TZangyoMain::BuildRightPanel() {
    auto* right = Panel(u"RightPanel"_s, this);
    right->setFixedWidth(kRightPanelWidth);
    right->installEventFilter(this);
    auto* layout = new QVBoxLayout(right);
    layout->setContentsMargins(4, 0, 6, 0);
    layout->setSpacing(3);

    struct Field {
        QString label;
        QString name;
        QString hint;
        QLineEdit* SummaryFields::*slot;
    };
    const auto labels = SummaryFieldsOf(m_sheet.summary);
    const std::array<Field, kSummaryFieldCount> fields{{
        {ToQString(labels[0].label), u"SyukinMemo"_s, u"出勤した日数"_s, &SummaryFields::syukinMemo},
        {ToQString(labels[1].label), u"KyujituMemo"_s, u"休日出勤した日数"_s, &SummaryFields::kyujituMemo},
        {ToQString(labels[2].label), u"ZanTMemo"_s, u"普通残業時間の合計"_s, &SummaryFields::zanTMemo},
        {ToQString(labels[3].label), u"SZanTMemo"_s, u"深夜残業時間の合計"_s, &SummaryFields::sZanTMemo},
        {ToQString(labels[4].label), u"KeiTMemo"_s, u"普通＋深夜残業時間の合計"_s, &SummaryFields::keiTMemo},
        {ToQString(labels[5].label), u"MokuTMemo"_s, u"目標までの残り残業時間(ﾏｲﾅｽで不足時間)"_s,
         &SummaryFields::mokuTMemo},
        {ToQString(labels[6].label), u"KinmuTMemo"_s, u"定時内と残業時間を含めた総勤務時間"_s,
         &SummaryFields::kinmuTMemo},
    }};
    for (const Field& summary : fields) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(new QLabel(summary.label, right));
        auto* field = new QLineEdit(right);
        field->setObjectName(summary.name);
        field->setToolTip(summary.hint);
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(48);
        row->addWidget(field);
        layout->addLayout(row);
        m_summary.*summary.slot = field;
    }
    layout->addSpacing(6);

    auto* calcButton = NamedButton(u"CalcButton"_s, u"再計算"_s, right);
    auto* totalButton = NamedButton(u"TotalButton"_s, u"金額表示..."_s, right);
    auto* yearButton = NamedButton(u"YearCalcButton"_s, u"期間集計..."_s, right);
    auto* saveButton = NamedButton(u"SaveButton"_s, u"保  存"_s, right);
    m_exitButton = NamedButton(u"ExitButton"_s, u"終  了"_s, right);
    auto* escButton = NamedButton(u"EscButton"_s, u"Esc"_s, right);
    escButton->hide();
    totalButton->setToolTip(u"１ヶ月の給与金額を計算･表示します。"_s);
    connect(totalButton, &QPushButton::clicked, this, &TZangyoMain::TotalButtonClick);
    connect(calcButton, &QPushButton::clicked, this, &TZangyoMain::CalcButtonClick);
    connect(saveButton, &QPushButton::clicked, this, &TZangyoMain::SaveButtonClick);
    connect(yearButton, &QPushButton::clicked, this, &TZangyoMain::YearCalcButtonClick);
    connect(m_exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(escButton, &QPushButton::clicked, this, &TZangyoMain::EscButtonClick);
    for (QPushButton* button : {calcButton, totalButton, yearButton, saveButton, m_exitButton})
        layout->addWidget(button);
    layout->addStretch(1);
    return right;
}

QWidget* TZangyoMain::BuildBarPanel() {
    auto* bar = new QFrame(this);
    bar->setObjectName(u"BarPanel"_s);
    bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->setFixedHeight(kBarPanelHeight);
    m_barPanel = bar;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_parPanel = BarLabel(u"ParPanel"_s, u"目標達成率(%)"_s, bar);
    m_mokuZanPanel = BarLabel(u"MokuZanPanel"_s, u"目標を達成するに必要な、１日平均残業時間。"_s, bar);
    m_yukyuPanel = BarLabel(u"YukyuPanel"_s, u"有給休暇目標残日数までの、残り有給日数。"_s, bar);
    m_barPaintBox = new BarPaintBox(
        [this](int width, int height) {
            return ComputeTargetBar(m_sheet, m_settings.MokuhyoTime, m_settings.Time[kSlotTarget].first, width, height);
        },
        bar);
    m_barPaintBox->setToolTip(u"目標達成率(%)がグラフ表示されます。(水-青:達成率/黄:超過/赤:不足)"_s);
    for (QWidget* part : std::initializer_list<QWidget*>{m_parPanel, m_mokuZanPanel, m_yukyuPanel})
        layout->addWidget(part);
    layout->addWidget(m_barPaintBox, 1);
    return bar;
}

void TZangyoMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    QAction* saveItem = NamedItem(file, u"SaveItem"_s, u"保存(&S)"_s);
    saveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(saveItem, &QAction::triggered, this, &TZangyoMain::SaveButtonClick);
    m_printItem = NamedItem(file, u"PrintIem"_s, u"印刷(&P)..."_s);
    connect(m_printItem, &QAction::triggered, this, &TZangyoMain::PrintIemClick);
    connect(NamedItem(file, u"PdfItem"_s, u"PDFに保存..."_s), &QAction::triggered, this, &TZangyoMain::PdfItemClick);
    connect(NamedItem(file, u"OutFileItem"_s, u"CSVﾌｧｲﾙ出力(&O)..."_s), &QAction::triggered, this,
            &TZangyoMain::OutFileItemClick);
    file->addSeparator();
    connect(NamedItem(file, u"ExitItem"_s, u"終了(&X)"_s), &QAction::triggered, this, &QWidget::close);

    QMenu* search = menuBar()->addMenu(u"検索(&S)"_s);
    connect(NamedItem(search, u"BackItem"_s, u"前月(&P)"_s), &QAction::triggered, this, &TZangyoMain::BackButtonClick);
    connect(NamedItem(search, u"NowItem"_s, u"当月(&T)"_s), &QAction::triggered, this, &TZangyoMain::NowButtonClick);
    connect(NamedItem(search, u"NextItem"_s, u"次月(&N)"_s), &QAction::triggered, this, &TZangyoMain::NextButtonClick);
    connect(NamedItem(search, u"JumpItem"_s, u"指定月(&J)..."_s), &QAction::triggered, this,
            &TZangyoMain::JumpButtonClick);

    QMenu* view = menuBar()->addMenu(u"表示(&V)"_s);
    connect(NamedItem(view, u"CalcItem"_s, u"再計算(&C)"_s), &QAction::triggered, this, &TZangyoMain::CalcButtonClick);
    connect(NamedItem(view, u"KingakuItem"_s, u"金額表示(&K)..."_s), &QAction::triggered, this,
            &TZangyoMain::TotalButtonClick);
    connect(NamedItem(view, u"VacationItem"_s, u"有給休暇(&Y)..."_s), &QAction::triggered, this,
            &TZangyoMain::VacationButtonClick);
    connect(NamedItem(view, u"YearCalcitem"_s, u"期間集計(&S)..."_s), &QAction::triggered, this,
            &TZangyoMain::YearCalcButtonClick);
    connect(NamedItem(view, u"LimitItem"_s, u"36協定(&L)..."_s), &QAction::triggered, this,
            &TZangyoMain::LimitItemClick);
    QAction* tokuSyukeiItem = NamedItem(view, u"TokuSyukeiItem"_s, u"任意期間一覧(&T)..."_s);
    tokuSyukeiItem->setCheckable(true);
    connect(tokuSyukeiItem, &QAction::triggered, this, &TZangyoMain::TokuSyukeiItemClick);
    QAction* tokuKaijyoItem = NamedItem(view, u"TokuKaijyoItem"_s, u"任意期間解除(&R)"_s);
    tokuKaijyoItem->setEnabled(false);
    connect(tokuKaijyoItem, &QAction::triggered, this, &TZangyoMain::TokuKaijyoItemClick);
    m_mokuhyoBarItem = NamedItem(view, u"MokuhyoBarItem"_s, u"目標達成率(&M)"_s);
    m_mokuhyoBarItem->setCheckable(true);
    connect(m_mokuhyoBarItem, &QAction::triggered, this, &TZangyoMain::MokuhyoBarItemClick);

    m_multiUserMenu = menuBar()->addMenu(u"切り替え(&C)"_s);
    m_multiUserMenu->setObjectName(u"MultiUserMenu"_s);

    QMenu* options = menuBar()->addMenu(u"ｵﾌﾟｼｮﾝ(&O)"_s);
    connect(NamedItem(options, u"SettingItem"_s, u"環境設定(&E)..."_s), &QAction::triggered, this,
            &TZangyoMain::SetButtonClick);
    connect(NamedItem(options, u"HolidayReadItem"_s, u"祝祭日読み込み"_s), &QAction::triggered, this,
            &TZangyoMain::HolidayReadItemClick);

    QMenu* help = menuBar()->addMenu(u"ﾍﾙﾌﾟ(&H)"_s);
    connect(NamedItem(help, u"HelpItem"_s, u"ﾍﾙﾌﾟ(&H)..."_s), &QAction::triggered, this, &TZangyoMain::HelpItemClick);
    connect(NamedItem(help, u"AboutItem"_s, u"ﾊﾞｰｼﾞｮﾝ情報(&A)..."_s), &QAction::triggered, this,
            &TZangyoMain::AboutItemClick);
    // F1 opens the page of the main window wherever the focus is in it.
    auto* helpKey = new QAction(this);
    helpKey->setObjectName(u"HelpKeyItem"_s);
    helpKey->setShortcut(QKeySequence::HelpContents);
    helpKey->setShortcutContext(Qt::WindowShortcut);
    addAction(helpKey);
    connect(helpKey, &QAction::triggered, this, [this] { ShowHelp(HelpWindow::kMainWindowTopic); });
}

void TZangyoMain::BuildGridMenus() {
    m_gridMenus = new DayGridMenus(
        *this, *m_grid,
        {m_sheet, m_settings, m_services.clock, m_timeAdjust, m_timeSet, [this] { SaveSettingsReported(); }});
    connect(m_gridMenus, &DayGridMenus::MonthChanged, this, &TZangyoMain::RefreshMonthView);
    connect(m_gridMenus, &DayGridMenus::CellsChanged, m_model, &DayGridModel::Refresh);
    connect(m_grid, &DayGridView::PopupColumnChanged, m_gridMenus, &DayGridMenus::AttachPopupMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, m_gridMenus, &DayGridMenus::ShowGridPopup);
}

void TZangyoMain::ComputeSizeLimits() {
    const QSize grid22 = GridSizeFor(*m_grid, kColumnWidths, kDesignRows);
    const QSize grid32 = GridSizeFor(*m_grid, kColumnWidths, kMaxRows);
    const int gridTop = menuBar()->sizeHint().height() + kTopSeparatorHeight + kTopPanelHeight;
    m_minHeight =
        std::max(gridTop + grid22.height(), gridTop + m_rightPanel->minimumSizeHint().height()) + kMarginWidth;
    // The top panel's buttons may need more width than the grid where the fonts are wider.
    m_minWidth =
        std::max(kMarginWidth + grid22.width() + kRightPanelWidth, centralWidget()->layout()->minimumSize().width());
    m_maxHeight = gridTop + grid32.height() + kMarginWidth;
    m_maxWidth = m_minWidth + kExtraMaxWidthChars * QFontMetrics(m_grid->font()).horizontalAdvance(QLatin1Char(' '));
    m_barHeight = kBarPanelHeight;
}

// The target bar and the limits' line below the grid, each while it is shown.
int TZangyoMain::BottomLinesHeight() const {
    return (m_mokuhyoBarItem->isChecked() ? m_barHeight : 0) + (m_limitPanel->isHidden() ? 0 : kLimitPanelHeight);
}

void TZangyoMain::ApplySizeLimits() {
    if (!m_sizingReady)
        return;
    const int bar = BottomLinesHeight();
    int maxHeight = m_maxHeight + bar;
    int maxWidth = m_maxWidth;
    if (const QScreen* current = screen()) {
        maxHeight = std::min(maxHeight, current->availableGeometry().height());
        maxWidth = std::min(maxWidth, current->availableGeometry().width());
    }
    setMinimumSize(m_minWidth, m_minHeight + bar);
    setMaximumSize(std::max(maxWidth, m_minWidth), std::max(maxHeight, m_minHeight + bar));
}

} // namespace mitoran
