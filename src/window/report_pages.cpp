#include "window/report_pages.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "window/control_table.h"

namespace kneebrace {
namespace {

constexpr char kBookTitle[] = "隅撑计算书";

// Below 9 pt a printed calculation is hard to check; a line that would need a smaller
// face wraps instead.
constexpr double kSmallestPoints = 9;

// The footer sits in a band two lines high at the bottom of the area: one blank line
// between the report and the footer, then the footer itself.
constexpr double kFooterBandLines = 2;

// A wrapped line's pieces start this many blanks to the right of the line's own indent,
// so that they read as the continuation of the line above.
constexpr std::size_t kHangingBlanks = 4;

// The lengths a device can sensibly give, in any of its units, and the most lines a page
// may hold either way. Inside these bounds no product or quotient of two lengths can
// overflow or underflow.
constexpr double kShortestLength = 1e-6;
constexpr double kLongestLength = 1e9;
constexpr double kMostLines = 10000;

constexpr std::string_view kBlanks = " \t";

// A measure that gave no usable width: the layout is refused.
struct Unmeasurable {};

// Zero-padded decimal, as the footer's date and the file name's stamp write numbers.
std::string Digits(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    const std::size_t last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
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

// After the checks: the rule that opens the supplementary section, and the heading of
// each of its items, "S" digits "." at the very start of the line.
bool StartsLaterSection(const std::string& line) {
    if (line.starts_with("=")) return true;
    if (line.size() < 3 || line[0] != 'S') return false;
    std::size_t i = 1;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    return i > 1 && i < line.size() && line[i] == '.';
}

struct CodeRange {
    char32_t first;
    char32_t last;
};

// Characters the report's Song face draws on its full-width grid. Besides the CJK blocks
// this takes in the Greek letters of the stability formulae (λ, α, π), which the face
// draws as wide as a Chinese character; the widest line of the report is one of them.
// Counting a character too wide only makes a line a little wider than it is, counting it
// too narrow could cut the line, so doubtful blocks count wide.
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

// Where each character of `text` starts, and its end as the last entry: a stray byte is
// a character of its own, as it prints as one replacement mark.
std::vector<std::size_t> CharacterBounds(std::string_view text) {
    std::vector<std::size_t> bounds{0};
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        at += std::max<std::size_t>(DecodeUtf8(text, at, code), 1);
        bounds.push_back(at);
    }
    return bounds;
}

// Windows refuses these in file names; control characters as well.
bool AllowedInFileName(char c) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    return std::string_view(R"(<>:"/\|?*)").find(c) == std::string_view::npos;
}

bool SaneLength(double length) {
    return length >= kShortestLength && length <= kLongestLength;  // false for NaN
}

// The width of a text on the device: what the front end's measure says, and never less
// than its half-width columns times the width of "0".
class TextWidth {
public:
    explicit TextWidth(const LineMeasure& measure) : measure_(measure) {
        column_ = Measured("0");
        if (!SaneLength(column_)) throw Unmeasurable{};
    }

    double operator()(std::string_view text) const {
        if (text.empty()) return 0;
        return std::max(Measured(text), static_cast<double>(DisplayColumns(text)) * column_);
    }

private:
    double Measured(std::string_view text) const {
        const double width = measure_(text);
        if (!std::isfinite(width) || width < 0) throw Unmeasurable{};
        return width;
    }

