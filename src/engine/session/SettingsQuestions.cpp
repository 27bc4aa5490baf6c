// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/SettingsQuestions.h"

#include "engine/session/Questions.h"
#include "engine/text/Texts.h"

namespace mitoran {

SimeDayChange AskSimeDayChange(int shownSimeDay, int newSimeDay, Questions& questions) {
    if (shownSimeDay == newSimeDay)
        return SimeDayChange::Unchanged;
    switch (questions.AskStyled(text::kSimeDayChangeCaption, text::kSimeDayChangeQuestion, Buttons::YesNoCancel,
                                QuestionIcon::Question, Answer::No)) {
    case Answer::Yes:
        return SimeDayChange::Recreate;
    case Answer::No:
        return SimeDayChange::Keep;
    default:
        return SimeDayChange::Cancel;
    }
}

std::optional<std::string> ConfirmNewPassword(std::string_view first, std::string_view second, Questions& questions) {
    if (first == second)
        return std::string(first);
    questions.AskStyled(text::kPasswordErrorCaption, text::kPasswordMismatch, Buttons::Ok, QuestionIcon::Error,
                        Answer::Ok);
    return std::nullopt;
}

std::optional<std::string> RefusedPrintPosition(const PrintPositions& positions, Questions& questions) {
    const std::optional<PositionConflict> conflict = CheckPrintPositions(positions);
    if (!conflict)
        return std::nullopt;
    questions.AskStyled(text::kSettingErrorCaption, conflict->message, Buttons::Ok, QuestionIcon::Warning, Answer::Ok);
    return conflict->control;
}

} // namespace mitoran
