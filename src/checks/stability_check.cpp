// Check (4): overall (flexural) buckling of the angle as an axially loaded member. The
// stability coefficient follows the column curve of the normalised slenderness; c5
// reduces the strength of a single angle connected through one leg.
#include "checks/checks.h"
#include "checks/report_lines.h"
#include "core/float_guard.h"
#include "core/number_text.h"

#include <charconv>

namespace kneebrace {
namespace {

constexpr double kPi = 3.14159265358979;

}  // namespace

void CheckStability(DesignState& s) {
    // Column curve coefficients of the angle's buckling class.
    s.alpha1 = 0.65f;
    s.alpha2 = 0.965f;
    s.alpha3 = 0.3f;

    // λn = (fy / E)^0.5 · λ / π with the angle's own steel, Q235 and E = 206000.
    const double steel = Power(235.0 / 206000.0, 0.5, "正则化长细比");
    s.lambdaN = StoreSingle(steel * (static_cast<double>(s.lambda) / kPi), "正则化长细比");
    s.lambdaN = RoundStored(s.lambdaN, "0.0000", "正则化长细比");

    const double ln = s.lambdaN;
    const double ln2 = Power(ln, 2, "稳定系数c4");
    if (0.215f >= s.lambdaN) {
        // Stocky members: the parabola near λn = 0.
        s.c4 = StoreSingle(1 - ln2 * static_cast<double>(s.alpha1), "稳定系数c4");
    } else {
        const double p = ln2 + (static_cast<double>(s.alpha3) * ln + static_cast<double>(s.alpha2));
        const double root = Power(Power(p, 2, "稳定系数c4") - 4 * ln2, 0.5, "稳定系数c4");
        s.c4 = StoreSingle(Divide(p - root, 2 * ln2, "稳定系数c4"), "稳定系数c4");
    }

    // c5 lives only as its four-decimal text; the stress uses the number it shows.
    const double c5 = static_cast<double>(s.lambda) * 0.0015 + 0.6;
    const std::string c5Text = FormatFixed(c5, "0.0000");
    double c5Value = 0;
    std::from_chars(c5Text.data(), c5Text.data() + c5Text.size(), c5Value);

    const float c4A0 = StoreSingle(static_cast<double>(s.c4 * s.A0), "角钢稳定强度f2");
    s.f2 = StoreSingle(Divide(s.N, static_cast<double>(c4A0) * c5Value, "角钢稳定强度f2"),
                       "角钢稳定强度f2");
    s.f2 = RoundStored(s.f2, "0.0", "角钢稳定强度f2");

    const bool passes = s.f2 <= 215;
    s.stabilityVerdict =
        "角钢稳定强度f2=" + ToText(s.f2) + std::string(report::StressVerdictEnding(passes));

    using namespace report;
    std::string& t = s.stabilityText;
    t.assign("(4).角钢稳定强度计算：").append(kEol);
    Formula(t, "f2=N/(A0*c4*c5)");
    Legend(t, "-N：轴力=", ToText(s.N), "N");
    Legend(t, "-A0：角钢毛截面面积=", ToText(s.A0), "mm2");
    Legend(t, "-c4：角钢稳定系数=", ToText(s.c4));
    Legend(t, "-c4=1/(2*λn^2)*{(α2+α3*λn+λn^2)-[(α2+α3*λn+λn^2)^2-4*λn^2]^0.5}");
    Legend(t, " λn：正则化长细比=(fy/E)^0.5*(λ/π)=", ToText(s.lambdaN));
    Legend(t, " fy：角钢的屈服强度=235N/mm2");
    Legend(t, " E：角钢的弹性模亮=206000");
    Legend(t, "-c5：角钢稳定计算折减系数=0.6+0.0015*λ=", c5Text);
    Legend(t, "-λ：角钢长细比=", ToText(s.lambda));
    Formula(t, s.stabilityVerdict);
}

}  // namespace kneebrace
