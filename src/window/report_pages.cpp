#include "window/report_pages.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

namespace kneebrace {
namespace {

// Zero-padded decimal, as the footer's date and the file name's stamp write numbers.
std::string Digits(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

// A check section's heading: "(" digits ")." at the very start of the line. Formula
// and legend lines are indented, and the header's lines start with their labels, so
// nothing else in the report starts this way.
bool StartsCheckSection(const std::string& line) {
    if (line.empty() || line[0] != '(') return false;
    std::size_t i = 1;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    return i > 1 && line.compare(i, 2, ").") == 0;
}

struct CodeRange {
    char32_t first;
    char32_t last;
};

// Characters the report's Song face draws on its full-width grid. Besides the CJK blocks
// this takes in the Greek letters of the stability formulae (λ, α, π), which the face
// draws as wide as a Chinese character; the widest line of the report is one of them.
// Counting a character too wide only makes the page a little smaller, counting it too
// narrow cuts the line, so doubtful blocks count wide.
constexpr CodeRange kFullWidth[] = {
    {0x0370, 0x052F},    // Greek, Cyrillic
    {0x1100, 0x115F},    // Hangul leading consonants
    {0x2010, 0x206F},    // dashes, quotation marks, "…", "‰", "※"
    {0x2100, 0x2BFF},    // "℃", Roman numerals, arrows, mathematical signs, box drawing, shapes
    {0x2E80, 0xA4CF},    // CJK radicals, ideographic space and punctuation, kana, ideographs
    {0xAC00, 0xD7A3},    // Hangul syllables
    {0xF900, 0xFAFF},    // CJK compatibility ideographs
    {0xFE30, 0xFE4F},    // CJK compatibility forms
    {0xFF00, 0xFF60},    // full-width forms: "：", "，", "（"
    {0xFFE0, 0xFFE6},    // full-width currency and signs
    {0x1F300, 0x1F64F},  // pictographs
    {0x20000, 0x3FFFD},  // CJK ideograph extensions
};

bool IsFullWidth(char32_t c) {
    return std::any_of(std::begin(kFullWidth), std::end(kFullWidth),
                       [c](const CodeRange& r) { return c >= r.first && c <= r.last; });
}

// Decodes the UTF-8 sequence at text[at]. Returns its length in bytes, 0 when the bytes
// there are not a valid sequence.
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    return length;
}

// Windows refuses these in file names; control characters as well.
bool AllowedInFileName(char c) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    return std::string_view(R"(<>:"/\|?*)").find(c) == std::string_view::npos;
}

}  // namespace

std::vector<std::string> SplitReportLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        const bool crLf = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        i += crLf ? 2 : 1;
        start = i;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<ReportSection> FindReportSections(const std::vector<std::string>& lines) {
    std::vector<ReportSection> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= lines.size(); ++i) {
        const bool boundary = i == lines.size() || StartsCheckSection(lines[i]);
        if (!boundary || i == start) continue;
        sections.push_back({start, i - start});
        start = i;
    }
    return sections;
}

std::vector<ReportPage> PaginateLines(const std::vector<std::string>& lines, int linesPerPage,
                                      const Timestamp& printed) {
    if (linesPerPage < 1) {
        throw std::invalid_argument("PaginateLines: a page must hold at least one line");
    }
    const auto perPage = static_cast<std::size_t>(linesPerPage);

    // First line of every page. A section that does not fit below the previous ones
    // moves to a new page; only a section longer than a page is then cut, at the page
    // ends, so the reader finds each check whole wherever that is possible at all.
    std::vector<std::size_t> pageStarts{0};
    std::size_t used = 0;  // lines already on the current page
    for (const ReportSection& section : FindReportSections(lines)) {
        if (used > 0 && used + section.lineCount > perPage) {
            pageStarts.push_back(section.firstLine);
            used = 0;
        }
        std::size_t rest = section.lineCount;
        while (used + rest > perPage) {
            rest -= perPage - used;
            pageStarts.push_back(section.firstLine + section.lineCount - rest);
            used = 0;
        }
        used += rest;
    }

    const int pageCount = static_cast<int>(pageStarts.size());
    std::vector<ReportPage> pages;
    pages.reserve(pageStarts.size());
    for (std::size_t p = 0; p < pageStarts.size(); ++p) {
        const std::size_t end = p + 1 < pageStarts.size() ? pageStarts[p + 1] : lines.size();
        ReportPage page;
        page.number = static_cast<int>(p) + 1;
        page.firstLine = pageStarts[p];
        page.lines.assign(lines.begin() + static_cast<std::ptrdiff_t>(pageStarts[p]),
                          lines.begin() + static_cast<std::ptrdiff_t>(end));
        page.footer = PageFooter(page.number, pageCount, printed);
        pages.push_back(std::move(page));
    }
    return pages;
}

std::vector<ReportPage> PaginateReport(std::string_view reportText, int linesPerPage,
                                       const Timestamp& printed) {
    return PaginateLines(SplitReportLines(reportText), linesPerPage, printed);
}

std::string PageFooter(int page, int pageCount, const Timestamp& printed) {
    return "第 " + std::to_string(page) + " 页 共 " + std::to_string(pageCount) + " 页    " +
           Digits(printed.year, 4) + "-" + Digits(printed.month, 2) + "-" + Digits(printed.day, 2) +
           " " + Digits(printed.hour, 2) + ":" + Digits(printed.minute, 2);
}

std::size_t DisplayColumns(std::string_view line) {
    std::size_t columns = 0;
    std::size_t at = 0;
    while (at < line.size()) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(line, at, code);
        if (length == 0) {
            ++columns;  // a stray byte shows as one replacement mark
            ++at;
            continue;
        }
        columns += IsFullWidth(code) ? 2 : 1;
        at += length;
    }
    return columns;
}

std::size_t WidestLineColumns(const std::vector<std::string>& lines) {
    std::size_t widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, DisplayColumns(line));
    return widest;
}

PageFit FitToPage(std::size_t widestColumns, double usableWidth, double usableHeight,
                  double columnWidth, double lineHeight) {
    for (const double length : {usableWidth, usableHeight, columnWidth, lineHeight}) {
        if (!std::isfinite(length) || length <= 0) {
            throw std::invalid_argument("FitToPage: lengths must be positive and finite");
        }
    }
    PageFit fit;
    const double needed = static_cast<double>(widestColumns) * columnWidth;
    if (needed > usableWidth) fit.scale = usableWidth / needed;
    // A page height that holds a whole number of lines must not lose the last one to
    // the rounding of the division.
    const double lines = std::floor(usableHeight / (lineHeight * fit.scale) * (1 + 1e-9));
    if (lines >= static_cast<double>(INT_MAX)) {
        fit.linesPerPage = INT_MAX;
    } else if (lines >= 1) {
        fit.linesPerPage = static_cast<int>(lines);
    }
    return fit;
}

std::string DefaultPdfFileName(std::string_view angleModel, const Timestamp& when) {
    constexpr std::string_view kBlanks = " \t";
    std::string_view size = angleModel;
    const std::size_t first = size.find_first_not_of(kBlanks);
    size = first == std::string_view::npos
               ? std::string_view("L45X3")
               : size.substr(first, size.find_last_not_of(kBlanks) - first + 1);
    std::string name = "隅撑计算书-";
    for (const char c : size) name.push_back(AllowedInFileName(c) ? c : '_');
    name += "-" + Digits(when.year, 4) + Digits(when.month, 2) + Digits(when.day, 2) + "-" +
            Digits(when.hour, 2) + Digits(when.minute, 2) + ".pdf";
    return name;
}

}  // namespace kneebrace
