// The window's scenarios, written once as data and played through a WindowProbe, so
// that the fake view in-process, the Qt window offscreen and the Win32 window under wine
// all run the same table. Also the reference cases through the window's boxes and
// buttons, and a seeded random drive that checks every Calculate against the engine.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/window_probe.h"

namespace windowtest {

// What a step does to the window or checks on it. "The last action" is the last action
// step before an expectation.
enum class Op {
    // Actions.
    Type,      // `control` typed over with `text`
    Click,     // `control` clicked
    Press,     // `key` pressed in `control`
    Pick,      // `text` picked from the size list
    TypeSize,  // `text` typed into the size field, then Enter (`flag`) or Tab
    // 选型, then the header of column `number` clicked (-1: none) and row `text` (empty:
    // the one selected) adopted (`flag`), or the dialog cancelled.
    Sizing,
    // Expectations.
    Calculated,         // the last action ran the engine on the window's inputs: its report is
                        // shown, or its fault with the report box as it was
    NothingCalculated,  // the report box and the faults as before the last action
    // The last 选型 did as the engine says: the fault no size mends instead of the dialog,
    // or the row adopted in force and calculated, or nothing changed when cancelled.
    SizingDone,
    ReportContains,            // `text`
    ReportLacks,               // no `text`
    ReportDiffersFromStartUp,  // the change reached the run
    RecordKept,                // the record's report as before the last action: nothing stored
    FaultCount,                // `number` fault messages shown so far
    LastFault,                 // titled `text`, the message containing `detail`
    Text,                      // `control` shows exactly `text`
    // `control` marked, its tooltip the line `text` above its own; empty `text`:
    // unmarked, the table's tooltip.
    Mark,
    Enabled,      // `control` enabled (`flag`)
    Checked,      // `control` checked (`flag`)
    Focus,        // `control` has the keyboard focus
    Printable,    // printing acts on a report (`flag`)
    Stale,        // the report shown as no longer matching the inputs (`flag`)
    Options,      // `control` and `text` the chosen options, the record holding their codes
    SizeInForce,  // `text` shown in the size field and in force, its properties shown
    StartUp,      // every control as the table starts it
    Tooltips,     // every control with a tooltip in the table shows it
    TabRound,     // Tab from Text1 walks the focus order round to it, Shift+Tab back
};

struct Step {
    Op op;
    std::string_view control{};
    std::string_view text{};
    std::string_view detail{};
    int number = 0;
    bool flag = false;
    Key key = Key::Enter;
};

struct Scenario {
    std::string name;  // "group: what"
    std::vector<Step> steps;
};

std::span<const Scenario> WindowScenarios();
std::string_view ScenarioName(const Scenario& scenario);
// A test's name for the scenario at `index`: "s" and the index, then the letters and
// digits of its name.
std::string ScenarioTestName(std::size_t index);
// The failures as a test's message, a line each.
std::string Lines(const std::vector<std::string>& failures);

// Plays the scenario on a fresh window: what differed from the expectations, each with
// its step; empty when all held.
std::vector<std::string> RunScenario(WindowProbe& probe, const Scenario& scenario);

// The cases of tests/data/reference-cases.json through the window's boxes and buttons.
// False for the cases that pick a size text no list entry has (a trailing blank, lower
// case, nothing): only the engine's own test can hand those to the pick.
bool ReachableThroughWindow(const nlohmann::json& referenceCase);
std::vector<std::string> RunReferenceCase(WindowProbe& probe, const nlohmann::json& referenceCase);

// `actions` seeded random actions of every kind a user has, each followed by checks: a
// Calculate shows what a fresh engine run on the window's inputs gives, or that run's
// fault with the report box unchanged; anything else leaves report and faults alone, and
// the options, the gap box, the size shown, the marks and printing agree with the
// record. Stops at the first failure, which names the seed and the action's index:
// RandomDrive(probe, seed, index + 1) replays it.
std::vector<std::string> RandomDrive(WindowProbe& probe, std::uint32_t seed, int actions);

}  // namespace windowtest
