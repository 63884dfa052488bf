// The calculation book drawn on paper by Qt: one painter routine for the printer and the
// PDF file alike, so that what the user prints and what they export are the same pages.
// Which line goes on which page is decided by window/report_pages; this file only
// measures the font on the device and draws what the pagination returns.
#pragma once

#include <string>
#include <vector>

#include <QDateTime>
#include <QFont>
#include <QPageLayout>
#include <QString>

#include "window/report_pages.h"

class QPagedPaintDevice;

namespace kneebrace {

// A4 portrait with 20 mm margins all round: the page the book is laid out for. The
// printer starts from it; the user may still pick another paper in the print dialog, and
// the book is then laid out for that.
QPageLayout ReportPageLayout();

// The report box's face and size: the printed lines look as the box shows them.
QFont ReportPrintFont();

// The local clock's minute, as the footers and the PDF's file name print it.
Timestamp ToTimestamp(const QDateTime& when);

// The report laid out on a device's current page: lengths in the device's pixels, the
// footer band at the bottom of the printable area excluded from the lines' height.
struct PrintedBook {
    QFont font;                     // the report's font, unscaled
    double lineSpacing = 0;         // at full size
    double ascent = 0;              // at full size
    PageFit fit;                    // one scale for every page's lines
    std::vector<ReportPage> pages;  // at least one
};

PrintedBook LayOutBook(const QPagedPaintDevice& device, const std::string& reportText,
                       const QDateTime& printedAt);

// Draws the book on the device, pages firstPage to lastPage (1-based; lastPage 0 means
// to the end), each page's lines at the book's scale and its footer at full size.
// Returns the number of pages drawn, 0 when the device would not start painting.
int PaintBook(QPagedPaintDevice& device, const std::string& reportText, const QDateTime& printedAt,
              int firstPage = 1, int lastPage = 0);

// Writes the book as a PDF file at `path` with Qt's own PDF writer, on `layout`, pages
// firstPage to lastPage as PaintBook counts them. The file appears complete or not at
// all: the pages go to a temporary file in the same folder, which takes the name only
// once every byte is on the disk, so a failure (a full disk included) leaves an older
// file of that name as it was. Returns an empty text on success, else why nothing was
// written, in Chinese. Export and the print dialog's print-to-file both come here.
QString WriteReportPdf(const std::string& reportText, const QString& path,
                       const QDateTime& printedAt, const QPageLayout& layout = ReportPageLayout(),
                       int firstPage = 1, int lastPage = 0);

}  // namespace kneebrace
