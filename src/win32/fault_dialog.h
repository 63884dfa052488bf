// The fault message: the kind of fault as the title, the message naming the input as
// the text, and one button that reads "确定" whatever the system's language (a plain
// message box would say "OK" on an English Windows).
#pragma once

#include <windows.h>

#include <functional>

#include "window/form_actions.h"

namespace kneebrace::win32 {

// Shows the message modally over `owner` and returns once it is closed. `onShown`, when
// given, is called with the dialog's window as soon as it is on screen.
void ShowFaultDialog(HWND owner, const window::FaultMessage& fault,
                     const std::function<void(HWND dialog)>& onShown = {});

// A page of text (the help page, about) the same way, with the information icon.
void ShowInformationDialog(HWND owner, const window::FaultMessage& page);

// The button's command identifier, for those that press it by message. It is the
// cancel command's, so that Esc closes the message as Enter does: wine's task dialog
// ignores Esc unless a button carries that identifier.
inline constexpr int kFaultDialogButton = IDCANCEL;

}  // namespace kneebrace::win32
