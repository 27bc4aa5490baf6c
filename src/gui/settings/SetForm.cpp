// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/SetForm.h"

#include "engine/session/Questions.h"
#include "engine/session/Session.h"
#include "engine/session/SettingsQuestions.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"
#include "gui/common/NotificationIcons.h"
#include "gui/common/WindowUtil.h"
#include "gui/settings/FormBinding.h"
#include "gui/settings/HolidayGridModel.h"
#include "gui/settings/PassChangeUnit.h"
#include "gui/settings/PrintSettingUnit.h"
#include "gui/settings/PrivateInfoUnit.h"
#include "gui/settings/RadioGroup.h"
#include "gui/settings/TabbingGrid.h"
#include "platform/Cp932Qt.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>

#include <algorithm>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTimeBoxWidth = 52;
constexpr int kAmountBoxWidth = 84;

QLineEdit* Box(const QString& name, int width, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(width);
    return box;
}

QCheckBox* Check(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QStringList IntervalItems() {
    QStringList items;
    for (const int minutes : RoundingIntervals)
        items << u"%1分間隔で調整する。"_s.arg(minutes);
    return items;
}

// A row of widgets with the given stretch after them.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    row->addStretch(1);
    return row;
}

// The adjustment group of arrival, leaving or overtime: method, interval and what follows.
QGroupBox* AdjustGroup(const QString& caption, const QString& prefix, QWidget* parent) {
    auto* group = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(new RadioGroup(prefix + u"AdjustRadioGroup"_s, u"調整方法"_s,
                                     {u"しない"_s, u"切り捨て"_s, u"四捨五入"_s, u"切り上げ"_s}, group));
    auto* interval = NamedComboBox(prefix + u"TimeComboBox"_s, IntervalItems(), group);
    layout->addLayout(Row({new QLabel(u"時刻調整"_s, group), interval}));
    return group;
}

const std::array<QString, kCellColorItems> kCellColorNames{u"休日"_s, u"有給"_s,   u"午前"_s, u"午後"_s, u"代休"_s,
                                                           u"欠勤"_s, u"半ドン"_s, u"土曜"_s, u"日曜"_s};

} // namespace

