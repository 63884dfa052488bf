// Check (1): a brace too slender buckles before it restrains the flange; 200 is the
// limit for a brace member.
#include "checks/checks.h"
#include "checks/report_lines.h"
#include "core/float_guard.h"
#include "core/number_text.h"

namespace kneebrace {

void CheckSlenderness(DesignState& s) {
    s.lambda = StoreSingle(Divide(s.L0, s.Imin, "长细比"), "长细比");
    // Rounded before anything compares or prints it: the verdict, check (2) and check
    // (4) all see the 0.1 value the report shows.
    s.lambda = RoundStored(s.lambda, "0.0", "长细比");

    const bool passes = s.lambda <= 200;
    s.slenderVerdict = "长细比=" + ToText(s.lambda) + (passes ? "<=200，通过！" : ">200，失败！");

    using namespace report;
    std::string& t = s.slenderText;
    t.assign("(1).角钢的长细比计算：").append(kEol);
    Formula(t, "长细比=L0/Imin");
    Legend(t, "-L0：角钢的螺栓间的长度=", ToText(s.L0), "mm");
    Legend(t, "-Imin：角钢的最小回转半径=", ToText(s.Imin), "mm");
    Formula(t, s.slenderVerdict);
}

}  // namespace kneebrace
