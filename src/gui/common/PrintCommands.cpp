// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/PrintCommands.h"

#include "gui/common/CsvFileDialog.h"
#include "gui/common/PrintPainter.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

PrintPaper PaperOf(const QPrinter& printer) {
    const QRectF sheet = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    return {std::min(sheet.width(), sheet.height()), std::max(sheet.width(), sheet.height())};
}

} // namespace

void ShowPrintPreview(QWidget* parent, const PrintList& list, const Settings& settings, const std::string& printDate) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF());
    printer.setPageOrientation(list.muki == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(u"PrintPreviewDialog"_s);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* device) {
        PrintList turned = list;
        turned.muki = device->pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
        PaintDocument(LayOutPrint(turned, settings, PaperOf(*device), printDate), *device);
    });
    preview.exec();
}

void SavePdfFile(QWidget* parent, Settings& settings, const std::string& proposedName, const PrintList& list,
                 const std::string& printDate, const std::function<void()>& saveSettings, Questions& questions) {
    ExportFile(
        parent, settings, {u"PDFﾌｧｲﾙ (*.pdf)"_s, u"pdf"_s}, proposedName,
        [&] { return PdfBytes(LayOutPrint(list, settings, PrintPaper{}, printDate)); }, saveSettings, questions);
}

} // namespace mitoran