TSetting::TSetting(Session& session, Questions& questions, QWidget* parent)
    : EscDialog(parent), m_session(session), m_questions(questions),
      m_passChange([this] { return new TPassChangeForm(m_questions, this); }), m_privateInfo([this] {
          auto* form = new TPrivateInfoForm(m_session.settings, this);
          connect(form, &EscDialog::EscapePressed, this, &EscDialog::EscapePressed);
          return form;
      }),
      m_printSetting([this] {
          auto* form = new TPrintSettingForm(m_session.settings, m_questions, this);
          connect(form, &EscDialog::EscapePressed, this, &EscDialog::EscapePressed);
          return form;
      }) {
    setObjectName(u"TSetting"_s);
    setWindowTitle(u"環境設定"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(u"SettingPageControl"_s);
    m_pages->addTab(BuildKinmuPage(), u"勤務・金額設定"_s);
    m_pages->addTab(BuildJikokuPage(), u"時刻調整設定"_s);
    m_pages->addTab(BuildKyujituPage(), u"休日・ｶﾚﾝﾀﾞｰ設定"_s);
    m_pages->addTab(BuildSonotaPage(), u"印刷・その他の設定"_s);

    m_readCurrentButton = NamedButton(u"ReadCurrentButton"_s, u"ｶﾚﾝﾄ設定読み込み"_s, this);
    m_readCurrentButton->setAutoDefault(false);
    m_okButton = NamedButton(u"OkButton"_s, u"登 録"_s, this);
    m_okButton->setDefault(true);
    auto* cancelButton = NamedButton(u"CancelButton"_s, u"ｷｬﾝｾﾙ"_s, this);
    cancelButton->setAutoDefault(false);
    connect(m_readCurrentButton, &QPushButton::clicked, this, &TSetting::ReadCurrentButtonClick);
    connect(m_okButton, &QPushButton::clicked, this, &TSetting::OkButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TSetting::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_readCurrentButton);
    buttons->addLayout(ButtonRow({m_okButton, cancelButton}), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    auto* helpKey = new QAction(this);
    helpKey->setObjectName(u"HelpKeyItem"_s);
    helpKey->setShortcut(QKeySequence::HelpContents);
    addAction(helpKey);
    connect(helpKey, &QAction::triggered, this,
            [this] { emit HelpRequested(kPageTopics[static_cast<std::size_t>(m_pages->currentIndex())]); });

    new BoxRules(*this, SettingForm::Setting);
    FollowEnableRules(*this, SettingForm::Setting);
    auto* mokuTime = findChild<QCheckBox*>(u"MokuTimeCheckBox"_s);
    auto* mokuTedori = findChild<QCheckBox*>(u"MokuTedoriCheckBox"_s);
    connect(mokuTime, &QCheckBox::toggled, mokuTedori, [mokuTedori](bool on) { mokuTedori->setChecked(!on); });
    connect(mokuTedori, &QCheckBox::toggled, mokuTime, [mokuTime](bool on) { mokuTime->setChecked(!on); });
}

TSetting::~TSetting() = default;

// ---- Pages ----

QWidget* TSetting::BuildKinmuPage() {
    auto* page = new QWidget(this);
    page->setObjectName(u"KinmuTabSheet"_s);

    auto* work = new QVBoxLayout;
    auto* simeDay = Box(u"SimeDayMemo"_s, 36, page);
    work->addLayout(Row({new QLabel(u"残業締日"_s, page), simeDay, new QLabel(u"日"_s, page),
                         Check(u"FlexTimeCheckBox"_s, u"ﾌﾚｯｸｽﾀｲﾑ"_s, page)}));
    auto* times = new QFormLayout;
    const auto addSpan = [&](const QString& label, const QString& from, const QString& to) {
        times->addRow(label,
                      Row({Box(from, kTimeBoxWidth, page), new QLabel(u"～"_s, page), Box(to, kTimeBoxWidth, page)}));
    };
    addSpan(u"定時時間"_s, u"StartMemo"_s, u"EndMemo"_s);
    addSpan(u"半 ド ン"_s, u"HandonMemo"_s, u"HandonEndMemo"_s);
    addSpan(u"深夜残業"_s, u"SinyaMemo"_s, u"SinyaEndMemo"_s);
    work->addLayout(times);
    work->addWidget(new QLabel(u"休憩時間"_s, page));
    m_breakModel = new QStandardItemModel(kBreakRows, 3, this);
    m_breakModel->setHorizontalHeaderLabels({u"No"_s, u"開 始"_s, u"終 了"_s});
    for (int row = 0; row < kBreakRows; ++row) {
        auto* number = new QStandardItem(u"%1"_s.arg(row + 1, 2));
        number->setFlags(Qt::ItemIsEnabled);
        number->setBackground(QApplication::palette().color(QPalette::Button));
        m_breakModel->setItem(row, 0, number);
        for (int column = 1; column <= 2; ++column)
            m_breakModel->setItem(row, column, new QStandardItem);
    }
    m_breakGrid = new TabbingGrid(QString::fromLatin1(kBreakGridName), page);
    m_breakGrid->setModel(m_breakModel);
    const std::array<int, 3> breakWidths{3, 7, 7};
    FitGridColumns(*m_breakGrid, breakWidths, kBreakRows + 1);
    m_breakGrid->setFixedSize(m_breakGrid->size());
    m_breakGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    work->addWidget(m_breakGrid);
    work->addStretch(1);
    BuildBreakGridMenu();

    auto* amounts = new QGroupBox(u"金額"_s, page);
    auto* amountRows = new QFormLayout(amounts);
    const std::array<std::array<QString, 2>, 10> amountBoxes{{
        {u"基本給額"_s, u"KihonMemo"_s},
        {u"手当金額"_s, u"TeateMemo"_s},
        {u"その他支給額"_s, u"ElseMemo"_s},
        {u"平日普通単価"_s, u"ZanMemo"_s},
        {u"平日深夜単価"_s, u"SZanMemo"_s},
        {u"休日普通単価"_s, u"KZanMemo"_s},
        {u"休日深夜単価"_s, u"KSZanMemo"_s},
        {u"法定普通単価"_s, u"HZanMemo"_s},
        {u"法定深夜単価"_s, u"HSZanMemo"_s},
        {u"給与天引き"_s, u"TenbikiMemo"_s},
    }};
    QLineEdit* kihon = nullptr;
    for (const auto& [label, name] : amountBoxes) {
        auto* box = Box(name, kAmountBoxWidth, amounts);
        if (kihon == nullptr)
            kihon = box;
        box->setAlignment(Qt::AlignRight);
        amountRows->addRow(label, Row({box, new QLabel(u"円"_s, amounts)}));
    }
    auto* kake = Box(u"KakeMemo"_s, 40, amounts);
    kake->setAlignment(Qt::AlignRight);
    amountRows->addRow(u"手取り掛け率"_s, Row({kake, new QLabel(u"%"_s, amounts)}));

    auto* targets = new QGroupBox(u"目標"_s, page);
    auto* targetRows = new QGridLayout(targets);
    targetRows->addWidget(Check(u"MokuTimeCheckBox"_s, u"目標残業時間"_s, targets), 0, 0);
    targetRows->addWidget(Box(u"MokuTimeMemo"_s, kTimeBoxWidth, targets), 0, 1);
    targetRows->addWidget(Check(u"MokuTedoriCheckBox"_s, u"目標手取金額"_s, targets), 1, 0);
    auto* moku = Box(u"MokuMemo"_s, kAmountBoxWidth, targets);
    moku->setAlignment(Qt::AlignRight);
    targetRows->addWidget(moku, 1, 1);

    auto* standard = new QGroupBox(u"標準勤務時間"_s, page);
    auto* standardRows = new QFormLayout(standard);
    standardRows->addRow(u"(終日)"_s, Box(u"HyojunAllMemo"_s, kTimeBoxWidth, standard));
    standardRows->addRow(u"(半ドン)"_s, Box(u"HandonKinmuMemo"_s, kTimeBoxWidth, standard));
    standardRows->addRow(u"(午前半休)"_s, Box(u"HyojunAMMemo"_s, kTimeBoxWidth, standard));
    standardRows->addRow(u"(午後半休)"_s, Box(u"HyojunPMMemo"_s, kTimeBoxWidth, standard));

    auto* right = new QVBoxLayout;
    right->addWidget(targets);
    right->addWidget(standard);
    right->addLayout(
        Row({Check(u"DaikyuCheckBox"_s, u"代休減算残業時間"_s, page), Box(u"DaikyuMemo"_s, kTimeBoxWidth, page)}));
    auto* satHandon = Check(u"SatHandonCheckBox"_s, u"土曜日は早退処理を行わない"_s, page);
    satHandon->hide();
    right->addStretch(1);

    m_breakGrid->SetNeighbours(kihon, findChild<QLineEdit*>(u"SinyaEndMemo"_s));
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(work);
    layout->addWidget(amounts, 0, Qt::AlignTop);
    layout->addLayout(right);
    return page;
}

QWidget* TSetting::BuildJikokuPage() {
    auto* page = new QWidget(this);
    page->setObjectName(u"JikokuTabSheet"_s);
    const QStringList autoIn{u"しない"_s, u"完全自動"_s, u"ｳｨﾝﾄﾞｳ入力"_s};

    QGroupBox* start = AdjustGroup(u"出社時刻調整"_s, u"Start"_s, page);
    auto* startLayout = static_cast<QVBoxLayout*>(start->layout());
    auto* startAutoIn =
        new RadioGroup(u"StartAutoInRadioGroup"_s, u"起動時の自動入力"_s, {autoIn[0], autoIn[1], autoIn[2]}, start);
    startLayout->addWidget(startAutoIn);
    startLayout->addWidget(
        NamedComboBox(u"StartTeijiInComboBox"_s,
                      {u"定時入力を行わない"_s, u"定時より早い場合定時を入力"_s, u"常に定時を入力する"_s}, start));
    startLayout->addWidget(Check(u"StartPassSkipCheckBox"_s, u"ﾊﾟｽﾜｰﾄﾞ入力をｽｷｯﾌﾟする"_s, start));
    startLayout->addWidget(Check(u"StartAutoMinimizeCheckBox"_s, u"自動入力後、ｱｲｺﾝ化する"_s, start));
    startLayout->addStretch(1);

    QGroupBox* end = AdjustGroup(u"退社時刻調整"_s, u"End"_s, page);
    auto* endLayout = static_cast<QVBoxLayout*>(end->layout());
    endLayout->addWidget(
        new RadioGroup(u"EndAutoInRadioGroup"_s, u"終了時の自動入力"_s, {autoIn[0], autoIn[1], autoIn[2]}, end));
    endLayout->addWidget(
        NamedComboBox(u"EndOverWriteComboBox"_s,
                      {u"退社時刻を上書きする"_s, u"退社時刻の上書き確認をする"_s, u"退社時刻を上書きしない"_s}, end));
    endLayout->addStretch(1);

    QGroupBox* zangyo = AdjustGroup(u"残業時間調整"_s, u"Zangyo"_s, page);
    auto* zangyoLayout = static_cast<QVBoxLayout*>(zangyo->layout());
    zangyoLayout->addLayout(
        Row({new QLabel(u"最低残業時間"_s, zangyo), Box(u"ZanLowLimitMemo"_s, kTimeBoxWidth, zangyo)}));
    zangyoLayout->addWidget(Check(u"NoAutoInAdjustCheckBox"_s, u"自動入力では時刻調整しない"_s, zangyo));
    zangyoLayout->addWidget(Check(u"CalcTimeAdjustCheckBox"_s, u"時刻調整を[再計算]時に行う"_s, zangyo));
    zangyoLayout->addWidget(new RadioGroup(u"ClickAutoRadioGroup"_s, u"表のﾀﾞﾌﾞﾙｸﾘｯｸ動作"_s,
                                           {u"定時時刻 / +Shiftで現在時刻"_s, u"現在時刻 / +Shiftで定時時刻"_s},
                                           zangyo));
    zangyoLayout->addStretch(1);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(start);
    layout->addWidget(end);
    layout->addWidget(zangyo);
    return page;
}

QWidget* TSetting::BuildKyujituPage() {
    auto* page = new QWidget(this);
    page->setObjectName(u"KyujituTabSheet"_s);

    auto* weeks = new QGroupBox(u"会社休日と区切り線"_s, page);
    auto* weekRows = new QGridLayout(weeks);
    const std::array<QString, 7> days{u"日曜日"_s, u"月曜日"_s, u"火曜日"_s, u"水曜日"_s,
                                      u"木曜日"_s, u"金曜日"_s, u"土曜日"_s};
    for (int day = 1; day <= 7; ++day)
        weekRows->addWidget(Check(u"Week%1CheckBox"_s.arg(day), days[static_cast<std::size_t>(day - 1)], weeks),
                            (day - 1) / 2, (day - 1) % 2);
    weekRows->addWidget(new QLabel(u"区切り線"_s, weeks), 4, 0);
    weekRows->addWidget(NamedComboBox(u"GridLineSelectComboBox"_s, {u"なし"_s, u"日曜日"_s, u"月曜日"_s}, weeks), 4, 1);

    auto* holidays = new QGroupBox(u"以下の日を休日とする"_s, page);
    auto* holidayRows = new QGridLayout(holidays);
    const std::array<std::array<QString, 2>, 6> ruled{{
        {u"SeijinDayCheckBox"_s, u"成人の日"_s},
        {u"SpringDayCheckBox"_s, u"春分の日"_s},
        {u"AutumnDayCheckBox"_s, u"秋分の日"_s},
        {u"SportDayCheckBox"_s, u"体育の日(スポーツの日)"_s},
        {u"OceanDayCheckBox"_s, u"海の日"_s},
        {u"OldManDayCheckBox"_s, u"敬老の日"_s},
    }};
    for (std::size_t i = 0; i < ruled.size(); ++i)
        holidayRows->addWidget(Check(ruled[i][0], ruled[i][1], holidays), static_cast<int>(i / 2),
                               static_cast<int>(i % 2));

    auto* halfDays = new QGroupBox(u"半日休暇の有給日数"_s, page);
    auto* halfDayRows = new QFormLayout(halfDays);
    halfDayRows->addRow(u"午前半休"_s, Box(u"HanDayAMMemo"_s, 48, halfDays));
    halfDayRows->addRow(u"午後半休"_s, Box(u"HanDayPMMemo"_s, 48, halfDays));

    auto* left = new QVBoxLayout;
    left->addWidget(weeks);
    left->addWidget(holidays);
    left->addWidget(halfDays);
    left->addStretch(1);

    auto* calendar = new QVBoxLayout;
    calendar->addWidget(new QLabel(u"祝祭日ｶﾚﾝﾀﾞｰ"_s, page));
    m_holidays = new HolidayGridModel(this);
    m_holidayGrid = new TabbingGrid(u"YearHolidayStringGrid"_s, page);
    m_holidayGrid->setModel(m_holidays);
    m_holidayGrid->SetToggleColumn(1);
    const std::array<int, 3> holidayWidths{9, 4, 16};
    FitGridColumns(*m_holidayGrid, holidayWidths, 16);
    m_holidayGrid->setFixedWidth(m_holidayGrid->width());
    m_holidayGrid->setMinimumHeight(m_holidayGrid->height());
    connect(m_holidayGrid, &TabbingGrid::CellToggled, m_holidays, &HolidayGridModel::ToggleMark);
    connect(m_holidayGrid, &TabbingGrid::EscapePressed, this, &EscDialog::EscapePressed);
    calendar->addWidget(m_holidayGrid, 1);

    auto* leave = new QVBoxLayout;
    auto* yuukyuKinmu = Check(u"YuukyuKinmuCheckBox"_s, u"有給休暇も勤務時間として計算する"_s, page);
    leave->addWidget(yuukyuKinmu);
    leave->addWidget(Check(u"Hankyu05CheckBox"_s, u"半日休暇の出勤日数を0.5日で計算する"_s, page));
    leave->addWidget(Check(u"YukyuMokuZanDispCheckBox"_s, u"目標残日数を表示する"_s, page));
    leave->addLayout(Row({new QLabel(u"目標残日数"_s, page), Box(u"YukyuMokuZanMemo"_s, 48, page)}));
    leave->addLayout(Row({new QLabel(u"有給開始月"_s, page), Box(u"YukyuMonthMemo"_s, 36, page)}));
    m_holidayGrid->SetNeighbours(yuukyuKinmu, findChild<QLineEdit*>(u"HanDayPMMemo"_s));

    auto* colors = new QGroupBox(u"背景色"_s, page);
    auto* colorRows = new QVBoxLayout(colors);
    m_cellColorCombo =
        NamedComboBox(u"CellColorComboBox"_s, QStringList(kCellColorNames.begin(), kCellColorNames.end()), colors);
    m_cellColorCheck = Check(u"CellColorCheckBox"_s, u"この色を使う"_s, colors);
    // A button filled with the colour, so that Space and Enter choose a colour as a click does.
    m_cellColorPanel = NamedButton(u"CellColorPanel"_s, QString(), colors);
    m_cellColorPanel->setFlat(true);
    m_cellColorPanel->setAutoDefault(false);
    m_cellColorPanel->setAutoFillBackground(true);
    m_cellColorPanel->setMinimumHeight(32);
    m_cellColorPanel->setToolTip(u"ｸﾘｯｸすると色を選べます。"_s);
    connect(m_cellColorPanel, &QPushButton::clicked, this, &TSetting::CellColorPanelClick);
    colorRows->addLayout(Row({m_cellColorCombo, m_cellColorCheck}));
    colorRows->addWidget(m_cellColorPanel);
    connect(m_cellColorCombo, &QComboBox::currentIndexChanged, this, &TSetting::CellColorComboBoxChange);
    connect(m_cellColorCheck, &QCheckBox::clicked, this, &TSetting::CellColorCheckBoxClick);
    leave->addWidget(colors);
    leave->addStretch(1);

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(calendar);
    layout->addLayout(leave);
    return page;
}

QWidget* TSetting::BuildSonotaPage() {
    auto* page = new QWidget(this);
    page->setObjectName(u"SonotaTabSheet"_s);

    auto* print = new QGroupBox(u"印刷"_s, page);
    auto* printRows = new QVBoxLayout(print);
    printRows->addWidget(NamedComboBox(u"PrintFormComboBox"_s,
                                       {u"中間色を使用したﾌｫｰﾑで印刷"_s, u"ｼﾝﾌﾟﾙな罫線のみのﾌｫｰﾑで印刷"_s}, print));
    printRows->addLayout(Row({new QLabel(u"ﾒﾓの印刷文字数"_s, print), Box(u"PrintMemoLenMemo"_s, 36, print)}));
    printRows->addWidget(Check(u"PrintTimeCheckBox"_s, u"残業時間を10進数で印刷する"_s, print));
    printRows->addWidget(Check(u"PrintDateCheckBox"_s, u"印刷日付を印刷する"_s, print));
    printRows->addWidget(Check(u"PrintPageCheckBox"_s, u"ﾍﾟｰｼﾞ数を印刷する"_s, print));
    printRows->addWidget(Check(u"PrintGrayCheckBox"_s, u"休日をｸﾞﾚｰで印刷する"_s, print));
    printRows->addWidget(Check(u"PrintNameCheckBox"_s, u"所属・氏名を印刷する"_s, print));
    auto* margins = new QGridLayout;
    const std::array<std::array<QString, 2>, 4> marginBoxes{{
        {u"上"_s, u"TopMarginMemo"_s},
        {u"下"_s, u"BottomMarginMemo"_s},
        {u"左"_s, u"LeftMarginMemo"_s},
        {u"右"_s, u"RightMarginMemo"_s},
    }};
    margins->addWidget(new QLabel(u"ﾏｰｼﾞﾝ(mm)"_s, print), 0, 0);
    for (std::size_t i = 0; i < marginBoxes.size(); ++i) {
        const int column = 1 + 2 * static_cast<int>(i % 2);
        const int line = static_cast<int>(i / 2);
        margins->addWidget(new QLabel(marginBoxes[i][0], print), line, column);
        margins->addWidget(Box(marginBoxes[i][1], 48, print), line, column + 1);
    }
    printRows->addLayout(margins);
    auto* titleButton = NamedButton(u"PrintTiltleButton"_s, u"ﾍｯﾀﾞ文字列・印刷ﾌｫﾝﾄ設定"_s, print);
    titleButton->setAutoDefault(false);
    connect(titleButton, &QPushButton::clicked, this, &TSetting::PrintTiltleButtonClick);
    printRows->addWidget(titleButton);
    printRows->addStretch(1);

    auto* passwords = new QGroupBox(u"ﾊﾟｽﾜｰﾄﾞ"_s, page);
    auto* passwordRows = new QGridLayout(passwords);
    const auto passwordRow = [&](int line, const QString& label, const QString& boxName, const QString& buttonName) {
        auto* box = PasswordBox(boxName, passwords);
        box->setFixedWidth(110);
        box->setReadOnly(true);
        box->installEventFilter(this);
        auto* button = NamedButton(buttonName, u"変更..."_s, passwords);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, box] { ChangePassword(box); });
        passwordRows->addWidget(new QLabel(label, passwords), line, 0);
        passwordRows->addWidget(box, line, 1);
        passwordRows->addWidget(button, line, 2);
        return box;
    };
    m_passEdit = passwordRow(0, u"起動"_s, u"PassEdit"_s, u"PassChangeButton"_s);
    passwordRows->addWidget(Check(u"ReOpenPassInCheckBox"_s, u"ｱｲｺﾝから復元する時も入力する"_s, passwords), 1, 1, 1, 2);
    m_kinPassEdit = passwordRow(2, u"金額"_s, u"KinPassEdit"_s, u"KinPassChangeButton"_s);

    auto* privateInfo = NamedButton(u"PrivateInfoButton"_s, u"個人情報・CSVﾌｧｲﾙ出力設定"_s, page);
    privateInfo->setAutoDefault(false);
    connect(privateInfo, &QPushButton::clicked, this, &TSetting::PrivateInfoButtonClick);

    auto* behaviour = new QGroupBox(u"その他"_s, page);
    auto* behaviourRows = new QVBoxLayout(behaviour);
    const std::array<std::array<QString, 2>, 7> checks{{
        {u"EscKeyMinCheckBox"_s, u"Escｷｰでｱｲｺﾝ化する"_s},
        {u"WindowSizeCheckBox"_s, u"ｳｨﾝﾄﾞｳｻｲｽﾞを復元する"_s},
        {u"AutoSaveCheckBox"_s, u"ﾃﾞｰﾀを自動保存する"_s},
        {u"AutoCalcCheckBox"_s, u"自動的に再計算する"_s},
        {u"IMEAutoModeCheckBox"_s, u"ﾒﾓ入力時に日本語入力をONにする"_s},
        {u"IdleProcessCheckBox"_s, u"ｱｲｺﾝ化時に待機ﾌﾟﾛｸﾞﾗﾑに引き継ぐ"_s},
        {u"ChikokuRedDispCheckBox"_s, u"遅刻・早退を赤で表示する"_s},
    }};
    for (const auto& [name, caption] : checks)
        behaviourRows->addWidget(Check(name, caption, behaviour));
    m_iconCombo =
        NamedComboBox(u"IconSelectComboBox"_s, {u"残業ｱｲｺﾝ（従来版）"_s, u"ﾊﾟｿｺﾝｱｲｺﾝ（目立たない）"_s}, behaviour);
    m_iconImage = new QLabel(behaviour);
    m_iconImage->setObjectName(u"IconImage"_s);
    m_iconImage->setFixedSize(36, 36);
    m_iconImage->setAlignment(Qt::AlignCenter);
    m_iconImage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    behaviourRows->addLayout(Row({new QLabel(u"ｱｲｺﾝ"_s, behaviour), m_iconCombo, m_iconImage}));
    connect(m_iconCombo, &QComboBox::currentIndexChanged, this, &TSetting::IconSelectComboBoxChange);

    auto* right = new QVBoxLayout;
    right->addWidget(passwords);
    right->addWidget(privateInfo);
    right->addWidget(behaviour);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(print);
    layout->addLayout(right);
    return page;
}

