// What the angle sizing dialog shows, worked out once for every front end: the inputs
// line, the column headers, each row's cell texts with their failing marks and sort
// keys, the lightest passing row and the message above the table; and the table's state
// while the dialog is open: the order of the last header click, the selected row, each
// cell's colours, alignment and weight, the rows scrolled into view and the columns'
// widths. A front end only draws it and hands the chosen row's designation to the size
// pick.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/angle_sizing.h"
#include "core/calculation_run.h"
#include "core/design_state.h"
#include "window/look.h"

namespace kneebrace {

inline constexpr std::string_view kSizingTitle = "角钢选型";
inline constexpr std::string_view kSizingAdoptCaption = "选用";
inline constexpr std::string_view kSizingCancelCaption = "取消";
inline constexpr std::string_view kSizingNonePasses = "没有一种角钢规格通过全部七项验算。";
inline constexpr std::string_view kSizingNonePassesWithCodes =
    "没有一种角钢规格通过全部七项验算和补充验算。";

// Rows the table shows without scrolling when the dialog opens.
inline constexpr std::size_t kSizingRowsShown = 18;
// Above and below a row's text together, in pixels at 96 dpi.
inline constexpr int kSizingRowRoom = 6;

// Columns: 型号, A0, 每米重量, the seven checks in report order, 结论; sized with the
// section to the current codes, three more after them: its verdict, the row's largest
// utilisation and the check that governs it. The columns the two tables share keep
// their places, so a column number means the same in both.
inline constexpr std::size_t kSizingFirstCheckColumn = 3;
inline constexpr std::size_t kSizingConclusionColumn = kSizingFirstCheckColumn + kCheckCount;
inline constexpr std::size_t kSizingColumnCount = kSizingConclusionColumn + 1;
inline constexpr std::size_t kSizingCodesColumn = kSizingColumnCount;
inline constexpr std::size_t kSizingLargestUseColumn = kSizingCodesColumn + 1;
inline constexpr std::size_t kSizingGoverningColumn = kSizingLargestUseColumn + 1;
inline constexpr std::size_t kSizingColumnCountWithCodes = kSizingGoverningColumn + 1;

struct SizingCell {
    std::string text;      // UTF-8, as shown
    bool failing = false;  // a failed check or a row that does not pass: painted red
    // Orders the column by value, smaller first: the catalogue position for 型号, the
    // number itself for the numeric columns, +infinity for a utilisation without a
    // finite value, and pass < fail < fault for 结论. Fault rows go last whatever the
    // direction: SizingTable sees to that.
    double sortKey = 0;
    std::string tip;  // shown when the pointer rests on the cell; empty: none
};

struct SizingViewRow {
    std::string designation;  // what adopting the row hands to the size pick
    bool fault = false;       // the size's run faulted: its check cells are empty
    bool passesAll = false;
    std::vector<SizingCell> cells;  // one per header
};

struct SizingView {
    std::string inputsLine;  // the inputs every row was run with, one line
    bool withCodes = false;  // sized with the section: its three columns follow 结论
    std::vector<std::string> headers;
    std::vector<std::string> headerTips;  // what each column's number is
    std::vector<SizingViewRow> rows;      // catalogue order
    std::optional<std::size_t> lightest;  // the row to highlight and select on opening
    // Shown above the table: the lightest passing size, or that none passes; sized
    // with the section and failing an item no angle mends, that every size fails and
    // what to change instead, one line per item.
    std::string message;

