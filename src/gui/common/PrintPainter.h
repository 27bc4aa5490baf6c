// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/print/PrintLayout.h"

#include <QFont>

#include <string>

class QPagedPaintDevice;

// Draws laid-out pages on any paged device (printer, PDF, preview) and writes a document as PDF bytes.
namespace mitoran {

// The print font of a face and size; a face the machine lacks falls back to the program's Japanese font.
QFont PrintFontOf(const PrintFont& font);

// Paints every page; the device's page is the document's sheet, used whole (no margins of its own).
void PaintDocument(const PrintDocument& document, QPagedPaintDevice& device);

// The document as a PDF file's bytes.
std::string PdfBytes(const PrintDocument& document);

} // namespace mitoran
