// Drives the real Win32 window with messages, as a user's clicks and keys would reach
// it: texts set with WM_SETTEXT, buttons pressed with BM_CLICK, sizes picked with
// CB_SETCURSEL and the list's notification, keys through the window's own message
// loop step. Fault messages are recorded instead of shown.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win32/form15_window.h"

namespace win32test {

class WindowDriver {
public:
    WindowDriver();
    ~WindowDriver();
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    kneebrace::win32::Form15Window& window() const { return *window_; }
    HWND Get(std::string_view name) const;
    // The name of the table control that has the focus; the size list for its field;
    // empty for any other window.
    std::string FocusName() const;

    std::string Text(std::string_view name) const;  // UTF-8, as the control holds it
    void SetText(std::string_view name, std::string_view utf8);
    void Click(std::string_view name);
    void Pick(std::string_view designation);  // a pick in the size list
    void Calculate() { Click("Command1"); }
    std::string Report() const { return Text("Text8"); }
    bool Checked(std::string_view name) const;

    // A key pressed on the focused window, through the window's message loop step.
    // `extended` marks keypad Enter. `shift` holds Shift down meanwhile.
    void Key(WPARAM virtualKey, bool extended = false, bool shift = false);
    // Characters typed into the focused window.
    void Type(std::wstring_view text);

    const std::vector<kneebrace::window::FaultMessage>& faults() const { return faults_; }
    // Called while a fault message is up, after it has been recorded.
    std::function<void()> onFault;
    // Called with the sizing dialog while it is up. The dialog is cancelled afterwards,
    // unless the call closed it, so that no test is left waiting in its modal loop.
    std::function<void(HWND dialog)> onSizing;
    int sizingDialogsShown() const { return sizingDialogsShown_; }

private:
    std::vector<kneebrace::window::FaultMessage> faults_;
    int sizingDialogsShown_ = 0;
    std::unique_ptr<kneebrace::win32::Form15Window> window_;
};

// Handles whatever is queued for this thread (a WM_QUIT is dropped).
void PumpMessages();

std::string WindowTextUtf8(HWND hwnd);

// This thread's top-level windows: its dialogs, its tooltips.
std::vector<HWND> ThreadWindows();

// The names in a folder, sorted; hidden ones too.
std::vector<std::wstring> Listing(const std::wstring& folder);

// A new folder in the temporary folder named `name` and the process's id (tests give
// names with Chinese characters and blanks); empty when it could not be made.
std::wstring NewTemporaryFolder(const std::wstring& name);

}  // namespace win32test
