// Check (6): the angle leg's hole wall bearing on the bolt, fc = 305 N/mm² for Q235.
#include "checks/checks.h"
#include "checks/report_lines.h"
#include "core/float_guard.h"
#include "core/number_text.h"

namespace kneebrace {

void CheckHoleBearing(DesignState& s) {
    s.Nc = StoreSingle(static_cast<double>(s.M) * s.T * 305, "角钢孔壁抗压承载力Nc");
    s.Nc = RoundStored(s.Nc, "0.0", "角钢孔壁抗压承载力Nc");

    const bool passes = s.Nc >= s.N;
    s.bearingVerdict =
        report::CapacityVerdict("角钢孔壁抗压承载力Nc=", ToText(s.Nc), ToText(s.N), passes);

    using namespace report;
    std::string& t = s.bearingText;
    t.assign("(6).角钢孔壁抗压承载力计算：").append(kEol);
    Formula(t, "Nc= d0*T2*fc ");
    Legend(t, "-d0：螺栓直径M=", ToText(s.M), "mm");
    Legend(t, "-T2：角钢厚度=", ToText(s.T), "mm");
    Legend(t, "-fc：角钢抗压强度设计值=305N/mm2");
    Formula(t, s.bearingVerdict);
}

}  // namespace kneebrace
