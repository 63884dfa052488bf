// The calculation book on paper, without any toolkit: which report lines go on which
// printed page, each page's footer, how far a front end must shrink the page so that the
// widest line fits, and the default name of the exported PDF. The Qt and Win32 front
// ends only draw what these functions return, so both print the same pages.
//
// A front end lays out a page like this:
//   1. lines = SplitReportLines(reportText)
//   2. fit = FitToPage(WidestLineColumns(lines), usable width, usable height without the
//      footer band, half-width advance of the report font, line spacing)
//   3. pages = PaginateLines(lines, fit.linesPerPage, now)
//   4. per page: draw page.lines from the top at fit.scale, page.footer at full size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kneebrace {

// A local date and time to the minute, as the user's clock shows it. The front end
// reads the clock; the functions here only format it, so tests stay deterministic.
struct Timestamp {
    int year = 0;    // four digits
    int month = 0;   // 1 to 12
    int day = 0;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
};

// A run of consecutive report lines: the header block or one numbered check.
struct ReportSection {
    std::size_t firstLine = 0;  // index into the report's lines
    std::size_t lineCount = 0;
};

struct ReportPage {
    int number = 0;                  // 1-based
    std::size_t firstLine = 0;       // index of lines[0] in the report's lines
    std::vector<std::string> lines;  // top to bottom, without line ends
    std::string footer;              // "第 n 页 共 m 页    yyyy-MM-dd HH:mm"
};

// Scale of the whole page and the report lines that then fit below each other.
struct PageFit {
    double scale = 1;      // 1 or less; applied to the report lines, not to the footer
    int linesPerPage = 1;  // at least 1
};

// The report's lines without their line ends. CR LF, a lone LF and a lone CR each end a
// line; the end of the text after a line end starts no further line, so the report's
// own trailing CR LF adds no empty line at the bottom. An empty text has no lines.
std::vector<std::string> SplitReportLines(std::string_view text);

// The header block (everything before the first numbered check, the "=====" line
// included) and then one section per line that starts with "(digits).", each up to the
// next. An empty header is left out. Together the sections cover every line once.
std::vector<ReportSection> FindReportSections(const std::vector<std::string>& lines);

// The printed pages. A section goes on the current page when it fits there, else it
// starts a new page; a section longer than a whole page starts on a page of its own
// and is cut only where pages end. Every line appears once, in order. An empty report
// still gives one page (the footer alone), so the page count a front end prints always
// matches. linesPerPage below 1 is a front end's mistake: std::invalid_argument.
std::vector<ReportPage> PaginateLines(const std::vector<std::string>& lines, int linesPerPage,
                                      const Timestamp& printed);

// The same, from the report text as the engine writes it (CR LF line ends).
std::vector<ReportPage> PaginateReport(std::string_view reportText, int linesPerPage,
                                       const Timestamp& printed);

// "第 1 页 共 2 页    2026-12-07 14:30".
std::string PageFooter(int page, int pageCount, const Timestamp& printed);

// The width of a line in half-width columns, as the report's Song face draws it: ASCII
// and Latin letters take one column, CJK characters, full-width forms and the Greek and
// Cyrillic letters and symbols that the Song face draws on its full-width grid take two.
// Bytes that are not valid UTF-8 count one column each.
std::size_t DisplayColumns(std::string_view line);

// The largest DisplayColumns of the lines (0 for none).
std::size_t WidestLineColumns(const std::vector<std::string>& lines);

// How a front end fits the report to the page without wrapping or cutting a line: the
// whole page shrinks by one scale until the widest line fits the usable width, and the
// lines per page then follow from the scaled line spacing. All lengths in one unit of
// the front end's choice; columnWidth is the advance of one half-width character at
// full size, lineHeight the line spacing at full size, usableHeight excludes the
// footer band. Non-positive or non-finite lengths: std::invalid_argument.
PageFit FitToPage(std::size_t widestColumns, double usableWidth, double usableHeight,
                  double columnWidth, double lineHeight);

// "隅撑计算书-L45X3-20261207-1430.pdf". The size is the record's angleModel, blanks at
// its ends removed, or "L45X3" (the start-up size) when nothing remains; characters
// that Windows does not allow in file names become "_".
std::string DefaultPdfFileName(std::string_view angleModel, const Timestamp& when);

}  // namespace kneebrace
