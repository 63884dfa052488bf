#include "core/calculation_run.h"

#include <cmath>
#include <string>
#include <utility>

#include "checks/checks.h"
#include "core/fault.h"
#include "core/float_guard.h"
#include "core/number_text.h"
#include "core/steel_grade.h"

namespace kneebrace {
namespace {

// The constant of the degree conversion is the 15-digit value, not the full double π:
// the report's last digits depend on it.
constexpr double kPi = 3.14159265358979;

std::vector<std::string> SplitDesignation(const std::string& text) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;  // an empty box has no pieces at all
    std::size_t start = 0;
    for (;;) {
        const std::size_t x = text.find('x', start);
        pieces.push_back(text.substr(start, x - start));
        if (x == std::string::npos) break;
        start = x + 1;
    }
    return pieces;
}

// Names of the four pieces, for messages: the designation reads H x B x Tf x Tw.
constexpr const char* kPieceNames[4] = {
    "H钢截面的第1个数（截面高度H）",
    "H钢截面的第2个数（翼缘宽度B）",
    "H钢截面的第3个数",
    "H钢截面的第4个数（翼缘厚度）",
};

// The separators people write between the four numbers instead of the lowercase x: the
// multiplication sign, the asterisk, the capital X and their full-width forms.
constexpr std::string_view kWrongSeparators[] = {"×", "*", "X", "＊", "Ｘ", "ｘ"};

float ReadPiece(const DesignState& s, std::size_t index) {
    if (index >= s.sectionParts.size()) {
        throw CalculationFault(
            FaultKind::SubscriptOutOfRange,
            std::string(kPieceNames[index]) +
                "缺失：截面应写成 高x宽x第3个数x翼缘厚，用小写字母 x 分隔，共4个数。");
    }
    const std::string& piece = s.sectionParts[index];
    try {
        return ParseStrict(piece, kPieceNames[index]);
    } catch (const CalculationFault& fault) {
        // "500×200×6×12" is one piece that is no number; what the engineer needs to hear
        // is how to separate the numbers, not that the whole is not one.
        if (fault.kind() != FaultKind::TypeMismatch) throw;
        for (const std::string_view wrong : kWrongSeparators) {
            if (piece.find(wrong) == std::string::npos) continue;
            throw CalculationFault(FaultKind::TypeMismatch,
                                   "H钢截面的四个数要用小写字母 x 分隔，不能用“" +
                                       std::string(wrong) +
                                       "”：请写成 高x宽x第3个数x翼缘厚，如 500x200x6x12。");
        }
        throw;
    }
}

// A negative gap, hole distance or extension has no physical meaning, and it is not
// harmless: a negative K3 shortens the brace and so lowers its slenderness, a negative
// E2 is an extension the end checks cannot see through. Raised as soon as the box is
// stored, so the first negative box in reading order is the one named. -0 is not below
// zero.
void RejectNegative(float value, std::string_view what) {
    if (value < 0) {
        throw CalculationFault(FaultKind::NegativeDimension,
                               std::string(what) + "=" + ToText(value) +
                                   "mm 为负数：间隙、孔距K2、K3和伸出E2都不能小于 0，" +
                                   FaultAdvice(what) + "。");
    }
}

// A beam without depth, flange width or flange thickness has no flange force to
// restrain: a negative or zero value would give a negative or zero N that passes every
// check. The third number enters no formula and is not checked.
void RejectNonPositiveSection(const DesignState& s) {
    const std::pair<float, std::size_t> dimensions[] = {{s.H, 0}, {s.B, 1}, {s.flangeT, 3}};
    for (const auto& [value, index] : dimensions) {
        if (!(value > 0)) {
            throw CalculationFault(FaultKind::NonPositiveSection,
                                   std::string(kPieceNames[index]) + "为 " + ToText(value) +
                                       "，不大于 0：截面高度、翼缘宽度和翼缘厚度都必须大于 0，"
                                       "请检查H钢截面。");
        }
    }
}

}  // namespace

InputTexts StartupInputTexts() {
    return InputTexts{"500x200x6x12", "10", "50", "50", "45", "14", "35"};
}

