// The printed pages: page breaks worked out by hand from the sections' lengths, the
// start-up report at several page heights, widths, the page fit and the PDF file name.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "window/report_pages.h"

namespace kneebrace {
namespace {

const Timestamp kPrinted{2026, 12, 7, 14, 30};

// A header and numbered sections of the given lengths, every line different, so that a
// lost, doubled or reordered line shows.
std::vector<std::string> MakeReport(int headerLines, const std::vector<int>& sectionLines) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(headerLines));
    for (int i = 0; i < headerLines; ++i) lines.push_back("表头" + std::to_string(i));
    for (std::size_t s = 0; s < sectionLines.size(); ++s) {
        lines.push_back("(" + std::to_string(s + 1) + ").校核：");
        for (int i = 1; i < sectionLines[s]; ++i) lines.push_back("   " + std::to_string(i));
    }
    return lines;
}

// Checks every line once and in order, the footers' n/m, and returns the page lengths.
std::vector<std::size_t> CheckPages(const std::vector<std::string>& lines,
                                    const std::vector<ReportPage>& pages) {
    std::vector<std::string> joined;
    std::vector<std::size_t> lengths;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(pages[p].firstLine, joined.size());
        EXPECT_EQ(pages[p].footer, "第 " + std::to_string(p + 1) + " 页 共 " +
                                       std::to_string(pages.size()) + " 页    2026-12-07 14:30");
        joined.insert(joined.end(), pages[p].lines.begin(), pages[p].lines.end());
        lengths.push_back(pages[p].lines.size());
    }
    EXPECT_EQ(joined, lines);
    return lengths;
}

TEST(PaginateLines, KeepsSectionsTogetherAndCutsOnlyLongOnes) {
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
        {"long section starts on its own page", 3, {25, 2}, 10, {3, 10, 10, 7}},
        {"long section first, no header", 0, {15, 3}, 10, {10, 8}},
        {"header longer than a page", 12, {3}, 5, {5, 5, 5}},
        {"empty report still has a page", 0, {}, 10, {0}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = MakeReport(c.headerLines, c.sectionLines);
        EXPECT_EQ(CheckPages(lines, PaginateLines(lines, c.linesPerPage, kPrinted)), c.pageLengths)
            << c.name;
    }
    EXPECT_THROW(PaginateLines(MakeReport(2, {3}), 0, kPrinted), std::invalid_argument);
}

TEST(PaginateReport, StartupReportAtSeveralPageHeights) {
    std::ifstream file(KNEEBRACE_TEST_DATA "/startup-report.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const std::vector<std::string> lines = SplitReportLines(text);
    ASSERT_EQ(lines.size(), 72u);
    // By hand: header 18 lines ("=====" last), then (1) to (7) of 5, 8, 11, 12, 6, 6, 6.
    const std::pair<int, std::vector<std::size_t>> cases[] = {
        {54, {54, 18}},
        {53, {42, 30}},
        {20, {18, 13, 11, 18, 12}},
        {10, {10, 8, 5, 8, 10, 1, 10, 8, 6, 6}}};
    for (const auto& [linesPerPage, pageLengths] : cases) {
        EXPECT_EQ(CheckPages(lines, PaginateReport(text, linesPerPage, kPrinted)), pageLengths)
            << linesPerPage << " lines a page";
    }
    EXPECT_EQ(SplitReportLines("a\n\nb\rc\r\nd"),
              (std::vector<std::string>{"a", "", "b", "c", "d"}));
    // Headings only at the line start, with digits; no empty header before "(1).".
    EXPECT_EQ(FindReportSections({"(1).a", "().", "   (2).b", "(10).c"}).size(), 2u);
}

TEST(DisplayColumns, FullWidthAndGreekTakeTwoColumns) {
    EXPECT_EQ(DisplayColumns("   长细比=78.3<=200，通过！"), 27u);
    EXPECT_EQ(DisplayColumns("A\u3000B\uFF71\u00D7"), 6u);  // ideographic space 2, ｱ and × 1
    EXPECT_EQ(DisplayColumns("\xFF\xE8\xA7"), 3u);          // stray and cut-off bytes
    EXPECT_EQ(WidestLineColumns(
                  {"ab", "     -c4=1/(2*λn^2)*{(α2+α3*λn+λn^2)-[(α2+α3*λn+λn^2)^2-4*λn^2]^0.5}"}),
              78u);
}

TEST(FitToPage, TheWidestLineScalesTheWholePage) {
    const struct {
        std::size_t columns;
        double width, height, lineHeight, scale;
        int lines;
    } cases[] = {
        {78, 100, 50, 2, 1, 25},
        {200, 100, 50, 2, 0.5, 50},
        {3, 10, 0.7, 0.1, 1, 7},  // 0.7 / 0.1 is a hair below 7 in binary
    };
    for (const auto& c : cases) {
        const PageFit fit = FitToPage(c.columns, c.width, c.height, 1, c.lineHeight);
        EXPECT_EQ(fit.scale, c.scale) << c.columns;
        EXPECT_EQ(fit.linesPerPage, c.lines) << c.columns;
    }
    EXPECT_THROW(FitToPage(10, 10, 10, 1, std::nan("")), std::invalid_argument);
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
