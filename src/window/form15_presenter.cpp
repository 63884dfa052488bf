#include "window/form15_presenter.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "catalogue/angle_catalogue.h"
#include "window/input_marks.h"
#include "window/keyboard.h"

namespace kneebrace::window {

Form15Presenter::Form15Presenter(Form15View& view) : view_(view) {}

void Form15Presenter::Load() {
    state_ = LoadForm();
    // The section's switch and the purlin steel as the table starts their controls.
    sectionOn_ = FindControl("Check2")->selectedAtStart;
    purlinSteel_ = FindControl("Option6")->selectedAtStart ? 2 : 1;
    view_.SetText("Text7", state_.anglePropsText);
    // The designation's text selected, so that a new section can be typed over it.
    view_.FocusAndSelectAll(StartFocus().name);
}

void Form15Presenter::Clicked(std::string_view control, CheckValue value) {
    const ControlRow* row = FindControl(control);
    if (row == nullptr) return;
    switch (row->kind) {
        case ControlKind::OptionButton:
            // The purlin's steel is the section's input, not the record's; like the
            // grade, it takes effect at the next Calculate.
            if (control == "Option5" || control == "Option6")
                purlinSteel_ = control == "Option6" ? 2 : 1;
            else ClickOption(state_, control);
            break;
        case ControlKind::CheckBox:
            if (control == "Check2") {
                if (value != CheckValue::Greyed) sectionOn_ = value == CheckValue::Ticked;
                break;
            }
            // The gap's lock only decides whether the gap can be edited: the run reads
            // its text either way.
            if (const std::optional<bool> enabled = GapBoxEnabledAfter(value))
                view_.Enable("Text2", *enabled);
            break;
        default: break;
    }
    RefreshStale();
}

void Form15Presenter::Pressed(std::string_view button) {
    const ControlRow* row = FindControl(button);
    if (row == nullptr) return;
    switch (row->command) {
        case Command::Calculate: Calculate(); break;
        case Command::Sizing: OpenSizing(); break;
        case Command::Close: view_.Close(); break;
        case Command::None: break;
    }
}

void Form15Presenter::EnterPressed(std::string_view control) {
    const ControlRow* row = FindControl(control);
    if (row == nullptr) return;
    switch (EnterIn(row->kind)) {
        case EnterKey::Calculates: Calculate(); break;
        case EnterKey::CommitsSize: SizeFieldFinished(); break;
        case EnterKey::Ignored: break;
    }
}

void Form15Presenter::BoxEdited(std::string_view box) {
    // Any edit by the user takes the mark away; the value it named is no longer there.
    if (Marked(box)) ShowMark(BoxMark{box, false, {}});
    RefreshStale();
}

void Form15Presenter::SizePicked(std::size_t place) {
    const auto catalogue = AngleCatalogue();
    if (place >= catalogue.size()) return;
    PickSize(state_, catalogue[place].designation);
    view_.SetText("Text7", state_.anglePropsText);
    sizeTyped_ = false;
    RefreshStale();
}

void Form15Presenter::SizeFieldEdited() { sizeTyped_ = true; }

void Form15Presenter::SizeFieldFinished() {
    // Only typed text is settled: the focus merely passing through the field, or the
    // field showing a text the program put there, picks nothing.
    if (!sizeTyped_) return;
    sizeTyped_ = false;
    const TypedSize typed = CommitTypedSize(state_, view_.Text("Combo1"));
    if (typed.picks) {
        PickSize(state_, typed.fieldText);
        view_.SetText("Text7", state_.anglePropsText);
    }
    // The list selects the size in force and the field shows it, as typed when picked.
    if (const std::optional<std::size_t> place = FindAngle(typed.fieldText))
        view_.SelectSize(*place);
    view_.SetText("Combo1", typed.fieldText);
    RefreshStale();
}

bool Form15Presenter::Marked(std::string_view box) const {
    return std::find(marked_.begin(), marked_.end(), box) != marked_.end();
}

InputTexts Form15Presenter::ReadInputs() const {
    InputTexts in;
    for (const ControlRow& row : Form15Controls())
        if (row.feeds != nullptr) in.*row.feeds = view_.Text(row.name);
    return in;
}

void Form15Presenter::ShowMark(const BoxMark& mark) {
    const auto at = std::find(marked_.begin(), marked_.end(), mark.box);
    if (mark.marked && at == marked_.end()) marked_.push_back(mark.box);
    if (!mark.marked && at != marked_.end()) marked_.erase(at);
    view_.ShowMark(mark.box, mark.marked, TooltipFor(mark.box, &mark));
}

Form15Presenter::RunInputs Form15Presenter::CurrentRunInputs() const {
    RunInputs now;
    for (const ControlRow& row : Form15Controls())
        if (row.feeds != nullptr) now.boxes.push_back(view_.Text(row.name));
    now.gradeCode = state_.gradeCode;
    now.layoutCode = state_.layoutCode;
    now.size = SizeInForce(state_);
    now.sectionOn = sectionOn_;
    // The purlin's inputs count only while the section that reads them is on.
    if (sectionOn_) {
        now.webText = view_.Text("Text10");
        now.purlinSteel = purlinSteel_;
    }
    return now;
}

void Form15Presenter::RefreshStale() {
    // Before the first report there is nothing to go stale.
    if (!reported_) return;
    const bool stale = CurrentRunInputs() != *reported_;
    if (stale == stale_) return;
    stale_ = stale;
    view_.ReportStale(stale);
    // The texts are the report's again (an edit undone): so are the marks its run left,
    // which the edit took away. A current report never stands beside an unmarked box
    // that it read in part.
    if (!stale)
        for (const BoxMark& mark : reportedMarks_)
            if (mark.marked && !Marked(mark.box)) ShowMark(mark);
}

SupplementaryInputs Form15Presenter::Supplementary() const {
    return {sectionOn_, view_.Text("Text10"), purlinSteel_};
}

void Form15Presenter::Calculate() {
    const InputTexts in = ReadInputs();
    const Calculated run = window::Calculate(state_, in, Supplementary());
    // Before the message: the user reads it with the marks in view.
    std::vector<BoxMark> marks = MarkUnreadInputs(in);
    for (const BoxMark& mark : marks) ShowMark(mark);
    if (run.fault) {
        // Before the message too, so that closing it gives the focus back to the box
        // to retype, its text selected.
        if (!run.faultBox.empty()) view_.FocusAndSelectAll(run.faultBox);
        // The inputs just read may differ from the report's even where no edit was
        // reported (a text the program set).
        RefreshStale();
        // The report box keeps the last complete report; the inputs stay as typed.
        view_.ShowFault(*run.fault);
        return;
    }
    // What the box shows is what prints: the seven, and the section when it is on.
    reported_ = CurrentRunInputs();
    reportedMarks_ = std::move(marks);
    RefreshStale();
    view_.SetText("Text8", run.reportBox);
    view_.ReportShown(run.reportBox, SizeInForce(state_));
}

// Every size against the boxes' texts; the row the user adopts becomes the size in
// force, exactly as a pick from the list, and is calculated at once.
void Form15Presenter::OpenSizing() {
    SizingOutcome outcome = window::OpenSizing(state_, ReadInputs(), Supplementary());
    if (outcome.fault) {
        // As after Calculate: closing the message leaves the box to retype in focus.
        if (!outcome.faultBox.empty()) view_.FocusAndSelectAll(outcome.faultBox);
        view_.ShowFault(*outcome.fault);
        return;
    }
    if (!outcome.view) return;
    const std::optional<std::string> adopted = view_.RunSizingDialog(std::move(*outcome.view));
    if (adopted) Adopt(*adopted);
}

void Form15Presenter::Adopt(std::string_view designation) {
    const std::optional<std::size_t> place = AdoptSize(state_, designation);
    if (!place) return;
    view_.SelectSize(*place);
    view_.SetText("Text7", state_.anglePropsText);
    sizeTyped_ = false;
    // Stale until the run succeeds: it may fault on the size adopted.
    RefreshStale();
    Calculate();
}

}  // namespace kneebrace::window

