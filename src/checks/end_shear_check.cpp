// Check (7): the end of the angle beyond the bolt can shear out along two planes of
// length E2 through the thickness, fv = 125 N/mm² for Q235.
#include "checks/checks.h"
#include "checks/report_lines.h"
#include "core/float_guard.h"
#include "core/number_text.h"

namespace kneebrace {

void CheckEndShear(DesignState& s) {
    // Overwrites the bolt capacity of check (5), whose section is already written.
    s.Nv = StoreSingle(2 * static_cast<double>(s.T) * s.E2 * 125, "角钢端部抗剪承载力Nv");
    s.Nv = RoundStored(s.Nv, "0.0", "角钢端部抗剪承载力Nv");

    const bool passes = s.Nv >= s.N;
    s.endShearVerdict =
        report::CapacityVerdict("角钢端部抗剪承载力Nv=", ToText(s.Nv), ToText(s.N), passes);

    using namespace report;
    std::string& t = s.endShearText;
    t.assign("(7).角钢端部抗剪承载力计算：").append(kEol);
    Formula(t, "Nv= 2*T*E2*fv ");
    Legend(t, "-T：角钢厚度=", ToText(s.T), "mm");
    Legend(t, "-E2：角钢伸出长度=", ToText(s.E2), "mm");
    Legend(t, "-fv：角钢抗剪强度设计值=125N/mm2");
    Formula(t, s.endShearVerdict);
}

}  // namespace kneebrace