    const LineMeasure& measure_;
    double column_ = 1;
};

// A piece of a line as it prints: its text and how far it starts from the left edge.
struct Piece {
    std::string_view text;
    double x = 0;
};

// A line without its trailing blanks, wider than `room`, in pieces no wider. The first piece
// starts at the left edge with the line's own indent, every further one at the hanging
// indent. A piece ends after the last blank that fits behind some text, or else after
// the last character that fits, and always holds at least one character; the blanks
// at a break print on neither side.
std::vector<Piece> WrapLine(std::string_view text, double room, const TextWidth& width) {
    const std::vector<std::size_t> bounds = CharacterBounds(text);
    const std::size_t count = bounds.size() - 1;
    const auto isBlank = [&](std::size_t c) {
        return bounds[c + 1] - bounds[c] == 1 && kBlanks.find(text[bounds[c]]) != kBlanks.npos;
    };
    const std::size_t indentBlanks = text.find_first_not_of(kBlanks) + kHangingBlanks;
    const double indent = std::min(width(std::string(indentBlanks, ' ')), room / 2);

    std::vector<Piece> pieces;
    double x = 0;
    std::size_t first = 0;  // the piece's first character
    while (first < count) {
        const auto span = [&](std::size_t end) {
            return text.substr(bounds[first], bounds[end] - bounds[first]);
        };
        const auto fits = [&](std::size_t n) { return width(span(first + n)) <= room - x; };
        // The most characters that fit: doubling, then halving the gap, so that a long
        // line costs a few measures of about a piece's length per piece.
        std::size_t fitting = 0;
        std::size_t tooMany = 1;
        while (first + tooMany <= count && fits(tooMany)) {
            fitting = tooMany;
            tooMany *= 2;
        }
        tooMany = std::min(tooMany, count - first + 1);
        while (tooMany - fitting > 1) {
            const std::size_t middle = fitting + (tooMany - fitting) / 2;
            if (fits(middle)) {
                fitting = middle;
            } else {
                tooMany = middle;
            }
        }
        std::size_t end = first + std::max<std::size_t>(fitting, 1);
        if (end < count && fitting > 0 && !isBlank(end)) {
            std::size_t blank = end - 1;
            while (blank > first && !isBlank(blank)) --blank;
            std::size_t text0 = first;
            while (text0 < end && isBlank(text0)) ++text0;
            if (blank > text0) end = blank;
        }
        const std::string_view piece = WithoutTrailingBlanks(span(end));
        if (!piece.empty()) pieces.push_back({piece, x});
        first = end;
        while (first < count && isBlank(first)) ++first;
        x = indent;
    }
    return pieces;
}

// `text` as it fits in `room` on one line: whole, or cut after the most characters that
// fit with "…" behind them. Headers and footers print at full size on one line, and a long
// project or member name must not run off the sheet.
std::string FitOnOneLine(std::string_view text, double room, const TextWidth& width) {
    if (width(text) <= room) return std::string(text);
    const std::vector<std::size_t> bounds = CharacterBounds(text);
    const auto cut = [&](std::size_t n) { return std::string(text.substr(0, bounds[n])) + "…"; };
    std::size_t fitting = 0;
    std::size_t tooMany = bounds.size() - 1;
    while (tooMany - fitting > 1) {
        const std::size_t middle = fitting + (tooMany - fitting) / 2;
        if (width(cut(middle)) <= room) {
            fitting = middle;
        } else {
            tooMany = middle;
        }
    }
    return cut(fitting);
}

// The page numbers that `ranges` select from a book of `pageCount` pages.
std::vector<int> SelectPages(const std::vector<PageRange>& ranges, int pageCount) {
    std::vector<int> pages;
    if (ranges.empty()) {
        for (int page = 1; page <= pageCount; ++page) pages.push_back(page);
        return pages;
    }
    for (const PageRange& range : ranges) {
        for (int page = std::max(range.first, 1); page <= std::min(range.last, pageCount); ++page)
            if (std::find(pages.begin(), pages.end(), page) == pages.end()) pages.push_back(page);
    }
    // A print dialog counts the pages before the printer is known, and the printer's own
    // layout may come out a page shorter. A range wholly beyond the end then prints the
    // last page rather than an empty job that looks as if it had printed.
    if (pages.empty() && pageCount > 0) pages.push_back(pageCount);
    return pages;
}

std::string PageFooter(int page, int pageCount, const Timestamp& printed) {
    return "第 " + std::to_string(page) + " 页 共 " + std::to_string(pageCount) + " 页    " +
           DateText(printed) + " " + Digits(printed.hour, 2) + ":" + Digits(printed.minute, 2);
}

// One row of the book before it is put on a page: its height and what it holds, the
// vertical positions from the row's top.
struct Row {
    double height = 0;
    std::vector<BookLine> lines;
    std::vector<BookRule> rules;
    std::vector<BookDiagram> diagrams;
};

// The rows of one block, and the header of the pages it starts.
struct Block {
    std::vector<Row> rows;
    bool newPage = false;
    std::string header;
};

// Turns blocks into rows, in the scaled units in which a row `room` wide fits the area.
class RowMaker {
public:
    RowMaker(const PageMetrics& page, const TextWidth& width, double room, double pageRoom)
        : page_(page), width_(width), room_(room), pageRoom_(pageRoom) {}

