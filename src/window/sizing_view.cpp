#include "window/sizing_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

#include "core/fault.h"
#include "core/number_text.h"

namespace kneebrace {
namespace {

constexpr double kLast = std::numeric_limits<double>::infinity();

constexpr std::array<std::string_view, kSizingColumnCountWithCodes> kHeaders = {
    "型号",    "A0 (mm²)", "每米重量 (kg/m)", "(1)长细比",   "(2)宽厚比",
    "(3)强度", "(4)稳定",  "(5)螺栓抗剪",     "(6)孔壁承压", "(7)端部抗剪",
    "结论",    "补充验算", "最大利用率",      "控制项",
};

constexpr std::array<std::string_view, kSizingColumnCountWithCodes> kHeaderTips = {
    "角钢型号",
    "截面面积A0",
    "A0×0.00785，钢材密度7850kg/m3",
    "利用率：长细比/200",
    "利用率：实际宽厚比/宽厚比限值",
    "利用率：角钢抗压强度f1/215N/mm2",
    "利用率：角钢稳定强度f2/215N/mm2",
    "利用率：轴力N/螺栓抗剪承载力Nv",
    "利用率：轴力N/角钢孔壁抗压承载力Nc",
    "利用率：轴力N/角钢端部抗剪承载力Nv",
    "七项验算全部通过为通过",
    "补充验算（现行规范）S1～S7全部满足为满足；不满足时，提示中列出不满足的项目",
    "利用率＝需求/承载力（作用/抗力），取本行七项验算和补充验算S1～S7中的最大值",
    "最大利用率所在的验算：(1)～(7)为七项验算，S1～S7为补充验算",
};

// 结论 with the section: the row passes only when the section passes too.
constexpr std::string_view kConclusionTipWithCodes = "七项验算和补充验算全部满足为通过";

std::string GradeName(const DesignState& s) {
    if (s.gradeCode == 1) return "Q235";
    if (s.gradeCode == 2) return "Q345";
    return s.gradeText;
}

SizingCell Cell(std::string text, bool failing, double sortKey, std::string tip = {}) {
    return SizingCell{std::move(text), failing, sortKey, std::move(tip)};
}

// A utilisation as a percentage to 0.1 %. An infinite one (a demand on no capacity) has
// no percentage; NaN (no demand, no capacity) has no value at all, nor has the largest of
// a row whose every utilisation is NaN.
SizingCell UtilisationCell(double use, bool failing) {
    SizingCell cell;
    cell.failing = failing;
    if (std::isnan(use) || use == -kLast) {
        cell.text = "-";
        cell.sortKey = kLast;
    } else if (std::isinf(use)) {
        cell.text = "无穷大";
        cell.sortKey = kLast;
    } else {
        cell.text = FormatFixed(use * 100, "0.0") + "%";
        cell.sortKey = use;
    }
    return cell;
}

// What a check is, in the words of its header or its section heading.
std::string CheckName(std::size_t check) {
    if (check < kCheckCount) return std::string(kHeaders[kSizingFirstCheckColumn + check]);
    const auto item = static_cast<CodesItem>(check - kCheckCount);
    return std::string(CodesItemLabel(item)) + std::string(CodesItemTitle(item));
}

// The section's verdict, its largest utilisation and the check that governs; each
// failing item named with its utilisation in the verdict's tip.
void AppendCodesCells(const CodesUse& use, bool rowPasses, std::vector<SizingCell>& cells) {
    SizingCell verdict = Cell(use.passes ? "满足" : "不满足", !use.passes, use.passes ? 0 : 1);
    if (!use.passes) {
        verdict.tip = "补充验算" + FailingItems(use) + "不满足要求：";
        for (std::size_t i = 0; i < kCodesItemCount; ++i) {
            if (use.items[i].passes) continue;
            verdict.tip.append("\n").append(CheckName(kCheckCount + i)).append("，利用率 ");
            verdict.tip.append(UtilisationCell(use.items[i].utilisation, true).text);
        }
    }
    cells.push_back(std::move(verdict));
    cells.push_back(UtilisationCell(use.largestUse, !rowPasses));
    cells.push_back(Cell(std::string(RowCheckLabel(use.governing)), !rowPasses,
                         static_cast<double>(use.governing), CheckName(use.governing)));
}

SizingViewRow MakeRow(const SizingRow& r, std::size_t position, bool withCodes) {
    SizingViewRow row;
    row.designation = r.designation;
    row.fault = r.fault.has_value();
    row.passesAll = r.passesAll && !row.fault;

    auto& cells = row.cells;
    cells.reserve(withCodes ? kSizingColumnCountWithCodes : kSizingColumnCount);
    cells.push_back(Cell(r.designation, false, static_cast<double>(position)));
    cells.push_back(Cell(ToText(r.A0), false, static_cast<double>(r.A0)));
    cells.push_back(Cell(FormatFixed(r.massPerMetre, "0.00"), false, r.massPerMetre));
    for (const CheckUse& check : r.checks) {
        // A faulted run has no utilisations to show; its conclusion names the fault.
        cells.push_back(row.fault ? Cell("", false, kLast)
                                  : UtilisationCell(check.utilisation, !check.passes));
    }
    if (row.fault) {
        cells.push_back(Cell(std::string(FaultKindTitle(*r.fault)), true, 2));
    } else if (row.passesAll) {
        cells.push_back(Cell("通过", false, 0));
    } else {
        cells.push_back(Cell("失败", true, 1));
    }
    if (!withCodes) return row;
    if (r.currentCodes) AppendCodesCells(*r.currentCodes, row.passesAll, cells);
    else cells.resize(kSizingColumnCountWithCodes, Cell("", false, kLast));
    return row;
}

// Sized with the section and failing an item no angle can mend: every row fails, and
// the message says so and what to change, the lead sentence and each item on a line
// of their own.
std::optional<std::string> NoSizeCanMendMessage(const std::vector<SizingRow>& rows) {
    const std::optional<SizeIndependentFailure> failure = NoSizeCanMend(rows);
    if (!failure) return std::nullopt;
    std::string lines = failure->advice;
    for (const std::string_view mark : {std::string_view("："), std::string_view("；")}) {
        for (std::size_t at = lines.find(mark); at != std::string::npos;
             at = lines.find(mark, at + mark.size() + 1)) {
            lines.insert(at + mark.size(), "\n");
        }
    }
    return lines;
}

// The rows' display order after a click on `column`'s header: by its sort key, smaller
// first unless `descending`, equal keys in catalogue order, fault rows always last.
std::vector<std::size_t> SortedRows(const SizingView& view, std::size_t column, bool descending) {
    std::vector<std::size_t> order(view.rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (column >= view.columnCount()) return order;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const SizingViewRow& ra = view.rows[a];
        const SizingViewRow& rb = view.rows[b];
        if (ra.fault != rb.fault) return rb.fault;  // the faultless row first
        if (column >= ra.cells.size()) return false;
        const double ka = ra.cells[column].sortKey;
        const double kb = rb.cells[column].sortKey;
        return descending ? kb < ka : ka < kb;
    });
    return order;
}

}  // namespace

