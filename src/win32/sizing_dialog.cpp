#include "win32/sizing_dialog.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/dialog_template.h"
#include "win32/look.h"
#include "win32/sizing_layout.h"
#include "win32/sizing_list.h"
#include "win32/utf.h"

namespace kneebrace::win32 {

namespace {

// Posted from WM_INITDIALOG: handled once the modal loop runs. The dialog is shown as
// soon as WM_INITDIALOG returns (WS_VISIBLE), not when the loop first finds the queue
// empty, so that it is on screen by then.
constexpr UINT kShownMessage = WM_APP + 1;
constexpr DWORD kDialogStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME;
// The window property that leads from the dialog to its table's state.
constexpr wchar_t kTableProperty[] = L"kneebrace.sizingTable";

// The dialog's messages: its controls made, the table's notifications passed to the
// list, the ways out.
class SizingDialog {
public:
    SizingDialog(const SizingView& view, UINT dpi, const std::function<void(HWND)>& onShown)
        : state_(view), list_(state_), dpi_(dpi == 0 ? 96 : dpi), onShown_(onShown) {}

    std::optional<std::string> Run(HWND owner) {
        const std::vector<WORD> layout = DialogTemplate(Widen(kSizingTitle), kDialogStyle);
        auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
        const INT_PTR result =
            DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(layout.data()),
                                    owner, &SizingDialog::Proc, reinterpret_cast<LPARAM>(this));
        if (result <= 0) return std::nullopt;
        return adopted_;
    }

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            auto* self = reinterpret_cast<SizingDialog*>(lParam);
            self->dialog_ = dialog;
            SetPropW(dialog, kTableProperty, &self->state_);
        }
        if (message == WM_NCDESTROY) RemovePropW(dialog, kTableProperty);
        auto* self = reinterpret_cast<SizingDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (self == nullptr) return FALSE;
        return self->Handle(message, wParam, lParam);
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                // No exception may cross the system's call into this procedure.
                try {
                    Create();
                } catch (const std::exception&) {
                    End(-1);
                }
                return FALSE;  // the focus is set: on the table
            case kShownMessage:
                if (onShown_) {
                    // Painted first, so that whoever looks at it sees what the user does.
                    RedrawWindow(dialog_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                    onShown_(dialog_);
                }
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) == kSizingAdoptId) Adopt();
                else if (LOWORD(wParam) == kSizingCancelId) End(0);
                return TRUE;
            case WM_NOTIFY: {
                if (reinterpret_cast<const NMHDR*>(lParam)->hwndFrom != list_.hwnd()) return FALSE;
                bool adopt = false;
                SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, list_.OnNotify(lParam, adopt));
                if (adopt) Adopt();
                return TRUE;
            }
            case WM_CTLCOLORSTATIC:
                if (reinterpret_cast<HWND>(lParam) == message_) {
                    if (const std::optional<SizingColour> colour = state_.MessageColour()) {
                        auto* dc = reinterpret_cast<HDC>(wParam);
                        SetTextColor(dc, ToColorRef(*colour));
                        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
                    }
                }
                return FALSE;
            case WM_SIZE:
                if (layout_) layout_->Place();
                return TRUE;
            case WM_GETMINMAXINFO:
                if (layout_) layout_->LimitTracking(*reinterpret_cast<MINMAXINFO*>(lParam));
                return TRUE;
            case WM_DPICHANGED: {
                // Laid out anew for the new monitor, rather than stretched by the dialog
                // manager.
                if (!layout_) return TRUE;
                layout_->ApplyDpi(LOWORD(wParam));
                const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
                MINMAXINFO least{};
                layout_->LimitTracking(least);
                SetWindowPos(dialog_, nullptr, suggested.left, suggested.top,
                             std::max(suggested.right - suggested.left, least.ptMinTrackSize.x),
                             std::max(suggested.bottom - suggested.top, least.ptMinTrackSize.y),
                             SWP_NOZORDER | SWP_NOACTIVATE);
                return TRUE;
            }
            default: return FALSE;
        }
    }

    void Create() {
        // Creation order is the tab order: the table, 选用, 取消.
        const SizingView& view = state_.view();
        SizingControls controls;
        controls.dialog = dialog_;
        controls.inputs = MakeChild(dialog_, L"STATIC", Widen(view.inputsLine),
                                    SS_LEFTNOWORDWRAP | SS_NOPREFIX, kSizingInputsId);
        message_ = controls.message = MakeChild(dialog_, L"STATIC", Widen(view.message),
                                                SS_LEFTNOWORDWRAP | SS_NOPREFIX, kSizingMessageId);
        list_.Create(dialog_, kSizingListId);
        controls.adopt = MakeChild(dialog_, L"BUTTON", Widen(kSizingAdoptCaption),
                                   WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, kSizingAdoptId);
        controls.cancel = MakeChild(dialog_, L"BUTTON", Widen(kSizingCancelCaption),
                                    WS_TABSTOP | BS_PUSHBUTTON, kSizingCancelId);
        layout_.emplace(controls, list_, kDialogStyle);
        layout_->ApplyDpi(dpi_);
        layout_->PlaceOverOwner();
        list_.ShowSelection(true);
        SetFocus(list_.hwnd());
        PostMessageW(dialog_, kShownMessage, 0, 0);
    }

    void Adopt() {
        if (ended_) return;
        adopted_ = state_.SelectedDesignation();
        if (!adopted_->empty()) End(1);
    }

    // The first way out decides: a command that arrives after it (a double-click's
    // second half, a cancel sent to be sure) changes nothing.
    void End(INT_PTR result) {
        if (ended_) return;
        ended_ = true;
        EndDialog(dialog_, result);
    }

    SizingTable state_;
    SizingList list_;
    std::optional<SizingLayout> layout_;  // made with the controls
    UINT dpi_;
    const std::function<void(HWND)>& onShown_;
    HWND dialog_ = nullptr;
    HWND message_ = nullptr;
    std::optional<std::string> adopted_;
    bool ended_ = false;
};

}  // namespace

std::optional<std::string> ShowSizingDialog(HWND owner, const SizingView& view, UINT dpi,
                                            const std::function<void(HWND dialog)>& onShown) {
    SizingDialog dialog(view, dpi, onShown);
    return dialog.Run(owner);
}

const SizingTable* SizingDialogTable(HWND dialog) {
    return static_cast<const SizingTable*>(GetPropW(dialog, kTableProperty));
}

}  // namespace kneebrace::win32
