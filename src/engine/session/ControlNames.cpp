// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/ControlNames.h"

#include "engine/text/Cp932.h"

#include <algorithm>
#include <vector>

namespace mitoran {

namespace {

struct Entry {
    const char* window;
    const char* control;
    const char* name; // UTF-8
};

// Grouped by window, in each window's order on screen.
constexpr Entry kEntries[] = {
    {"TZangyoMain", "YearMemo", "表示中の年"},
    {"TZangyoMain", "MonthMemo", "表示中の月"},
    {"TZangyoMain", "SyukinMemo", "出勤日数"},
    {"TZangyoMain", "KyujituMemo", "休日出勤日数"},
    {"TZangyoMain", "ZanTMemo", "普通残業時間"},
    {"TZangyoMain", "SZanTMemo", "深夜残業時間"},
    {"TZangyoMain", "KeiTMemo", "残業時間合計"},
    {"TZangyoMain", "MokuTMemo", "目標までの残り残業時間"},
    {"TZangyoMain", "KinmuTMemo", "総勤務時間"},
    {"HelpWindow", "HelpBrowser", "ヘルプの本文"},
    {"TJump", "YearMemo", "移動先の年"},
    {"TJump", "MonthMemo", "移動先の月"},
    {"TPass", "PassEdit", "ﾊﾟｽﾜｰﾄﾞ"},
    {"TPassChangeForm", "PassEdit1", "新しいﾊﾟｽﾜｰﾄﾞ"},
    {"TPassChangeForm", "PassEdit2", "ﾊﾟｽﾜｰﾄﾞの再入力"},
    {"TPrivateInfoForm", "PrivateNameEdit", "個人氏名"},
    {"TPrivateInfoForm", "CSVFileNameEdit", "個人ﾌｧｲﾙ名"},
    {"TPrivateInfoForm", "CSVPrivateInfoEdit", "個人情報"},
    {"TPrintSettingForm", "ZangyoTitleEdit", "残業時間一覧表ﾀｲﾄﾙ(１ヶ月)"},
    {"TPrintSettingForm", "ZangyoPrintMukiComboBox", "残業時間一覧表(１ヶ月)の用紙の向き"},
    {"TPrintSettingForm", "YearTitleEdit", "残業時間一覧表ﾀｲﾄﾙ(期間集計)"},
    {"TPrintSettingForm", "YearPrintMukiComboBox", "残業時間一覧表(期間集計)の用紙の向き"},
    {"TPrintSettingForm", "YukyuTitleEdit", "有給休暇一覧表ﾀｲﾄﾙ"},
    {"TPrintSettingForm", "YukyuPrintMukiComboBox", "有給休暇一覧表の用紙の向き"},
    {"TPrintSettingForm", "NameTitleEdit", "所属と氏名"},
    {"TPrintSettingForm", "TitlePositionComboBox", "一覧表ﾀｲﾄﾙの印刷位置"},
    {"TPrintSettingForm", "TitleFontEdit", "一覧表ﾀｲﾄﾙのﾌｫﾝﾄ"},
    {"TPrintSettingForm", "TitleFontButton", "一覧表ﾀｲﾄﾙのﾌｫﾝﾄを選ぶ"},
    {"TPrintSettingForm", "NamePositionComboBox", "所属と氏名の印刷位置"},
    {"TPrintSettingForm", "NameFontEdit", "所属と氏名のﾌｫﾝﾄ"},
    {"TPrintSettingForm", "NameFontButton", "所属と氏名のﾌｫﾝﾄを選ぶ"},
    {"TPrintSettingForm", "MonthPositionComboBox", "一覧表年月の印刷位置"},
    {"TPrintSettingForm", "MonthFontEdit", "一覧表年月のﾌｫﾝﾄ"},
    {"TPrintSettingForm", "MonthFontButton", "一覧表年月のﾌｫﾝﾄを選ぶ"},
    {"TPrintSettingForm", "ListFontEdit", "一覧表ﾃﾞｰﾀのﾌｫﾝﾄ"},
    {"TPrintSettingForm", "ListFontButton", "一覧表ﾃﾞｰﾀのﾌｫﾝﾄを選ぶ"},
    {"TPrintSettingForm", "PagePositionComboBox", "ﾍﾟｰｼﾞ数の印刷位置"},
    {"TPrintSettingForm", "PageFontEdit", "ﾍﾟｰｼﾞ数のﾌｫﾝﾄ"},
    {"TPrintSettingForm", "PageFontButton", "ﾍﾟｰｼﾞ数のﾌｫﾝﾄを選ぶ"},
    {"TPrintSettingForm", "DatePositionComboBox", "印刷日付の印刷位置"},
    {"TPrintSettingForm", "DateFontEdit", "印刷日付のﾌｫﾝﾄ"},
    {"TPrintSettingForm", "DateFontButton", "印刷日付のﾌｫﾝﾄを選ぶ"},
    {"TSetting", "SimeDayMemo", "残業締日"},
    {"TSetting", "StartMemo", "定時時間の開始時刻"},
    {"TSetting", "EndMemo", "定時時間の終了時刻"},
    {"TSetting", "HandonMemo", "半ドンの開始時刻"},
    {"TSetting", "HandonEndMemo", "半ドンの終了時刻"},
    {"TSetting", "SinyaMemo", "深夜残業の開始時刻"},
    {"TSetting", "SinyaEndMemo", "深夜残業の終了時刻"},
    {"TSetting", "BreakStringGrid", "休憩時間"},
    {"TSetting", "KihonMemo", "基本給額(円)"},
    {"TSetting", "TeateMemo", "手当金額(円)"},
    {"TSetting", "ElseMemo", "その他支給額(円)"},
    {"TSetting", "ZanMemo", "平日普通単価(円)"},
    {"TSetting", "SZanMemo", "平日深夜単価(円)"},
    {"TSetting", "KZanMemo", "休日普通単価(円)"},
    {"TSetting", "KSZanMemo", "休日深夜単価(円)"},
    {"TSetting", "HZanMemo", "法定普通単価(円)"},
    {"TSetting", "HSZanMemo", "法定深夜単価(円)"},
    {"TSetting", "TenbikiMemo", "給与天引き(円)"},
    {"TSetting", "KakeMemo", "手取り掛け率(%)"},
    {"TSetting", "MokuTimeMemo", "目標とする残業時間"},
    {"TSetting", "MokuMemo", "目標とする手取金額(円)"},
    {"TSetting", "HyojunAllMemo", "標準勤務時間(終日)"},
    {"TSetting", "HandonKinmuMemo", "標準勤務時間(半ドン)"},
    {"TSetting", "HyojunAMMemo", "標準勤務時間(午前半休)"},
    {"TSetting", "HyojunPMMemo", "標準勤務時間(午後半休)"},
    {"TSetting", "DaikyuMemo", "代休で減算する残業時間"},
    {"TSetting", "StartTimeComboBox", "出社時刻の調整間隔"},
    {"TSetting", "StartTeijiInComboBox", "起動時の定時入力"},
    {"TSetting", "EndTimeComboBox", "退社時刻の調整間隔"},
    {"TSetting", "EndOverWriteComboBox", "退社時刻の上書き"},
    {"TSetting", "ZangyoTimeComboBox", "残業時間の調整間隔"},
    {"TSetting", "ZanLowLimitMemo", "最低残業時間"},
    {"TSetting", "GridLineSelectComboBox", "区切り線"},
    {"TSetting", "HanDayAMMemo", "午前半休の有給日数"},
    {"TSetting", "HanDayPMMemo", "午後半休の有給日数"},
    {"TSetting", "YearHolidayStringGrid", "祝祭日ｶﾚﾝﾀﾞｰ"},
    {"TSetting", "YukyuMokuZanMemo", "目標残日数"},
    {"TSetting", "YukyuMonthMemo", "有給開始月"},
    {"TSetting", "CellColorComboBox", "背景色の区分"},
    {"TSetting", "CellColorPanel", "背景色を選ぶ"},
    {"TSetting", "PrintFormComboBox", "印刷ﾌｫｰﾑ"},
    {"TSetting", "PrintMemoLenMemo", "ﾒﾓの印刷文字数"},
    {"TSetting", "TopMarginMemo", "上ﾏｰｼﾞﾝ(mm)"},
    {"TSetting", "BottomMarginMemo", "下ﾏｰｼﾞﾝ(mm)"},
    {"TSetting", "LeftMarginMemo", "左ﾏｰｼﾞﾝ(mm)"},
    {"TSetting", "RightMarginMemo", "右ﾏｰｼﾞﾝ(mm)"},
    {"TSetting", "PassEdit", "起動ﾊﾟｽﾜｰﾄﾞ"},
    {"TSetting", "PassChangeButton", "起動ﾊﾟｽﾜｰﾄﾞの変更..."},
    {"TSetting", "KinPassEdit", "金額ﾊﾟｽﾜｰﾄﾞ"},
    {"TSetting", "KinPassChangeButton", "金額ﾊﾟｽﾜｰﾄﾞの変更..."},
    {"TSetting", "IconSelectComboBox", "ｱｲｺﾝ"},
    {"TTotal", "KihonMemo", "基本給(円)"},
    {"TTotal", "TeateMemo", "手当金額(円)"},
    {"TTotal", "ElseMemo", "その他(円)"},
    {"TTotal", "ZanMemo", "平日普通単価(円)"},
    {"TTotal", "SZanMemo", "平日深夜単価(円)"},
    {"TTotal", "KZanMemo", "休日普通単価(円)"},
    {"TTotal", "KSZanMemo", "休日深夜単価(円)"},
    {"TTotal", "HZanMemo", "法定普通単価(円)"},
    {"TTotal", "HSZanMemo", "法定深夜単価(円)"},
    {"TTotal", "TenbikiMemo", "天引き(円)"},
    {"TTotal", "MokuMemo", "目標手取(円)"},
    {"TTotal", "MokuTimeMemo", "目標残業時間"},
    {"TTotal", "KakeMemo", "掛け率(%)"},
    {"TTotal", "HeijituMemo", "会社平日日数"},
    {"TTotal", "KyujituMemo", "会社休日日数"},
    {"TTotal", "HeiSyukinMemo", "平日出勤日数"},
    {"TTotal", "KyuSyukinMemo", "休日出勤日数"},
    {"TTotal", "SyukinKeiMemo", "出勤合計日数"},
    {"TTotal", "YuuKyuMemo", "有給休暇日数"},
    {"TTotal", "DaikyuMemo", "代休日数"},
    {"TTotal", "KeeKinMemo", "欠勤日数"},
    {"TTotal", "GeeKeiMemo", "月計日数"},
    {"TTotal", "ChikokuMemo", "遅刻日数"},
    {"TTotal", "SoutaiMemo", "早退日数"},
    {"TTotal", "ZanTMemo", "平日普通残業時間"},
    {"TTotal", "SZanTMemo", "平日深夜残業時間"},
    {"TTotal", "KZanTMemo", "休日普通残業時間"},
    {"TTotal", "KSZanTMemo", "休日深夜残業時間"},
    {"TTotal", "HZanTMemo", "法定普通残業時間"},
    {"TTotal", "HSZanTMemo", "法定深夜残業時間"},
    {"TTotal", "TZanTMemo", "普通残業合計時間"},
    {"TTotal", "TSZanTMemo", "深夜残業合計時間"},
    {"TTotal", "TKeiTMemo", "残業合計時間"},
    {"TTotal", "KinmuTimeMemo", "勤務時間"},
    {"TTotal", "SyusyaMemo", "平均出社時刻"},
    {"TTotal", "TaisyaMemo", "平均退社時刻"},
    {"TTotal", "ZanheiMemo", "平均残業時間"},
    {"TTotal", "MokuTMemo", "目標までの残業時間"},
    {"TTotal", "ZanKinMemo", "残業手当(円)"},
    {"TTotal", "SikyuMemo", "支給合計(円)"},
    {"TTotal", "TedoriMemo", "手取金額(円)"},
    {"TVacDel", "DelNoMemo", "削除する件数"},
    {"TVacDel2", "DeleteTimePicker", "この日以前を削除"},
    {"TYearTotal", "StartYearMemo", "集計開始年"},
    {"TYearTotal", "StartMonthMemo", "集計開始月"},
    {"TYearTotal", "EndYearMemo", "集計終了年"},
    {"TYearTotal", "EndMonthMemo", "集計終了月"},
    {"TYearTotal", "MonthStringGrid", "期間集計の一覧"},
    {"TYuuKyu", "KuriZanMemo", "繰越残日数"},
    {"TYuuKyu", "NowZanMemo", "現在残日数"},
    {"TYuuKyu", "VacStringGrid", "有給休暇の一覧"},
    {"TLimitForm", "LimitStringGrid", "36協定の一覧"},
};

const std::vector<ControlName>& AllNames() {
    static const std::vector<ControlName> names = [] {
        std::vector<ControlName> converted;
        for (const Entry& entry : kEntries)
            converted.push_back({entry.window, entry.control, Utf8ToCp932(entry.name)});
        return converted;
    }();
    return names;
}

} // namespace

std::span<const ControlName> ControlNamesOf(std::string_view window) {
    const auto& names = AllNames();
    const auto first = std::ranges::find(names, window, &ControlName::window);
    const auto last =
        std::find_if(first, names.end(), [window](const ControlName& name) { return name.window != window; });
    return {first, last};
}

} // namespace mitoran
