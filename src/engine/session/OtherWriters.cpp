// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/OtherWriters.h"

#include "engine/session/Questions.h"
#include "engine/text/Texts.h"
#include "engine/text/Util.h"

namespace mitoran {

namespace {

Answer AskOverwrite(const std::filesystem::path& path, Questions& questions) {
    return questions.AskStyled(text::kSaveCaption, ReplaceAllText(text::kChangedElsewhere, "%s", ShownPath(path)),
                               Buttons::YesNoCancel, QuestionIcon::Warning, Answer::Cancel);
}

} // namespace

SaveOutcome SaveUnlessChangedElsewhere(const std::filesystem::path& path, const FileStamp& loaded, bool edited,
                                       Questions& questions, const std::function<void()>& write,
                                       const std::function<void()>& reload) {
    if (FileChangedSince(path, loaded)) {
        const Answer answer = edited ? AskOverwrite(path, questions) : Answer::No;
        if (answer == Answer::Cancel)
            return SaveOutcome::Kept;
        if (answer == Answer::No) {
            reload();
            return SaveOutcome::Reloaded;
        }
    }
    write();
    return SaveOutcome::Saved;
}

} // namespace mitoran
