#include "qt/report_printer.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

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
#include <QRectF>
#include <QSaveFile>
#include <QSizeF>
#include <QSvgRenderer>

#include "qt/look.h"

namespace kneebrace {

namespace {

// Looks up a std::string key by a string_view without making a string of it.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

}  // namespace

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

ReportBook LayOutBook(const QPagedPaintDevice& device, const BookContent& content,
                      const Timestamp& printed, const std::vector<PageRange>& ranges) {
    const QFontMetricsF metrics(ReportPrintFont(), &device);
    const PageMetrics page{static_cast<double>(device.width()),
                           static_cast<double>(device.height()), metrics.lineSpacing(),
                           metrics.ascent()};
    // The layout asks for most widths more than once: every line when it picks the scale
    // and again when it places it, "0" for every table row, the blanks of every hanging
    // indent. Each asking shapes the text anew, the dearest step of the layout, so each
    // text is measured once; the same text always measures the same on one device.
    std::unordered_map<std::string, double, TextHash, std::equal_to<>> widths;
    return LayOutBook(
        content, page,
        [&metrics, &widths](std::string_view line) {
            const auto known = widths.find(line);
            if (known != widths.end()) return known->second;
            const double width = metrics.horizontalAdvance(FromUtf8(line));
            widths.emplace(line, width);
            return width;
        },
        printed, ranges);
}

bool PaintBook(QPagedPaintDevice& device, const ReportBook& book) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setFont(ReportPrintFont());
    painter.setPen(QPen(Qt::black, book.ruleWidth));
    QSvgRenderer diagram(QStringLiteral(":/artwork/diagram.svg"));
    bool first = true;
    for (const int number : book.selected) {
        const BookPage& page = book.pages[static_cast<std::size_t>(number - 1)];
        if (!first) device.newPage();
        first = false;
        painter.save();
        painter.scale(book.scale, book.scale);
        for (const BookLine& line : page.lines)
            painter.drawText(QPointF(line.x, line.baseline), FromUtf8(line.text));
        for (const BookRule& rule : page.rules)
            painter.drawLine(QLineF(rule.x1, rule.y1, rule.x2, rule.y2));
        for (const BookDiagram& box : page.diagrams)
            diagram.render(&painter, QRectF(box.x, box.y, box.width, box.height));
        painter.restore();
        for (const BookLine* line : {&page.header, &page.footer})
            painter.drawText(QPointF(line->x, line->baseline), FromUtf8(line->text));
    }
    return painter.end();
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
        const ReportBook book = LayOutBook(writer, content, printed, ranges);
        if (book.fault) return book.fault;
        writer.setTitle(FromUtf8(book.title));
        if (!PaintBook(writer, book)) return BookFault::FileNotWritten;
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
