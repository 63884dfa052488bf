#include "support/window_scenarios.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <random>
#include <utility>

#include "catalogue/angle_catalogue.h"
#include "checks/current_codes_check.h"
#include "core/calculation_run.h"
#include "core/design_state.h"
#include "core/fault.h"
#include "support/text_diff.h"
#include "window/control_table.h"
#include "window/form_actions.h"
#include "window/input_marks.h"
#include "window/sizing_view.h"

namespace windowtest {

namespace {

using kneebrace::AngleCatalogue;
using kneebrace::DesignState;
using kneebrace::InputTexts;
using kneebrace::window::ControlKind;
using kneebrace::window::ControlRow;
using kneebrace::window::FaultMessage;
using kneebrace::window::FindControl;
using kneebrace::window::Form15Controls;
using Json = nlohmann::json;
using Steps = std::vector<Step>;

constexpr std::string_view kEmptyReport = "计算结果\r\n";

// Each box feeds the run's input of its own name. Written here by hand, not read from
// the control table, so that a wrong row in the table shows as a wrong report.
constexpr std::array<std::pair<std::string_view, std::string InputTexts::*>, 7> kInputBoxes{{
    {"Text1", &InputTexts::Text1},
    {"Text2", &InputTexts::Text2},
    {"Text3", &InputTexts::Text3},
    {"Text4", &InputTexts::Text4},
    {"Text5", &InputTexts::Text5},
    {"Text6", &InputTexts::Text6},
    {"Text9", &InputTexts::Text9},
}};
// The number boxes the run reads loosely, and so the ones that can be marked.
constexpr std::array<std::string_view, 6> kLooseBoxes{"Text2", "Text3", "Text4",
                                                      "Text5", "Text6", "Text9"};

// ---------------------------------------------------------------------------------------
// What the window should show, from the engine run afresh on what the window shows

InputTexts ShownInputs(const WindowProbe& w) {
    InputTexts in;
    for (const auto& [box, field] : kInputBoxes) in.*field = w.Text(box);
    return in;
}

std::string SizeInForce(const WindowProbe& w) {
    const std::string& picked = w.Record().angleModel;
    return picked.empty() ? std::string(AngleCatalogue().front().designation) : picked;
}

// The options the window shows chosen and its size in force on a fresh record (none
// picked at start-up: the start-up record holds the first size's values unpicked).
DesignState FreshRecord(const WindowProbe& w) {
    DesignState s = kneebrace::StartupDesignState();
    kneebrace::ChooseGrade(s, w.Checked("Option2") ? 2 : 1);
    kneebrace::ChooseLayout(s, w.Checked("Option4") ? 2 : 1);
    if (!w.Record().angleModel.empty()) kneebrace::SelectAngle(s, w.Record().angleModel);
    return s;
}

FaultMessage MessageOf(const kneebrace::CalculationFault& fault) {
    return {std::string(kneebrace::FaultKindTitle(fault.kind())), fault.what()};
}

struct EngineRun {
    std::optional<FaultMessage> fault;
    std::string report;
};

// The supplementary section's inputs: whether it is on, the web thickness's text and the
// purlin steel.
struct Purlin {
    bool on = false;
    std::string webText;
    std::int16_t steelCode = 1;
};

Purlin ShownPurlin(const WindowProbe& w) {
    return {w.Checked("Check2"), w.Text("Text10"), std::int16_t(w.Checked("Option6") ? 2 : 1)};
}

// The report box after a run on these inputs: the seven, then the section when it is on.
// The web thickness is read before the run, so that a bad one stores nothing.
EngineRun RunEngine(DesignState s, const InputTexts& in, const Purlin& purlin) {
    try {
        std::optional<kneebrace::PurlinInputs> web;
        if (purlin.on) web = kneebrace::ReadPurlinInputs(purlin.webText, purlin.steelCode);
        kneebrace::RunCalculation(s, in);
        if (!web) return {std::nullopt, s.reportText};
        return {std::nullopt, s.reportText + kneebrace::CurrentCodesText(
                                                 s, kneebrace::CheckCurrentCodes(s, *web))};
    } catch (const kneebrace::CalculationFault& fault) {
        return {MessageOf(fault), {}};
    }
}

EngineRun RunEngine(const WindowProbe& w) {
    return RunEngine(FreshRecord(w), ShownInputs(w), ShownPurlin(w));
}

// The report Calculate shows on the window as it opens.
std::string StartUpReport() {
    Purlin purlin{FindControl("Check2")->selectedAtStart,
                  std::string(FindControl("Text10")->caption),
                  std::int16_t(FindControl("Option6")->selectedAtStart ? 2 : 1)};
    return RunEngine(kneebrace::StartupDesignState(), kneebrace::StartupInputTexts(), purlin)
        .report;
}

// What 选型 is to do: show the fault no size mends, or adopt this row (empty: cancel).
struct SizingExpectation {
    std::optional<FaultMessage> fault;
    std::string adopts;
};

// The row adopted is the one named, else the one the dialog selects on opening and keeps
// through a sort: the lightest passing size, or the first.
SizingExpectation ExpectSizing(const WindowProbe& w, const Step& s) {
    try {
        // As Calculate, the web thickness is read first while the section is on.
        const Purlin purlin = ShownPurlin(w);
        std::optional<kneebrace::PurlinInputs> web;
        if (purlin.on) web = kneebrace::ReadPurlinInputs(purlin.webText, purlin.steelCode);
        const auto view = kneebrace::BuildSizingView(FreshRecord(w), ShownInputs(w), web);
        if (!s.flag) return {};
        if (!s.text.empty()) return {std::nullopt, std::string(s.text)};
        return {std::nullopt, view.rows[view.lightest.value_or(0)].designation};
    } catch (const kneebrace::CalculationFault& fault) {
        return {MessageOf(fault), {}};
    }
}

struct Snapshot {
    std::string report;
    std::size_t faults = 0;
    std::string recordReport;  // the record's own report text (the seven)
};

Snapshot Take(const WindowProbe& w) {
    return {w.Text("Text8"), w.Faults().size(), w.Record().reportText};
}

std::string Quoted(const FaultMessage& f) { return "「" + f.title + "：" + f.text + "」"; }

// After a fault (expected) or a run: the message shown and the report box kept, or the
// report shown and no message.
std::string CheckOutcome(const WindowProbe& w, const Snapshot& before,
                         const std::optional<FaultMessage>& fault, const std::string& report) {
    const std::vector<FaultMessage> faults = w.Faults();
    const std::string shown = w.Text("Text8");
    if (fault) {
        if (faults.size() != before.faults + 1)
            return std::to_string(faults.size() - before.faults) + " messages shown, not " +
                   Quoted(*fault);
        if (faults.back().title != fault->title || faults.back().text != fault->text)
            return "the message shown is " + Quoted(faults.back()) + ", not " + Quoted(*fault);
    } else if (faults.size() != before.faults) {
        return "a fault message came: " + Quoted(faults.back());
    }
    const std::string diff = testsupport::DescribeDifference(fault ? before.report : report, shown);
    return diff.empty() ? diff : "the report box differs: " + diff;
}

std::string CheckCalculated(const WindowProbe& w, const Snapshot& before) {
    if (w.Text("Combo1") != SizeInForce(w))
        return "the size list shows " + w.Text("Combo1") + ", the size in force is " +
               SizeInForce(w);
    const EngineRun run = RunEngine(w);
    return CheckOutcome(w, before, run.fault, run.report);
}

std::string CheckMark(const WindowProbe& w, std::string_view box, std::string_view line) {
    const std::string own(FindControl(box)->tooltip);
    if (w.Marked(box) != !line.empty())
        return std::string(box) + (line.empty() ? " is marked" : " is not marked");
    if (w.Tooltip(box) != (line.empty() ? own : std::string(line) + "\n" + own))
        return std::string(box) + "'s tooltip is " + w.Tooltip(box);
    return {};
}

std::string CheckSize(const WindowProbe& w, std::string_view size) {
    DesignState s = kneebrace::StartupDesignState();
    kneebrace::SelectAngle(s, size);
    if (w.Text("Combo1") != size) return "the size list shows " + w.Text("Combo1");
    if (SizeInForce(w) != size) return "the size in force is " + SizeInForce(w);
    const std::string diff = testsupport::DescribeDifference(s.anglePropsText, w.Text("Text7"));
    return diff.empty() ? diff : "properties box: " + diff;
}

std::string CheckOptions(const WindowProbe& w, std::string_view grade, std::string_view layout) {
    for (const char* option : {"Option1", "Option2", "Option3", "Option4"})
        if (w.Checked(option) != (option == grade || option == layout))
            return std::string(option) + (w.Checked(option) ? " is chosen" : " is not chosen");
    const DesignState& r = w.Record();
    if (r.gradeCode != (grade == "Option2" ? 2 : 1) ||
        r.layoutCode != (layout == "Option4" ? 2 : 1))
        return "the record holds grade " + std::to_string(r.gradeCode) + ", arrangement " +
               std::to_string(r.layoutCode);
    return {};
}

std::string CheckStartUp(const WindowProbe& w) {
    for (const ControlRow& row : Form15Controls()) {
        const std::string name(row.name);
        using K = ControlKind;
        const bool hasText =
            row.kind == K::InputBox || row.kind == K::SizeList || row.kind == K::ReportBox;
        if (hasText && w.Text(name) != row.caption) return name + " shows " + w.Text(name);
        const bool checks = row.kind == K::OptionButton || row.kind == K::CheckBox;
        if (checks && w.Checked(name) != row.selectedAtStart) return name + "'s check is wrong";
        if (kneebrace::window::TakesFocus(row.kind) && w.Enabled(name) == row.disabledAtStart)
            return name + (row.disabledAtStart ? " is enabled" : " is disabled");
        if (!row.tooltip.empty() && w.Tooltip(name) != row.tooltip)
            return name + "'s tooltip is " + w.Tooltip(name);
    }
    return CheckSize(w, AngleCatalogue().front().designation);
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : " ") + n;
    return text;
}

// The focus cycle: the table's tab order less what cannot take the focus now, the
// locked gap box and the option of each group that is not chosen.
std::string CheckTabRound(WindowProbe& w) {
    std::vector<std::string> cycle;
    for (const ControlRow* row : kneebrace::window::FocusOrder()) {
        if (!w.Enabled(row->name)) continue;
        if (row->kind == ControlKind::OptionButton && !w.Checked(row->name)) continue;
        cycle.emplace_back(row->name);
    }
    const auto start = std::find(cycle.begin(), cycle.end(), "Text1");
    if (start == cycle.end()) return "Text1 takes no focus";
    std::vector<std::string> expected(start, cycle.end());
    expected.insert(expected.end(), cycle.begin(), std::next(start));
    for (const Key key : {Key::Tab, Key::BackTab}) {
        std::vector<std::string> walked{"Text1"};
        for (std::size_t i = 1; i < expected.size(); ++i) {
            w.Press(walked.back(), key);
            walked.push_back(w.Focus());
        }
        if (walked != expected) return "Tab walked " + Joined(walked) + ", not " + Joined(expected);
        std::reverse(expected.begin(), expected.end());
    }
    return {};
}

std::string Unless(bool held, std::string failure) {
    return held ? std::string() : std::move(failure);
}

// ---------------------------------------------------------------------------------------
// Playing steps

class Player {
public:
    explicit Player(WindowProbe& w) : w_(w), before_(Take(w)) {}

