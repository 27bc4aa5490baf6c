// SPDX-License-Identifier: GPL-3.0-or-later
// "span FIRST LAST [--pay]": a span of 1 to 31 days as the main window shows it, calculated and never saved.
#include "app/cli/CliCommand.h"
#include "app/cli/CliHelp.h"
#include "app/cli/CliSupport.h"
#include "app/cli/MonthPrint.h"
#include "engine/session/Session.h"
#include "engine/text/Cp932.h"
#include "engine/text/Texts.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace mitoran {

namespace {

struct SpanWords {
    std::string first;
    std::string last;
    bool pay = false;
    bool passwordStdin = false;
};

int RunSpan(const SpanWords& words, CliEnvironment& environment) {
    const std::optional<CalendarDate> first = ParseDate(words.first);
    const std::optional<CalendarDate> last = ParseDate(words.last);
    if (!first || !last)
        return UsageError(environment.err);
    if (!SpanDays({*first, *last})) {
        environment.err << Cp932ToUtf8(text::kSpanRefused) << '\n';
        return kCliUsage;
    }
    return InSession(
        environment,
        [&](Session& session) {
            if (words.pay && !AmountsAllowed(environment, session, words.passwordStdin))
                return static_cast<int>(kCliUsage);
            session.ShowSpan({*first, *last});
            environment.out << words.first << " - " << words.last << "  " << session.Location().dataFolder.string()
                            << '\n';
            PrintDays(session.sheet, environment.out);
            PrintSummary(session.sheet, environment.out);
            if (words.pay)
                PrintPayFields(session, environment.out);
            return static_cast<int>(kCliOk);
        },
        true);
}

} // namespace

void AddSpanCommand(CLI::App& app, CliAction& chosen) {
    auto words = std::make_shared<SpanWords>();
    CLI::App* command = AddCommand(app, "span", "span YYYY-MM-DD YYYY-MM-DD [--pay [--password-stdin]]",
                                   "1〜31日の任意期間の各日と集計を show と同じ形で表示する（何も書き込まない）");
    AddWord(*command, "first", words->first, "YYYY-MM-DD", "期間の最初の日");
    AddWord(*command, "last", words->last, "YYYY-MM-DD", "期間の最後の日");
    CLI::Option* pay =
        command->add_flag("--pay", words->pay, "給与金額の各欄も表示する（金額のパスワードがあれば尋ねる）");
    AddPasswordStdin(*command, words->passwordStdin);
    command->get_option("--password-stdin")->needs(pay);
    command->callback([&chosen, words] {
        chosen.run = [words](CliEnvironment& environment) { return RunSpan(*words, environment); };
    });
}

} // namespace mitoran