void TSetting::BuildBreakGridMenu() {
    auto* menu = new QMenu(m_breakGrid);
    menu->setObjectName(u"StringGridPopupMenu"_s);
    const auto item = [&](const QString& name, const QString& caption, const QKeySequence& key = {}) {
        QAction* action = NamedItem(menu, name, caption);
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_breakGrid->addAction(action);
        }
        return action;
    };
    connect(item(u"UpItem"_s, u"上へ移動"_s), &QAction::triggered, this, [this] { BreakRowCommand(MoveBreakRowUp); });
    connect(item(u"DownItem"_s, u"下へ移動"_s), &QAction::triggered, this,
            [this] { BreakRowCommand(MoveBreakRowDown); });
    connect(item(u"InsertItem"_s, u"行挿入"_s, QKeySequence(Qt::CTRL | Qt::Key_Insert)), &QAction::triggered, this,
            [this] { BreakRowCommand(InsertBreakRow); });
    connect(item(u"DeleteItem"_s, u"行削除"_s, QKeySequence(Qt::CTRL | Qt::Key_Delete)), &QAction::triggered, this,
            [this] { BreakRowCommand(DeleteBreakRow); });
    menu->addSeparator();
    connect(item(u"CutItem"_s, u"切り取り(&T)"_s), &QAction::triggered, this,
            [this] { EditCommand([](QLineEdit& editor) { editor.cut(); }); });
    connect(item(u"CopyItem"_s, u"コピー(&C)"_s), &QAction::triggered, this,
            [this] { EditCommand([](QLineEdit& editor) { editor.copy(); }); });
    connect(item(u"PasteItem"_s, u"貼り付け(&P)"_s), &QAction::triggered, this,
            [this] { EditCommand([](QLineEdit& editor) { editor.paste(); }); });
    connect(item(u"UndoItem"_s, u"元に戻す(&U)"_s), &QAction::triggered, this,
            [this] { EditCommand([](QLineEdit& editor) { editor.undo(); }); });
    m_breakGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_breakGrid, &QWidget::customContextMenuRequested, menu,
            [this, menu](const QPoint& at) { menu->popup(m_breakGrid->viewport()->mapToGlobal(at)); });
    connect(m_breakGrid, &TabbingGrid::EscapePressed, this, &EscDialog::EscapePressed);
}

