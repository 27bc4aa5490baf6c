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
                                       const std::function<void()>& reload,
                                       const std::function<WriterLockHold()>& hold) {
    {
        const WriterLockHold held = hold();
        if (!FileChangedSince(path, loaded)) {
            write();
            return SaveOutcome::Saved;
        }
        if (!edited) {
            reload();
            return SaveOutcome::Reloaded;
        }
    }
    const Answer answer = AskOverwrite(path, questions);
    if (answer == Answer::Cancel)
        return SaveOutcome::Kept;
    const WriterLockHold held = hold();
    if (answer == Answer::No) {
        reload();
        return SaveOutcome::Reloaded;
    }
    write();
    return SaveOutcome::Saved;
}

} // namespace mitoran
