// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/text/Cp932.h"

#include <string>

// The engine's Japanese texts, converted once to CP932 bytes at start-up. Inline variables are
// initialised before any later definition in each file that includes this header, so other globals
// may use them.
namespace mitoran::text {

// Weekday names, Sunday first.
inline const std::string kSunday = Utf8ToCp932("日");
inline const std::string kMonday = Utf8ToCp932("月");
inline const std::string kTuesday = Utf8ToCp932("火");
inline const std::string kWednesday = Utf8ToCp932("水");
inline const std::string kThursday = Utf8ToCp932("木");
inline const std::string kFriday = Utf8ToCp932("金");
inline const std::string kSaturday = Utf8ToCp932("土");

// Default print titles, header and font face of the settings.
inline const std::string kDefaultZangyoTitle = Utf8ToCp932("残業時間一覧表");
inline const std::string kDefaultYukyuTitle = Utf8ToCp932("有給休暇一覧表");
inline const std::string kDefaultNameTitle = Utf8ToCp932("所属：ＸＸＸＸＸ課  氏名：ＸＸ ＸＸ");
inline const std::string kDefaultPrintFont = Utf8ToCp932("ＭＳ ゴシック");

// Messages.
inline const std::string kCannotWrite = Utf8ToCp932("%s に書き込めません");
inline const std::string kFolderReadableByOthers = Utf8ToCp932("データフォルダ %s は他のユーザーからも読めます");
inline const std::string kMadePrivate = Utf8ToCp932("%s を本人だけが読み書きできるようにしました");
inline const std::string kWriterLockBusy = Utf8ToCp932("%s が書き込み中です。何も書き込んでいません");
inline const std::string kAnotherProgram = Utf8ToCp932("別のプログラム");
inline const std::string kProcessNumber = Utf8ToCp932("プロセス %s");

// Paid-leave ledger: the categories without a day category of their own, and the weekday of a date
// that does not exist.
inline const std::string kLeaveIncrease = Utf8ToCp932("増加");
inline const std::string kLeaveDecrease = Utf8ToCp932("減少");
inline const std::string kLeaveOther = Utf8ToCp932("ｿﾉ他");
inline const std::string kUnknownWeekday = Utf8ToCp932("？");
inline const std::string kLedgerCsvName = Utf8ToCp932("有給休暇.csv");
inline const std::string kLedgerCsvHeader = Utf8ToCp932("No,日付,曜日,区分,日数,残数,メモ");
inline const std::string kKuriZanLabel = Utf8ToCp932("繰越残日数");
inline const std::string kNowZanLabel = Utf8ToCp932("現在残日数");

// National holidays computed by rule, the one-off days, and the days off that follow from them.
inline const std::string kSeijinNoHi = Utf8ToCp932("成人の日");
inline const std::string kShunbunNoHi = Utf8ToCp932("春分の日");
inline const std::string kShuubunNoHi = Utf8ToCp932("秋分の日");
inline const std::string kTaiikuNoHi = Utf8ToCp932("体育の日");
inline const std::string kSportsNoHi = Utf8ToCp932("スポーツの日");
inline const std::string kUmiNoHi = Utf8ToCp932("海の日");
inline const std::string kYamaNoHi = Utf8ToCp932("山の日");
inline const std::string kKeirouNoHi = Utf8ToCp932("敬老の日");
inline const std::string kTennouTanjoubi = Utf8ToCp932("天皇誕生日");
inline const std::string kMidoriNoHi = Utf8ToCp932("みどりの日");
inline const std::string kShouwaNoHi = Utf8ToCp932("昭和の日");
inline const std::string kSokuiReiSeidenNoGi = Utf8ToCp932("即位礼正殿の儀");
inline const std::string kKoutaishiKekkonNoGi = Utf8ToCp932("皇太子徳仁親王の結婚の儀");
inline const std::string kSokuiNoHi = Utf8ToCp932("即位の日");
inline const std::string kKokuminNoKyujitu = Utf8ToCp932("国民の休日");
inline const std::string kFurikaeKyujitu = Utf8ToCp932("振替休日");

// Holiday list: the fixed-date national holidays it starts with, and its date and mark texts.
inline const std::string kGantan = Utf8ToCp932("元旦");
inline const std::string kKenkokuKinenNoHi = Utf8ToCp932("建国記念の日");
inline const std::string kKenpouKinenbi = Utf8ToCp932("憲法記念日");
inline const std::string kKodomoNoHi = Utf8ToCp932("こどもの日");
inline const std::string kBunkaNoHi = Utf8ToCp932("文化の日");
inline const std::string kKinrouKanshaNoHi = Utf8ToCp932("勤労感謝の日");
inline const std::string kMonthSuffix = Utf8ToCp932("月");
inline const std::string kDaySuffix = Utf8ToCp932("日");
inline const std::string kHolidayListMark = Utf8ToCp932(" ○ ");

// Main window and start-up.
inline const std::string kAppTitle = Utf8ToCp932("ミトラン");
inline const std::string kCurrentUserCaption = Utf8ToCp932("(ｶﾚﾝﾄ)");
inline const std::string kSaveCaption = Utf8ToCp932("保存確認");
inline const std::string kStartErrorCaption = Utf8ToCp932("起動ｴﾗｰ");
inline const std::string kWatcherStartFailed = Utf8ToCp932("Kestorw.exeの起動に失敗しました。");
// The start user's name when it would leave the data folder (%s: the name).
inline const std::string kUnusableUserName = Utf8ToCp932("ﾕｰｻﾞｰ名 %s は使えません。");
inline const std::string kSaveQuestion = Utf8ToCp932("ﾃﾞｰﾀが変更されています。保存しますか？");
inline const std::string kChangedElsewhere = Utf8ToCp932("%s は他で変更されています。上書きしますか？");
inline const std::string kPasswordErrorCaption = Utf8ToCp932("ﾊﾟｽﾜｰﾄﾞｴﾗｰ");
inline const std::string kPasswordWrong = Utf8ToCp932("ﾊﾟｽﾜｰﾄﾞが違います。");
inline const std::string kPresetPasteSuffix = Utf8ToCp932(" を貼り付け");

// Settings dialogs: the closing-day question, the password change and the print positions.
inline const std::string kSimeDayChangeCaption = Utf8ToCp932("締日変更確認");
inline const std::string kSimeDayChangeQuestion = Utf8ToCp932(
    "今月のﾃﾞｰﾀを新しい締日で、初期化作成しますか？\n初期化作成すると、今月の入力済みﾃﾞｰﾀはすべて消去されます。");
inline const std::string kPasswordMismatch = Utf8ToCp932("入力された2つのﾊﾟｽﾜｰﾄﾞが異なります。");
inline const std::string kSettingErrorCaption = Utf8ToCp932("設定エラー");
inline const std::string kPagePositionConflict =
    Utf8ToCp932("[ﾍﾟｰｼﾞ数]と[印刷日付]の印刷位置を同じ設定にする事はできません。");
inline const std::string kNamePositionConflict =
    Utf8ToCp932("[所属と氏名]と[一覧表年月]の印刷位置を同じ設定にする事はできません。");
inline const std::string kFontSamplePrefix = Utf8ToCp932("あいうABC123  ");
inline const std::string kFontSamplePoints = Utf8ToCp932("ﾎﾟｲﾝﾄ");

// Time entry: the stamp dialog's words and the manual entry dialog's value words and phrases.
inline const std::string kArrivalWord = Utf8ToCp932("出社時刻");
inline const std::string kLeavingWord = Utf8ToCp932("退社時刻");
inline const std::string kAutoInputSuffix = Utf8ToCp932("自動入力");
inline const std::string kNo = Utf8ToCp932("の");
inline const std::string kAutoInputHelpSuffix = Utf8ToCp932("を自動入力します。");
inline const std::string kZangyoWord = Utf8ToCp932("普通残業時間");
inline const std::string kShinyaWord = Utf8ToCp932("深夜残業時間");
inline const std::string kKinmuWord = Utf8ToCp932("勤務時間");
inline const std::string kInputSuffix = Utf8ToCp932("入力");
inline const std::string kNoCalcCaptionSuffix = Utf8ToCp932("を[再計算]の対象外とする");
inline const std::string kNoCalcHintPrefix = Utf8ToCp932("ﾁｪｯｸすると");
inline const std::string kNoCalcHintSuffix = Utf8ToCp932("が[再計算]の対象外となります。");
inline const std::string kManualHintPrefix = Utf8ToCp932("任意の");
inline const std::string kManualHintSuffix = Utf8ToCp932("を入力します。");

// CSV files: the month's and the period totals' names, headers and row labels.
inline const std::string kYearSuffix = Utf8ToCp932("年");
inline const std::string kMonthCsvHeader = Utf8ToCp932("日付,曜日,休日,出勤,退社,普通,深夜,合計,勤務,メモ");
inline const std::string kTotalLabel = Utf8ToCp932("合計");
inline const std::string kAverageLabel = Utf8ToCp932("平均");
inline const std::string kMaximumLabel = Utf8ToCp932("最高");
inline const std::string kMinimumLabel = Utf8ToCp932("最低");
inline const std::string kPeriodCsvHeader =
    Utf8ToCp932("年月,平日出勤,休日出勤,出勤合計,有給休暇,代休,欠勤,普通残業,深夜残業,残業合計,勤務時間");
inline const std::string kPeriodNameSeparator = Utf8ToCp932("～");

// Period totals: the summary rows as the table and the CSV file label them, and the refused range.
inline const std::string kPeriodTotalRow = Utf8ToCp932(" 合 計 ");
inline const std::string kPeriodAverageRow = Utf8ToCp932(" 平 均 ");
inline const std::string kPeriodMaximumRow = Utf8ToCp932(" 最 高 ");
inline const std::string kPeriodMinimumRow = Utf8ToCp932(" 最 低 ");
inline const std::string kPeriodRangeCaption = Utf8ToCp932("集計期間ｴﾗｰ");
inline const std::string kPeriodRangeRefused = Utf8ToCp932("集計期間の設定が異常です。");
// The span of days the main window shows in place of a month: 1 to 31 days.
inline const std::string kSpanRefusedCaption = Utf8ToCp932("集計期間ｴﾗｰ");
inline const std::string kSpanRefused = Utf8ToCp932("集計期間を正しく設定して下さい。");

} // namespace mitoran::text
