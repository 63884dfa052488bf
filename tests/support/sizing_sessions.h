// The sizing button and its dialog played as sessions, written once for both windows'
// tests: the inputs typed, the header clicks, the rows moved down, the way out, and what
// the window must hold afterwards. A row left by a double-click, Enter or 选用 is picked
// and calculated; 取消, Esc or closing changes nothing; a fault no size can mend shows
// the fault message and no dialog.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/calculation_run.h"
#include "core/design_state.h"
#include "window/form_actions.h"
#include "window/sizing_view.h"

namespace testsupport {

inline constexpr int kStrengthColumn = static_cast<int>(kneebrace::kSizingFirstCheckColumn) + 2;
inline constexpr int kVerdictColumn = static_cast<int>(kneebrace::kSizingConclusionColumn);

struct SizingSession {
    const char* name;
    const char* section;  // Text1
    const char* angle;    // Text5
    const char* bolt;     // Text6
    int sortColumn;       // -1: no header click
    int clicks;           // on the header; 2 turns the order round
    int down;             // rows moved down before leaving
    const char* leave;    // dclick, enter, adopt; cancel, esc, close
    bool keys;            // the button reached by Tab and pressed by Space; keypad Enter
    const char* fault;    // the fault's title when no size can mend it: no dialog
};

inline constexpr SizingSession kSizingSessions[] = {
    {"StartUpLightestAsOffered", "500x200x6x12", "45", "14", -1, 0, 0, "adopt", false, ""},
    {"FarDownDoubleClick", "2000x300x10x20", "60", "24", -1, 0, 5, "dclick", false, ""},
    {"NearTheEndKeysOnly", "2400x250x10x16", "60", "14", -1, 0, 3, "enter", true, ""},
    {"NonePassesByA0Enter", "1000x400x12x30", "45", "14", 1, 1, 13, "enter", false, ""},
    {"FaultedSizesStrengthDown", "500x200x6x12", "45", "100", kStrengthColumn, 2, 52, "adopt",
     false, ""},
    {"ByVerdictThenCancel", "500x200x6x12", "45", "14", kVerdictColumn, 1, 7, "cancel", false, ""},
    {"BySizeDownThenEsc", "500x200x6x12", "45", "14", 0, 2, 2, "esc", true, ""},
    {"ClosedFromTheTitleBar", "2000x300x10x20", "60", "24", -1, 0, 1, "close", false, ""},
    {"UnreadableDesignation", "abc", "45", "14", -1, 0, 0, "", false, "输入不是数字"},
    {"AngleOf90Degrees", "500x200x6x12", "90", "14", -1, 0, 0, "", true, "夹角超出范围"},
};

// The dialog opened on a table sized with the section, as the window opens it with the
// section on: its three columns drawn, each cell's tip and each header's, and the message
// over as many lines as it has (one per item no size can mend, after the lead).
struct CodesSession {
    const char* name;
    const char* bolt;  // Text6
    const char* E2;    // Text9
    const char* web;   // Text10
};

inline constexpr CodesSession kCodesSessions[] = {
    {"SectionPassesOnTheLightest", "14", "35", "2"},
    {"SectionWantsAWiderLegForM20", "20", "50", "2"},
    {"SectionWebTooThinForEverySize", "12", "35", "1"},
    {"SectionWebAndEndDistanceForEverySize", "12", "20", "1"},
};

inline kneebrace::SizingView CodesSessionView(const CodesSession& t) {
    kneebrace::InputTexts in = kneebrace::StartupInputTexts();
    in.Text6 = t.bolt;
    in.Text9 = t.E2;
    kneebrace::window::SizingOutcome outcome =
        kneebrace::window::OpenSizing(kneebrace::StartupDesignState(), in, {true, t.web, 1});
    return outcome.view.value();
}

inline std::size_t MessageLines(const kneebrace::SizingView& view) {
    return 1 + static_cast<std::size_t>(std::count(view.message.begin(), view.message.end(), '\n'));
}

inline kneebrace::InputTexts SessionInputs(const SizingSession& t) {
    kneebrace::InputTexts in = kneebrace::StartupInputTexts();
    in.Text1 = t.section;
    in.Text5 = t.angle;
    in.Text6 = t.bolt;
    return in;
}

inline bool Adopts(const SizingSession& t) {
    const std::string_view leave = t.leave;
    return leave == "dclick" || leave == "enter" || leave == "adopt";
}

// What the window holds once the session is over: the adopted size picked and
// calculated (which may fault on it), or the record as it was. `fault` is the message
// the session showed, if any.
struct SizingAfter {
    kneebrace::DesignState state;
    std::optional<kneebrace::window::FaultMessage> fault;
};

inline SizingAfter ExpectedAfter(const SizingSession& t, const kneebrace::DesignState& before,
                                 const std::string& chosen) {
    SizingAfter after{before, std::nullopt};
    if (Adopts(t)) kneebrace::window::PickSize(after.state, chosen);
    if (Adopts(t) || *t.fault)
        after.fault = kneebrace::window::Calculate(after.state, SessionInputs(t));
    return after;
}

}  // namespace testsupport
