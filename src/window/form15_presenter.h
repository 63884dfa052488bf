// The window's logic, written once for both front ends: it owns the design record and
// carries out every handler in its order of steps. The front ends forward their
// controls' events here and draw what the presenter tells their Form15View.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calculation_run.h"
#include "core/design_state.h"
#include "window/control_table.h"
#include "window/form15_view.h"
#include "window/form_actions.h"
#include "window/input_marks.h"
#include "window/project.h"

namespace kneebrace::window {

class Form15Presenter {
public:
    explicit Form15Presenter(Form15View& view);
    Form15Presenter(const Form15Presenter&) = delete;
    Form15Presenter& operator=(const Form15Presenter&) = delete;

    // The window's load step: the start-up record, the properties of the first size,
    // the focus in the designation.
    void Load();

    // A click on an option button or a check box, by mouse or keyboard, with the value
    // the check box shows afterwards (options ignore it).
    void Clicked(std::string_view control, CheckValue value = CheckValue::Ticked);
    // A picture button pressed: its row's command.
    void Pressed(std::string_view button);
    // Enter (either key) in the control that has the focus.
    void EnterPressed(std::string_view control);

    // The user changed an input box's text (typing, pasting, deleting).
    void BoxEdited(std::string_view box);
    // A pick from the size list, at its place in the catalogue's order.
    void SizePicked(std::size_t place);
    // The user typed into the size list's field.
    void SizeFieldEdited();
    // The size list's field lost the focus, or Enter was pressed in it.
    void SizeFieldFinished();

    // The record, for the views' tests and tools.
    const DesignState& state() const { return state_; }
    // Whether a box is marked as read in part by the last run.
    bool Marked(std::string_view box) const;
    // The supplementary section's inputs as the window holds them now: Check2 and the
    // purlin steel options as last clicked, the web thickness box's text as it stands.
    // What Calculate reads, and what the sizing table is to be built with.
    SupplementaryInputs Supplementary() const;

    // The brace in the window as a project member, without a name: the boxes' texts as
    // typed, the check boxes, the option codes and the size in force.
    Member CurrentMember() const;
    // Puts a member into the window as the user would enter it (texts, options, check
    // boxes and the size picked, through the same handlers), then presses Calculate. A
    // member naming a size the list does not have changes nothing.
    void LoadMember(const Member& m);

private:
    // Everything a run reads, as the window holds it now: the boxes, the options, the
    // size in force and, while the section is on, its inputs. The report shown is stale
    // exactly when this differs from what it was calculated from.
    struct RunInputs {
        std::vector<std::string> boxes;
        std::int16_t gradeCode = 0;
        std::int16_t layoutCode = 0;
        std::string size;
        bool sectionOn = false;
        std::string webText;
        std::int16_t purlinSteel = 0;
        bool operator==(const RunInputs&) const = default;
    };
    RunInputs CurrentRunInputs() const;
    // Tells the view when the report shown starts or stops matching the inputs.
    void RefreshStale();

    void Calculate();
    void OpenSizing();
    void Adopt(std::string_view designation);
    void ShowMark(const BoxMark& mark);
    InputTexts ReadInputs() const;
    // A control set by LoadMember, then its click handler; nothing where the window
    // has no such control.
    void SetAndClick(std::string_view control, bool checked);

    Form15View& view_;
    DesignState state_;
    std::vector<std::string_view> marked_;  // the boxes shown as read in part
    bool sizeTyped_ = false;        // the size field was typed into since the size in force was set
    bool sectionOn_ = true;         // Check2 ticked: the supplementary section follows the seven
    std::int16_t purlinSteel_ = 1;  // 1 = Q235 (Option5), 2 = Q345 (Option6)
    std::optional<RunInputs> reported_;   // what the report shown was calculated from
    std::vector<BoxMark> reportedMarks_;  // and the marks its run left
    bool stale_ = false;                  // the view shows the report as stale
};

}  // namespace kneebrace::window