void ReadRunInputs(DesignState& s, const InputTexts& in) {
    // Each field is stored at its own step, so a fault leaves earlier fields new and
    // later fields as they were.
    s.sectionParts = SplitDesignation(in.Text1);
    s.H = ReadPiece(s, 0);
    s.B = ReadPiece(s, 1);
    s.dim3 = ReadPiece(s, 2);
    s.flangeT = ReadPiece(s, 3);
    RejectNonPositiveSection(s);

    s.gap = StoreSingle(ParseLoose(in.Text2, "檩条与H钢上翼板间隙"), "檩条与H钢上翼板间隙");
    RejectNegative(s.gap, "檩条与H钢上翼板间隙");
    s.K2 = StoreSingle(ParseLoose(in.Text3, "孔距K2"), "孔距K2");
    RejectNegative(s.K2, "孔距K2");
    s.K3 = StoreSingle(ParseLoose(in.Text4, "孔距K3"), "孔距K3");
    RejectNegative(s.K3, "孔距K3");

    // Outside 0..90 degrees the brace length (at 90 and beyond) or the force (below 0)
    // turns negative and every check would pass; at 0 the force is unbounded.
    const double degrees = ParseLoose(in.Text5, "与腹板夹角");
    const auto outOfRange = [&] {
        return CalculationFault(FaultKind::AngleOutOfRange,
                                "与腹板夹角 " + ToTextD(degrees) +
                                    " 度不在 0 到 90 度之间（不含 0 和 90），请重新输入。");
    };
    if (!(degrees > 0 && degrees < 90)) throw outOfRange();
    const float ang = StoreSingle(degrees * kPi / 180, "与腹板夹角");
    // A hair below 90 degrees can still store as the single just above π/2, whose
    // cosine is negative: the same fault as 90 itself, not a puzzling negative length.
    if (!(std::cos(static_cast<double>(ang)) > 0)) throw outOfRange();
    s.Ang = ang;

    s.M = StoreSingle(ParseLoose(in.Text6, "螺栓直径M"), "螺栓直径M");
    s.d0 = StoreSingle(static_cast<double>(s.M) + 2, "螺栓孔直径d0");
    if (s.M < 0) {
        throw CalculationFault(FaultKind::NegativeBoltDiameter,
                               "螺栓直径M=" + ToText(s.M) + "mm 为负数，请输入正的螺栓直径。");
    }

    // Brace length between bolts: the vertical distance from the purlin bolt to the
    // flange bolt, over the cosine of the angle to the web. The sum stays in double.
    const double c = std::cos(static_cast<double>(s.Ang));
    const double sum = static_cast<double>(s.gap) + s.H + s.K3 - s.flangeT - s.K2;
    if (BeyondSingleRange(sum)) {
        throw CalculationFault(FaultKind::Overflow,
                               "角钢长度计算值（间隙+H+K3-翼缘厚-K2）过大，超出了可计算的范围：" +
                                   FaultAdvice("角钢计算长度L0") + "。");
    }
    s.L0 = StoreSingle(Divide(sum, c, "角钢计算长度L0"), "角钢计算长度L0");
    s.L0 = RoundStored(s.L0, "0.0", "角钢计算长度L0");
    if (!(s.L0 > 0)) {
        throw CalculationFault(
            FaultKind::NonPositiveLength,
            "角钢计算长度L0=" + ToText(s.L0) +
                "mm 不为正：间隙+H+K3-翼缘厚-K2 必须大于零，请检查孔距K2、K3和截面。");
    }

    s.E2 = StoreSingle(ParseLoose(in.Text9, "伸出E2"), "伸出E2");
    RejectNegative(s.E2, "伸出E2");

    if (s.gradeCode == 1) {
        ApplyGradeQ235(s);
    } else if (s.gradeCode == 2) {
        ApplyGradeQ345(s);
    }

    // Each brace of a pair takes half of the flange's restraint force.
    if (s.layoutCode == 1) {
        s.coe = 0.5f;
    } else if (s.layoutCode == 2) {
        s.coe = 1.0f;
    }
}

void RunChecks(DesignState& s, const InputTexts& in) {
    CheckSlenderness(s);
    CheckLocalStability(s);
    CheckBraceStrength(s, in);
    CheckStability(s);
    CheckBoltShear(s);
    CheckHoleBearing(s);
    CheckEndShear(s);
    BuildReportHeader(s, in);

    std::string report;
    report.reserve(s.headerText.size() + s.slenderText.size() + s.localText.size() +
                   s.strengthText.size() + s.stabilityText.size() + s.boltShearText.size() +
                   s.bearingText.size() + s.endShearText.size());
    report.append(s.headerText)
        .append(s.slenderText)
        .append(s.localText)
        .append(s.strengthText)
        .append(s.stabilityText)
        .append(s.boltShearText)
        .append(s.bearingText)
        .append(s.endShearText);
    s.reportText = std::move(report);
}

void RunCalculation(DesignState& s, const InputTexts& in) {
    ReadRunInputs(s, in);
    RunChecks(s, in);
}

}  // namespace kneebrace
