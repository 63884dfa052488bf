#include "qt/report_printer.h"

#include <algorithm>
#include <cstddef>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPointF>
#include <QRectF>
#include <QSaveFile>

#include "qt/look.h"
#include "window/control_table.h"

namespace kneebrace {

namespace {

constexpr double kMarginMillimetres = 20;
constexpr char kBookTitle[] = "隅撑计算书";

// The footer sits in a band two lines high at the bottom of the printable area: one
// blank line between the report and the footer, then the footer itself.
constexpr double kFooterBandLines = 2;

// The advance of one half-width column on the device, chosen so that every line of the
// report is at most its column count times this wide. The pagination counts columns as
// the Song face draws them; measuring the real lines as well keeps a line from being cut
// where a stand-in face draws a character wider than the count assumes.
double ColumnWidth(const QFontMetricsF& metrics, const std::vector<std::string>& lines) {
    double width = metrics.horizontalAdvance(QLatin1Char('0'));
    for (const std::string& line : lines) {
        const std::size_t columns = DisplayColumns(line);
        if (columns == 0) continue;
        width = std::max(width,
                         metrics.horizontalAdvance(FromUtf8(line)) / static_cast<double>(columns));
    }
    return width;
}

// The user reads the path and what to look at; the system's reason would be English.
QString CannotWrite(const QString& path) {
    return QStringLiteral(
               "文件“%1”无法写入，计算书没有导出。\n"
               "请确认文件夹存在、允许写入且磁盘空间足够，或另选一个位置。"
               "同名的旧文件保持原样。")
        .arg(QDir::toNativeSeparators(path));
}

}  // namespace

QPageLayout ReportPageLayout() {
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
}

QFont ReportPrintFont() {
    const window::ControlRow* box = window::FindControl("Text8");
    return SongFont(box != nullptr && box->fontPoints > 0 ? box->fontPoints : kWindowFontPoints);
}

Timestamp ToTimestamp(const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute()};
}

PrintedBook LayOutBook(const QPagedPaintDevice& device, const std::string& reportText,
                       const QDateTime& printedAt) {
    PrintedBook book;
    book.font = ReportPrintFont();
    const QFontMetricsF metrics(book.font, &device);
    book.lineSpacing = metrics.lineSpacing();
    book.ascent = metrics.ascent();

    const std::vector<std::string> lines = SplitReportLines(reportText);
    const double width = device.width();
    // A device too small for the footer still gets one line a page rather than none.
    const double height =
        std::max(static_cast<double>(device.height()) - kFooterBandLines * book.lineSpacing,
                 book.lineSpacing);
    book.fit = FitToPage(WidestLineColumns(lines), width, height, ColumnWidth(metrics, lines),
                         book.lineSpacing);
    book.pages = PaginateLines(lines, book.fit.linesPerPage, ToTimestamp(printedAt));
    return book;
}

int PaintBook(QPagedPaintDevice& device, const std::string& reportText, const QDateTime& printedAt,
              int firstPage, int lastPage) {
    const PrintedBook book = LayOutBook(device, reportText, printedAt);
    const int pageCount = static_cast<int>(book.pages.size());
    const int first = std::clamp(firstPage, 1, pageCount);
    const int last = lastPage <= 0 ? pageCount : std::clamp(lastPage, first, pageCount);

    QPainter painter;
    if (!painter.begin(&device)) return 0;
    painter.setFont(book.font);
    painter.setPen(Qt::black);
    const QRectF printable(0, 0, device.width(), device.height());
    const QRectF footerLine(printable.left(), printable.bottom() - book.lineSpacing,
                            printable.width(), book.lineSpacing);
    for (int number = first; number <= last; ++number) {
        const ReportPage& page = book.pages[static_cast<std::size_t>(number - 1)];
        if (number > first) device.newPage();
        painter.save();
        painter.scale(book.fit.scale, book.fit.scale);
        double baseline = book.ascent;
        for (const std::string& line : page.lines) {
            painter.drawText(QPointF(0, baseline), FromUtf8(line));
            baseline += book.lineSpacing;
        }
        painter.restore();
        painter.drawText(footerLine, Qt::AlignHCenter | Qt::AlignBottom, FromUtf8(page.footer));
    }
    painter.end();
    return last - first + 1;
}

QString WriteReportPdf(const std::string& reportText, const QString& path,
                       const QDateTime& printedAt, const QPageLayout& layout, int firstPage,
                       int lastPage) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return CannotWrite(path);

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
        writer.setTitle(QString::fromUtf8(kBookTitle));
        writer.setCreator(QStringLiteral("kneebrace"));
        if (PaintBook(writer, reportText, printedAt, firstPage, lastPage) == 0)
            return CannotWrite(path);
    }

    // QSaveFile writes to a temporary file beside the target and renames it on commit;
    // whatever goes wrong before that removes the temporary file again, so the old file
    // of that name stays as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return CannotWrite(path);
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return CannotWrite(path);
    }
    if (!file.commit()) return CannotWrite(path);
    return {};
}

}  // namespace kneebrace
