#include "window_driver.h"

#include <algorithm>

#include "win32/utf.h"
#include "window/control_table.h"

namespace win32test {

using kneebrace::win32::Narrow;
using kneebrace::win32::Widen;

void PumpMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::string WindowTextUtf8(HWND hwnd) { return Narrow(kneebrace::win32::ReadWindowText(hwnd)); }

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM out) {
            reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<std::wstring> Listing(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring NewTemporaryFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH, temp) == 0) return {};
    const std::wstring folder =
        std::wstring(temp) + name + L" " + std::to_wstring(GetCurrentProcessId());
    return CreateDirectoryW(folder.c_str(), nullptr) ? folder : std::wstring();
}

WindowDriver::WindowDriver() {
    window_ = std::make_unique<kneebrace::win32::Form15Window>(
        GetModuleHandleW(nullptr), [this](HWND, const kneebrace::window::FaultMessage& fault) {
            faults_.push_back(fault);
            if (onFault) onFault();
        });
    window_->OnSizingDialogShown([this](HWND dialog) {
        ++sizingDialogsShown_;
        if (onSizing) onSizing(dialog);
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    ShowWindow(window_->hwnd(), SW_SHOW);
    SetForegroundWindow(window_->hwnd());
    UpdateWindow(window_->hwnd());
    PumpMessages();
}

WindowDriver::~WindowDriver() {
    window_.reset();
    PumpMessages();
}

HWND WindowDriver::Get(std::string_view name) const { return window_->Control(name); }

std::string WindowDriver::FocusName() const {
    HWND focus = GetFocus();
    for (const auto& entry : kneebrace::window::Form15Controls()) {
        HWND control = Get(entry.name);
        if (control != nullptr && (focus == control || GetParent(focus) == control))
            return std::string(entry.name);
    }
    return {};
}

std::string WindowDriver::Text(std::string_view name) const { return WindowTextUtf8(Get(name)); }

void WindowDriver::SetText(std::string_view name, std::string_view utf8) {
    SendMessageW(Get(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(utf8).c_str()));
}

void WindowDriver::Click(std::string_view name) {
    SendMessageW(Get(name), BM_CLICK, 0, 0);
    PumpMessages();
}

void WindowDriver::Pick(std::string_view designation) {
    HWND combo = Get("Combo1");
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(Widen(designation).c_str()));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // CB_SETCURSEL notifies nobody; a pick with the mouse or the keys sends this.
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

bool WindowDriver::Checked(std::string_view name) const {
    return SendMessageW(Get(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowDriver::Key(WPARAM virtualKey, bool extended, bool shift) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    const BYTE shiftBefore = keys[VK_SHIFT];
    if (shift) {
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
    }
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    LPARAM flags = 1 | (static_cast<LPARAM>(scan) << 16);
    if (extended) flags |= LPARAM{1} << 24;
    for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        MSG msg{};
        msg.hwnd = GetFocus();
        msg.message = message;
        msg.wParam = virtualKey;
        msg.lParam = message == WM_KEYUP ? (flags | (LPARAM{3} << 30)) : flags;
        if (!window_->PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (shift) {
        keys[VK_SHIFT] = shiftBefore;
        SetKeyboardState(keys);
    }
    PumpMessages();
}

void WindowDriver::Type(std::wstring_view text) {
    for (const wchar_t c : text) {
        MSG msg{};
        msg.hwnd = GetFocus();
        msg.message = WM_CHAR;
        msg.wParam = c;
        msg.lParam = 1;
        if (!window_->PreTranslate(msg)) DispatchMessageW(&msg);
    }
    PumpMessages();
}

}  // namespace win32test
