// The angle sizing dialog in Win32: every catalogue size against the window's inputs,
// one list row each, the lightest passing size marked and selected. It draws the content
// the shared window code built and tells the window which size the user adopted.
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

// Colours of the table. Figures of failed checks are red; the lightest passing row has a
// pale green ground and bold text. A selected row keeps its text colours, on pale blue
// or, for the lightest row, on a darker green.
inline constexpr COLORREF kSizingFailingText = RGB(255, 0, 0);
inline constexpr COLORREF kSizingLightestGround = RGB(204, 255, 204);
inline constexpr COLORREF kSizingLightestSelectedGround = RGB(177, 222, 177);
inline constexpr COLORREF kSizingSelectedGround = RGB(190, 215, 245);

// Shows `view` modally over `owner`, laid out for `dpi`, and returns the designation of
// the row the user adopted (double-click, Enter or 选用); nullopt after 取消, Esc or the
// close box. `onShown`, when given, is called with the dialog once it is on screen.
std::optional<std::string> ShowSizingDialog(HWND owner, const SizingView& view, UINT dpi,
                                            const std::function<void(HWND dialog)>& onShown = {});

}  // namespace kneebrace::win32
