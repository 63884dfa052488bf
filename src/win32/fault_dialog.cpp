#include "win32/fault_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win32/utf.h"

namespace kneebrace::win32 {

namespace {

// Centred over the owner and kept on its screen, as TDF_POSITION_RELATIVE_TO_WINDOW asks.
// Done here as well because wine's task dialog places only the first dialog of a process
// and leaves every later one at the screen's top-left corner.
void CentreOverOwner(HWND dialog) {
    RECT owner{};
    RECT own{};
    if (!GetWindowRect(GetWindow(dialog, GW_OWNER), &owner) || !GetWindowRect(dialog, &own)) return;
    MONITORINFO screen{};
    screen.cbSize = sizeof(screen);
    GetMonitorInfoW(MonitorFromRect(&owner, MONITOR_DEFAULTTONEAREST), &screen);
    const RECT& area = screen.rcWork;
    const LONG width = own.right - own.left;
    const LONG height = own.bottom - own.top;
    const LONG x = (owner.left + owner.right - width) / 2;
    const LONG y = (owner.top + owner.bottom - height) / 2;
    SetWindowPos(dialog, nullptr, std::max(area.left, std::min(x, area.right - width)),
                 std::max(area.top, std::min(y, area.bottom - height)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HRESULT CALLBACK OnDialogEvent(HWND dialog, UINT event, WPARAM, LPARAM, LONG_PTR data) {
    if (event != TDN_CREATED) return S_OK;
    CentreOverOwner(dialog);
    const auto* onShown = reinterpret_cast<const std::function<void(HWND)>*>(data);
    if (onShown != nullptr && *onShown) (*onShown)(dialog);
    return S_OK;
}

// One message with one "确定" button and the given icon, centred over its owner.
void ShowMessageDialog(HWND owner, const window::FaultMessage& message, PCWSTR taskIcon,
                       UINT boxIcon, const std::function<void(HWND dialog)>& onShown) {
    const std::wstring title = Widen(message.title);
    const std::wstring text = Widen(message.text);
    const TASKDIALOG_BUTTON button{kFaultDialogButton, L"确定"};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = taskIcon;
    config.pszContent = text.c_str();
    config.cButtons = 1;
    config.pButtons = &button;
    config.nDefaultButton = kFaultDialogButton;
    config.pfCallback = OnDialogEvent;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(&onShown);
    if (SUCCEEDED(TaskDialogIndirect(&config, nullptr, nullptr, nullptr))) return;
    // Without Common Controls 6 there is no task dialog; a message box still tells the
    // user, in the system's language for its button.
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | boxIcon);
}

}  // namespace

void ShowFaultDialog(HWND owner, const window::FaultMessage& fault,
                     const std::function<void(HWND dialog)>& onShown) {
    ShowMessageDialog(owner, fault, TD_WARNING_ICON, MB_ICONWARNING, onShown);
}

void ShowInformationDialog(HWND owner, const window::FaultMessage& page) {
    ShowMessageDialog(owner, page, TD_INFORMATION_ICON, MB_ICONINFORMATION, {});
}

}  // namespace kneebrace::win32