    std::size_t columnCount() const { return headers.size(); }
};

// Runs every size (SizeAngles, with the section when `purlin` is given) and builds the
// dialog's content. A fault that does not depend on the size is thrown as
// CalculationFault, as a Calculate press throws it: the front end shows the usual fault
// message instead of the dialog.
SizingView BuildSizingView(const DesignState& s, const InputTexts& in,
                           const std::optional<PurlinInputs>& purlin = std::nullopt);

// The same from rows already run; `s` must be the record the rows were run from and
// `purlin` what they were run with.
SizingView MakeSizingView(const DesignState& s, const InputTexts& in,
                          const std::vector<SizingRow>& rows,
                          const std::optional<PurlinInputs>& purlin = std::nullopt);

// The inputs line, with the numbers as the run reads them ("45度" shows as 45): the
// designation as typed, grade, gap, K2, K3, angle, bolt, E2 and arrangement; and with
// `purlin`, the purlin's web and steel.
std::string SizingInputsLine(const DesignState& s, const InputTexts& in,
                             const std::optional<PurlinInputs>& purlin = std::nullopt);

// A colour the table sets itself; everything else is drawn in the system's colours
// (window text on the window's ground).
using SizingColour = window::Rgb;

// Figures of failed checks, a verdict that does not pass, and the message when no size
// passes are red; the lightest passing row has a pale green ground. The selected row
// keeps its text colours (a selection painted in the system's highlight would turn the
// red figures white and hide the green), on pale blue or on its own green a shade darker.
inline constexpr SizingColour kSizingFailingText{255, 0, 0};
inline constexpr SizingColour kSizingLightestGround{204, 255, 204};
inline constexpr SizingColour kSizingLightestSelectedGround{177, 222, 177};
inline constexpr SizingColour kSizingSelectedGround{190, 215, 245};

struct SizingCellLook {
    std::optional<SizingColour> text;    // none: the system's window text
    std::optional<SizingColour> ground;  // none: the system's window ground
    bool bold = false;                   // the lightest passing row
};

// Figures line up on the right; the size and the verdict are words.
enum class SizingAlignment { Left, Centre, Right };
SizingAlignment SizingColumnAlignment(std::size_t column);

// The arrow on a header: up when the smallest figure is at the top, as Windows draws it.
enum class SizingArrow { None, Up, Down };

// What a toolkit's table adds beside a text, in its own pixels: the cell's inner margins,
// the header's, and the sort arrow's place.
struct SizingRoom {
    int cell = 0;
    int header = 0;
    int arrow = 0;
};

// A text's width in pixels as the table draws it, in its bold face when `bold`.
using SizingMeasure = std::function<int(const std::string& text, bool bold)>;

// The table while the dialog is open. Positions count the rows as shown, from the top;
// view rows are the catalogue order of SizingView::rows.
class SizingTable {
public:
    // Opens in catalogue order, no column sorted, on the lightest passing row (else the
    // first, so that the arrow keys have somewhere to start from).
    explicit SizingTable(SizingView view);

    const SizingView& view() const { return view_; }
    std::size_t size() const { return order_.size(); }
    std::size_t ViewRowAt(std::size_t position) const { return order_.at(position); }
    std::size_t PositionOf(std::size_t viewRow) const;
    const SizingViewRow& RowAt(std::size_t position) const {
        return view_.rows[ViewRowAt(position)];
    }
    std::size_t columnCount() const { return view_.columnCount(); }
    const std::string& TextAt(std::size_t position, std::size_t column) const {
        return RowAt(position).cells.at(column).text;
    }
    const std::string& TipAt(std::size_t position, std::size_t column) const {
        return RowAt(position).cells.at(column).tip;
    }

    // A click on a column's header orders the rows by it, smallest first; another click
    // on the same column turns the order round. The selection stays with its size.
    // Returns the columns whose width changed with the arrow's move: a width the user
    // dragged elsewhere stays.
    std::vector<std::size_t> ClickHeader(std::size_t column);
    std::optional<std::size_t> sortColumn() const { return sortColumn_; }
    bool descending() const { return descending_; }
    SizingArrow ArrowOn(std::size_t column) const;

    // The row the keys act on and 选用 or Enter adopts; none only in an empty table.
    std::optional<std::size_t> selected() const;
    void Select(std::size_t position);
    // The selected row's designation; empty when nothing is selected.
    std::string SelectedDesignation() const;

    SizingCellLook LookOf(std::size_t position, std::size_t column) const;
    // Red when no size passes.
    std::optional<SizingColour> MessageColour() const;

    // The first row to show, for a table showing `perPage` rows from `top`, so that the
    // selected row is in view: in the middle when `centre` (on opening, where the eye
    // looks first), else moved no further than it takes (after a sort).
    std::size_t FirstRowShown(std::size_t top, std::size_t perPage, bool centre) const;

    // Measures each column once (again when the DPI changes): wide enough for its
    // header and its widest cell, each with the room beside it. Returns the columns to
    // size anew, which is all of them.
    std::vector<std::size_t> MeasureColumns(const SizingMeasure& measure, const SizingRoom& room);
    // The measured widths, and the arrow's room on the column the arrow is on (before
    // any sort, the verdict's), so that the table is as wide whichever column is sorted.
    std::vector<int> ColumnWidths() const;

private:
    std::size_t ArrowColumn() const;

    SizingView view_;
    std::vector<std::size_t> order_;  // position -> view row
    std::optional<std::size_t> sortColumn_;
    bool descending_ = false;
    std::optional<std::size_t> selectedRow_;  // a view row: it keeps its size across sorts
    std::vector<int> textWidths_;  // with their room, without the arrow; 0 until measured
    int arrowRoom_ = 0;
};

}  // namespace kneebrace
