// One window, seen as a user sees it: what a scenario does to it and reads back from it.
// The in-process fake view, the Qt window and the Win32 window each implement it, so a
// scenario is written once and runs against all three.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_state.h"
#include "window/form_actions.h"

namespace windowtest {

enum class Key { Enter, KeypadEnter, Space, Tab, BackTab };

// How the user answers the sizing dialog once it is up.
struct SizingAnswer {
    std::optional<std::size_t> sortBy;  // a click on this column's header first
    bool adopt = false;                 // 选用 (Enter); otherwise 取消 (Esc)
    std::string row;                    // the row to adopt by double click; empty: the selected one
};

class WindowProbe {
public:
    virtual ~WindowProbe() = default;

    // The user replaces an input box's text by typing: the box is edited.
    virtual void Type(std::string_view box, std::string_view utf8) = 0;
    // A mouse click on an option button, the check box or a picture button.
    virtual void Click(std::string_view control) = 0;
    // The control takes the focus and the key is pressed in it (Tab keys: from it).
    virtual void Press(std::string_view control, Key key) = 0;
    // A pick from the size list with the mouse.
    virtual void Pick(std::string_view designation) = 0;
    // Text typed into the size list's field, then Enter (or, with `enter` false, the
    // focus moved on with Tab).
    virtual void TypeSize(std::string_view utf8, bool enter) = 0;
    // 选型 clicked; when the dialog comes up it is answered. False when no dialog came.
    virtual bool Sizing(const SizingAnswer& answer) = 0;

    // A control's text as shown, UTF-8; multi-line boxes with CR LF line breaks.
    virtual std::string Text(std::string_view control) const = 0;
    virtual bool Enabled(std::string_view control) const = 0;
    virtual bool Checked(std::string_view control) const = 0;
    // Whether a number box is painted as read in part, and its tooltip.
    virtual bool Marked(std::string_view box) const = 0;
    virtual std::string Tooltip(std::string_view box) const = 0;
    // The control with the keyboard focus (the size list for its field).
    virtual std::string Focus() const = 0;
    // The fault messages shown so far, oldest first.
    virtual std::vector<kneebrace::window::FaultMessage> Faults() const = 0;
    // Whether printing (and export, where the window has it) acts on a report now.
    virtual bool Printable() const = 0;
    // Whether the report box shows its report as no longer matching the inputs: the text
    // greyed and the note beside it.
    virtual bool ReportStale() const = 0;
    // The window's record.
    virtual const kneebrace::DesignState& Record() const = 0;
};

}  // namespace windowtest