// ---- Showing ----

void TSetting::showEvent(QShowEvent* event) {
    FormShow();
    EscDialog::showEvent(event);
    m_okButton->setFocus();
}

void TSetting::FormShow() {
    m_recreateMonth = false;
    m_readCurrentButton->setEnabled(!m_session.CurrentUser().empty());
    m_shownSimeDay = m_session.settings.SimeDay;
    FillControls();
    try {
        m_session.ReadHolidayListForEditing(m_holidays->List());
    } catch (const FileWriteError& error) {
        ReportWriteError(error);
    }
    m_holidays->Reset();
}

void TSetting::FillControls() {
    ShowFormValues(*this, SettingForm::Setting, FormValuesOf(m_session.settings, SettingForm::Setting));
    m_colors = CellColorsOf(m_session.settings);
    CellColorComboBoxChange();
    IconSelectComboBoxChange();
    ApplyEnableRules(*this, SettingForm::Setting, *this);
}

// ---- Buttons ----

void TSetting::OkButtonClick() {
    m_recreateMonth = false;
    const FormValues values = ReadFormValues(*this, SettingForm::Setting);
    const int simeDay = SimeDayOf(FindValue(values, SettingForm::Setting, "SimeDayMemo")->text);
    const SimeDayChange change = AskSimeDayChange(m_shownSimeDay, simeDay, m_questions);
    if (change == SimeDayChange::Cancel)
        return;
    // The settings in use change only once everything is written; a refused file leaves the dialog open.
    Settings edited = m_session.settings;
    StoreFormValues(values, SettingForm::Setting, edited);
    StoreCellColors(m_colors, edited);
    // A holiday list written meanwhile elsewhere is taken or asked about; Cancel leaves the dialog open.
    try {
        const SaveOutcome outcome = m_session.RegisterSettingsChecked(edited, m_holidays->List(), m_questions);
        if (outcome == SaveOutcome::Reloaded)
            m_holidays->Reset();
        if (outcome == SaveOutcome::Kept)
            return;
    } catch (const FileWriteError& error) {
        ReportWriteError(error);
        return;
    }
    m_recreateMonth = change == SimeDayChange::Recreate;
    emit Registered();
    accept();
}

