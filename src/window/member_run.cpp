#include "window/member_run.h"

#include <array>
#include <string>
#include <utility>

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
    if (!out.fault) out.failingChecks = FailingChecks(out.state);
    return out;
}

std::vector<int> FailingChecks(const DesignState& s) {
    const std::array<const std::string*, 7> verdicts{
        &s.slenderVerdict,   &s.localVerdict,   &s.strengthVerdict, &s.stabilityVerdict,
        &s.boltShearVerdict, &s.bearingVerdict, &s.endShearVerdict,
    };
    constexpr std::string_view kFails = "失败！";
    std::vector<int> failing;
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        const std::string& v = *verdicts[i];
        if (v.size() >= kFails.size() &&
            v.compare(v.size() - kFails.size(), kFails.size(), kFails) == 0)
            failing.push_back(static_cast<int>(i) + 1);
    }
    return failing;
}

}  // namespace kneebrace::window