std::string SizingInputsLine(const DesignState& s, const InputTexts& in,
                             const std::optional<PurlinInputs>& purlin) {
    // The numbers as the run reads them, so "45度" shows as the 45 that was used.
    DesignState read = s;
    ReadRunInputs(read, in);
    std::string line;
    line.append("截面 ").append(in.Text1);
    line.append("，").append(GradeName(s));
    line.append("，间隙 ").append(ToText(read.gap));
    line.append("，K2=").append(ToText(read.K2));
    line.append("，K3=").append(ToText(read.K3));
    line.append("，夹角 ").append(ToTextD(ParseLoose(in.Text5, "与腹板夹角"))).append("度");
    line.append("，M").append(ToText(read.M));
    line.append("，E2=").append(ToText(read.E2));
    line.append("，").append(s.layoutText);
    if (purlin) {
        line.append("，檩条腹板 tp=").append(ToTextD(purlin->tp));
        line.append(purlin->steelCode == 2 ? " Q345" : " Q235");
    }
    return line;
}

SizingView MakeSizingView(const DesignState& s, const InputTexts& in,
                          const std::vector<SizingRow>& rows,
                          const std::optional<PurlinInputs>& purlin) {
    SizingView view;
    view.inputsLine = SizingInputsLine(s, in, purlin);
    view.withCodes = purlin.has_value();
    const std::size_t columns = view.withCodes ? kSizingColumnCountWithCodes : kSizingColumnCount;
    view.headers.assign(kHeaders.begin(), kHeaders.begin() + static_cast<std::ptrdiff_t>(columns));
    view.headerTips.assign(kHeaderTips.begin(),
                           kHeaderTips.begin() + static_cast<std::ptrdiff_t>(columns));
    if (view.withCodes) view.headerTips[kSizingConclusionColumn] = kConclusionTipWithCodes;
    view.rows.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        view.rows.push_back(MakeRow(rows[i], i, view.withCodes));

    // A row passes the section too when sized with it (SizingRow::passesAll), so the
    // lightest passing size is one that passes both.
    view.lightest = LightestPassing(rows);
    const std::string_view checks = view.withCodes ? "七项验算和补充验算" : "七项验算";
    if (view.lightest) {
        const SizingRow& best = rows[*view.lightest];
        view.message = "通过全部" + std::string(checks) + "的最轻规格：" + best.designation +
                       "，每米重量 " + FormatFixed(best.massPerMetre, "0.00") + " kg/m。";
    } else if (std::optional<std::string> mend = NoSizeCanMendMessage(rows)) {
        view.message = std::move(*mend);
    } else {
        view.message = std::string(view.withCodes ? kSizingNonePassesWithCodes : kSizingNonePasses);
    }
    return view;
}