    Block Make(const BookBlock& in, std::size_t& sourceLine) const {
        Block out{{}, in.newPage, in.header};
        switch (in.kind) {
            case BookBlock::Kind::Text:
                for (const std::string& line : in.lines)
                    AddLine(out, line, in.centred, sourceLine++);
                break;
            case BookBlock::Kind::Table:
                for (const auto& cells : in.table.rows)
                    for (Row& row : TableRows(in.table, cells)) out.rows.push_back(std::move(row));
                out.rows.push_back({page_.lineSpacing / 2, {}, {}, {}});
                break;
            case BookBlock::Kind::Diagram: {
                double w = room_ * 0.8;
                double h = w * std::clamp(in.aspect, 0.0, 1.0);
                if (h > pageRoom_ / 2) {
                    w *= pageRoom_ / 2 / h;
                    h = pageRoom_ / 2;
                }
                out.rows.push_back({h + page_.lineSpacing, {}, {}, {{(room_ - w) / 2, 0, w, h}}});
                break;
            }
        }
        return out;
    }

private:
    void AddLine(Block& out, const std::string& line, bool centred, std::size_t source) const {
        const std::string_view text = WithoutTrailingBlanks(line);
        const double w = width_(text);
        if (w <= room_) {
            const double x = centred ? (room_ - w) / 2 : 0;
            out.rows.push_back(
                {page_.lineSpacing, {{std::string(text), x, page_.ascent, source}}, {}, {}});
            return;
        }
        for (const Piece& piece : WrapLine(text, room_, width_))
            out.rows.push_back({page_.lineSpacing,
                                {{std::string(piece.text), piece.x, page_.ascent, source}},
                                {},
                                {}});
    }

