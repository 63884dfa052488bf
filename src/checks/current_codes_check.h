// The supplementary checks to the current codes (GB 50017-2017, GB 51022-2015,
// GB 50018-2002), run after the seven on what a successful run left in the record. The
// seven follow an older formula set and miss failures an engineer signing today must
// see: the thin purlin web the bolt bears on, the bolt's end distance, a hole wider than
// the leg, the connection factors of a single angle lapped on a purlin, and the 2017
// leg slenderness rules. They are a section of their own after the seven, which stay as
// they are.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_state.h"

namespace kneebrace {

// The purlin the brace's upper bolt goes through.
struct PurlinInputs {
    double tp = 2;               // mm, web thickness
    std::int16_t steelCode = 1;  // purlin steel: 1 = Q235, 2 = Q345
};

// The purlin inputs as the window holds them: the web thickness box's text, read
// strictly (a thickness the section would compute with must be what the user meant),
// and the purlin steel. Empty, unreadable, zero, negative or beyond any number is an
// InvalidPurlinWeb fault naming the box; nothing else is read or stored.
PurlinInputs ReadPurlinInputs(std::string_view webText, std::int16_t steelCode);

// The supplementary items S1 to S7, in report order; each one's place in the arrays of
// CurrentCodesResult.
enum class CodesItem : std::size_t {
    PurlinWebBearing,   // S1 檩条腹板孔壁承压
    BoltAndLegBearing,  // S2 螺栓受剪、角钢孔壁承压（计入折减）
    EndDistance,        // S3 螺栓端距
    EndTearing,         // S4 角钢端部撕裂
    LegWidthThickness,  // S5 角钢肢件宽厚比（2017）
    Stability,          // S6 单边连接单角钢稳定（2017）
    EdgeDistance,       // S7 螺栓孔边距（垂直内力方向）
};
inline constexpr std::size_t kCodesItemCount = 7;

// Notes that are never a failure: the layout departs from what the codes recommend.
enum class CodesAdvisory : std::size_t {
    BraceFarFromFlange,  // K2 > 100 mm
    BoltBelowM14,        // M < 14
    WebOutsideRange,     // tp outside 1.5 to 6 mm
};
inline constexpr std::size_t kCodesAdvisoryCount = 3;

// Everything the section computes. Forces, capacities and the stress are rounded to 0.1
// (as the report shows them) before they are compared; ratios and limits are not.
struct CurrentCodesResult {
    PurlinInputs purlin;
    double f17 = 0;    // N/mm², lower flange design strength, GB 50017-2017 Table 4.4.1
    double N17 = 0;    // N, the flange's restraint force with f17, rounded to 0.1
    double Ns = 0;     // N, max(N, N17): the force every item checks against
    double fcp = 0;    // N/mm², bearing strength of the purlin web
    double Ncp = 0;    // N, bearing capacity of the purlin web's hole wall, rounded
    double Nvr = 0;    // N, the bolt's shear capacity with the connection factors, rounded
    double Ncr = 0;    // N, the leg's hole-wall bearing capacity with them, rounded
    double E2 = 0;     // mm, the extension beyond the bolt, as stored
    double E2min = 0;  // mm, 2 d0
    double Nt = 0;     // N, tearing capacity of the angle's end, rounded
    double w = 0;      // width-thickness ratio of the leg, (B2 - 2T) / T
    double w0 = 0;     // its limit before the allowance for a low force
    double rhoE = 0;   // strength reduction of a slender leg
    double eta = 0;    // reduction of a single angle connected by one leg
    double Nu = 0;     // N, stability capacity rhoE·eta·c4·A0·215, unrounded
    double alpha = 0;  // allowance on w0 when Ns is below Nu
    double sigma = 0;  // N/mm², stability stress, rounded
    double B2 = 0;     // mm, leg width, as stored
    double B2min = 0;  // mm, 2.4 d0
    bool boltShearPasses = false;   // Nvr >= Ns: the part of S2 no angle size changes
    bool legBearingPasses = false;  // Ncr >= Ns
    std::array<bool, kCodesItemCount> passes{};
    std::array<bool, kCodesAdvisoryCount> advisories{};
};

// Runs S1 to S7 on the record a successful run left (the seven checks done), in double
// precision from the stored singles. Reads coe, B, flangeT, Ang, N, M, d0, T, B2, A0, E2,
// K2, lambda, c4 and gradeCode; writes nothing. Never throws.
CurrentCodesResult CheckCurrentCodes(const DesignState& afterRun, const PurlinInputs& purlin);

// The section "补充验算（现行规范）" as it follows the seven in the report: a rule, the
// heading, each item with its formulas, numbers and clauses, the advisories as "提示：…",
// and one conclusion line naming every failing item of the whole report, the seven's
// verdicts read from the record. Laid out as the seven are, every line ending in CR LF.
std::string CurrentCodesText(const DesignState& afterRun, const CurrentCodesResult& r);

// Whether each of the seven checks passes, read from its verdict line in the record.
std::array<bool, 7> SevenVerdicts(const DesignState& afterRun);

// "(1)" to "(7)": the number of check 0 to 6 as the report and the conclusion write it.
std::string_view SevenCheckLabel(std::size_t check);

// Demand over capacity. A capacity of zero or less gives +infinity when there is a
// demand and NaN when there is none: no member has such a capacity, and a ratio would
// only mislead.
double Utilisation(double demand, double capacity);

// Each item's utilisation, at most 1 exactly when the item passes: Ns/Ncp,
// Ns/min(Nvr, Ncr), 2d0/E2, Ns/Nt, w/(alpha·w0), sigma/215, 2.4d0/B2.
std::array<double, kCodesItemCount> CurrentCodesUtilisation(const CurrentCodesResult& r);

// "S1" to "S7", and the item's name as its heading gives it ("檩条腹板孔壁承压").
std::string_view CodesItemLabel(CodesItem item);
std::string_view CodesItemTitle(CodesItem item);

// The failing items no angle size can mend: S1 (purlin web and bolt), S3 (E2 and bolt)
// and the bolt's shear in S2. `advice` names each with its numbers and what to change
// instead (a thicker purlin web, a larger E2, another bolt); empty when none fails.
struct SizeIndependentFailure {
    std::vector<CodesItem> items;  // in report order
    std::string advice;
};
SizeIndependentFailure SizeIndependentFailures(const CurrentCodesResult& r);

}  // namespace kneebrace
