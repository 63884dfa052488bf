// The angle sizing dialog in Win32: every catalogue size against the window's inputs,
// one list row each, the lightest passing size marked and selected. It draws the table's
// state the shared window code keeps (SizingList, laid out by SizingLayout) and tells the
// window which size the user adopted.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "window/sizing_view.h"

namespace kneebrace::win32 {

// The dialog's controls, for those that drive it by message. The adopt button is the
// default button: the dialog manager sends IDOK for Enter and IDCANCEL for Esc.
inline constexpr int kSizingInputsId = 100;   // the inputs line
inline constexpr int kSizingMessageId = 101;  // the lightest size, or that none passes
inline constexpr int kSizingListId = 102;     // the table, a report-view list
inline constexpr int kSizingAdoptId = IDOK;
inline constexpr int kSizingCancelId = IDCANCEL;

// Shows `view` modally over `owner`, laid out for `dpi`, and returns the designation of
// the row the user adopted (double-click, Enter or 选用); nullopt after 取消, Esc or the
// close box. `onShown`, when given, is called with the dialog once it is on screen.
std::optional<std::string> ShowSizingDialog(HWND owner, const SizingView& view, UINT dpi,
                                            const std::function<void(HWND dialog)>& onShown = {});

// What an open sizing dialog's table shows (its order, selection and colours); nullptr
// for any other window.
const SizingTable* SizingDialogTable(HWND dialog);

}  // namespace kneebrace::win32
