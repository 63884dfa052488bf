// The calculation book drawn on paper by Qt: one painter routine for the printer and the
// PDF file alike, so that what the user prints and what they export are the same pages.
// What goes where on which page is decided by window/report_pages; this file measures
// the report font on the device, draws what the layout returns and writes the PDF file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QDateTime>
#include <QFont>
#include <QPageLayout>
#include <QString>

#include "window/report_pages.h"

class QPagedPaintDevice;

namespace kneebrace {

// The sheet and margins the book is laid out for. The printer starts from it; the user
// may still pick another paper in the print dialog, and the book is then laid out for that.
QPageLayout ReportPageLayout();

// The report box's face and size: the printed lines look as the box shows them.
QFont ReportPrintFont();

// The local clock's minute, as the footers and the PDF's file name print it.
Timestamp ToTimestamp(const QDateTime& when);

// The book laid out on the device's current page, measured with the report font there.
ReportBook LayOutBook(const QPagedPaintDevice& device, const BookContent& content,
                      const Timestamp& printed, const std::vector<PageRange>& ranges = {});

// Draws the book's selected pages on the device it was laid out on: the lines, the
// rules, the diagram as vector drawing from the window's artwork, the header and the
// footer. False when the device would not start painting.
bool PaintBook(QPagedPaintDevice& device, const ReportBook& book);

// Writes the book as a PDF file at `path` with Qt's own PDF writer, on `layout`, the
// pages `ranges` select. The file appears complete or not at all: the pages go to a
// temporary file in the same folder, which takes the name only once every byte is on
// the disk, so a failure (a full disk included) leaves an older file of that name as it
// was. Returns nothing on success, else why nothing was written. Export and the print
// dialog's print-to-file both come here.
std::optional<BookFault> WriteReportPdf(const BookContent& content, const QString& path,
                                        const Timestamp& printed,
                                        const QPageLayout& layout = ReportPageLayout(),
                                        const std::vector<PageRange>& ranges = {});

}  // namespace kneebrace