namespace kneebrace::window {

Member Form15Presenter::CurrentMember() const {
    Member m;
    m.texts = ReadInputs();
    m.gapUnlocked = view_.Checked("Check1");
    m.gradeCode = state_.gradeCode;
    m.layoutCode = state_.layoutCode;
    m.angleSize = SizeInForce(state_);
    // The purlin and the supplementary section, where the window has their controls.
    if (FindControl("Text10") != nullptr) m.purlinWebText = view_.Text("Text10");
    if (FindControl("Check2") != nullptr) m.supplementary = view_.Checked("Check2");
    if (FindControl("Option6") != nullptr) m.purlinSteelCode = view_.Checked("Option6") ? 2 : 1;
    return m;
}

void Form15Presenter::LoadMember(const Member& m) {
    const std::optional<std::size_t> place = FindAngle(m.angleSize);
    if (!place) return;
    for (const ControlRow& row : Form15Controls())
        if (row.feeds != nullptr) view_.SetText(row.name, m.texts.*row.feeds);
    if (FindControl("Text10") != nullptr) view_.SetText("Text10", m.purlinWebText);
    SetAndClick(m.gradeCode == 2 ? "Option2" : "Option1", true);
    SetAndClick(m.layoutCode == 2 ? "Option4" : "Option3", true);
    SetAndClick(m.purlinSteelCode == 2 ? "Option6" : "Option5", true);
    SetAndClick("Check1", m.gapUnlocked);
    SetAndClick("Check2", m.supplementary);
    view_.SelectSize(*place);
    SizePicked(*place);
    // The marks named values of the inputs the member replaced.
    for (const std::string_view box : std::vector<std::string_view>(marked_))
        ShowMark(BoxMark{box, false, {}});
    Calculate();
}

void Form15Presenter::SetAndClick(std::string_view control, bool checked) {
    if (FindControl(control) == nullptr) return;
    view_.SetChecked(control, checked);
    Clicked(control, checked ? CheckValue::Ticked : CheckValue::Cleared);
}

}  // namespace kneebrace::window
