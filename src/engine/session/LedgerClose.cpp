// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/LedgerClose.h"

#include "engine/leave/Ledger.h"
#include "engine/session/Questions.h"
#include "engine/text/Texts.h"

namespace mitoran {

bool ConfirmLedgerClose(const Ledger& ledger, bool autoSave, bool shiftHeld, Questions& questions,
                        const std::function<bool()>& save) {
    if (!ledger.IsChanged())
        return true;
    if (autoSave && !shiftHeld)
        return save();
    switch (questions.Ask(text::kSaveCaption, text::kSaveQuestion, Buttons::YesNoCancel)) {
    case Answer::Yes:
        return save();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace mitoran
