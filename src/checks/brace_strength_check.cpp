// Check (3): the force the brace must take to restrain the beam's lower flange, and
// the compressive stress on the angle's net section.
#include <cmath>

#include "checks/checks.h"
#include "checks/report_lines.h"
#include "core/fault.h"
#include "core/float_guard.h"
#include "core/number_text.h"

namespace kneebrace {

void CheckBraceStrength(DesignState& s, const InputTexts& in) {
    // One bolt hole taken out through the thickness.
    s.An = StoreSingle(static_cast<double>(s.A0) - static_cast<double>(s.T) * s.d0,
                       "角钢净截面面积An");
    if (!(s.An > 0)) {
        // A hole that takes the whole section would give a negative stress that passes.
        throw CalculationFault(FaultKind::NonPositiveNetArea,
                               "角钢净截面面积An=" + ToText(s.An) + "mm2 不为正：螺栓孔径 d0=" +
                                   ToText(s.d0) + "mm 对所选角钢过大，请减小螺栓直径或加大角钢。");
    }

    // The flange force coe·A·f/60 acts across the beam; the brace meets it at angle Ang
    // to the web, so its axial share is that over sin(Ang). A higher-grade flange
    // needs proportionally more restraint, hence (fy/235)^0.5.
    const double rootFactor = Power(static_cast<double>(s.fy) / 235, 0.5, "轴力N");
    const double product = static_cast<double>(s.B) * s.coe * s.flangeT * s.f;
    const double denominator = std::sin(static_cast<double>(s.Ang)) * 60;
    s.N = StoreSingle(rootFactor * Divide(product, denominator, "轴力N"), "轴力N");
    // Every later check compares against the N the report shows.
    s.N = RoundStored(s.N, "0.0", "轴力N");

    // 0.85: single-angle member connected through one leg.
    s.f1 = StoreSingle(Divide(Divide(s.N, s.An, "角钢抗压强度f1"), 0.85, "角钢抗压强度f1"),
                       "角钢抗压强度f1");
    s.f1 = RoundStored(s.f1, "0.0", "角钢抗压强度f1");

    const bool passes = s.f1 <= 215;
    s.strengthVerdict =
        "角钢抗压强度f1=" + ToText(s.f1) + std::string(report::StressVerdictEnding(passes));

    // Flange area as the report shows it, formed in single precision.
    const float flangeArea = StoreSingle(static_cast<double>(s.B * s.flangeT), "H钢下翼板面积");

    using namespace report;
    std::string& t = s.strengthText;
    t.assign("(3).角钢抗压强度计算：").append(kEol);
    Formula(t, "轴力N=coe*A*f/60/sin(Ang)*(fy/235)^0.5");
    Legend(t, "-coe：隅撑布置方式：双侧=0.5，单侧=1，coe=", ToText(s.coe));
    Legend(t, "-A：H钢下翼板面积=", ToText(flangeArea), "mm2");
    Legend(t, "-f：H钢下翼板设计强度=", ToText(s.f), "N/mm2");
    Legend(t, "-fy：H钢下翼板屈服强度=", ToText(s.fy), "N/mm2");
    // The angle as the user typed it, not converted back from radians.
    Legend(t, "-Ang：角钢与腹板夹角=", ToTextD(ParseLoose(in.Text5, "与腹板夹角")), "度");
    Formula(t, "角钢抗压强度f1=N/An/0.85");
    Legend(t, "-N：轴力=", ToText(s.N), "N");
    Legend(t, "-An：角钢净截面面积=", ToText(s.An), "mm2");
    Formula(t, s.strengthVerdict);
}

}  // namespace kneebrace
