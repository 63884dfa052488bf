#include "support/fake_window.h"

#include <algorithm>

#include "catalogue/angle_catalogue.h"
#include "window/control_table.h"

namespace windowtest {

using kneebrace::window::ControlKind;
using kneebrace::window::ControlRow;
using kneebrace::window::FindControl;
using kneebrace::window::Form15Controls;

FakeView::FakeView() {
    for (const ControlRow& row : Form15Controls()) {
        texts[std::string(row.name)] = std::string(row.caption);
        enabled[std::string(row.name)] = !row.disabledAtStart;
    }
}

std::string FakeView::Text(std::string_view control) const {
    const auto it = texts.find(control);
    return it == texts.end() ? std::string() : it->second;
}

void FakeView::SetText(std::string_view control, std::string_view utf8) {
    texts[std::string(control)] = std::string(utf8);
}

void FakeView::ShowMark(std::string_view box, bool isMarked, std::string_view tooltip) {
    marked[std::string(box)] = isMarked;
    tooltips[std::string(box)] = std::string(tooltip);
}

void FakeView::Enable(std::string_view control, bool isEnabled) {
    enabled[std::string(control)] = isEnabled;
}

bool FakeView::Checked(std::string_view control) const {
    const auto it = checked.find(control);
    return it != checked.end() && it->second;
}

void FakeView::SetChecked(std::string_view control, bool isChecked) {
    const ControlRow* row = FindControl(control);
    if (row == nullptr) return;
    if (row->kind == ControlKind::OptionButton && isChecked)
        for (const ControlRow& other : Form15Controls())
            if (other.kind == ControlKind::OptionButton && other.parent == row->parent)
                checked[std::string(other.name)] = false;
    checked[std::string(control)] = isChecked;
}

void FakeView::SelectSize(std::size_t place) {
    selectedSize = place;
    texts["Combo1"] = std::string(kneebrace::AngleCatalogue()[place].designation);
}

void FakeView::FocusAndSelectAll(std::string_view control) { focus = std::string(control); }

void FakeView::ShowFault(const kneebrace::window::FaultMessage& fault) { faults.push_back(fault); }

std::optional<std::string> FakeView::RunSizingDialog(kneebrace::SizingView view) {
    ++sizingDialogs;
    if (!sizingAnswer.adopt) return std::nullopt;
    if (!sizingAnswer.row.empty()) return sizingAnswer.row;
    // The selection opens on the lightest passing row, or on the first when none passes,
    // and stays on it through a sort.
    return view.rows[view.lightest.value_or(0)].designation;
}

void FakeView::ReportShown(const std::string& reportText, std::string_view) {
    printable = true;
    printed = reportText;
}

FakeProbe::FakeProbe() {
    for (const ControlRow& row : Form15Controls())
        if (row.kind == ControlKind::OptionButton || row.kind == ControlKind::CheckBox)
            view_.checked[std::string(row.name)] = row.selectedAtStart;
    presenter_ = std::make_unique<kneebrace::window::Form15Presenter>(view_);
    presenter_->Load();
}

void FakeProbe::MoveFocus(std::string_view control) {
    if (view_.focus == control) return;
    // The size list's field settles a typed size when the focus leaves it.
    const bool leavesSizeField = view_.focus == "Combo1";
    view_.focus = std::string(control);
    if (leavesSizeField) presenter_->SizeFieldFinished();
}

void FakeProbe::Type(std::string_view box, std::string_view utf8) {
    MoveFocus(box);
    view_.texts[std::string(box)] = std::string(utf8);
    presenter_->BoxEdited(box);
}

void FakeProbe::Click(std::string_view control) {
    const ControlRow* row = FindControl(control);
    if (row == nullptr || !Enabled(control)) return;
    MoveFocus(control);
    switch (row->kind) {
        case ControlKind::OptionButton:
            view_.SetChecked(control, true);
            presenter_->Clicked(control);
            break;
        case ControlKind::CheckBox: {
            bool& ticked = view_.checked[std::string(control)];
            ticked = !ticked;
            using kneebrace::window::CheckValue;
            presenter_->Clicked(control, ticked ? CheckValue::Ticked : CheckValue::Cleared);
            break;
        }
        case ControlKind::PictureButton: presenter_->Pressed(control); break;
        default: break;
    }
}

void FakeProbe::Press(std::string_view control, Key key) {
    MoveFocus(control);
    switch (key) {
        case Key::Enter:
        case Key::KeypadEnter: presenter_->EnterPressed(control); break;
        case Key::Space: Click(control); break;
        case Key::Tab:
        case Key::BackTab: {
            // The focus order, less what cannot take the focus now: a disabled box and
            // the option of a group that is not chosen.
            std::vector<std::string_view> stops;
            for (const ControlRow* row : kneebrace::window::FocusOrder()) {
                if (!Enabled(row->name)) continue;
                if (row->kind == ControlKind::OptionButton && !Checked(row->name)) continue;
                stops.push_back(row->name);
            }
            const auto at = std::find(stops.begin(), stops.end(), control);
            std::size_t i = at == stops.end() ? 0 : static_cast<std::size_t>(at - stops.begin());
            i = key == Key::Tab ? (i + 1) % stops.size() : (i + stops.size() - 1) % stops.size();
            MoveFocus(stops[i]);
            break;
        }
    }
}

void FakeProbe::Pick(std::string_view designation) {
    const std::optional<std::size_t> place = kneebrace::FindAngle(designation);
    if (!place) return;
    MoveFocus("Combo1");
    view_.selectedSize = place;
    view_.texts["Combo1"] = std::string(designation);
    presenter_->SizePicked(*place);
}

void FakeProbe::TypeSize(std::string_view utf8, bool enter) {
    TypeSizeOnly(utf8);
    Press("Combo1", enter ? Key::Enter : Key::Tab);
}

void FakeProbe::TypeSizeOnly(std::string_view utf8) {
    MoveFocus("Combo1");
    view_.texts["Combo1"] = std::string(utf8);
    presenter_->SizeFieldEdited();
}

bool FakeProbe::Sizing(const SizingAnswer& answer) {
    view_.sizingAnswer = answer;
    const int before = view_.sizingDialogs;
    Click("Command2");
    return view_.sizingDialogs > before;
}

bool FakeProbe::Enabled(std::string_view control) const {
    const auto it = view_.enabled.find(control);
    return it != view_.enabled.end() && it->second;
}

bool FakeProbe::Checked(std::string_view control) const { return view_.Checked(control); }

bool FakeProbe::Marked(std::string_view box) const {
    const auto it = view_.marked.find(box);
    return it != view_.marked.end() && it->second;
}

std::string FakeProbe::Tooltip(std::string_view box) const {
    const auto it = view_.tooltips.find(box);
    if (it != view_.tooltips.end()) return it->second;
    const ControlRow* row = FindControl(box);
    return row == nullptr ? std::string() : std::string(row->tooltip);
}

}  // namespace windowtest

