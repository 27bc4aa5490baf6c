// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/text/FileStamp.h"
#include "engine/text/WriterLock.h"

#include <filesystem>
#include <functional>

// Saving a file that another program (the command line, a second window) may have written since it was
// loaded: the other program's work is never overwritten without the user's word.
namespace mitoran {

class Questions;

enum class SaveOutcome {
    Saved,    // the file was written
    Reloaded, // the file on disk was taken instead; edits of it were dropped
    Kept,     // nothing was written or read: the edits stay and the file stays
};

// Writes the file when it is still the one loaded (the stamp). When it changed, it is reloaded if there are
// no edits to lose; otherwise "%s は他で変更されています。上書きしますか？" decides: Yes writes, No reloads, Cancel
// keeps both. The check with its write or reload runs under the writer lock (`hold` takes it), the question
// without it, so that no other program waits for the user. write, reload and hold may throw; the exception
// passes through.
SaveOutcome SaveUnlessChangedElsewhere(const std::filesystem::path& path, const FileStamp& loaded, bool edited,
                                       Questions& questions, const std::function<void()>& write,
                                       const std::function<void()>& reload,
                                       const std::function<WriterLockHold()>& hold);

} // namespace mitoran
