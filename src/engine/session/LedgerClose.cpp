// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/session/LedgerClose.h"

#include "engine/leave/Ledger.h"
#include "engine/session/UnsavedEdits.h"

namespace mitoran {

bool ConfirmLedgerClose(const Ledger& ledger, bool autoSave, bool shiftHeld, Questions& questions,
                        const std::function<bool()>& save) {
    // Dropped edits need nothing here: the next showing reads the file again.
    return ConfirmLeavingEdits(ledger.IsChanged(), autoSave, shiftHeld, questions, save, [] {});
}

} // namespace mitoran
