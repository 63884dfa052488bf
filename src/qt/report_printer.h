// The calculation book drawn on paper by Qt: one painter routine for the printer and the
// PDF file alike, so that what the user prints and what they export are the same pages.
// What goes where on which page is decided by window/report_pages; this file measures
// the report font on the device, draws what the layout returns and writes the PDF file.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QDateTime>
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPageLayout>
#include <QString>

#include "window/report_pages.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPointF;

namespace kneebrace {

// The sheet and margins the book is laid out for. The printer starts from it; the user
// may still pick another paper in the print dialog, and the book is then laid out for that.
QPageLayout ReportPageLayout();

// The report box's face and size: the printed lines look as the box shows them.
QFont ReportPrintFont();

// The local clock's minute, as the footers and the PDF's file name print it.
Timestamp ToTimestamp(const QDateTime& when);

// The book's texts in the report font on one device, each shaped once: the layout asks
// for their widths and the painting draws the glyphs that gave those widths. Shaping a
// text (its characters to glyphs and positions) is the dearest step of a book after the
// PDF's compression, and a book without it measures most texts twice and draws them once
// more. The glyphs of one font on a line go out as one text object, where drawing the
// string would start a new one at every change between Chinese and Latin characters.
class ShapedTexts {
public:
    explicit ShapedTexts(const QPaintDevice& device);

    // The text's advance in the device's units, as QFontMetricsF measures it.
    double Width(std::string_view text);
    // Draws the text with its left end at `origin`'s x and its baseline at its y.
    void Draw(QPainter& painter, std::string_view text, const QPointF& origin);

private:
    struct Shaped {
        double width = 0;
        double ascent = 0;  // of the laid out line: its glyphs are placed below its top
        QList<QGlyphRun> glyphs;
    };
    const Shaped& Shape(std::string_view text);

    // Looks up a key by a string_view without making a string of it.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };

    QFont font_;
    const QPaintDevice& device_;
    std::unordered_map<std::string, Shaped, Hash, std::equal_to<>> texts_;
};

// The book laid out on the device's current page, measured with the report font there;
// `texts` keeps the shaped texts for painting the book on the same device.
ReportBook LayOutBook(const QPagedPaintDevice& device, const BookContent& content,
                      const Timestamp& printed, const std::vector<PageRange>& ranges = {},
                      ShapedTexts* texts = nullptr);

// Draws the book's selected pages on the device it was laid out on: the lines, the
// rules, the diagram as vector drawing from the window's artwork, the header and the
// footer, with the texts `texts` shaped on that device. False when the device would not
// start painting, refused a page, or (a printer) ended the job in error.
bool PaintBook(QPagedPaintDevice& device, const ReportBook& book, ShapedTexts* texts = nullptr);

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
