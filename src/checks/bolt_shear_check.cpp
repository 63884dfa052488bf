// Check (5): one bolt in single shear, fv = 140 N/mm² for an ordinary bolt. The
// capacity is taken on the bolt's own diameter M (printed as d0).
#include "checks/checks.h"
#include "checks/report_lines.h"
#include "core/float_guard.h"
#include "core/number_text.h"

namespace kneebrace {

void CheckBoltShear(DesignState& s) {
    s.Nv = StoreSingle(Power(s.M, 2, "螺栓抗剪承载力Nv") * 3.14159265358979 * 140 / 4,
                       "螺栓抗剪承载力Nv");
    s.Nv = RoundStored(s.Nv, "0.0", "螺栓抗剪承载力Nv");
    // Check (7) reuses Nv for the angle's end; the sizing table still needs this one.
    s.boltNv = s.Nv;

    const bool passes = s.Nv >= s.N;
    s.boltShearVerdict =
        report::CapacityVerdict("螺栓抗剪承载力Nv=", ToText(s.Nv), ToText(s.N), passes);

    using namespace report;
    std::string& t = s.boltShearText;
    t.assign("(5).螺栓抗剪承载力计算：").append(kEol);
    Formula(t, "Nv=nv*pi*d0^2 * fv / 4");
    Legend(t, "-nv：抗剪面=1");
    Legend(t, "-d0：螺栓直径M=", ToText(s.M), "mm");
    Legend(t, "-fv：螺栓抗剪强度设计值=140N/mm2");
    Formula(t, s.boltShearVerdict);
}

}  // namespace kneebrace
