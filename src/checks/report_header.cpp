// The report's header: title, the inputs as the engineer typed them, the chosen angle
// and the derived length and force, closed by a rule.
#include "checks/checks.h"
#include "checks/report_lines.h"
#include "core/number_text.h"

namespace kneebrace {

void BuildReportHeader(DesignState& s, const InputTexts& in) {
    using report::kEol;
    std::string& t = s.headerText;
    t.assign(15, ' ').append("角钢Omvarel书").append(kEol);
    t.append(kEol);
    t.append("H钢截面：").append(in.Text1).append(s.gradeText).append(kEol);
    t.append("角钢材质：Q235").append(kEol);
    t.append(s.anglePropsText).append(kEol);
    t.append("角钢计算长度L0=").append(ToText(s.L0)).append("mm").append(kEol);
    t.append("角钢与H钢腹板的夹角=")
        .append(ToTextD(ParseLoose(in.Text5, "与腹板夹角")))
        .append("度")
        .append(kEol);
    t.append("隅撑布置方式：").append(s.layoutText).append(kEol);
    t.append("轴力N=").append(ToText(s.N)).append("N").append(kEol);
    t.append("螺栓的直径M=").append(ToText(s.M)).append("mm").append(",普通Q235螺栓").append(kEol);
    t.append("螺栓孔的直径(默认为M+2)=").append(ToText(s.d0)).append("mm").append(kEol);
    t.append(36, '=').append(kEol);
}

}  // namespace kneebrace
