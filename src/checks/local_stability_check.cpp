// Check (2): the angle's leg must not buckle locally before the member does. The limit
// on (B - T) / T grows with slenderness between λ 30 and 100.
#include "checks/checks.h"
#include "checks/report_lines.h"
#include "core/float_guard.h"
#include "core/number_text.h"

namespace kneebrace {

void CheckLocalStability(DesignState& s) {
    // The bound holds for this limit only; check (4) reads lambda unbounded.
    const float bounded = s.lambda < 30 ? 30.0f : (s.lambda > 100 ? 100.0f : s.lambda);

    // The angle is always Q235, so the steel factor (235 / fy)^0.5 uses 235 for fy
    // and is 1: the beam's grade does not enter here.
    const double steelFactor = Power(235.0 / 235.0, 0.5, "宽厚比限值");
    s.widthLimit =
        StoreSingle((10 + 0.1 * static_cast<double>(bounded)) * steelFactor, "宽厚比限值");
    s.widthLimit = RoundStored(s.widthLimit, "0.0", "宽厚比限值");

    s.widthRatio =
        StoreSingle(Divide(static_cast<double>(s.B2) - s.T, s.T, "实际宽厚比"), "实际宽厚比");

    const bool passes = s.widthRatio <= s.widthLimit;
    s.localVerdict = "实际宽厚比=" + ToText(s.widthRatio) + (passes ? "<=" : ">") +
                     "[宽厚比限值]=" + ToText(s.widthLimit) + (passes ? ",通过！" : ",失败！");

    using namespace report;
    std::string& t = s.localText;
    t.assign("(2).角钢局部稳定计算：").append(kEol);
    Formula(t, "[宽厚比限值]=(10+0.1*λ)*(235/fy)^0.5");
    Formula(t, "实际宽厚比=(B-T)/T");
    Legend(t, "-λ：角钢的长细比=", ToText(bounded));
    Legend(t, "-fy：角钢的屈服强度=235N/mm2");
    Legend(t, "-B：角钢肢宽=", ToText(s.B2), "mm");
    Legend(t, "-T：角钢厚度=", ToText(s.T), "mm");
    Formula(t, s.localVerdict);
}

}  // namespace kneebrace