    void Act(const Step& s) {
        before_ = Take(w_);
        switch (s.op) {
            case Op::Type: w_.Type(s.control, s.text); break;
            case Op::Click: w_.Click(s.control); break;
            case Op::Press: w_.Press(s.control, s.key); break;
            case Op::Pick: w_.Pick(s.text); break;
            case Op::TypeSize: w_.TypeSize(s.text, s.flag); break;
            case Op::Sizing: {
                sizing_ = ExpectSizing(w_, s);
                sizeBefore_ = SizeInForce(w_);
                SizingAnswer answer{.sortBy = {}, .adopt = s.flag, .row = std::string(s.text)};
                if (s.number >= 0) answer.sortBy = static_cast<std::size_t>(s.number);
                dialogCame_ = w_.Sizing(answer);
                break;
            }
            default: break;
        }
    }

    std::string Check(const Step& s);
    const SizingExpectation& sizing() const { return sizing_; }

private:
    std::string CheckSizing() const;

    WindowProbe& w_;
    Snapshot before_;  // as the last action found the window
    SizingExpectation sizing_;
    std::string sizeBefore_;
    bool dialogCame_ = false;
};

std::string Player::CheckSizing() const {
    if (dialogCame_ == sizing_.fault.has_value())
        return dialogCame_ ? "the sizing dialog came" : "no sizing dialog came";
    if (sizing_.fault || sizing_.adopts.empty()) {
        const std::string failure = CheckSize(w_, sizeBefore_);
        return failure.empty() ? CheckOutcome(w_, before_, sizing_.fault, before_.report) : failure;
    }
    const std::string failure = CheckSize(w_, sizing_.adopts);
    return failure.empty() ? CheckCalculated(w_, before_) : "adopted: " + failure;
}

std::string Player::Check(const Step& s) {
    const std::string report = w_.Text("Text8");
    const std::string control(s.control);
    switch (s.op) {
        case Op::Calculated: return CheckCalculated(w_, before_);
        case Op::NothingCalculated: return CheckOutcome(w_, before_, std::nullopt, before_.report);
        case Op::SizingDone: return CheckSizing();
        case Op::ReportContains:
            return Unless(report.find(s.text) != std::string::npos, "no " + std::string(s.text));
        case Op::ReportLacks:
            return Unless(report.find(s.text) == std::string::npos, "a " + std::string(s.text));
        case Op::ReportDiffersFromStartUp:
            return Unless(report != StartUpReport(), "the start-up inputs' report");
        case Op::RecordKept:
            return Unless(w_.Record().reportText == before_.recordReport, "the record changed");
        case Op::FaultCount:
            return Unless(w_.Faults().size() == static_cast<std::size_t>(s.number),
                          std::to_string(w_.Faults().size()) + " fault messages shown");
        case Op::LastFault: {
            if (w_.Faults().empty()) return "no fault message shown";
            const FaultMessage last = w_.Faults().back();
            return Unless(last.title == s.text && last.text.find(s.detail) != std::string::npos,
                          "the last fault message is " + Quoted(last));
        }
        case Op::Text:
            return Unless(w_.Text(control) == s.text, control + " shows " + w_.Text(control));
        case Op::Mark: return CheckMark(w_, s.control, s.text);
        case Op::Enabled:
            return Unless(w_.Enabled(control) == s.flag, control + " enabled wrongly");
        case Op::Checked:
            return Unless(w_.Checked(control) == s.flag, control + " checked wrongly");
        case Op::Focus: return Unless(w_.Focus() == control, "the focus is in " + w_.Focus());
        case Op::Printable: return Unless(w_.Printable() == s.flag, "printable wrongly");
        case Op::Stale: return Unless(w_.ReportStale() == s.flag, "stale wrongly");
        case Op::Options: return CheckOptions(w_, s.control, s.text);
        case Op::SizeInForce: return CheckSize(w_, s.text);
        case Op::StartUp: return CheckStartUp(w_);
        case Op::TabRound: return CheckTabRound(w_);
        default: return {};
    }
}

bool IsAction(Op op) { return op <= Op::Sizing; }

std::string Quoted(std::string_view text) { return "「" + std::string(text) + "」"; }

// A step as a failure message names it.
std::string Describe(const Step& s) {
    constexpr const char* kActions[] = {"type", "click", "press", "pick", "type size", "选型"};
    constexpr const char* kKeys[] = {" Enter", " keypad Enter", " Space", " Tab", " Shift+Tab"};
    std::string text = std::string(IsAction(s.op) ? kActions[static_cast<int>(s.op)] : "expect") +
                       " " + std::string(s.control) + Quoted(s.text.substr(0, 60));
    if (s.op == Op::Press) text += kKeys[static_cast<int>(s.key)];
    if (s.op == Op::TypeSize) text += s.flag ? " Enter" : " Tab";
    if (s.op == Op::Sizing)
        text += " column " + std::to_string(s.number) + (s.flag ? " adopted" : " cancelled");
    return text;
}

// ---------------------------------------------------------------------------------------
// The scenarios

Step Type(std::string_view box, std::string_view text) {
    return {.op = Op::Type, .control = box, .text = text};
}
Step Click(std::string_view control) { return {.op = Op::Click, .control = control}; }
Step Press(std::string_view control, Key key) {
    return {.op = Op::Press, .control = control, .key = key};
}
Step Pick(std::string_view size) { return {.op = Op::Pick, .text = size}; }
Step TypeSize(std::string_view text, bool enter) {
    return {.op = Op::TypeSize, .text = text, .flag = enter};
}
Step Sizing(bool adopt, int sortBy, std::string_view row = {}) {
    return {.op = Op::Sizing, .text = row, .number = sortBy, .flag = adopt};
}
Step Expect(Op op, std::string_view control = {}, std::string_view text = {}) {
    return {.op = op, .control = control, .text = text};
}
Step Is(Op op, std::string_view control, bool flag) {
    return {.op = op, .control = control, .flag = flag};
}
Step FaultCount(int n) { return {.op = Op::FaultCount, .number = n}; }
Step LastFault(std::string_view title, std::string_view detail) {
    return {.op = Op::LastFault, .text = title, .detail = detail};
}
Step Mark(std::string_view box, std::string_view line) { return Expect(Op::Mark, box, line); }
Step ReportContains(std::string_view text) { return Expect(Op::ReportContains, {}, text); }
Step SizeInForce(std::string_view size) { return Expect(Op::SizeInForce, {}, size); }

const Step kCalculate = Click("Command1");
const Step kCalculated = Expect(Op::Calculated);
const Step kNothingCalculated = Expect(Op::NothingCalculated);
const Step kNoReport = Expect(Op::Text, "Text8", kEmptyReport);

Steps operator+(Steps a, const Steps& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Typed as a user must: the gap box unlocked first and locked again after.
Steps Typed(std::string_view box, std::string_view text) {
    if (box != "Text2") return {Type(box, text)};
    return {Click("Check1"), Type(box, text), Click("Check1")};
}

// L63X5 as the section tables give it.
constexpr std::string_view kL63X5 =
    "角钢型号：L63X5\r\n截面面积A0=614\r\nx轴回转半径ix=19.4\r\nU轴回转半径iu=12.5\r\n"
    "V轴回转半径iv=24.5\r\n角钢肢宽B2=63\r\n厚度T=5";

void AddStartUpAndKeys(std::vector<Scenario>& all) {
    all.push_back({"start-up: the table's texts, checks, enabled boxes and tooltips",
                   {Expect(Op::StartUp), Expect(Op::Focus, "Text1"), FaultCount(0),
                    Is(Op::Printable, {}, false), Is(Op::Stale, {}, false)}});
    all.push_back(
        {"start-up: the designation has the focus; typed over, Enter calculates",
         {Expect(Op::Focus, "Text1"), Type("Text1", "678x400x6x24"), Press("Text1", Key::Enter),
          kCalculated, Expect(Op::ReportDiffersFromStartUp)}});
    // Either Enter calculates from every input box, the gap box once it can be edited,
    // and the focus stays there for the user to go on typing.
    for (const auto& [box, field] : kInputBoxes)
        for (const Key key : {Key::Enter, Key::KeypadEnter})
            all.push_back(
                {std::string(key == Key::Enter ? "keys: Enter in " : "keys: keypad Enter in ") +
                     std::string(box),
                 (box == "Text2" ? Steps{Click("Check1")} : Steps{}) +
                     Steps{Press(box, key), kCalculated, FaultCount(0), Expect(Op::Focus, box)}});
    Steps elsewhere;
    for (const char* control : {"Text7", "Text8", "Option1", "Check1", "Combo1"})
        elsewhere = elsewhere + Steps{Press(control, Key::Enter), kNothingCalculated};
    all.push_back({"keys: Enter where there is nothing to type calculates nothing", elsewhere});
    all.push_back(
        {"keys: Space ticks the box, chooses an option, presses Calculate",
         {Press("Check1", Key::Space), Is(Op::Checked, "Check1", true),
          Is(Op::Enabled, "Text2", true), Press("Option2", Key::Space),
          Expect(Op::Options, "Option2", "Option3"), Press("Option4", Key::Space),
          Expect(Op::Options, "Option2", "Option4"), Press("Command1", Key::Space), kCalculated}});
    // At start-up; with the gap box unlocked; with the other options chosen.
    all.push_back({"keys: Tab walks the focus order round and back",
                   {Expect(Op::TabRound), Click("Check1"), Expect(Op::TabRound), Click("Option2"),
                    Click("Option4"), Expect(Op::TabRound)}});
}

void AddOptionsAndSizes(std::vector<Scenario>& all) {
    // Two groups; a click writes its code at once and leaves the report until Calculate.
    // The last row: Qt once put the nested frame's options into the grade group.
    struct OptionRow {
        std::string_view name, first, second, grade, layout;
    };
    // clang-format off
    constexpr OptionRow optionRows[] = {
        {"Q345",                        "Option2", "",        "Option2", "Option3"},
        {"Q345 then Q235",              "Option2", "Option1", "Option1", "Option3"},
        {"one side",                    "Option4", "",        "Option1", "Option4"},
        {"one side, then Q345",         "Option4", "Option2", "Option2", "Option4"},
        {"both sides again",            "Option4", "Option3", "Option1", "Option3"},
        {"the grade chosen again, the nested frame's options kept out of its group",
                                        "Option4", "Option1", "Option1", "Option4"},
    };
    // clang-format on
    for (const OptionRow& row : optionRows)
        all.push_back({"options: " + std::string(row.name),
                       Steps{Click(row.first)} +
                           (row.second.empty() ? Steps{} : Steps{Click(row.second)}) +
                           Steps{Expect(Op::Options, row.grade, row.layout), kNoReport}});
    all.push_back({"options: the chosen grade, arrangement and size are calculated",
                   {Click("Option2"), Click("Option4"), Pick("L125X14"), kCalculate, kCalculated,
                    ReportContains(",材质Q345\r\n"), ReportContains("隅撑布置方式：单侧\r\n"),
                    ReportContains("角钢型号：L125X14\r\n")}});
    // Ticked, the gap box can be edited; cleared, it is locked and keeps a changed gap,
    // which the run reads either way.
    all.push_back(
        {"gap box: follows the check box and keeps a changed gap",
         {Is(Op::Enabled, "Text2", false), Click("Check1"), Is(Op::Enabled, "Text2", true),
          Is(Op::Checked, "Check1", true), Click("Check1"), Is(Op::Enabled, "Text2", false),
          Expect(Op::Text, "Text2", "10"), Click("Check1"), Type("Text2", "25"), Click("Check1"),
          Expect(Op::Text, "Text2", "25"), kCalculate, kCalculated,
          Expect(Op::ReportDiffersFromStartUp)}});
    all.push_back({"size list: a pick puts the size in force",
                   {Pick("L63X5"), SizeInForce("L63X5"), kNothingCalculated,
                    Expect(Op::Text, "Text7", kL63X5)}});
    // A typed text never disagrees with the size in force: on Enter or Tab a catalogue
    // size picks itself, anything else gives way. Enter there calculates nothing.
    struct TypedRow {
        std::string_view before, typed;
        bool enter;
        std::string_view inForce;
    };
    // clang-format off
    constexpr TypedRow typedRows[] = {
        {"",      "L63X5",   true,  "L63X5"},   {"",      "L63X5",   false, "L63X5"},
        {"",      "L6",      true,  "L45X3"},   {"",      "L6",      false, "L45X3"},
        {"",      "l63x5",   true,  "L45X3"},   {"",      "L99X9",   true,  "L45X3"},
        {"",      "L99",     false, "L45X3"},   {"L70X6", "L7",      true,  "L70X6"},
        {"L70X6", "L125X14", false, "L125X14"}, {"L56X4", "L99X9",   true,  "L56X4"},
        {"L56X4", "L63X5 ",  false, "L56X4"},   {"L56X4", "L100X10", false, "L100X10"},
    };
    // clang-format on
    for (const TypedRow& row : typedRows)
        all.push_back({"typed size: " + std::string(row.before) + Quoted(row.typed) +
                           (row.enter ? " Enter" : " Tab"),
                       (row.before.empty() ? Steps{} : Steps{Pick(row.before)}) +
                           Steps{TypeSize(row.typed, row.enter), SizeInForce(row.inForce),
                                 kNoReport, kCalculate, kCalculated}});
}

void AddCalculateAndFaults(std::vector<Scenario>& all) {
    // The worked example: (10 + 500 + 50 - 12 - 50) / cos 45° = 704.3 mm. A second
    // press replaces the report, never appends.
    all.push_back({"calculate: after start-up, the start-up report, replaced by the next",
                   {kCalculate, kCalculated, ReportContains("L0=704.3mm\r\n"),
                    Is(Op::Printable, {}, true), kCalculate, kCalculated, FaultCount(0)}});
    // Each box reaches its own input of the run.
    constexpr std::pair<std::string_view, std::string_view> readRows[] = {
        {"Text1", "678x400x6x24"}, {"Text2", "15"}, {"Text3", "80"}, {"Text4", "45"},
        {"Text5", "27.5"},         {"Text6", "13"}, {"Text9", "40"},
    };
    for (const auto& [box, text] : readRows)
        all.push_back({"calculate: reads " + std::string(box),
                       Typed(box, text) +
                           Steps{kCalculate, kCalculated, Expect(Op::ReportDiffersFromStartUp)}});
    // A fault names its kind and the input, leaves the report (stale: it no longer matches
    // the inputs) and the inputs on screen, and the corrected input calculates again.
    struct FaultRow {
        std::string_view box, text, title, detail;
    };
    // clang-format off
    constexpr FaultRow faultRows[] = {
        {"Text1", "500x200x6",     "截面数据不全", "H钢截面的第4个数"},
        {"Text1", "500X200X6X12",  "输入不是数字", "用小写字母 x 分隔"},
        {"Text1", "500x2OO x6x12", "输入不是数字", "H钢截面的第2个数"},
        {"Text1", "500x1e39x6x12", "数值过大",     "H钢截面的第2个数"},
        {"Text5", "0",             "夹角超出范围", "与腹板夹角"},
        {"Text5", "90",            "夹角超出范围", "与腹板夹角"},
        {"Text6", "-3",            "螺栓直径为负", "螺栓直径"},
        {"Text6", "-14",           "螺栓直径为负", "螺栓直径"},
        {"Text3", "1e39",          "数值过大",     "孔距K2"},
    };
    // clang-format on
    for (const FaultRow& row : faultRows)
        all.push_back(
            {"fault: " + std::string(row.box) + Quoted(row.text),
             {kCalculate, kCalculated, Type(row.box, row.text), kCalculate, kCalculated,
              FaultCount(1), LastFault(row.title, row.detail), Expect(Op::Text, row.box, row.text),
              Is(Op::Stale, {}, true), Type(row.box, FindControl(row.box)->caption), kCalculate,
              kCalculated, FaultCount(1)}});
}

void AddMarks(std::vector<Scenario>& all) {
    // A number box read in part is marked after Calculate, its tooltip naming the value
    // used above its own; the same text marks again; an edit takes the mark away, and
    // typing the text back brings it back with the report.
    struct MarkRow {
        std::string_view box, text, used;  // used empty: read whole, no mark
    };
    // clang-format off
    constexpr MarkRow markRows[] = {
        {"Text5", "45度", "按 45 计算"},      {"Text6", "M14",  "按 0 计算"},
        {"Text3", "",     "按 0 计算"},       {"Text4", "五十", "按 0 计算"},
        {"Text9", "35mm", "按 35 计算"},      {"Text2", "0.1 间隙", "按 0.1 计算"},
        {"Text2", "12a",  "按 12 计算"},      {"Text2", "10 mm", "按 10 计算"},
        {"Text4", "50",   ""},                {"Text6", "14.0", ""},
    };
    // clang-format on
    for (const MarkRow& row : markRows) {
        Steps steps = Typed(row.box, row.text) + Steps{Mark(row.box, ""), kCalculate, kCalculated};
        for (std::string_view other : kLooseBoxes)
            steps.push_back(Mark(other, other == row.box ? row.used : ""));
        // Typed back, the report is current again and so is its mark.
        if (!row.used.empty())
            steps = steps + Steps{kCalculate, Mark(row.box, row.used)} + Typed(row.box, "1") +
                    Steps{Mark(row.box, "")} + Typed(row.box, row.text) +
                    Steps{Is(Op::Stale, {}, false), Mark(row.box, row.used)};
        all.push_back({"marks: " + std::string(row.box) + Quoted(row.text), steps});
    }
    all.push_back(
        {"marks: shown with the fault, kept through another box's edit",
         {Type("Text9", "35mm"), Type("Text1", "500x200"), kCalculate, kCalculated, FaultCount(1),
          Mark("Text9", "按 35 计算"), Type("Text1", "500x200x6x12"), Mark("Text9", "按 35 计算"),
          kCalculate, kCalculated, Mark("Text9", "按 35 计算")}});
    // A faulted run marks too; a box the run could not read at all has the message
    // instead. "度" is read in part as 0, which is out of range.
    struct FaultMarkRow {
        std::string_view designation, box, text, used;
    };
    constexpr FaultMarkRow faultMarkRows[] = {
        {"500x200x6", "Text5", "45度", "按 45 计算"},
        {"", "Text5", "度", "按 0 计算"},
        {"", "Text3", "1e999", ""},
        {"", "Text4", "1e39mm", ""},
    };
    for (const FaultMarkRow& row : faultMarkRows)
        all.push_back(
            {"marks with a fault: " + std::string(row.box) + Quoted(row.text),
             (row.designation.empty() ? Steps{} : Steps{Type("Text1", row.designation)}) +
                 Steps{Type(row.box, row.text), kCalculate, kCalculated, FaultCount(1), kNoReport,
                       Is(Op::Printable, {}, false), Mark(row.box, row.used)}});
}

void AddSizing(std::vector<Scenario>& all) {
    constexpr int kA0 = 1;
    constexpr int kStrength = static_cast<int>(kneebrace::kSizingFirstCheckColumn) + 2;
    constexpr int kVerdict = static_cast<int>(kneebrace::kSizingConclusionColumn);
    // Another size is picked and calculated first, so that an adoption shows; the row
    // adopted becomes the size in force and is calculated, which may fault on it.
    struct SizingRow {
        std::string_view name, section, angle, bolt;
        int sortBy;
        bool adopt;
        std::string_view row;
    };
    // clang-format off
    constexpr SizingRow sizingRows[] = {
        {"the lightest passing size adopted",   "500x200x6x12",   "45", "14",  -1,        true,  ""},
        {"a row far down adopted",              "2000x300x10x20", "60", "24",  -1,        true,  "L110X10"},
        {"none passes, sorted by A0, the selected row adopted",
                                                "1000x400x12x30", "45", "14",  kA0,       true,  ""},
        {"sorted by strength, a faulting size adopted",
                                                "500x200x6x12",   "45", "100", kStrength, true,  "L45X3"},
        {"sorted by the verdict, then cancelled", "500x200x6x12", "45", "14",  kVerdict,  false, ""},
        {"cancelled unsorted",                  "2000x300x10x20", "60", "24",  -1,        false, ""},
        {"no dialog for a designation no size mends", "abc",      "45", "14",  -1,        true,  ""},
        {"no dialog for an angle of 90 degrees", "500x200x6x12",  "90", "14",  -1,        true,  ""},
    };
    // clang-format on
    for (const SizingRow& row : sizingRows)
        all.push_back({"sizing: " + std::string(row.name),
                       {Pick("L56X4"), Type("Text1", row.section), Type("Text5", row.angle),
                        Type("Text6", row.bolt), kCalculate, Sizing(row.adopt, row.sortBy, row.row),
                        Expect(Op::SizingDone)}});
    all.push_back(
        {"sizing: cancelled, the size picked stays",
         {Pick("L70X6"), Sizing(false, 0), Expect(Op::SizingDone), SizeInForce("L70X6")}});
    all.push_back(
        {"sizing: two adoptions in a row, each calculated",
         {Sizing(true, -1, "L70X5"), Expect(Op::SizingDone), SizeInForce("L70X5"),
          ReportContains("角钢型号：L70X5\r\n"), Sizing(true, 3), Expect(Op::SizingDone)}});
}

void AddSupplementary(std::vector<Scenario>& all) {
    constexpr std::string_view kHeading = "补充验算（现行规范）：";
    // Like every input, the switch takes effect at the next Calculate.
    all.push_back(
        {"supplementary: cleared, the seven alone; ticked again, the section follows",
         {kCalculate, kCalculated, ReportContains(kHeading), Click("Check2"),
          Is(Op::Checked, "Check2", false), kNothingCalculated, kCalculate, kCalculated,
          Expect(Op::ReportLacks, {}, kHeading), Press("Check2", Key::Space),
          Is(Op::Checked, "Check2", true), kCalculate, kCalculated, ReportContains(kHeading)}});
    // A web thickness the section cannot use stops the run before anything is stored,
    // whatever the other boxes hold; the focus goes to the box to retype. Cleared, the
    // box is not read at all.
    for (const std::string_view web : {"", "abc", "0", "-2", "2mm", "1e999"})
        all.push_back(
            {"supplementary: web thickness" + Quoted(web),
             {kCalculate, kCalculated, Type("Text1", "678x400x6x24"), Type("Text10", web),
              kCalculate, kCalculated, FaultCount(1), LastFault("檩条腹板厚度无效", "腹板厚"),
              Expect(Op::RecordKept), Expect(Op::Focus, "Text10"), Expect(Op::Text, "Text10", web),
              Click("Check2"), kCalculate, kCalculated, FaultCount(1)}});
    // 选型 reads it first too, and leaves the same box to retype.
    all.push_back(
        {"supplementary: an unusable web thickness stops 选型 too",
         {Type("Text10", "0"), Type("Text1", "abc"), Sizing(true, 0), Expect(Op::SizingDone),
          FaultCount(1), LastFault("檩条腹板厚度无效", "腹板厚"), Expect(Op::Focus, "Text10")}});
    // The purlin's steel is a group of its own: it leaves the grade and the arrangement,
    // which leave it, and changes the section at the next Calculate.
    all.push_back({"supplementary: Q345 purlin, a group of its own, changes the section",
                   {kCalculate, kCalculated, Click("Option6"), kNothingCalculated,
                    Expect(Op::Options, "Option1", "Option3"), Is(Op::Checked, "Option5", false),
                    Click("Option2"), Click("Option4"), Is(Op::Checked, "Option6", true),
                    Click("Option1"), Click("Option3"), kCalculate, kCalculated,
                    Expect(Op::ReportDiffersFromStartUp), Click("Option5"),
                    Is(Op::Checked, "Option6", false), Expect(Op::Options, "Option1", "Option3")}});
    // The published example that passes all seven: its 2 mm purlin web bears only
    // 5324.4 N of the 11066.5 N.
    all.push_back({"supplementary: the published example fails in the purlin web",
                   {Type("Text1", "800x250x8x10"), Click("Option2"), Pick("L50X4"),
                    Type("Text6", "12"), Type("Text9", "30"), Press("Text10", Key::Enter),
                    kCalculated, ReportContains("Ncp=5324.4N<Ns=11066.5N"),
                    ReportContains("验算结论：补充验算S1不满足要求\r\n")}});
}

void AddStaleReport(std::vector<Scenario>& all) {
    // After a report, each change of what a run reads greys it and stops printing until
    // Calculate, or until the inputs are what it was calculated from again; what a run
    // does not read changes nothing.
    struct StaleRow {
        std::string_view name;
        Steps change;
        bool stale;
    };
    const StaleRow staleRows[] = {
        {"a box typed", {Type("Text3", "60")}, true},
        {"a box typed back", {Type("Text3", "60"), Type("Text3", "50")}, false},
        {"the grade", {Click("Option2")}, true},
        {"the grade and back", {Click("Option2"), Click("Option1")}, false},
        {"the arrangement", {Press("Option4", Key::Space)}, true},
        {"the chosen option again", {Click("Option3")}, false},
        {"a size picked", {Pick("L63X5")}, true},
        {"a size typed", {TypeSize("L70X6", false)}, true},
        {"a size typed and put back", {TypeSize("L6", true)}, false},
        {"the gap unlocked", {Click("Check1")}, false},
        {"the section off", {Click("Check2")}, true},
        {"the purlin steel", {Click("Option6")}, true},
        {"the web thickness", {Type("Text10", "3")}, true},
        {"the web thickness, the section off",
         {Click("Check2"), kCalculate, Type("Text10", "3")},
         false},
    };
    for (const StaleRow& row : staleRows)
        all.push_back({"stale report: " + std::string(row.name),
                       Steps{kCalculate, kCalculated, Is(Op::Stale, {}, false)} + row.change +
                           Steps{Is(Op::Stale, {}, row.stale), Is(Op::Printable, {}, !row.stale),
                                 Expect(Op::NothingCalculated), kCalculate, kCalculated,
                                 Is(Op::Stale, {}, false), Is(Op::Printable, {}, true)}});
    // Before the first report there is nothing to grey; a fault leaves the report stale.
    all.push_back({"stale report: none before the first, kept through a fault",
                   {Type("Text5", "50"), Is(Op::Stale, {}, false), kCalculate, kCalculated,
                    Type("Text5", "90"), kCalculate, kCalculated, FaultCount(1),
                    Is(Op::Stale, {}, true), Is(Op::Printable, {}, false)}});
}

std::vector<Scenario> BuildScenarios() {
    std::vector<Scenario> all;
    AddStartUpAndKeys(all);
    AddOptionsAndSizes(all);
    AddCalculateAndFaults(all);
    AddMarks(all);
    AddSizing(all);
    AddSupplementary(all);
    AddStaleReport(all);
    return all;
}

}  // namespace

std::span<const Scenario> WindowScenarios() {
    static const std::vector<Scenario> all = BuildScenarios();
    return all;
}

std::string_view ScenarioName(const Scenario& scenario) { return scenario.name; }

std::string ScenarioTestName(std::size_t index) {
    std::string name = "s" + std::to_string(index) + "_";
    for (const char c : WindowScenarios()[index].name)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) name += c;
    return name;
}

