// A project member calculated as the window would calculate it after opening it: the
// start-up record with the member's grade, arrangement and size applied, its boxes'
// texts, then the Calculate button's run. Used for the member list's verdicts and the
// project's book, which is always calculated afresh from the members.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/calculation_run.h"
#include "core/design_state.h"
#include "window/form_actions.h"
#include "window/project.h"

namespace kneebrace::window {

// What the window holds once the member is opened, before Calculate is pressed. The
// gap box's state is left to the front end: locked or not, the run reads its text.
struct MemberInputs {
    DesignState state;
    InputTexts texts;
};
MemberInputs PrepareMember(const Member& m);

struct MemberOutcome {
    DesignState state;                  // the record after the run
    std::optional<FaultMessage> fault;  // set when the run was abandoned
    // The seven and the section's items that fail, "第(6)项及补充验算S1"; empty when all pass.
    std::string failing;
    // The report as the report box would show it: the seven, then the supplementary
    // section when the member has it on; empty after a fault.
    std::string report;
};

// Runs the member; no exception leaves this call.
MemberOutcome CalculateMember(const Member& m);

// The checks and, when the member has the supplementary section on, its items that fail
// after a run that ended, as the book's conclusion names them: "第(1)、(4)项及补充验算S1、S3";
// empty when all pass.
std::string FailingItems(const DesignState& afterRun, const Member& m);

}  // namespace kneebrace::window
