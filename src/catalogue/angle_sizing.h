// Every catalogue size run against the same inputs, so that an engineer can see at a
// glance which sizes pass and how far each check is used, instead of trying sizes one
// Calculate press at a time.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

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
    bool passesAll = false;  // no fault and all seven pass
};

// For each catalogue size, in catalogue order, the run that SelectAngle followed by
// RunCalculation would make on a copy of `s`; `s` itself is not touched. A fault that
// does not depend on the size is thrown once, as RunCalculation throws it: any fault
// while reading the inputs, and a fault that every size meets alike (same kind, same
// message).
std::vector<SizingRow> SizeAngles(const DesignState& s, const InputTexts& in);

// The passing row with the smallest A0, the earlier one on a tie; none when no row
// passes.
std::optional<std::size_t> LightestPassing(const std::vector<SizingRow>& rows);

}  // namespace kneebrace
