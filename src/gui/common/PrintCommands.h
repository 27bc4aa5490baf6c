// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/print/PrintLayout.h"

#include <functional>
#include <string>

class QWidget;

// The two print commands every list window offers: "印刷(&P)..." and "PDFに保存...".
namespace mitoran {

class Questions;
struct Settings;

// The print preview of the list, laid out on the printer's paper and turned as the list says (or as the preview
// turns it); the preview's print button asks for the printer with the system's print dialog.
void ShowPrintPreview(QWidget* parent, const PrintList& list, const Settings& settings, const std::string& printDate);

// The save dialog with the proposed name (".pdf"), then the list on A4 written as one PDF file, whole or not at
// all; the chosen folder becomes "SaveInitialDir" as with the CSV exports.
void SavePdfFile(QWidget* parent, Settings& settings, const std::string& proposedName, const PrintList& list,
                 const std::string& printDate, const std::function<void()>& saveSettings, Questions& questions);

} // namespace mitoran
