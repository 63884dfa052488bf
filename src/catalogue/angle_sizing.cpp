#include "catalogue/angle_sizing.h"

#include <algorithm>
#include <limits>

#include "catalogue/angle_catalogue.h"

namespace kneebrace {
namespace {

// Steel at 7850 kg/m³: an area in mm² times 0.00785 is kg per metre of length.
constexpr double kKilogramsPerMetrePerSquareMillimetre = 0.00785;

bool SaysPass(const std::string& verdict) { return verdict.find("通过") != std::string::npos; }

double Use(float demand, float capacity) {
    if (capacity > 0) return static_cast<double>(demand) / static_cast<double>(capacity);
    // No member has a capacity of zero or less; the ratio would only mislead.
    return demand > 0 ? std::numeric_limits<double>::infinity()
                      : std::numeric_limits<double>::quiet_NaN();
}

// The verdicts are read from the lines the report prints, never decided again here,
// so the table cannot disagree with the report of the same size.
void ReadChecks(const DesignState& r, SizingRow& row) {
    row.checks = {{
        {SaysPass(r.slenderVerdict), Use(r.lambda, 200)},
        {SaysPass(r.localVerdict), Use(r.widthRatio, r.widthLimit)},
        {SaysPass(r.strengthVerdict), Use(r.f1, 215)},
        {SaysPass(r.stabilityVerdict), Use(r.f2, 215)},
        {SaysPass(r.boltShearVerdict), Use(r.N, r.boltNv)},
        {SaysPass(r.bearingVerdict), Use(r.N, r.Nc)},
        {SaysPass(r.endShearVerdict), Use(r.N, r.Nv)},
    }};
    row.passesAll = std::all_of(row.checks.begin(), row.checks.end(),
                                [](const CheckUse& c) { return c.passes; });
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

std::vector<SizingRow> SizeAngles(const DesignState& s, const InputTexts& in) {
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
    }

    if (EverySizeFaultsAlike(rows)) {
        throw CalculationFault(*rows.front().fault, rows.front().faultMessage);
    }
    return rows;
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
