// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar/DayCategory.h"

#include "engine/text/Cp932.h"

namespace mitoran {

const std::array<KubunInfo, kKubunCount>& KubunTable() {
    static const std::array<KubunInfo, kKubunCount> table{{
        {Kubun::Normal, "  ", Utf8ToCp932("(なし)"), "    "},
        {Kubun::Holiday, Utf8ToCp932("○"), Utf8ToCp932("休日"), Utf8ToCp932("休日")},
        {Kubun::Yukyu, Utf8ToCp932("有"), Utf8ToCp932("有給"), Utf8ToCp932("有給")},
        {Kubun::Gozen, Utf8ToCp932("前"), Utf8ToCp932("午前"), Utf8ToCp932("午前")},
        {Kubun::Gogo, Utf8ToCp932("後"), Utf8ToCp932("午後"), Utf8ToCp932("午後")},
        {Kubun::Daikyu, Utf8ToCp932("代"), Utf8ToCp932("代休"), Utf8ToCp932("代休")},
        {Kubun::Kekkin, Utf8ToCp932("欠"), Utf8ToCp932("欠勤"), Utf8ToCp932("欠勤")},
        {Kubun::Handon, Utf8ToCp932("半"), Utf8ToCp932("半ドン"), Utf8ToCp932("半ド")},
    }};
    return table;
}

const KubunInfo& InfoOf(Kubun kubun) {
    return KubunTable()[static_cast<std::size_t>(kubun)];
}

namespace {
std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
} // namespace

std::optional<Kubun> KubunOfMark(std::string_view mark) {
    const std::string_view trimmed = TrimBlanks(mark);
    for (const KubunInfo& info : KubunTable()) {
        if (TrimBlanks(info.mark) == trimmed)
            return info.kubun;
    }
    return std::nullopt;
}

} // namespace mitoran