void TSetting::reject() {
    try {
        m_session.ReloadSettings();
    } catch (const FileWriteError& error) {
        ReportWriteError(error);
    }
    EscDialog::reject();
}

void TSetting::ReadCurrentButtonClick() {
    m_session.ReadDefaultUserSettings(m_holidays->List());
    m_holidays->Reset();
    FillControls();
}

void TSetting::ReportWriteError(const std::exception& error) {
    m_questions.Ask(text::kAppTitle, error.what(), Buttons::Ok);
}

void TSetting::ChangePassword(QLineEdit* box) {
    if (const std::optional<QString> password = m_passChange->Change(box->text()))
        box->setText(*password);
}

void TSetting::PrintTiltleButtonClick() {
    m_printSetting->Open(*this);
}

void TSetting::PrivateInfoButtonClick() {
    m_privateInfo->exec();
}

bool TSetting::eventFilter(QObject* object, QEvent* event) {
    if ((object == m_passEdit || object == m_kinPassEdit) && event->type() == QEvent::MouseButtonDblClick) {
        ChangePassword(static_cast<QLineEdit*>(object));
        return true;
    }
    return EscDialog::eventFilter(object, event);
}

// ---- Background colours and the icon ----

void TSetting::CellColorComboBoxChange() {
    const int item = std::max(m_cellColorCombo->currentIndex(), 0);
    const auto slot = static_cast<std::size_t>(CellColorSlot(item));
    m_cellColorCheck->setChecked(m_colors.use[slot]);
    QPalette palette = m_cellColorPanel->palette();
    palette.setColor(QPalette::Button, ToQColor(m_colors.color[slot], QApplication::palette()));
    m_cellColorPanel->setPalette(palette);
    m_cellColorPanel->setText(kCellColorNames[static_cast<std::size_t>(item)]);
}

