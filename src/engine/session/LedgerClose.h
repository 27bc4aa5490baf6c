// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace mitoran {

class Ledger;
class Questions;

// Whether the paid-leave window may close. An unchanged ledger passes; a changed one is saved without a
// question when AutoSave is on and Shift is not held; otherwise Yes saves, No drops the edits (the next
// showing reads the file again) and Cancel stays. save() returns false when the file could not be written,
// and then the window stays open.
bool ConfirmLedgerClose(const Ledger& ledger, bool autoSave, bool shiftHeld, Questions& questions,
                        const std::function<bool()>& save);

} // namespace mitoran
