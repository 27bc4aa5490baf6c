// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace mitoran {

class Questions;
struct Settings;

// The CSV export of a window: the save dialog ("CSVﾌｧｲﾙ", overwrite asked) opens in "SaveInitialDir" with the
// proposed name (CP932); on OK the chosen folder becomes "SaveInitialDir", the settings are saved and the bytes
// replace the file whole. A refused write is reported with its message and leaves the old file as it was.
void ExportCsvFile(QWidget* parent, Settings& settings, const std::string& proposedName, const std::string& bytes,
                   const std::function<void()>& saveSettings, Questions& questions);

} // namespace mitoran
