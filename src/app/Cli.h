// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// The command-line program over the same engine, settings store and data folder as the desktop program.
namespace mitoran {

class Clock;
class Folders;
class SettingsStore;
struct PrintDocument;

enum CliExit : int { kCliOk = 0, kCliFileError = 1, kCliUsage = 2, kCliNotOverwritten = 3 };

// The bytes of a laid-out document as a PDF file: the program's painter, which the "pdf" commands need.
using PdfRenderer = std::function<std::string(const PrintDocument&)>;

// Runs one command; arguments (without the program name) and output are UTF-8. The clock gives "now" to
// the commands that stamp a time without --at, and the print date of a PDF.
int RunCli(const std::vector<std::string>& arguments, SettingsStore& store, const Folders& folders, const Clock& clock,
           std::ostream& out, std::ostream& err, const PdfRenderer& renderPdf = {});

} // namespace mitoran
