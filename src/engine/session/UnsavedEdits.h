// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace mitoran {

class Questions;

// Whether unsaved edits may be left. Without edits they may; with edits they are saved without a question
// when AutoSave is on and Shift is not held; otherwise the save question decides: Yes saves, No drops them
// and Cancel stays. save() returns false when the file could not be written, and the edits then stay.
bool ConfirmLeavingEdits(bool changed, bool autoSave, bool shiftHeld, Questions& questions,
                         const std::function<bool()>& save, const std::function<void()>& drop);

} // namespace mitoran