std::string Lines(const std::vector<std::string>& failures) {
    std::string text;
    for (const std::string& f : failures) text += f + "\n";
    return text;
}

std::vector<std::string> RunScenario(WindowProbe& probe, const Scenario& scenario) {
    std::vector<std::string> failures;
    Player player(probe);
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        if (IsAction(step.op)) {
            player.Act(step);
        } else if (std::string failure = player.Check(step); !failure.empty()) {
            failures.push_back("step " + std::to_string(i + 1) + ", " + Describe(step) + ": " +
                               failure);
        }
    }
    return failures;
}

// ---------------------------------------------------------------------------------------
// The reference cases

namespace {

// The data names a fault's kind; the window shows its title.
std::string TitleOfKind(const std::string& name) {
    for (int k = 0;; ++k) {
        const auto kind = static_cast<kneebrace::FaultKind>(k);
        if (kneebrace::FaultKindName(kind) == name)
            return std::string(kneebrace::FaultKindTitle(kind));
        if (kneebrace::FaultKindName(kind) == "Unknown") return "(unknown kind " + name + ")";
    }
}

}  // namespace

bool ReachableThroughWindow(const Json& referenceCase) {
    for (const Json& step : referenceCase.at("steps"))
        if (step.at("op") == "select" && !kneebrace::FindAngle(step.at("text").get<std::string>()))
            return false;
    return true;
}

