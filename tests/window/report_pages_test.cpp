// The printed book: page breaks worked out by hand from the sections' lengths, the
// start-up report at several page heights, long lines shrunk or wrapped with a hanging
// indent, trailing blanks, absurd page metrics, the pages a print range selects, widths
// and the PDF file name. The measures stand in for a device: one unit a half-width
// column, one a character or one a byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/calculation_run.h"
#include "support/test_data.h"
#include "window/form_actions.h"
#include "window/report_pages.h"

namespace kneebrace {
namespace {

const Timestamp kPrinted{2026, 12, 7, 14, 30};

double Columns(std::string_view text) { return static_cast<double>(DisplayColumns(text)); }
double Bytes(std::string_view text) { return static_cast<double>(text.size()); }
double Characters(std::string_view text) {
    return static_cast<double>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a continuation byte
    }));
}

// A page `width` columns wide that holds `lines` lines below each other at full size,
// the footer band of two lines besides.
PageMetrics Page(double width, int lines) { return {width, lines + 2.0, 1, 0.8}; }

// A header and numbered sections of the given lengths, every line different, so that a
// lost, doubled or reordered line shows.
std::string MakeReport(int headerLines, const std::vector<int>& sectionLines) {
    std::string report;
    for (int i = 0; i < headerLines; ++i) report += "表头" + std::to_string(i) + "\r\n";
    for (std::size_t s = 0; s < sectionLines.size(); ++s) {
        report += "(" + std::to_string(s + 1) + ").校核：\r\n";
        for (int i = 1; i < sectionLines[s]; ++i) report += "   " + std::to_string(i) + "\r\n";
    }
    return report;
}

std::string WithoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

