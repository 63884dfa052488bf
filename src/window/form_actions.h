// What the window's handlers do to the record, written once for both front ends. A
// front end reads its controls into these calls and shows what they return or what
// they left in the record; it decides nothing itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/calculation_run.h"
#include "core/design_state.h"
#include "window/sizing_view.h"

namespace kneebrace::window {

// The record as the window holds it once it has opened.
DesignState LoadForm();

// A click on one of the four option buttons ("Option1" ... "Option4"): writes the
// grade's or the arrangement's code and report text. Other names change nothing.
void ClickOption(DesignState& s, std::string_view optionName);

// The gap check box's value after a click; only a click's two values change the box.
enum class CheckValue { Cleared, Ticked, Greyed };

// Whether the gap box is to be enabled after a click that left the check box at
// `value`; nullopt when the box stays as it is (the greyed third state).
std::optional<bool> GapBoxEnabledAfter(CheckValue value);

// A pick in the size list: applies that size. The properties box then shows
// s.anglePropsText.
void PickSize(DesignState& s, std::string_view designation);

// The size the record holds: the last one picked, or the first of the list at start-up.
std::string SizeInForce(const DesignState& s);

// Text typed into the size list's edit field, when the field loses the focus or Enter
// is pressed in it. A text that names a catalogue size exactly picks it, as a pick
// from the list does; any other text gives way to the size in force, and nothing is
// picked. The field then shows `fieldText`.
struct TypedSize {
    bool picks = false;     // PickSize(fieldText) is to run, and the list select it
    std::string fieldText;  // what the edit field shows afterwards
};
TypedSize CommitTypedSize(const DesignState& s, std::string_view typed);

// A row adopted in the sizing table: the same as a pick of that size in the list.
// Returns the size's place in the list, for the front end to select before it shows
// the properties box and runs Calculate; nullopt, with the record untouched, for a
// designation the catalogue does not have.
std::optional<std::size_t> AdoptSize(DesignState& s, std::string_view designation);

// Why a run was abandoned, as the message box shows it: the kind of fault as the
// title, the message naming the input concerned as the text.
struct FaultMessage {
    std::string title;
    std::string text;
};

// The Calculate button. On success the record's reportText is the new report and the
// report box shows it; on a fault the report box keeps its text and the window shows
// the message. No exception leaves this call: one crossing a toolkit's event loop
// would end the program with the user's inputs lost.
std::optional<FaultMessage> Calculate(DesignState& s, const InputTexts& in);

// The purlin and the supplementary section to the current codes as the window holds
// them: the check box Check2, the web thickness box Text10 and the purlin steel options.
struct SupplementaryInputs {
    bool on = true;              // Check2 ticked: the section follows the seven
    std::string webText = "2";   // Text10 as typed, mm
    std::int16_t steelCode = 1;  // 1 = Q235 (Option5), 2 = Q345 (Option6)
};

// The Calculate button with the section. While the section is on, the web thickness is
// read strictly before anything else, so an unusable one leaves the record and the
// report box as they were. On success `reportBox` is what the report box shows: the
// seven, then the section when it is on. Like Calculate, no exception leaves this call.
struct Calculated {
    std::optional<FaultMessage> fault;
    std::string reportBox;
    // The box to retype when the fault is in its text and nothing was run: "Text10" for
    // an unusable web thickness; empty otherwise.
    std::string_view faultBox;
};
Calculated Calculate(DesignState& s, const InputTexts& in, const SupplementaryInputs& codes);

// The sizing button: every catalogue size run against the boxes' texts, or, when a
// fault does not depend on the size, the message Calculate would show instead of the
// table. Exactly one of the two is set. The record is not touched; as with Calculate,
// no exception leaves this call.
struct SizingOutcome {
    std::optional<SizingView> view;
    std::optional<FaultMessage> fault;
    std::string_view faultBox;  // as Calculated's: the web box when its text was refused
};
SizingOutcome OpenSizing(const DesignState& s, const InputTexts& in);

// The same with the section as the window holds it. While it is on, the web thickness is
// read strictly and first, as Calculate reads it (an unusable one gives Calculate's
// message and no table), and every size is checked to the current codes too; off, this
// is the call above.
SizingOutcome OpenSizing(const DesignState& s, const InputTexts& in,
                         const SupplementaryInputs& codes);

}  // namespace kneebrace::window