std::vector<std::string> RunReferenceCase(WindowProbe& probe, const Json& referenceCase) {
    std::vector<std::string> failures;
    std::size_t runs = 0;
    const auto fail = [&](const std::string& what) {
        failures.push_back("run " + std::to_string(runs) + ": " + what);
    };
    // The cases hold the seven alone: the report box without the supplementary section.
    if (probe.Checked("Check2")) probe.Click("Check2");
    for (const Json& step : referenceCase.at("steps")) {
        const auto op = step.at("op").get<std::string>();
        const int code = step.value("code", 0);
        if (op == "grade") probe.Click(code == 1 ? "Option1" : "Option2");
        else if (op == "layout") probe.Click(code == 1 ? "Option3" : "Option4");
        else if (op == "select") probe.Pick(step.at("text").get<std::string>());
        else if (op != "run") fail("an unknown step " + op);
        if (op != "run") continue;
        for (const auto& [box, field] : kInputBoxes) {
            const auto text = step.at("inputs").at(std::string(box)).get<std::string>();
            if (probe.Text(box) == text) continue;
            if (!probe.Enabled(box)) probe.Click("Check1");  // the locked gap box
            probe.Type(box, text);
        }
        const Snapshot before = Take(probe);
        probe.Click("Command1");
        const Json& expect = referenceCase.at("expect").at(runs++);
        const std::vector<FaultMessage> faults = probe.Faults();
        if (expect.at("fault").is_null()) {
            if (faults.size() != before.faults)
                fail("a fault message came: " + Quoted(faults.back()));
        } else {
            const std::string title = TitleOfKind(expect.at("fault").get<std::string>());
            if (faults.size() != before.faults + 1 || faults.back().title != title ||
                faults.back().text.empty())
                fail("no fault message titled " + title);
            if (probe.Text("Text8") != before.report) fail("a fault changed the report box");
        }
        const std::string diff = testsupport::DescribeDifference(
            expect.at("report").get<std::string>(), probe.Text("Text8"));
        if (!diff.empty()) fail(diff);
    }
    if (runs != referenceCase.at("expect").size()) fail("fewer runs than expectations");
    const std::string diff = testsupport::DescribeDifference(
        referenceCase.at("anglePropsBox").get<std::string>(), probe.Text("Text7"));
    if (!diff.empty()) failures.push_back("properties box: " + diff);
    return failures;
}

