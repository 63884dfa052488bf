// The window's keyboard, decided once for both front ends: where the focus starts and
// what the Enter key does in each kind of control.
#pragma once

#include "window/control_table.h"

namespace kneebrace::window {

// What Enter (the main key or the keypad's) does in a control that holds the focus.
enum class EnterKey {
    Calculates,   // as a click on Calculate: the input boxes
    CommitsSize,  // settles the size list's typed text (CommitTypedSize), calculates nothing
    Ignored,      // the control's own handling, if any: buttons, options, output boxes
};
EnterKey EnterIn(ControlKind kind);

// The control with the focus when the window opens: the first place in the tab order,
// the designation box. Its text starts selected, so a new section can be typed over it.
const ControlRow& StartFocus();

}  // namespace kneebrace::window