// Every report line once and in order (the pieces of a wrapped one together hold its
// text, blanks aside), each row inside the page's lines area and no wider than the page,
// the footers' n/m; returns the number of rows on each page.
std::vector<std::size_t> CheckBook(const std::string& report, const ReportBook& book,
                                   const PageMetrics& page, const LineMeasure& measure) {
    const std::vector<std::string> lines = SplitReportLines(report);
    std::vector<std::string> joined(lines.size());
    std::vector<std::size_t> lengths;
    std::size_t next = 0;  // the report line the next row may come from
    for (std::size_t p = 0; p < book.pages.size(); ++p) {
        const BookPage& out = book.pages[p];
        EXPECT_EQ(out.number, static_cast<int>(p) + 1);
        const std::string footer = "第 " + std::to_string(p + 1) + " 页 共 " +
                                   std::to_string(book.pages.size()) + " 页    2026-12-07 14:30";
        if (measure(footer) <= page.width) {
            EXPECT_EQ(out.footer.text, footer);
        } else {  // cut, on a page narrower than any paper
            EXPECT_TRUE(out.footer.text.ends_with("…")) << out.footer.text;
            EXPECT_TRUE(footer.starts_with(out.footer.text.substr(0, out.footer.text.size() - 3)));
        }
        for (const BookLine& row : out.lines) {
            EXPECT_TRUE(row.line == next || row.line + 1 == next) << row.text;
            next = row.line + 1;
            joined[row.line] += row.text;
            EXPECT_LE((row.x + measure(row.text)) * book.scale, page.width * (1 + 1e-9))
                << row.text;
            const double bottom = (row.baseline + page.lineSpacing - page.ascent) * book.scale;
            EXPECT_LE(bottom, page.height - 2 * page.lineSpacing + 1e-9) << row.text;
        }
        lengths.push_back(out.lines.size());
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(WithoutBlanks(joined[i]), WithoutBlanks(lines[i])) << "line " << i;
    return lengths;
}

TEST(LayOutBook, KeepsSectionsTogetherAndCutsOnlyLongOnes) {
    const struct {
        const char* name;
        int headerLines;
        std::vector<int> sectionLines;
        int linesPerPage;
        std::vector<std::size_t> pageLengths;
    } cases[] = {
        {"short report, one page", 3, {4, 5}, 20, {12}},
        {"several sections share a page", 2, {3, 3, 3, 3}, 8, {8, 6}},
        {"section exactly fills the first page", 2, {10, 3}, 12, {12, 3}},
        {"section exactly fills a page of its own", 3, {10, 2}, 10, {3, 10, 2}},
        {"long section starts on its own page", 3, {25, 2}, 10, {3, 10, 10, 7}},
        {"long section first, no header", 0, {15, 3}, 10, {10, 8}},
        {"header longer than a page", 12, {3}, 5, {5, 5, 5}},
        {"a page of one line", 1, {2}, 1, {1, 1, 1}},
        {"empty report still has a page", 0, {}, 10, {0}},
    };
    for (const auto& c : cases) {
        const std::string report = MakeReport(c.headerLines, c.sectionLines);
        const PageMetrics page = Page(40, c.linesPerPage);
        const ReportBook book = LayOutBook(report, page, Columns, kPrinted);
        EXPECT_EQ(book.title, "隅撑计算书");
        EXPECT_EQ(book.scale, 1) << c.name;
        EXPECT_EQ(CheckBook(report, book, page, Columns), c.pageLengths) << c.name;
    }
    // 0.7 / 0.1 is a hair below 7 in binary: the page still holds its 5 lines.
    const PageMetrics tenths{40, 0.7, 0.1, 0.08};
    const std::string report = MakeReport(0, {5, 1});
    EXPECT_EQ(CheckBook(report, LayOutBook(report, tenths, Columns, kPrinted), tenths, Columns),
              (std::vector<std::size_t>{5, 1}));
}

TEST(LayOutBook, StartupReportAtSeveralPageHeights) {
    const std::string text = testsupport::ReadFile(KNEEBRACE_TEST_DATA "/startup-report.txt");
    ASSERT_EQ(SplitReportLines(text).size(), 72u);
    // By hand: header 18 lines ("=====" last), then (1) to (7) of 5, 8, 11, 12, 6, 6, 6.
    // The widest line, the c4 formula, is 78 columns.
    const std::pair<int, std::vector<std::size_t>> cases[] = {
        {54, {54, 18}},
        {53, {42, 30}},
        {20, {18, 13, 11, 18, 12}},
        {10, {10, 8, 5, 8, 10, 1, 10, 8, 6, 6}}};
    for (const auto& [linesPerPage, pageLengths] : cases) {
        const ReportBook book = LayOutBook(text, Page(78, linesPerPage), Columns, kPrinted);
        EXPECT_EQ(CheckBook(text, book, Page(78, linesPerPage), Columns), pageLengths)
            << linesPerPage << " lines a page";
    }
    EXPECT_EQ(SplitReportLines("a\n\nb\rc\r\nd"),
              (std::vector<std::string>{"a", "", "b", "c", "d"}));
}

// A heading is "(digits)." at the very start of a line; nothing else starts a section.
TEST(LayOutBook, OnlyNumberedHeadingsStartASection) {
    const std::string report = "(1).a\r\n().\r\n   (2).b\r\n(x).\r\n(10).c\r\n";
    const ReportBook book = LayOutBook(report, Page(40, 4), Columns, kPrinted);
    EXPECT_EQ(CheckBook(report, book, Page(40, 4), Columns), (std::vector<std::size_t>{4, 1}));
}

// The rows that a report line prints as: text and indent, in columns.
using Rows = std::vector<std::pair<std::string, double>>;

std::string A(int count) { return std::string(static_cast<std::size_t>(count), 'a'); }

TEST(LayOutBook, LongLinesShrinkTheBookTo9PointsAtMostThenWrap) {
    const double nine = 9 / ReportFontPoints();  // the smallest scale
    const std::string cjk = "甲乙丙丁戊己庚辛壬癸甲乙";
    const struct {
        const char* name;
        std::string report;
        double width;
        LineMeasure measure;
        double scale;
        Rows rows;
    } cases[] = {
        // clang-format off
        {"a line that fits", "(1).\r\n  aaaa bbbb\r\n", 16, Columns, 1, {{"(1).", 0}, {"  aaaa bbbb", 0}}},
        {"a line a little too wide shrinks the book", A(42), 40, Columns, 40.0 / 42, {{A(42), 0}}},
        {"after the last blank that fits, hanging 4 beyond its own indent",
         "  aaaa bbbb cccc dddd eeee", 16, Columns, 1, {{"  aaaa bbbb cccc", 0}, {"dddd eeee", 6}}},
        {"no blank: after the last character that fits", "  " + A(30), 16, Columns, 1,
         {{"  " + A(14), 0}, {A(10), 6}, {A(6), 6}}},
        {"full-width characters", cjk, 10, Columns, 1, {{"甲乙丙丁戊", 0}, {"己庚辛", 4}, {"壬癸甲", 4}, {"乙", 4}}},
        {"a face wider than counted", cjk, 10, Bytes, 1,
         {{"甲乙丙", 0}, {"丁戊", 4}, {"己庚", 4}, {"辛壬", 4}, {"癸甲", 4}, {"乙", 4}}},
        {"a face narrower than counted", cjk, 10, Characters, 1,
         {{"甲乙丙丁戊", 0}, {"己庚辛", 4}, {"壬癸甲", 4}, {"乙", 4}}},
        {"one line shrinks the book, a wider one wraps at that scale",
         A(42) + "\r\n" + A(30) + " " + A(30), 40, Columns, 40.0 / 42, {{A(42), 0}, {A(30), 0}, {A(30), 4}}},
        {"trailing blanks are not printed", A(39) + "   ", 40, Columns, 1, {{A(39), 0}}},
        {"9 pt exactly", A(40) + "\r\n", 40 * nine, Columns, nine, {{A(40), 0}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const PageMetrics page = Page(c.width, 20);
        const ReportBook book = LayOutBook(c.report, page, c.measure, kPrinted);
        ASSERT_EQ(book.pages.size(), 1u) << c.name;
        EXPECT_NEAR(book.scale, c.scale, 1e-12) << c.name;
        Rows rows;
        for (const BookLine& row : book.pages[0].lines) rows.emplace_back(row.text, row.x);
        EXPECT_EQ(rows, c.rows) << c.name;
        CheckBook(c.report, book, page, c.measure);
    }
}

// A designation typed with 1,000 blanks after it, which the reader accepts and the
// header prints, once shrank every page to 0.35 mm lines. Now the book keeps its size
// and the header's section line breaks in the blanks.
TEST(LayOutBook, ThousandBlanksAfterTheDesignationShrinkNothing) {
    DesignState state = window::LoadForm();
    InputTexts in = StartupInputTexts();
    in.Text1 += std::string(1000, ' ');
    ASSERT_EQ(window::Calculate(state, in), std::nullopt);
    const PageMetrics a4 = Page(92, 60);  // about the report box's face on A4
    const ReportBook book = LayOutBook(state.reportText, a4, Columns, kPrinted);
    EXPECT_EQ(book.scale, 1);
    EXPECT_EQ(CheckBook(state.reportText, book, a4, Columns), (std::vector<std::size_t>{55, 18}));
    const std::vector<BookLine>& first = book.pages[0].lines;
    EXPECT_EQ(first[2].text, "H钢截面：500x200x6x12");
    EXPECT_EQ(first[3].text, ",材质Q235");
    EXPECT_EQ(first[3].x, 4);
    EXPECT_EQ(first[3].line, 2u);
}

// Lengths whose product or quotient a double cannot hold, pages that hold no line or
// absurdly many, and a measure that gives no width: refused, never divided by.
TEST(LayOutBook, RefusesAbsurdPageMetrics) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const LineMeasure noWidth = [](std::string_view) { return nan; };
    const struct {
        const char* name;
        PageMetrics page;
        LineMeasure measure;
    } cases[] = {
        {"1e300 wide, 1e-300 a line", {1e300, 1e300, 1e-300, 1e-300}, Columns},
        {"1e-300 wide, 1e300 a line", {1e-300, 1e-300, 1e300, 1e300}, Columns},
        {"1e300 high", {400, 1e300, 10, 8}, Columns},
        {"denormal line spacing", {400, 600, 4e-320, 8}, Columns},
        {"not a number", {nan, 600, 10, 8}, Columns},
        {"infinite", {400, inf, 10, 8}, Columns},
        {"zero", {400, 600, 0, 8}, Columns},
        {"negative", {-400, 600, 10, 8}, Columns},
        {"no ascent", {400, 600, 10, 0}, Columns},
        {"narrower than a line", {9, 600, 10, 8}, Columns},
        {"lower than a line", {400, 9, 10, 8}, Columns},
        {"10,001 lines high", {400, 100010, 10, 8}, Columns},
        {"the measure gives no number", {400, 600, 10, 8}, noWidth},
        {"the measure gives an infinite width",
         {400, 600, 10, 8},
         [](std::string_view t) { return t.size() > 1 ? inf : 1; }},
        {"the measure gives a negative width",
         {400, 600, 10, 8},
         [](std::string_view t) { return -Columns(t); }},
        {"a digit 1e300 wide", {400, 600, 10, 8}, [](std::string_view) { return 1e300; }},
    };
    for (const auto& c : cases) {
        const ReportBook book = LayOutBook(MakeReport(3, {4}), c.page, c.measure, kPrinted);
        EXPECT_TRUE(book.pages.empty()) << c.name;
        EXPECT_TRUE(book.selected.empty()) << c.name;
        EXPECT_EQ(book.fault, BookFault::PageUnusable) << c.name;
    }
    // The smallest and the largest page still accepted.
    for (const PageMetrics& page :
         {PageMetrics{1e-6, 1e-6, 1e-6, 1e-6}, PageMetrics{1e9, 1e9, 1e5, 1e5}}) {
        const ReportBook book = LayOutBook(MakeReport(3, {4}), page, Columns, kPrinted);
        EXPECT_EQ(book.fault, std::nullopt) << page.width;
        EXPECT_FALSE(book.pages.empty()) << page.width;
    }
}

TEST(LayOutBook, PrintRangesSelectPagesInTheOrderGiven) {
    const struct {
        const char* name;
        std::vector<PageRange> ranges;
        std::vector<int> pages;
    } cases[] = {
        {"all", {}, {1, 2, 3}},
        {"the second page only", {{2, 2}}, {2}},
        {"past the end, then the start", {{2, 5}, {1, 2}}, {2, 3, 1}},
        {"a page asked for twice prints once", {{1, 2}, {2, 2}}, {1, 2}},
        {"before the first page", {{0, 1}}, {1}},
        {"wholly past the end: the last page", {{4, 6}}, {3}},
    };
    const std::string report = MakeReport(0, {5, 5, 5});
    for (const auto& c : cases) {
        const ReportBook book = LayOutBook(report, Page(40, 5), Columns, kPrinted, c.ranges);
        ASSERT_EQ(book.pages.size(), 3u);
        EXPECT_EQ(book.selected, c.pages) << c.name;
    }
}

// A table longer than a page is cut between its rows, each row whole on one page with
// its rules; a block marked so starts a fresh page; the header shows from page 2 on,
// in a band of its own, and a plain report has none.
TEST(LayOutBook, TablesBreakBetweenRowsAndHeadersFollowThePages) {
    BookBlock table;
    table.kind = BookBlock::Kind::Table;
    table.table.columns = {0.5, 0.5};
    for (int i = 0; i < 30; ++i)
        table.table.rows.push_back({"行" + std::to_string(i), i == 7 ? std::string(80, 'x') : ""});
    table.header = "工程";
    BookBlock after;
    after.lines = {"另起一页"};
    after.newPage = true;
    after.header = "工程    构件：乙";
    const PageMetrics page = Page(40, 20);
    const ReportBook book = LayOutBook(BookContent{table, after}, page, Columns, kPrinted);
    ASSERT_FALSE(book.fault);
    std::vector<std::string> rows;
    for (const BookPage& p : book.pages) {
        const double top = p.number == 1 ? 0 : 1.5;  // the header's own rule
        for (const BookRule& r : p.rules) {
            EXPECT_GE(std::min(r.y1, r.y2), top - 1e-9) << p.number;
            EXPECT_LE(std::max(r.y1, r.y2), page.height - 2 + 1e-9) << p.number;
        }
        for (const BookLine& l : p.lines)
            if (l.text.starts_with("行")) rows.push_back(l.text);
        EXPECT_EQ(p.header.text, p.number == 1                        ? ""
                                 : p.number == int(book.pages.size()) ? "工程    构件：乙"
                                                                      : "工程")
            << p.number;
    }
    ASSERT_EQ(rows.size(), 30u);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(rows[std::size_t(i)], "行" + std::to_string(i));
    ASSERT_EQ(book.pages.back().lines.size(), 1u);
    EXPECT_EQ(book.pages.back().lines[0].text, "另起一页");
    EXPECT_GE(book.pages.size(), 3u);
    for (const BookPage& p : LayOutBook(MakeReport(30, {30}), page, Columns, kPrinted).pages)
        EXPECT_EQ(p.header.text, "");
}

// The air after a table never starts a page of its own, whatever the table's length; a
// header or footer wider than the sheet is cut with "…" (they print at full size).
TEST(LayOutBook, NoPageIsBlankAndHeadersAndFootersStayOnTheSheet) {
    const PageMetrics page = Page(30, 20);
    for (int count = 1; count <= 60; ++count) {
        BookBlock table;
        table.kind = BookBlock::Kind::Table;
        table.table.columns = {1};
        for (int i = 0; i < count; ++i) table.table.rows.push_back({"行" + std::to_string(i)});
        table.header = std::string(20, 'P') + "    构件：" + std::string(20, 'M');
        BookBlock after;
        after.lines = {"另起一页"};
        after.newPage = true;
        after.header = table.header;
        const ReportBook book = LayOutBook(BookContent{table, after}, page, Columns, kPrinted);
        for (const BookPage& p : book.pages) {
            EXPECT_FALSE(p.lines.empty()) << count << " rows, page " << p.number;
            EXPECT_LE(Columns(p.header.text), page.width);
            if (p.number > 1) EXPECT_EQ(p.header.text, std::string(20, 'P') + "    构件…");
        }
    }
    const ReportBook narrow = LayOutBook("一行\r\n", Page(26, 5), Columns, kPrinted);
    ASSERT_EQ(narrow.pages.size(), 1u);
    EXPECT_EQ(narrow.pages[0].footer.text, "第 1 页 共 1 页    2026-…");
}

// A cell of thousands of characters (a whole page pasted into a box) makes a row taller
// than a page: it goes on over the next pages, every line above the footer band and none
// lost, each piece of the row in a box of its own.
TEST(LayOutBook, ARowTallerThanAPageGoesOnOverTheNextPages) {
    BookBlock table;
    table.kind = BookBlock::Kind::Table;
    table.table.columns = {0.3, 0.7};
    std::string pasted;
    for (int i = 0; i < 300; ++i) pasted += std::to_string(i) + " ";
    table.table.rows = {{"前", "一行"}, {"截面", pasted}, {"后", "一行"}};
    const PageMetrics page = Page(40, 20);
    const ReportBook book = LayOutBook(BookContent{table}, page, Columns, kPrinted);
    ASSERT_GE(book.pages.size(), 3u);
    std::string joined;
    for (const BookPage& p : book.pages) {
        for (const BookLine& l : p.lines) {
            EXPECT_LE(l.baseline + page.lineSpacing - page.ascent, page.height - 2 + 1e-9)
                << p.number << " " << l.text;
            if (l.line == 1 && l.text != "一行") joined += l.text + " ";
        }
        for (const BookRule& r : p.rules)
            EXPECT_LE(std::max(r.y1, r.y2), page.height - 2 + 1e-9) << p.number;
    }
    EXPECT_EQ(joined, pasted);
    EXPECT_EQ(book.pages.back().lines.back().text, "一行");
}

TEST(BookFaultMessage, SaysWhatDidNotHappenInChinese) {
    const struct {
        BookFault fault;
        bool exporting;
        const char* title;
        const char* says;
    } cases[] = {
        {BookFault::PageUnusable, false, "无法打印", "什么也没有打印"},
        {BookFault::PageUnusable, true, "无法导出 PDF", "计算书没有导出"},
        {BookFault::FileNotWritten, true, "无法导出 PDF", "文件“D:\\书 1.pdf”无法写入"},
    };
    for (const auto& c : cases) {
        const window::FaultMessage message = BookFaultMessage(c.fault, c.exporting, "D:\\书 1.pdf");
        EXPECT_EQ(message.title, c.title) << c.says;
        EXPECT_NE(message.text.find(c.says), std::string::npos) << message.text;
    }
}

TEST(DisplayColumns, FullWidthAndGreekTakeTwoColumns) {
    EXPECT_EQ(DisplayColumns("   长细比=78.3<=200，通过！"), 27u);
    EXPECT_EQ(DisplayColumns("A\u3000B\uFF71\u00D7"), 6u);  // ideographic space 2, ｱ and × 1
    EXPECT_EQ(DisplayColumns("\xFF\xE8\xA7"), 3u);          // stray and cut-off bytes
    EXPECT_EQ(
        DisplayColumns("     -c4=1/(2*λn^2)*{(α2+α3*λn+λn^2)-[(α2+α3*λn+λn^2)^2-4*λn^2]^0.5}"),
        78u);
}

TEST(SafeFileName, WhatWindowsRefusesIsReplacedOrDropped) {
    const std::pair<const char*, const char*> rows[] = {
        {"一号厂房", "一号厂房"},
        {"3#/4#厂房", "3#_4#厂房"},
        {"a:b?c*d", "a_b_c_d"},
        {"厂房. .", "厂房"},  // Windows drops dots and blanks at a name's end
        {" . ", "未命名"},
        {"", "未命名"},
    };
    for (const auto& [name, safe] : rows) EXPECT_EQ(SafeFileName(name, "未命名"), safe) << name;
}

TEST(DefaultPdfFileName, SizeAndTimeWithoutForbiddenCharacters) {
    EXPECT_EQ(DefaultPdfFileName(" ", kPrinted), "隅撑计算书-L45X3-20261207-1430.pdf");
    EXPECT_EQ(DefaultPdfFileName(" L63X5\t", {2027, 1, 5, 9, 5}),
              "隅撑计算书-L63X5-20270105-0905.pdf");
    EXPECT_EQ(DefaultPdfFileName("L<6>3:X\"5/\\|?*\x01", kPrinted),
              "隅撑计算书-L_6_3_X_5______-20261207-1430.pdf");
}

}  // namespace
}  // namespace kneebrace
