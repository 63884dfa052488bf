#include "window/member_run.h"

#include <array>
#include <string>
#include <utility>

#include "checks/current_codes_check.h"

namespace kneebrace::window {

MemberInputs PrepareMember(const Member& m) {
    // The order of the window's own steps: the record as it opens, then the option
    // buttons, then the pick in the size list. None of them computes anything.
    MemberInputs in{LoadForm(), m.texts};
    ChooseGrade(in.state, m.gradeCode);
    ChooseLayout(in.state, m.layoutCode);
    PickSize(in.state, m.angleSize);
    return in;
}

MemberOutcome CalculateMember(const Member& m) {
    MemberInputs in = PrepareMember(m);
    MemberOutcome out{std::move(in.state), std::nullopt, {}, {}};
    Calculated run =
        Calculate(out.state, in.texts, {m.supplementary, m.purlinWebText, m.purlinSteelCode});
    out.fault = std::move(run.fault);
    out.report = std::move(run.reportBox);
    if (!out.fault) out.failing = FailingItems(out.state, m);
    return out;
}

std::string FailingItems(const DesignState& s, const Member& m) {
    const std::array<bool, 7> seven = SevenVerdicts(s);
    std::string seen;
    for (std::size_t i = 0; i < seven.size(); ++i)
        if (!seven[i]) seen.append(seen.empty() ? "第" : "、").append(SevenCheckLabel(i));
    if (!seen.empty()) seen.append("项");
    if (m.supplementary) {
        const CurrentCodesResult r =
            CheckCurrentCodes(s, ReadPurlinInputs(m.purlinWebText, m.purlinSteelCode));
        bool any = false;
        for (std::size_t i = 0; i < kCodesItemCount; ++i) {
            if (r.passes[i]) continue;
            seen.append(any ? "、" : seen.empty() ? "补充验算" : "及补充验算");
            seen.append(CodesItemLabel(static_cast<CodesItem>(i)));
            any = true;
        }
    }
    return seen;
}

}  // namespace kneebrace::window
