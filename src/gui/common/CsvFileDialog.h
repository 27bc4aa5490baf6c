// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace mitoran {

class Questions;
struct Settings;

// The kind of file an export writes: the save dialog's filter and the suffix it adds.
struct ExportKind {
    QString filter;
    QString suffix;
};

// The export of a window: the save dialog (overwrite asked) opens in "SaveInitialDir" with the proposed name
// (CP932); on OK the chosen folder becomes "SaveInitialDir", the settings are saved and the bytes replace the file
// whole. A refused write is reported with its message and leaves the old file as it was.
void ExportFile(QWidget* parent, Settings& settings, const ExportKind& kind, const std::string& proposedName,
                const std::function<std::string()>& bytes, const std::function<void()>& saveSettings,
                Questions& questions);

// ExportFile of "CSVﾌｧｲﾙ".
void ExportCsvFile(QWidget* parent, Settings& settings, const std::string& proposedName, const std::string& bytes,
                   const std::function<void()>& saveSettings, Questions& questions);

} // namespace mitoran
