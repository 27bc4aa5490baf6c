// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pay/TotalForm.h"

#include "engine/session/WindowPlacement.h"
#include "engine/text/Util.h"
#include "engine/totals/PayAmounts.h"
#include "gui/common/Accessibility.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

const char* const kClassName = "TTotal";
constexpr int kFieldCharacters = 10;

} // namespace

TTotal::TTotal(SettingsStore& store, std::string startUser, QWidget* parent)
    : EscDialog(parent), m_store(store), m_startUser(std::move(startUser)) {
    FormCreate();
}

void TTotal::FormCreate() {
    setObjectName(QString::fromLatin1(kClassName));
    setWindowTitle(u"給与金額"_s);
    auto* layout = new QGridLayout(this);
    layout->addWidget(FieldGroup(u"金額設定"_s, {{{u"KihonMemo", u"基本給"},
                                                  {u"TeateMemo", u"手当金額"},
                                                  {u"ElseMemo", u"その他"},
                                                  {u"TenbikiMemo", u"天引き"},
                                                  {u"MokuMemo", u"目標手取"},
                                                  {u"MokuTimeMemo", u"目標残業"},
                                                  {u"KakeMemo", u"掛け率"}},
                                                 {{u"ZanMemo", u"平日普通"},
                                                  {u"SZanMemo", u"平日深夜"},
                                                  {u"KZanMemo", u"休日普通"},
                                                  {u"KSZanMemo", u"休日深夜"},
                                                  {u"HZanMemo", u"法定普通"},
                                                  {u"HSZanMemo", u"法定深夜"}}}),
                      0, 0);
    layout->addWidget(FieldGroup(u"勤務状態"_s, {{{u"HeijituMemo", u"会社平日"},
                                                  {u"KyujituMemo", u"会社休日"},
                                                  {u"HeiSyukinMemo", u"平日出勤"},
                                                  {u"KyuSyukinMemo", u"休日出勤"},
                                                  {u"SyukinKeiMemo", u"出勤合計"},
                                                  {u"YuuKyuMemo", u"有給休暇"},
                                                  {u"DaikyuMemo", u"代休日数"},
                                                  {u"KeeKinMemo", u"欠勤日数"},
                                                  {u"GeeKeiMemo", u"月計日数"},
                                                  {u"ChikokuMemo", u"遅刻日数"},
                                                  {u"SoutaiMemo", u"早退日数"}},
                                                 {{u"ZanTMemo", u"平日普通"},
                                                  {u"SZanTMemo", u"平日深夜"},
                                                  {u"KZanTMemo", u"休日普通"},
                                                  {u"KSZanTMemo", u"休日深夜"},
                                                  {u"HZanTMemo", u"法定普通"},
                                                  {u"HSZanTMemo", u"法定深夜"},
                                                  {u"TZanTMemo", u"普通合計"},
                                                  {u"TSZanTMemo", u"深夜合計"},
                                                  {u"TKeiTMemo", u"残業合計"},
                                                  {u"KinmuTimeMemo", u"勤務時間"}},
                                                 {{u"SyusyaMemo", u"平均出社"},
                                                  {u"TaisyaMemo", u"平均退社"},
                                                  {u"ZanheiMemo", u"平均残業"},
                                                  {u"MokuTMemo", u"目標まで"}}}),
                      0, 1, 2, 1);
    layout->addWidget(
        FieldGroup(u"合計金額"_s,
                   {{{u"ZanKinMemo", u"残業手当"}, {u"SikyuMemo", u"支給合計"}, {u"TedoriMemo", u"手取金額"}}}),
        1, 0);

    auto* okButton = NamedButton(u"OkButton"_s, u"OK"_s, this);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &TTotal::OkButtonClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    layout->addLayout(buttons, 2, 0, 1, 2);

    for (const PayField& field : PayFields(PayView{})) {
        if (!field.isTime)
            continue;
        const QString name = QString::fromLatin1(field.name);
        connect(findChild<QLineEdit*>(name), &QLineEdit::textChanged, this, [this, name] { TimeMemoChange(name); });
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
    const QSize size = sizeHint();
    const WindowPosition position =
        WindowPlacementStore(m_store, m_startUser)
            .RestorePosition(kClassName, {size.height(), size.width()}, {ScreenPixelHeight(), ScreenPixelWidth()});
    move(position.left, position.top);
}

// Captions left of their read-only fields, one grid column pair per list.
QGroupBox* TTotal::FieldGroup(const QString& title, std::initializer_list<std::initializer_list<Field>> columns) {
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    int column = 0;
    for (const auto& fields : columns) {
        int row = 0;
        for (const Field& field : fields) {
            const QString name = QString::fromUtf16(field.name);
            auto* memo = new QLineEdit(group);
            memo->setObjectName(name);
            memo->setReadOnly(true);
            memo->setFocusPolicy(Qt::NoFocus);
            memo->setAlignment(Qt::AlignRight);
            memo->setFixedWidth(memo->fontMetrics().horizontalAdvance(u'0') * kFieldCharacters + 8);
            grid->addWidget(new QLabel(QString::fromUtf16(field.caption), group), row, column);
            grid->addWidget(memo, row, column + 1);
            if (name == u"KakeMemo"_s) {
                auto* unit = new QLabel(u"%"_s, group);
                unit->setObjectName(name + u"Unit"_s);
                grid->addWidget(unit, row, column + 2);
            }
            ++row;
        }
        column += 3;
    }
    return group;
}

void TTotal::ShowPayView(const PayView& view) {
    for (const PayField& field : PayFields(view)) {
        auto* memo = findChild<QLineEdit*>(QString::fromLatin1(field.name));
        memo->setText(ToQString(field.text));
        memo->setEnabled(field.enabled);
    }
}

// A time below zero shows red.
void TTotal::TimeMemoChange(const QString& name) {
    auto* memo = findChild<QLineEdit*>(name);
    QPalette palette = memo->palette();
    const bool negative = TimeTextToMinutes(FromQString(memo->text())) < 0;
    palette.setColor(QPalette::Text, negative ? AlertTextColor() : QApplication::palette().color(QPalette::Text));
    memo->setPalette(palette);
}

void TTotal::showEvent(QShowEvent* event) {
    EscDialog::showEvent(event);
    findChild<QPushButton*>(u"OkButton"_s)->setFocus();
}

void TTotal::OkButtonClick() {
    accept();
}

// Closing only hides the window; its position is kept for the next run.
void TTotal::done(int result) {
    FormDestroy();
    EscDialog::done(result);
}

void TTotal::FormDestroy() {
    WindowPlacementStore(m_store, m_startUser).SavePosition(kClassName, {y(), x()});
}

} // namespace mitoran
