// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/UnsavedEdits.h"

#include "engine/session/Questions.h"
#include "engine/text/Texts.h"

namespace mitoran {

bool ConfirmLeavingEdits(bool changed, bool autoSave, bool shiftHeld, Questions& questions,
                         const std::function<bool()>& save, const std::function<void()>& drop) {
    if (!changed)
        return true;
    if (autoSave && !shiftHeld)
        return save();
    switch (questions.Ask(text::kSaveCaption, text::kSaveQuestion, Buttons::YesNoCancel)) {
    case Answer::Yes:
        return save();
    case Answer::No:
        drop();
        return true;
    default:
        return false;
    }
}

} // namespace mitoran
