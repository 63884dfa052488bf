// Every catalogue size run against the same inputs, so that an engineer can see at a
// glance which sizes pass and how far each check is used, instead of trying sizes one
// Calculate press at a time.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/current_codes_check.h"
#include "core/calculation_run.h"
#include "core/design_state.h"
#include "core/fault.h"

namespace kneebrace {

inline constexpr std::size_t kCheckCount = 7;

// One check of one size: its verdict as the run's verdict line gives it, and demand
// over capacity from the values the run stored. 1 is the limit the verdict compares
// against. A capacity of zero or less (a bolt or an extension of 0 mm) gives +infinity
// when there is a demand and NaN when there is none.
struct CheckUse {
    bool passes = false;     // the verdict line says 通过
    double utilisation = 0;  // demand / capacity
};

// The supplementary section "补充验算（现行规范）" on one size.
struct CodesUse {
    CurrentCodesResult result;
    std::array<CheckUse, kCodesItemCount> items{};  // S1 to S7
    bool passes = false;                            // all seven items pass
    // The largest utilisation of the row, the seven checks and the section's items
    // together, and the check it belongs to: 0 to 6 are checks (1) to (7), 7 to 13 are
    // S1 to S7 (RowCheckLabel names them). An infinite utilisation is the largest; NaN
    // (no demand on no capacity) never is.
    double largestUse = 0;
    std::size_t governing = 0;
};

// "(1)" to "(7)" for 0 to 6, "S1" to "S7" for 7 to 13: the check a row's governing
// index names.
std::string_view RowCheckLabel(std::size_t check);

// The failing items of the section, "S1、S3"; empty when all pass.
std::string FailingItems(const CodesUse& use);

struct SizingRow {
    std::string designation;         // as the size list offers it, "L45X3"
    float A0 = 0;                    // mm², gross area
    double massPerMetre = 0;         // kg/m, A0 × 0.00785 (steel 7850 kg/m³)
    std::optional<FaultKind> fault;  // set when this size's run faulted
    std::string faultMessage;        // the fault's message, empty without a fault
    // (1) λ/200, (2) actual over limit width-thickness ratio, (3) f1/215, (4) f2/215,
    // (5) N over the bolt's shear capacity, (6) N/Nc, (7) N over the end's shear
    // capacity. All false and 0 for a row whose run faulted.
    std::array<CheckUse, kCheckCount> checks{};
    // Sized with the section: its result on this size; none when sizing without it or
    // when this size's run faulted.
    std::optional<CodesUse> currentCodes;
    // No fault and all seven pass, and with the section, all its items pass too.
    bool passesAll = false;
};

// For each catalogue size, in catalogue order, the run that SelectAngle followed by
// RunCalculation would make on a copy of `s`; `s` itself is not touched. A fault that
// does not depend on the size is thrown once, as RunCalculation throws it: any fault
// while reading the inputs, and a fault that every size meets alike (same kind, same
// message). With `purlin`, each size that runs is also checked to the current codes.
std::vector<SizingRow> SizeAngles(const DesignState& s, const InputTexts& in,
                                  const std::optional<PurlinInputs>& purlin = std::nullopt);

// The row of one run's record, as SizeAngles gives it for the record's size: each
// check's use and, with `purlin`, the section's. For the record a successful run left.
SizingRow RowOfRun(const DesignState& afterRun, const std::optional<PurlinInputs>& purlin);

// The passing row with the smallest A0, the earlier one on a tie; none when no row
// passes.
std::optional<std::size_t> LightestPassing(const std::vector<SizingRow>& rows);

// Sized with the section: the failing items no angle size can mend (S1, S3, the bolt's
// shear in S2) and what to change instead. They fail on every size alike, so that no
// size passes for a reason the table cannot show; none when sizing without the section,
// when every size faulted, or when nothing size-independent fails.
std::optional<SizeIndependentFailure> NoSizeCanMend(const std::vector<SizingRow>& rows);

}  // namespace kneebrace