SizingView BuildSizingView(const DesignState& s, const InputTexts& in,
                           const std::optional<PurlinInputs>& purlin) {
    return MakeSizingView(s, in, SizeAngles(s, in, purlin), purlin);
}

SizingAlignment SizingColumnAlignment(std::size_t column) {
    if (column == 0) return SizingAlignment::Left;
    if (column == kSizingConclusionColumn || column == kSizingCodesColumn ||
        column == kSizingGoverningColumn)
        return SizingAlignment::Centre;
    return SizingAlignment::Right;
}

SizingTable::SizingTable(SizingView view)
    : view_(std::move(view)),
      order_(SortedRows(view_, view_.columnCount(), false)),
      textWidths_(view_.columnCount(), 0) {
    if (view_.lightest) selectedRow_ = view_.lightest;
    else if (!view_.rows.empty()) selectedRow_ = 0;
}

std::size_t SizingTable::PositionOf(std::size_t viewRow) const {
    const auto it = std::find(order_.begin(), order_.end(), viewRow);
    return it == order_.end() ? 0 : static_cast<std::size_t>(it - order_.begin());
}

std::vector<std::size_t> SizingTable::ClickHeader(std::size_t column) {
    if (column >= columnCount()) return {};
    const std::size_t arrowWas = ArrowColumn();
    descending_ = sortColumn_ == column && !descending_;
    sortColumn_ = column;
    order_ = SortedRows(view_, column, descending_);
    if (arrowWas == column || arrowRoom_ == 0) return {};
    return {arrowWas, column};
}

SizingArrow SizingTable::ArrowOn(std::size_t column) const {
    if (sortColumn_ != column) return SizingArrow::None;
    return descending_ ? SizingArrow::Down : SizingArrow::Up;
}

std::optional<std::size_t> SizingTable::selected() const {
    if (!selectedRow_) return std::nullopt;
    return PositionOf(*selectedRow_);
}

void SizingTable::Select(std::size_t position) {
    if (position < order_.size()) selectedRow_ = order_[position];
}

std::string SizingTable::SelectedDesignation() const {
    return selectedRow_ ? view_.rows[*selectedRow_].designation : std::string();
}

SizingCellLook SizingTable::LookOf(std::size_t position, std::size_t column) const {
    SizingCellLook look;
    const std::size_t row = ViewRowAt(position);
    const bool selected = selectedRow_ == row;
    if (column < view_.rows[row].cells.size() && view_.rows[row].cells[column].failing)
        look.text = kSizingFailingText;
    if (view_.lightest == row) {
        look.bold = true;
        look.ground = selected ? kSizingLightestSelectedGround : kSizingLightestGround;
    } else if (selected) {
        look.ground = kSizingSelectedGround;
    }
    return look;
}

std::optional<SizingColour> SizingTable::MessageColour() const {
    if (view_.lightest) return std::nullopt;
    return kSizingFailingText;
}

std::size_t SizingTable::FirstRowShown(std::size_t top, std::size_t perPage, bool centre) const {
    const std::size_t count = order_.size();
    const std::size_t lastTop = count > perPage ? count - perPage : 0;
    const std::optional<std::size_t> at = selected();
    if (!at || perPage == 0) return std::min(top, lastTop);
    std::size_t first = top;
    if (centre) first = *at > perPage / 2 ? *at - perPage / 2 : 0;
    else if (*at < top) first = *at;
    else if (*at >= top + perPage) first = *at + 1 - perPage;
    return std::min(first, lastTop);
}

std::size_t SizingTable::ArrowColumn() const {
    return sortColumn_.value_or(kSizingConclusionColumn);
}

std::vector<std::size_t> SizingTable::MeasureColumns(const SizingMeasure& measure,
                                                     const SizingRoom& room) {
    std::vector<std::size_t> all;
    for (std::size_t c = 0; c < columnCount(); ++c) {
        all.push_back(c);
        int width = measure(view_.headers[c], false) + room.header;
        for (std::size_t r = 0; r < view_.rows.size(); ++r) {
            const bool bold = view_.lightest == r;
            width = std::max(width, measure(view_.rows[r].cells[c].text, bold) + room.cell);
        }
        textWidths_[c] = width;
    }
    arrowRoom_ = room.arrow;
    return all;
}

std::vector<int> SizingTable::ColumnWidths() const {
    std::vector<int> widths = textWidths_;
    if (ArrowColumn() < widths.size()) widths[ArrowColumn()] += arrowRoom_;
    return widths;
}

}  // namespace kneebrace
