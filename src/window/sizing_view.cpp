#include "window/sizing_view.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/fault.h"
#include "core/number_text.h"

namespace kneebrace {
namespace {

constexpr double kLast = std::numeric_limits<double>::infinity();

constexpr std::array<std::string_view, kSizingColumnCount> kHeaders = {
    "型号",    "A0 (mm²)",    "每米重量 (kg/m)", "(1)长细比",   "(2)宽厚比", "(3)强度",
    "(4)稳定", "(5)螺栓抗剪", "(6)孔壁承压",     "(7)端部抗剪", "结论",
};

constexpr std::array<std::string_view, kSizingColumnCount> kHeaderTips = {
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
};

std::string GradeName(const DesignState& s) {
    if (s.gradeCode == 1) return "Q235";
    if (s.gradeCode == 2) return "Q345";
    return s.gradeText;
}

// The utilisation as a percentage to 0.1 %. An infinite one (a demand on no capacity)
// has no percentage; NaN (no demand, no capacity) has no value at all.
SizingCell UtilisationCell(const CheckUse& check) {
    SizingCell cell;
    cell.failing = !check.passes;
    if (std::isnan(check.utilisation)) {
        cell.text = "-";
        cell.sortKey = kLast;
    } else if (std::isinf(check.utilisation) && check.utilisation > 0) {
        cell.text = "无穷大";
        cell.sortKey = kLast;
    } else {
        cell.text = FormatFixed(check.utilisation * 100, "0.0") + "%";
        cell.sortKey = check.utilisation;
    }
    return cell;
}

SizingViewRow MakeRow(const SizingRow& r, std::size_t position) {
    SizingViewRow row;
    row.designation = r.designation;
    row.fault = r.fault.has_value();
    row.passesAll = r.passesAll && !row.fault;

    auto& cells = row.cells;
    cells[0] = {r.designation, false, static_cast<double>(position)};
    cells[1] = {ToText(r.A0), false, static_cast<double>(r.A0)};
    cells[2] = {FormatFixed(r.massPerMetre, "0.00"), false, r.massPerMetre};
    for (std::size_t i = 0; i < kCheckCount; ++i) {
        // A faulted run has no utilisations to show; its conclusion names the fault.
        cells[kSizingFirstCheckColumn + i] =
            row.fault ? SizingCell{"", false, kLast} : UtilisationCell(r.checks[i]);
    }
    SizingCell& conclusion = cells[kSizingConclusionColumn];
    if (row.fault) {
        conclusion = {std::string(FaultKindTitle(*r.fault)), true, 2};
    } else if (row.passesAll) {
        conclusion = {"通过", false, 0};
    } else {
        conclusion = {"失败", true, 1};
    }
    return row;
}

// The rows' display order after a click on `column`'s header: by its sort key, smaller
// first unless `descending`, equal keys in catalogue order, fault rows always last.
std::vector<std::size_t> SortedRows(const SizingView& view, std::size_t column, bool descending) {
    std::vector<std::size_t> order(view.rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (column >= kSizingColumnCount) return order;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const SizingViewRow& ra = view.rows[a];
        const SizingViewRow& rb = view.rows[b];
        if (ra.fault != rb.fault) return rb.fault;  // the faultless row first
        const double ka = ra.cells[column].sortKey;
        const double kb = rb.cells[column].sortKey;
        return descending ? kb < ka : ka < kb;
    });
    return order;
}

}  // namespace

std::string SizingInputsLine(const DesignState& s, const InputTexts& in) {
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
    return line;
}

SizingView MakeSizingView(const DesignState& s, const InputTexts& in,
                          const std::vector<SizingRow>& rows) {
    SizingView view;
    view.inputsLine = SizingInputsLine(s, in);
    for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
        view.headers[c] = std::string(kHeaders[c]);
        view.headerTips[c] = std::string(kHeaderTips[c]);
    }
    view.rows.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) view.rows.push_back(MakeRow(rows[i], i));

    view.lightest = LightestPassing(rows);
    if (view.lightest) {
        const SizingRow& best = rows[*view.lightest];
        view.message = "通过全部七项验算的最轻规格：" + best.designation + "，每米重量 " +
                       FormatFixed(best.massPerMetre, "0.00") + " kg/m。";
    } else {
        view.message = std::string(kSizingNonePasses);
    }
    return view;
}

SizingView BuildSizingView(const DesignState& s, const InputTexts& in) {
    return MakeSizingView(s, in, SizeAngles(s, in));
}

SizingAlignment SizingColumnAlignment(std::size_t column) {
    if (column == 0) return SizingAlignment::Left;
    if (column == kSizingConclusionColumn) return SizingAlignment::Centre;
    return SizingAlignment::Right;
}

SizingTable::SizingTable(SizingView view)
    : view_(std::move(view)), order_(SortedRows(view_, kSizingColumnCount, false)) {
    if (view_.lightest) selectedRow_ = view_.lightest;
    else if (!view_.rows.empty()) selectedRow_ = 0;
}

std::size_t SizingTable::PositionOf(std::size_t viewRow) const {
    const auto it = std::find(order_.begin(), order_.end(), viewRow);
    return it == order_.end() ? 0 : static_cast<std::size_t>(it - order_.begin());
}

void SizingTable::ClickHeader(std::size_t column) {
    if (column >= kSizingColumnCount) return;
    descending_ = sortColumn_ == column && !descending_;
    sortColumn_ = column;
    order_ = SortedRows(view_, column, descending_);
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
    if (column < kSizingColumnCount && view_.rows[row].cells[column].failing)
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

void SizingTable::MeasureColumns(const SizingMeasure& measure, const SizingRoom& room) {
    for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
        int width = measure(view_.headers[c], false) + room.header;
        for (std::size_t r = 0; r < view_.rows.size(); ++r) {
            const bool bold = view_.lightest == r;
            width = std::max(width, measure(view_.rows[r].cells[c].text, bold) + room.cell);
        }
        textWidths_[c] = width;
    }
    arrowRoom_ = room.arrow;
}

std::array<int, kSizingColumnCount> SizingTable::ColumnWidths() const {
    std::array<int, kSizingColumnCount> widths = textWidths_;
    widths[ArrowColumn()] += arrowRoom_;
    return widths;
}

}  // namespace kneebrace