// ---------------------------------------------------------------------------------------
// Random driving

namespace {

// Texts of every kind a user types: numbers, with units or words, full-width and other
// digits, empty, negative, beyond range, nonsense; designations with x, ×, * or X, short,
// long or faulty; sizes that are not quite in the list.
// clang-format off
constexpr std::string_view kNumberTexts[] = {
    "0", "10", "45", "14", "35", "50", "27.5", "-14", "-3", "-0", "90", "89.99", "0.001", "1e39",
    "1e999", "1e-50", "3.4e38", "99999999999999999999999999", "45度", "35mm", "M14", "五十", "４５",
    "１４．５", "", " ", "abc", "0.1 间隙", "12a", "1,5", "1.2.3", "+7", "&H10", "1e", ".", "-",
    "1 2", " 42 ", "NaN", "inf", "1d2", "½", "٤٥"};
constexpr std::string_view kDesignationTexts[] = {
    "500x200x6x12", "678x400x6x24", "2000x300x10x20", "1000x400x12x30", "500×200×6×12",
    "500*200*6*12", "500X200X6X12", "500x200x6", "500x200", "500x2OO x6x12", "500x1e39x6x12",
    "0x0x0x0", "-500x200x6x12", "500x200x6x120", "500x200x6x12x5", "500x200x6x12mm",
    "５００x２００x６x１２", "x", "abc", ""};
constexpr std::string_view kSizeTexts[] = {"l63x5", "L6", "L99X9", "L63X5 ", " L45X3", "", "L45×3", "abc"};
constexpr std::string_view kOptions[] = {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6"};
constexpr std::string_view kChecks[] = {"Check1", "Check2"};
constexpr std::string_view kSpaceTargets[] = {"Command1", "Check1", "Check2", "Option1", "Option2", "Option3", "Option4", "Option6"};
constexpr std::string_view kEnterElsewhere[] = {"Combo1", "Text7", "Text8", "Check1", "Check2", "Option1", "Option4", "Option5"};
// clang-format on

class Drive {
public:
    Drive(WindowProbe& w, std::uint32_t seed) : w_(w), player_(w), rng_(seed) {}

    // A random action, played; what it did, for a failure message.
    std::string Act();
    // Whether the window agrees with the engine and with itself after it.
    std::string Check();

private:
    std::size_t Below(std::size_t n) { return rng_() % n; }  // mt19937's output is fixed
    template <std::size_t N>
    std::string_view OneOf(const std::string_view (&items)[N]) {
        return items[Below(N)];
    }
    std::string_view AnySize() {
        return AngleCatalogue()[Below(kneebrace::kAngleCount)].designation;
    }
    std::string_view AnyEnabledBox();
    Step Next();

    WindowProbe& w_;
    Player player_;
    std::mt19937 rng_;
    std::string text_;  // the text of the action under way
    Step step_{Op::Click};
    bool calculates_ = false;
    std::map<std::string_view, std::string> marks_;  // box: the value used, as its tooltip says
    bool printable_ = false;
    std::optional<std::vector<std::string>> reported_;  // what the last report was run on
};

// Everything a run reads, as the window shows it: a report is stale exactly when this
// differs from what it was calculated from.
std::vector<std::string> WhatARunReads(const WindowProbe& w) {
    std::vector<std::string> read;
    read.reserve(std::size(kInputBoxes) + 4);
    for (const auto& [box, field] : kInputBoxes) read.push_back(w.Text(box));
    for (const char* control : {"Option2", "Option4", "Check2"})
        read.emplace_back(w.Checked(control) ? "1" : "0");
    read.push_back(SizeInForce(w));
    if (w.Checked("Check2")) {
        read.push_back(w.Text("Text10"));
        read.emplace_back(w.Checked("Option6") ? "Q345" : "Q235");
    }
    return read;
}

std::string_view Drive::AnyEnabledBox() {
    std::vector<std::string_view> boxes;
    for (const auto& [box, field] : kInputBoxes)
        if (w_.Enabled(box)) boxes.push_back(box);
    boxes.push_back("Text10");  // the web thickness, read only while the section is on
    return boxes[Below(boxes.size())];
}

Step Drive::Next() {
    const std::size_t kind = Below(100);
    calculates_ = false;
    if (kind < 30) {
        const std::string_view box = AnyEnabledBox();
        const std::size_t which = Below(20);
        text_ = which < 7 ? OneOf(kDesignationTexts) : which < 19 ? OneOf(kNumberTexts) : "";
        for (std::size_t n = which == 19 ? 20 + Below(60) : 0; n > 0; --n)
            text_ += OneOf(kNumberTexts);
        // Typing the text a box holds is no edit in every toolkit: the mark would stay.
        if (text_ == w_.Text(box)) text_ += "0";
        return Type(box, text_);
    }
    if (kind < 38) return Click(OneOf(kOptions));
    if (kind < 43) return Click(OneOf(kChecks));
    if (kind < 55) {
        calculates_ = true;
        return kCalculate;
    }
    if (kind < 67) {
        const Key key = Below(2) == 0 ? Key::Enter : Key::KeypadEnter;
        calculates_ = Below(3) != 0;
        return Press(calculates_ ? AnyEnabledBox() : OneOf(kEnterElsewhere), key);
    }
    if (kind < 73) {
        const std::string_view target = OneOf(kSpaceTargets);
        calculates_ = target == "Command1";
        return Press(target, Key::Space);
    }
    if (kind < 80) return Pick(AnySize());
    if (kind < 87) {
        text_ = Below(2) == 0 ? OneOf(kSizeTexts) : AnySize();
        return TypeSize(text_, Below(2) == 0);
    }
    if (kind < 92) {
        const int sortBy = static_cast<int>(Below(kneebrace::kSizingColumnCount + 1)) - 1;
        return Sizing(Below(2) == 0, sortBy, Below(2) == 0 ? std::string_view() : AnySize());
    }
    text_ = w_.Focus();
    if (FindControl(text_) == nullptr) text_ = "Text1";
    return Press(text_, Below(2) == 0 ? Key::Tab : Key::BackTab);
}

std::string Drive::Act() {
    step_ = Next();
    player_.Act(step_);
    if (step_.op == Op::Type) marks_.erase(step_.control);
    return Describe(step_);
}

std::string Drive::Check() {
    const Op expected = step_.op == Op::Sizing ? Op::SizingDone
                        : calculates_          ? Op::Calculated
                                               : Op::NothingCalculated;
    std::string failure = player_.Check(Expect(expected));
    if (!failure.empty()) return failure;
    if (calculates_ || (step_.op == Op::Sizing && !player_.sizing().adopts.empty())) {
        marks_.clear();
        for (const kneebrace::window::BoxMark& mark :
             kneebrace::window::MarkUnreadInputs(ShownInputs(w_)))
            if (mark.marked) marks_[mark.box] = mark.tooltip;
        if (!RunEngine(w_).fault) {
            printable_ = true;
            reported_ = WhatARunReads(w_);
        }
    }
    const bool stale = reported_ && WhatARunReads(w_) != *reported_;
    if (w_.ReportStale() != stale) return stale ? "the report is not shown stale" : "stale wrongly";
    // Whatever happened, the window agrees with itself and with its record.
    failure = CheckOptions(w_, w_.Checked("Option2") ? "Option2" : "Option1",
                           w_.Checked("Option4") ? "Option4" : "Option3");
    if (failure.empty() && w_.Enabled("Text2") != w_.Checked("Check1"))
        failure = "the gap box lock";
    if (failure.empty() && w_.Checked("Option5") == w_.Checked("Option6"))
        failure = "the purlin steel options";
    if (failure.empty()) failure = CheckSize(w_, SizeInForce(w_));
    for (std::string_view box : kLooseBoxes)
        if (failure.empty()) failure = CheckMark(w_, box, marks_.contains(box) ? marks_[box] : "");
    if (failure.empty() && w_.Printable() != (printable_ && !stale)) failure = "printable wrongly";
    return failure;
}

}  // namespace

std::vector<std::string> RandomDrive(WindowProbe& probe, std::uint32_t seed, int actions) {
    Drive drive(probe, seed);
    for (int i = 0; i < actions; ++i) {
        const std::string action = drive.Act();
        if (std::string failure = drive.Check(); !failure.empty()) {
            std::string where = "seed " + std::to_string(seed) + ", action " + std::to_string(i);
            return {where.append(" (").append(action).append("): ").append(failure)};
        }
    }
    return {};
}

}  // namespace windowtest