void TSetting::CellColorCheckBoxClick() {
    m_colors.use[static_cast<std::size_t>(CellColorSlot(m_cellColorCombo->currentIndex()))] =
        m_cellColorCheck->isChecked();
}

void TSetting::CellColorPanelClick() {
    if (m_colorDialog == nullptr) {
        m_colorDialog = new QColorDialog(this);
        m_colorDialog->setObjectName(u"CellColorDialog"_s);
    }
    const auto slot = static_cast<std::size_t>(CellColorSlot(m_cellColorCombo->currentIndex()));
    PickCellColor(true, m_colors.color[slot], *m_colorDialog, *m_cellColorPanel);
    CellColorComboBoxChange();
}

void TSetting::IconSelectComboBoxChange() {
    m_iconImage->setPixmap(NotificationIcon(m_iconCombo->currentIndex()).pixmap(32, 32));
}

// ---- The break grid ----

void TSetting::BreakRowCommand(int (*command)(BreakRows&, int)) {
    const QModelIndex current = m_breakGrid->currentIndex();
    if (!current.isValid())
        return;
    // The open cell editor's text belongs to the row it was typed in.
    m_breakGrid->CommitOpenEditor();
    BreakRows rows;
    for (int row = 0; row < kBreakRows; ++row)
        rows[static_cast<std::size_t>(row)] = {FromQString(m_breakModel->item(row, 1)->text()),
                                               FromQString(m_breakModel->item(row, 2)->text())};
    const int cursor = command(rows, current.row() + 1);
    for (int row = 0; row < kBreakRows; ++row) {
        m_breakModel->item(row, 1)->setText(ToQString(rows[static_cast<std::size_t>(row)].first));
        m_breakModel->item(row, 2)->setText(ToQString(rows[static_cast<std::size_t>(row)].second));
    }
    m_breakGrid->setCurrentIndex(m_breakModel->index(cursor - 1, std::max(current.column(), 1)));
}

// The right click that opened the menu may have closed the editor: the command then opens it on the current cell.
void TSetting::EditCommand(const std::function<void(QLineEdit&)>& command) {
    if (QLineEdit* editor = m_breakGrid->CurrentCellEditor())
        command(*editor);
}

} // namespace mitoran
