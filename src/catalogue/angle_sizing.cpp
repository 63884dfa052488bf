#include "catalogue/angle_sizing.h"

#include <algorithm>
#include <limits>

#include "catalogue/angle_catalogue.h"

namespace kneebrace {
namespace {

// Steel at 7850 kg/m³: an area in mm² times 0.00785 is kg per metre of length.
constexpr double kKilogramsPerMetrePerSquareMillimetre = 0.00785;

double Use(float demand, float capacity) {
    return Utilisation(static_cast<double>(demand), static_cast<double>(capacity));
}

// The verdicts are read from the lines the report prints, never decided again here,
// so the table cannot disagree with the report of the same size.
void ReadChecks(const DesignState& r, SizingRow& row) {
    const std::array<bool, kCheckCount> passes = SevenVerdicts(r);
    row.checks = {{
        {passes[0], Use(r.lambda, 200)},
        {passes[1], Use(r.widthRatio, r.widthLimit)},
        {passes[2], Use(r.f1, 215)},
        {passes[3], Use(r.f2, 215)},
        {passes[4], Use(r.N, r.boltNv)},
        {passes[5], Use(r.N, r.Nc)},
        {passes[6], Use(r.N, r.Nv)},
    }};
    row.passesAll = std::all_of(passes.begin(), passes.end(), [](bool p) { return p; });
}

// The section on this size, and the largest utilisation of the whole row.
void ReadCurrentCodes(const DesignState& r, const PurlinInputs& purlin, SizingRow& row) {
    CodesUse& use = row.currentCodes.emplace();
    use.result = CheckCurrentCodes(r, purlin);
    const std::array<double, kCodesItemCount> ratios = CurrentCodesUtilisation(use.result);
    for (std::size_t i = 0; i < kCodesItemCount; ++i)
        use.items[i] = {use.result.passes[i], ratios[i]};
    use.passes =
        std::all_of(use.result.passes.begin(), use.result.passes.end(), [](bool p) { return p; });
    row.passesAll = row.passesAll && use.passes;

    use.largestUse = -std::numeric_limits<double>::infinity();
    const auto consider = [&use](double u, std::size_t check) {
        if (u > use.largestUse) {  // false for NaN
            use.largestUse = u;
            use.governing = check;
        }
    };
    for (std::size_t i = 0; i < kCheckCount; ++i) consider(row.checks[i].utilisation, i);
    for (std::size_t i = 0; i < kCodesItemCount; ++i) consider(ratios[i], kCheckCount + i);
}

// A fault every size meets in the same words (the brace force overflowing, say) says
// nothing about the sizes: it belongs in the usual fault message, not in every row.
bool EverySizeFaultsAlike(const std::vector<SizingRow>& rows) {
    if (rows.empty() || !rows.front().fault) return false;
    return std::all_of(rows.begin(), rows.end(), [&](const SizingRow& r) {
        return r.fault == rows.front().fault && r.faultMessage == rows.front().faultMessage;
    });
}

}  // namespace

std::vector<SizingRow> SizeAngles(const DesignState& s, const InputTexts& in,
                                  const std::optional<PurlinInputs>& purlin) {
    // The inputs read the same for every size, so they are read once; a fault here is
    // the one a Calculate press would show. Reading first and picking the size second
    // gives the record that picking first would: the pick writes only the angle's
    // fields, which the reading neither reads nor writes.
    DesignState read = s;
    ReadRunInputs(read, in);

    std::vector<SizingRow> rows;
    rows.reserve(kAngleCount);
    // Assigned afresh for every size; assigning rather than constructing lets its texts
    // keep their buffers from one size to the next.
    DesignState run;
    for (const AngleSection& section : AngleCatalogue()) {
        run = read;
        SelectAngle(run, section.designation);
        SizingRow& row = rows.emplace_back();
        row.designation = std::string(section.designation);
        row.A0 = run.A0;
        row.massPerMetre = static_cast<double>(run.A0) * kKilogramsPerMetrePerSquareMillimetre;
        try {
            RunChecks(run, in);
        } catch (const CalculationFault& fault) {
            row.fault = fault.kind();
            row.faultMessage = fault.what();
            continue;
        }
        ReadChecks(run, row);
        if (purlin) ReadCurrentCodes(run, *purlin, row);
    }

    if (EverySizeFaultsAlike(rows)) {
        throw CalculationFault(*rows.front().fault, rows.front().faultMessage);
    }
    return rows;
}

SizingRow RowOfRun(const DesignState& afterRun, const std::optional<PurlinInputs>& purlin) {
    SizingRow row;
    row.designation = afterRun.angleModel;
    row.A0 = afterRun.A0;
    row.massPerMetre = static_cast<double>(afterRun.A0) * kKilogramsPerMetrePerSquareMillimetre;
    ReadChecks(afterRun, row);
    if (purlin) ReadCurrentCodes(afterRun, *purlin, row);
    return row;
}

std::string_view RowCheckLabel(std::size_t check) {
    if (check < kCheckCount) return SevenCheckLabel(check);
    return CodesItemLabel(static_cast<CodesItem>(check - kCheckCount));
}

std::string FailingItems(const CodesUse& use) {
    std::string out;
    for (std::size_t i = 0; i < kCodesItemCount; ++i) {
        if (use.items[i].passes) continue;
        if (!out.empty()) out.append("、");
        out.append(CodesItemLabel(static_cast<CodesItem>(i)));
    }
    return out;
}

std::optional<SizeIndependentFailure> NoSizeCanMend(const std::vector<SizingRow>& rows) {
    // S1, S3 and the bolt's shear read nothing of the angle, so any size that ran tells
    // them for all.
    for (const SizingRow& row : rows) {
        if (!row.currentCodes) continue;
        SizeIndependentFailure failure = SizeIndependentFailures(row.currentCodes->result);
        if (failure.items.empty()) return std::nullopt;
        return failure;
    }
    return std::nullopt;
}

std::optional<std::size_t> LightestPassing(const std::vector<SizingRow>& rows) {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].passesAll) continue;
        // Strictly lighter only: on a tie the earlier row stays.
        if (!best || rows[i].A0 < rows[*best].A0) best = i;
    }
    return best;
}

}  // namespace kneebrace
