// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/CsvFileDialog.h"

#include "engine/session/Questions.h"
#include "engine/settings/Settings.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/Texts.h"
#include "platform/Cp932Qt.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <filesystem>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

void ExportFile(QWidget* parent, Settings& settings, const ExportKind& kind, const std::string& proposedName,
                const std::function<std::string()>& bytes, const std::function<void()>& saveSettings,
                Questions& questions) {
    QFileDialog dialog(parent);
    dialog.setObjectName(u"SaveDialog"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(kind.filter);
    dialog.setDefaultSuffix(kind.suffix);
    dialog.setDirectory(ToQString(settings.SaveInitialDir));
    dialog.selectFile(ToQString(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString file = dialog.selectedFiles().constFirst();
    settings.SaveInitialDir = FromQString(QDir::toNativeSeparators(QFileInfo(file).absolutePath()));
    saveSettings();
    try {
        WriteExportFile(std::filesystem::path(file.toStdU16String()), bytes());
    } catch (const FileWriteError& error) {
        questions.Ask(text::kAppTitle, error.what(), Buttons::Ok);
    }
}

void ExportCsvFile(QWidget* parent, Settings& settings, const std::string& proposedName, const std::string& bytes,
                   const std::function<void()>& saveSettings, Questions& questions) {
    ExportFile(
        parent, settings, {u"CSVﾌｧｲﾙ (*.csv)"_s, u"csv"_s}, proposedName, [&bytes] { return bytes; }, saveSettings,
        questions);
}

} // namespace mitoran
