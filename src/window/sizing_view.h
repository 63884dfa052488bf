// What the angle sizing dialog shows, worked out once for every front end: the inputs
// line, the column headers, each row's cell texts with their failing marks and sort
// keys, the lightest passing row and the message above the table. A front end only
// draws it and hands the chosen row's designation to the size pick.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/angle_sizing.h"
#include "core/calculation_run.h"
#include "core/design_state.h"

namespace kneebrace {

inline constexpr std::string_view kSizingTitle = "角钢选型";
inline constexpr std::string_view kSizingAdoptCaption = "选用";
inline constexpr std::string_view kSizingCancelCaption = "取消";
inline constexpr std::string_view kSizingNonePasses = "没有一种角钢规格通过全部七项验算。";

// Columns: 型号, A0, 每米重量, the seven checks in report order, 结论.
inline constexpr std::size_t kSizingFirstCheckColumn = 3;
inline constexpr std::size_t kSizingConclusionColumn = kSizingFirstCheckColumn + kCheckCount;
inline constexpr std::size_t kSizingColumnCount = kSizingConclusionColumn + 1;

struct SizingCell {
    std::string text;      // UTF-8, as shown
    bool failing = false;  // a failed check or a row that does not pass: painted red
    // Orders the column by value, smaller first: the catalogue position for 型号, the
    // number itself for the numeric columns, +infinity for a utilisation without a
    // finite value, and pass < fail < fault for 结论. Fault rows go last whatever the
    // direction: SortedSizingRows sees to that.
    double sortKey = 0;
};

struct SizingViewRow {
    std::string designation;  // what adopting the row hands to the size pick
    bool fault = false;       // the size's run faulted: its check cells are empty
    bool passesAll = false;
    std::array<SizingCell, kSizingColumnCount> cells;
};

struct SizingView {
    std::string inputsLine;  // the inputs every row was run with, one line
    std::array<std::string, kSizingColumnCount> headers;
    std::array<std::string, kSizingColumnCount> headerTips;  // what each column's number is
    std::vector<SizingViewRow> rows;                         // catalogue order
    std::optional<std::size_t> lightest;  // the row to highlight and select on opening
    // Shown above the table: the lightest passing size, or kSizingNonePasses.
    std::string message;
};

// Runs every size (SizeAngles) and builds the dialog's content. A fault that does not
// depend on the size is thrown as CalculationFault, as a Calculate press throws it: the
// front end shows the usual fault message instead of the dialog.
SizingView BuildSizingView(const DesignState& s, const InputTexts& in);

// The same from rows already run; `s` must be the record the rows were run from.
SizingView MakeSizingView(const DesignState& s, const InputTexts& in,
                          const std::vector<SizingRow>& rows);

// The inputs line, with the numbers as the run reads them ("45度" shows as 45): the
// designation as typed, grade, gap, K2, K3, angle, bolt, E2 and arrangement.
std::string SizingInputsLine(const DesignState& s, const InputTexts& in);

// The rows' display order after a click on `column`'s header: by its sort key, smaller
// first unless `descending`, equal keys in catalogue order, fault rows always last.
std::vector<std::size_t> SortedSizingRows(const SizingView& view, std::size_t column,
                                          bool descending);

}  // namespace kneebrace
