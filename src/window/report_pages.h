// The calculation book on paper, without any toolkit: which report lines go on which
// printed page and where, the wrapping of long lines, each page's footer, the scale of
// the lines, the pages a print range selects, the book's title, the PDF's default name
// and the messages for a book that does not leave the program. The page (A4, 20 mm
// margins), the report font's size and the footer band are decided here once.
//
// A front end prints like this:
//   1. measure the page inside its margins and the report font on the device
//      (PageMetrics), and give a LineMeasure that measures a line in that font there;
//   2. book = LayOutBook(report, metrics, measure, now, the ranges the user asked for);
//      book.fault set means nothing was laid out: show BookFaultMessage(*book.fault);
//   3. for each number in book.selected: draw that page's lines at (x, baseline) in a
//      coordinate system scaled by book.scale from the area's top left corner, then its
//      footer at (x, baseline) at full size.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/form_actions.h"

namespace kneebrace {

// The sheet the book is laid out for: A4 portrait with 20 mm margins all round. The
// print dialog starts from it; a paper the user picks there is what the book is laid
// out on, with the same margins.
inline constexpr double kBookSheetWidthMm = 210;
inline constexpr double kBookSheetHeightMm = 297;
inline constexpr double kBookMarginMm = 20;

// The report box's face size in points: the printed lines look as the box shows them.
double ReportFontPoints();

// A local date and time to the minute, as the user's clock shows it. The front end
// reads the clock; the functions here only format it, so tests stay deterministic.
struct Timestamp {
    int year = 0;    // four digits
    int month = 0;   // 1 to 12
    int day = 0;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
};

// The page and the report font as the device has them, all in the device's units: the
// area inside the margins, and the font at ReportFontPoints().
struct PageMetrics {
    double width = 0;        // of the area inside the margins
    double height = 0;       // the same, the footer band included
    double lineSpacing = 0;  // from one baseline to the next
    double ascent = 0;       // from the top of a line to its baseline
};

// The width of a line of UTF-8 text in the report font on the device, in its units.
using LineMeasure = std::function<double(std::string_view line)>;

// Pages 1-based, both ends included, as a print dialog hands them back.
struct PageRange {
    int first = 1;
    int last = 1;
};

// One printed line: a whole report line, or a piece of a long one.
struct BookLine {
    std::string text;      // without line end and trailing blanks; empty prints nothing
    double x = 0;          // from the area's left edge: 0, or the hanging indent of a piece
    double baseline = 0;   // from the area's top edge
    std::size_t line = 0;  // index of the report line it comes from
};

// A straight line of a table or of a line to sign on, from (x1, y1) to (x2, y2), drawn
// scaled as the lines are.
struct BookRule {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// Where the window's diagram goes: its box, top left corner and size, drawn scaled.
struct BookDiagram {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct BookPage {
    int number = 0;                     // 1-based
    std::vector<BookLine> lines;        // top to bottom, positions at full size, drawn scaled
    std::vector<BookRule> rules;        // drawn scaled
    std::vector<BookDiagram> diagrams;  // drawn scaled
    BookLine header;  // the project and member, at full size; empty text on the first page
    BookLine footer;  // "第 n 页 共 m 页    yyyy-MM-dd HH:mm", at full size
};

// The content of a book, block by block; LayOutBook decides where each goes.
struct BookTable {
    std::vector<double> columns;                 // each column's share of the area's width
    std::vector<std::vector<std::string>> rows;  // the cells, row by row; a cell wraps
    // A ruled grid; or else a form: label and field by turns, each field underlined as a
    // line to write on, so that an empty field is a line to sign on.
    bool grid = true;
};

struct BookBlock {
    enum class Kind { Text, Table, Diagram };
    Kind kind = Kind::Text;
    std::vector<std::string> lines;  // Text: as the report prints lines, wrapping included
    bool centred = false;            // Text: each line centred
    BookTable table;                 // Table
    double aspect = 0;               // Diagram: its height over its width
    bool newPage = false;            // starts on a fresh page
    // The header of every page this block starts, the book's first page excepted.
    std::string header;
};
using BookContent = std::vector<BookBlock>;

// What can keep the book from leaving the program.
enum class BookFault {
    PageUnusable,            // the page or the font measures nothing a book fits on
    PrinterRefused,          // the printer did not take the document or a page
    PrintDialogUnavailable,  // the print dialog could not open (no printer installed)
    FileNotWritten,          // the PDF file could not be written (a full disk included)
};

struct ReportBook {
    std::string title;               // "隅撑计算书": the PDF's title, the print job's name
    double scale = 1;                // of the lines, never below 9 pt; footers at full size
    double ruleWidth = 0;            // of the rules' pen, drawn scaled: a hairline
    std::vector<BookPage> pages;     // every page; empty only when refused
    std::vector<int> selected;       // the page numbers to draw, in order
    std::optional<BookFault> fault;  // PageUnusable when the metrics were refused
};

// The book of `reportText` (the engine's text, CR LF line ends) on a page of `page`.
//
// The header block (up to the "=====" line) and each numbered check stay on one page
// whenever they fit there; a section that does not fit below the previous ones starts
// a new page, and one longer than a page starts on a fresh page and is cut only where
// pages end. Trailing blanks are neither printed nor counted. A line wider than the
// page shrinks the whole book when no less than 9 pt makes it fit (one scale for every
// page, the largest that such lines need); a line wider still wraps, after the last
// blank that fits or else after the last character that fits, and its pieces start a
// hanging indent to the right of the line's own indent. A line is as wide as `measure`
// says, and never narrower than its half-width columns (DisplayColumns) times the width
// of "0", so a face that draws a character wider than counted cannot push it off the
// page either way. An empty report still gives one page (the footer alone).
//
// `ranges` select the pages to draw: all when empty, else each range cut to the book, in
// the order given, a page named twice drawn once; when every page asked for lies past
// the end, the last page.
//
// Page metrics outside 1e-6 to 1e9 units, a page less than one line or more than 10,000
// lines high or wide, or a measure that gives no finite width are refused: no pages and
// fault PageUnusable. Nothing here divides by a length before it is checked.
ReportBook LayOutBook(std::string_view reportText, const PageMetrics& page,
                      const LineMeasure& measure, const Timestamp& printed,
                      const std::vector<PageRange>& ranges = {});

// The book of `content` on a page of `page`, as LayOutBook above lays out a report: a
// block stays on one page whenever it fits there (a table and a text longer than a page
// are cut between their rows, a table row taller than a page between its lines), the scale comes
// from the Text blocks' lines, a table fills the width, a diagram takes four fifths of it, at most
// half a page high. When any block has a header, every page after the first keeps a band of two
// lines at its top for it.
ReportBook LayOutBook(const BookContent& content, const PageMetrics& page,
                      const LineMeasure& measure, const Timestamp& printed,
                      const std::vector<PageRange>& ranges = {});

// The report as Text blocks: the header block, then one block per numbered check.
BookContent ReportBlocks(std::string_view reportText);

// The message a front end shows for `fault`, in Chinese. `exporting`: the user asked
// for 导出 PDF (else for printing, print-to-file included); `path`: the file that could
// not be written, as the user's system writes paths.
window::FaultMessage BookFaultMessage(BookFault fault, bool exporting, std::string_view path = {});

// The report's lines without their line ends. CR LF, a lone LF and a lone CR each end a
// line; the end of the text after a line end starts no further line, so the report's
// own trailing CR LF adds no empty line at the bottom. An empty text has no lines.
std::vector<std::string> SplitReportLines(std::string_view text);

// The width of a line in half-width columns, as the report's Song face draws it: ASCII
// and Latin letters take one column, CJK characters, full-width forms and the Greek and
// Cyrillic letters and symbols that the Song face draws on its full-width grid take two.
// Bytes that are not valid UTF-8 count one column each.
std::size_t DisplayColumns(std::string_view line);

// "2026-12-07": the date as the book prints it.
std::string DateText(const Timestamp& when);

// `name` made fit to be a file's name on Windows: the characters it refuses become "_",
// and the dots and blanks it drops from a name's end are removed; `fallback` when
// nothing is left.
std::string SafeFileName(std::string_view name, std::string_view fallback);

// "隅撑计算书-L45X3-20261207-1430.pdf". The size is the record's angleModel, blanks at
// its ends removed, or "L45X3" (the start-up size) when nothing remains; characters
// that Windows does not allow in file names become "_".
std::string DefaultPdfFileName(std::string_view angleModel, const Timestamp& when);

}  // namespace kneebrace
