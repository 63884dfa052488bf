#include "qt/report_printer.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLineF>
#include <QMarginsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPointF>
#include <QPrinter>
#include <QRectF>
#include <QSaveFile>
#include <QSizeF>
#include <QSvgRenderer>
#include <QTextLayout>
#include <QTextOption>

#include "qt/look.h"

namespace kneebrace {

QPageLayout ReportPageLayout() {
    return QPageLayout(
        QPageSize(QSizeF(kBookSheetWidthMm, kBookSheetHeightMm), QPageSize::Millimeter),
        QPageLayout::Portrait,
        QMarginsF(kBookMarginMm, kBookMarginMm, kBookMarginMm, kBookMarginMm),
        QPageLayout::Millimeter);
}

QFont ReportPrintFont() { return SongFont(ReportFontPoints()); }

Timestamp ToTimestamp(const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute()};
}

ShapedTexts::ShapedTexts(const QPaintDevice& device) : font_(ReportPrintFont()), device_(device) {}

double ShapedTexts::Width(std::string_view text) { return Shape(text).width; }

void ShapedTexts::Draw(QPainter& painter, std::string_view text, const QPointF& origin) {
    const Shaped& shaped = Shape(text);
    for (const QGlyphRun& run : shaped.glyphs)
        painter.drawGlyphRun(QPointF(origin.x(), origin.y() - shaped.ascent), run);
}

const ShapedTexts::Shaped& ShapedTexts::Shape(std::string_view text) {
    const auto known = texts_.find(text);
    if (known != texts_.end()) return known->second;
    QTextLayout layout(FromUtf8(text), font_, &device_);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    Shaped shaped;
    if (line.isValid()) {
        // The advance with trailing blanks, which the hanging indent of a wrapped line
        // is measured by, as QFontMetricsF::horizontalAdvance gives it.
        shaped.width = line.horizontalAdvance();
        shaped.ascent = line.ascent();
        shaped.glyphs = layout.glyphRuns();
    }
    return texts_.emplace(text, std::move(shaped)).first->second;
}

ReportBook LayOutBook(const QPagedPaintDevice& device, const BookContent& content,
                      const Timestamp& printed, const std::vector<PageRange>& ranges,
                      ShapedTexts* texts) {
    const QFontMetricsF metrics(ReportPrintFont(), &device);
    const PageMetrics page{static_cast<double>(device.width()),
                           static_cast<double>(device.height()), metrics.lineSpacing(),
                           metrics.ascent()};
    // The layout asks for most widths more than once (every line when it picks the scale
    // and again when it places it, "0" for every table row): each text is shaped once.
    ShapedTexts own(device);
    ShapedTexts& shaped = texts != nullptr ? *texts : own;
    return LayOutBook(
        content, page, [&shaped](std::string_view line) { return shaped.Width(line); }, printed,
        ranges);
}

bool PaintBook(QPagedPaintDevice& device, const ReportBook& book, ShapedTexts* texts) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    ShapedTexts own(device);
    ShapedTexts& shaped = texts != nullptr ? *texts : own;
    painter.setFont(ReportPrintFont());
    painter.setPen(QPen(Qt::black, book.ruleWidth));
    QSvgRenderer diagram(QStringLiteral(":/artwork/diagram.svg"));
    bool first = true;
    for (const int number : book.selected) {
        const BookPage& page = book.pages[static_cast<std::size_t>(number - 1)];
        // A printer that goes away in the middle of a job refuses the next page.
        if (!first && !device.newPage()) {
            painter.end();
            return false;
        }
        first = false;
        painter.save();
        painter.scale(book.scale, book.scale);
        for (const BookLine& line : page.lines)
            shaped.Draw(painter, line.text, QPointF(line.x, line.baseline));
        for (const BookRule& rule : page.rules)
            painter.drawLine(QLineF(rule.x1, rule.y1, rule.x2, rule.y2));
        for (const BookDiagram& box : page.diagrams)
            diagram.render(&painter, QRectF(box.x, box.y, box.width, box.height));
        painter.restore();
        for (const BookLine* line : {&page.header, &page.footer})
            shaped.Draw(painter, line->text, QPointF(line->x, line->baseline));
    }
    if (!painter.end()) return false;
    const auto* printer = dynamic_cast<const QPrinter*>(&device);
    return printer == nullptr || (printer->printerState() != QPrinter::Error &&
                                  printer->printerState() != QPrinter::Aborted);
}

std::optional<BookFault> WriteReportPdf(const BookContent& content, const QString& path,
                                        const Timestamp& printed, const QPageLayout& layout,
                                        const std::vector<PageRange>& ranges) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return BookFault::FileNotWritten;

    // The book is made in memory first and then written in one call whose count is
    // checked. Qt's PDF writer streams through a QDataStream, which stops at the first
    // short write without a word; on a filling disk that short write leaves the file
    // device without an error, so neither the writer nor QSaveFile::commit() would know
    // that the book was cut off.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("kneebrace"));
        ShapedTexts texts(writer);
        const ReportBook book = LayOutBook(writer, content, printed, ranges, &texts);
        if (book.fault) return book.fault;
        writer.setTitle(FromUtf8(book.title));
        if (!PaintBook(writer, book, &texts)) return BookFault::FileNotWritten;
    }

    // QSaveFile writes to a temporary file beside the target and renames it on commit;
    // whatever goes wrong before that removes the temporary file again, so the old file
    // of that name stays as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return BookFault::FileNotWritten;
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return BookFault::FileNotWritten;
    }
    if (!file.commit()) return BookFault::FileNotWritten;
    return std::nullopt;
}

}  // namespace kneebrace