    // A table row: each cell wrapped inside its column with a little air to the rules, the
    // row as high as its tallest cell. A row taller than a page (a text of thousands of
    // characters in a cell) goes on as a row of its own on the next pages, its lines cut
    // where a page ends, so that none is drawn past the footer.
    std::vector<Row> TableRows(const BookTable& table,
                               const std::vector<std::string>& cells) const {
        const double pad = width_("0") / 2;
        const double air = page_.lineSpacing * 0.2;
        std::vector<std::vector<Piece>> columns;
        std::vector<double> edges{0};
        std::size_t tallest = 1;
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const double columnWidth = room_ * table.columns[c];
            const std::string_view text =
                c < cells.size() ? WithoutTrailingBlanks(cells[c]) : std::string_view();
            std::vector<Piece> pieces;
            if (!text.empty()) {
                const double inner = std::max(columnWidth - 2 * pad, pad);
                if (width_(text) <= inner) {
                    pieces.push_back({text, 0});
                } else {
                    pieces = WrapLine(text, inner, width_);
                }
            }
            tallest = std::max(tallest, pieces.size());
            columns.push_back(std::move(pieces));
            edges.push_back(edges.back() + columnWidth);
        }
        const auto perPage = static_cast<std::size_t>(
            std::max(std::floor((pageRoom_ - 2 * air) / page_.lineSpacing * (1 + 1e-9)), 1.0));
        std::vector<Row> rows;
        for (std::size_t from = 0; from < tallest; from += perPage) {
            const std::size_t to = std::min(from + perPage, tallest);
            Row row;
            for (std::size_t c = 0; c < columns.size(); ++c)
                // A cell's pieces start at its left edge: the column shows them as one text.
                for (std::size_t k = from; k < std::min(to, columns[c].size()); ++k)
                    row.lines.push_back(
                        {std::string(columns[c][k].text), edges[c] + pad,
                         air + page_.ascent + static_cast<double>(k - from) * page_.lineSpacing,
                         c});
            row.height = static_cast<double>(to - from) * page_.lineSpacing + 2 * air;
            const double right = edges.back();
            if (table.grid) {
                row.rules.push_back({0, 0, right, 0});
                row.rules.push_back({0, row.height, right, row.height});
                for (const double edge : edges) row.rules.push_back({edge, 0, edge, row.height});
            } else {
                // Every second cell is a field: underlined, text or not.
                for (std::size_t c = 1; c + 1 < edges.size(); c += 2)
                    row.rules.push_back(
                        {edges[c], row.height - air, edges[c + 1] - pad, row.height - air});
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }

    const PageMetrics& page_;
    const TextWidth& width_;
    double room_;
    double pageRoom_;
};

// A block that does not fit below the previous ones moves to a new page; only a block
// longer than a page is then cut, between its rows, so the reader finds each check and
// each table whole wherever that is possible at all. A table row taller than a page has
// been cut into rows that fit by the RowMaker.
ReportBook LayOutMeasured(const BookContent& content, const PageMetrics& page,
                          const TextWidth& width, const Timestamp& printed,
                          const std::vector<PageRange>& ranges) {
    ReportBook book;
    book.title = kBookTitle;

    // One scale for every page: as small as the lines that 9 pt still keeps whole need.
    const double smallest = std::min(1.0, kSmallestPoints / ReportFontPoints());
    for (const BookBlock& block : content)
        for (const std::string& line : block.lines) {
            const double w = width(WithoutTrailingBlanks(line));
            if (w > page.width && w * smallest <= page.width)
                book.scale = std::min(book.scale, page.width / w);
        }
    // A line that the scale was chosen for must not wrap for the rounding of a division.
    const double room = page.width / book.scale * (1 + 1e-9);
    // A twenty-fifth of a line at full size, about 0.5 pt: the rules of a form, not of
    // a drawing, and as thin on paper whatever the scale.
    book.ruleWidth = page.lineSpacing / 25 / book.scale;

    const bool headed = std::any_of(content.begin(), content.end(),
                                    [](const BookBlock& b) { return !b.header.empty(); });
    // The footer band, and the header band after the first page, at full size; an area
    // too small for them still gets one line a page.
    const double linesHigh = std::max(page.height / page.lineSpacing - kFooterBandLines, 1.0);
    const double headerLines = headed ? kFooterBandLines : 0;
    const auto capacity = [&](bool first) {
        const double lines = first ? linesHigh : std::max(linesHigh - headerLines, 1.0);
        return std::max(std::floor(lines / book.scale * (1 + 1e-9)), 1.0) * page.lineSpacing;
    };

    const RowMaker maker(page, width, room, capacity(false));
    struct Placed {
        std::vector<const Row*> rows;
        std::vector<double> tops;
        std::string header;
    };
    std::vector<Block> blocks;
    std::size_t sourceLine = 0;
    for (const BookBlock& in : content) blocks.push_back(maker.Make(in, sourceLine));

    std::vector<Placed> pages(1);
    double used = 0;
    const auto newPage = [&](const std::string& header) {
        pages.push_back({{}, {}, header});
        used = 0;
    };
    // The air after a table: it separates blocks on a page, and is dropped where a page
    // ends, so that it never starts a page of its own.
    const auto blank = [](const Row& row) {
        return row.lines.empty() && row.rules.empty() && row.diagrams.empty();
    };
    for (const Block& block : blocks) {
        double total = 0;
        for (const Row& row : block.rows)
            if (!blank(row)) total += row.height;
        const double tolerance = page.lineSpacing * 1e-9;
        if (used > 0 && (block.newPage || used + total > capacity(pages.size() == 1) + tolerance))
            newPage(block.header);
        for (const Row& row : block.rows) {
            const bool fits = used + row.height <= capacity(pages.size() == 1) + tolerance;
            if (blank(row) && (used == 0 || !fits)) continue;
            if (used > 0 && !fits) newPage(block.header);
            pages.back().rows.push_back(&row);
            pages.back().tops.push_back(used);
            used += row.height;
        }
    }

    const int pageCount = static_cast<int>(pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        BookPage out;
        out.number = static_cast<int>(p) + 1;
        const double top = p > 0 ? headerLines * page.lineSpacing / book.scale : 0;
        for (std::size_t r = 0; r < pages[p].rows.size(); ++r) {
            const Row& row = *pages[p].rows[r];
            const double y = top + pages[p].tops[r];
            for (BookLine line : row.lines) {
                line.baseline += y;
                out.lines.push_back(std::move(line));
            }
            for (BookRule rule : row.rules) {
                rule.y1 += y;
                rule.y2 += y;
                out.rules.push_back(rule);
            }
            for (BookDiagram diagram : row.diagrams) {
                diagram.y += y;
                out.diagrams.push_back(diagram);
            }
        }
        if (p > 0 && !pages[p].header.empty()) {
            out.header = {FitOnOneLine(pages[p].header, page.width, width), 0, page.ascent, 0};
            const double rule = (page.lineSpacing * 1.5) / book.scale;
            out.rules.push_back({0, rule, room, rule});
        }
        out.footer.text =
            FitOnOneLine(PageFooter(out.number, pageCount, printed), page.width, width);
        out.footer.x = std::max((page.width - width(out.footer.text)) / 2, 0.0);
        out.footer.baseline = page.height - page.lineSpacing + page.ascent;
        book.pages.push_back(std::move(out));
    }
    book.selected = SelectPages(ranges, pageCount);
    return book;
}

}  // namespace

double ReportFontPoints() {
    const window::ControlRow* box = window::FindControl("Text8");
    return box != nullptr && box->fontPoints > 0 ? box->fontPoints : window::kWindowFontPoints;
}

ReportBook LayOutBook(std::string_view reportText, const PageMetrics& page,
                      const LineMeasure& measure, const Timestamp& printed,
                      const std::vector<PageRange>& ranges) {
    return LayOutBook(ReportBlocks(reportText), page, measure, printed, ranges);
}

BookContent ReportBlocks(std::string_view reportText) {
    BookContent blocks;
    bool checks = false;  // a numbered check has begun
    for (std::string& line : SplitReportLines(reportText)) {
        const bool check = StartsCheckSection(line);
        if (blocks.empty() || check || (checks && StartsLaterSection(line))) blocks.emplace_back();
        checks = checks || check;
        blocks.back().lines.push_back(std::move(line));
    }
    return blocks;
}

ReportBook LayOutBook(const BookContent& content, const PageMetrics& page,
                      const LineMeasure& measure, const Timestamp& printed,
                      const std::vector<PageRange>& ranges) {
    ReportBook refused;
    refused.title = kBookTitle;
    refused.fault = BookFault::PageUnusable;
    for (const double length : {page.width, page.height, page.lineSpacing, page.ascent})
        if (!SaneLength(length)) return refused;
    for (const double lines : {page.width / page.lineSpacing, page.height / page.lineSpacing})
        if (lines < 1 || lines > kMostLines) return refused;
    try {
        return LayOutMeasured(content, page, TextWidth(measure), printed, ranges);
    } catch (const Unmeasurable&) {
        return refused;
    }
}

window::FaultMessage BookFaultMessage(BookFault fault, bool exporting, std::string_view path) {
    const std::string title = exporting ? "无法导出 PDF" : "无法打印";
    switch (fault) {
        case BookFault::PageUnusable:
            return {title, std::string("纸张的尺寸或字体的大小无法排出计算书，") +
                               (exporting ? "计算书没有导出。" : "什么也没有打印。") +
                               "\n请另选纸张或打印机后再试。"};
        case BookFault::PrinterRefused:
            return {"无法打印",
                    "打印机没有接受计算书，什么也没有打印。\n请检查打印机的设置后再试。"};
        case BookFault::PrintDialogUnavailable:
            return {"无法打印",
                    "打印对话框无法打开，计算书没有打印。\n请确认系统中已添加打印机后再试。"};
        case BookFault::FileNotWritten:
            // The user reads the path and what to look at; the system's reason would be
            // English.
            return {title, "文件“" + std::string(path) +
                               "”无法写入，计算书没有导出。\n"
                               "请确认文件夹存在、允许写入且磁盘空间足够，或另选一个位置。"
                               "同名的旧文件保持原样。"};
    }
    return {title, "计算书没有送出。"};
}

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

std::string DateText(const Timestamp& when) {
    return Digits(when.year, 4) + "-" + Digits(when.month, 2) + "-" + Digits(when.day, 2);
}

std::string SafeFileName(std::string_view name, std::string_view fallback) {
    std::string safe;
    for (const char c : name) safe.push_back(AllowedInFileName(c) ? c : '_');
    while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
    return safe.empty() ? std::string(fallback) : safe;
}

std::string DefaultPdfFileName(std::string_view angleModel, const Timestamp& when) {
    std::string_view size = angleModel;
    const std::size_t first = size.find_first_not_of(kBlanks);
    size = first == std::string_view::npos
               ? std::string_view("L45X3")
               : size.substr(first, size.find_last_not_of(kBlanks) - first + 1);
    std::string name = std::string(kBookTitle) + "-";
    for (const char c : size) name.push_back(AllowedInFileName(c) ? c : '_');
    name += "-" + Digits(when.year, 4) + Digits(when.month, 2) + Digits(when.day, 2) + "-" +
            Digits(when.hour, 2) + Digits(when.minute, 2) + ".pdf";
    return name;
}

}  // namespace kneebrace