namespace windowtest {

using kneebrace::window::ProjectInfo;
using kneebrace::window::ProjectSession;
using kneebrace::window::UnsavedChoice;

UnsavedChoice FakeProjectView::AskUnsaved(std::string_view projectName) {
    asked.push_back("unsaved " + std::string(projectName));
    return Next(unsavedAnswers).value_or(UnsavedChoice::Cancel);
}

std::optional<std::string> FakeProjectView::ChooseProjectToSave(std::string_view suggestedName) {
    asked.push_back("save as " + std::string(suggestedName));
    return Next(saveAnswers);
}

std::optional<std::string> FakeProjectView::ReadFile(const std::string& path) {
    const auto it = disk.find(path);
    if (it == disk.end()) return std::nullopt;
    return it->second;
}

bool FakeProjectView::ReplaceFile(const std::string& path, std::string_view bytes) {
    if (diskFull) return false;
    disk[path] = std::string(bytes);
    return true;
}

bool FakeProjectView::MayReplace(const std::string& path) {
    if (!disk.contains(path)) return true;
    asked.push_back("replace " + path);
    return Next(replaceAnswers).value_or(false);
}

std::optional<std::string> FakeProjectView::AskMemberName(std::string_view title,
                                                          std::string_view suggested) {
    asked.push_back(std::string(title) + " " + std::string(suggested));
    return Next(nameAnswers);
}

std::optional<ProjectInfo> FakeProjectView::EditProjectInfo(const ProjectInfo& info) {
    asked.push_back("info " + info.name);
    return Next(infoAnswers);
}

void FakeProjectView::RunMemberList(ProjectSession& session) {
    asked.emplace_back("member list");
    if (memberList) memberList(session);
}

}  // namespace windowtest
