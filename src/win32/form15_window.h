// The calculator's one window in plain Win32. It is built from the shared control table
// and hands every decision to the shared handlers: what it does itself is create
// controls, move texts between them and the record, and draw what the common controls
// cannot (the picture buttons, the diagram, the blue captions and the box colours).
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/calculation_run.h"
#include "core/design_state.h"
#include "win32/artwork.h"
#include "win32/report_print.h"
#include "window/control_table.h"
#include "window/form_actions.h"
#include "window/input_marks.h"

namespace kneebrace::win32 {

// Tells the user why a calculation was abandoned. Called while the inputs are still on
// screen, so that they can be corrected and Calculate pressed again.
using FaultReporter = std::function<void(HWND owner, const window::FaultMessage& fault)>;

// The program's reporter: the fault dialog with its "确定" button.
FaultReporter DialogReporter();

class Form15Window {
public:
    // Creates the window, hidden; the caller shows it.
    explicit Form15Window(HINSTANCE instance, FaultReporter reportFault = DialogReporter());
    ~Form15Window();
    Form15Window(const Form15Window&) = delete;
    Form15Window& operator=(const Form15Window&) = delete;

    // Null once the window has been closed.
    HWND hwnd() const { return hwnd_; }
    // The control of that name in the table; null for a name it does not have.
    HWND Control(std::string_view name) const;
    const DesignState& designState() const { return state_; }
    UINT dpi() const { return dpi_; }
    // The report box's menu and the print command.
    ReportPrint& reportPrint() { return *reportPrint_; }
    // Called with the sizing dialog once it is on screen, while it runs modally: for
    // those that drive the dialog by message.
    void OnSizingDialogShown(std::function<void(HWND dialog)> hook) {
        sizingShown_ = std::move(hook);
    }

    // The window's share of the message loop: Ctrl+P, Tab and Shift+Tab, Enter, the arrow
    // keys in the option groups. True when the message has been handled.
    bool PreTranslate(MSG& msg);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void CreateTooltips();
    void ApplyDpi(UINT dpi);
    SIZE ClientSize() const;  // the client area for dpi_
    SIZE FrameSize() const;   // the window's outer size for dpi_
    void SizeWindow(const RECT* suggested);
    void Load();

    void OnCommand(int id, int code, HWND control);
    void OnEnter();
    void OptionClick(std::size_t index);
    void Check1Click();
    void Combo1Pick();
    void Combo1CommitTyped();
    InputTexts ReadInputs() const;
    void Command1Click();
    void Command2Click();
    void AdoptSize(std::string_view designation);
    void Command3Click();
    void ShowMark(const window::BoxMark& mark);

    LRESULT ControlColour(UINT message, HDC dc, HWND control);
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawPictureButton(const DRAWITEMSTRUCT& item, const window::ControlRow& entry);
    void DrawDiagram(const DRAWITEMSTRUCT& item);

    // The table row of a control; -1 for a window that is not one of them.
    int IndexOf(HWND control) const;
    const window::ControlRow& EntryAt(std::size_t index) const;
    HFONT FontFor(double points) const;
    std::string TextOf(std::string_view name) const;
    void SetText(std::string_view name, std::string_view utf8) const;

    HINSTANCE instance_;
    FaultReporter reportFault_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    std::vector<HWND> controls_;  // in table order
    std::vector<bool> marked_;    // in table order: the input boxes the last run read in part
    HWND combo1Edit_ = nullptr;   // the size list's edit field
    HWND tooltips_ = nullptr;
    HWND focusToRestore_ = nullptr;
    HBRUSH markBrush_ = nullptr;
    std::vector<std::pair<double, HFONT>> fonts_;  // by point size, for dpi_
    HICON calcIcon_ = nullptr;
    HICON closeIcon_ = nullptr;
    HICON sizingIcon_ = nullptr;
    std::array<HICON, 2> windowIcons_{};  // title bar: large, small
    Picture diagram_;
    bool typedSizePending_ = false;  // the size field was typed into since the last pick
    bool destroyedByOwner_ = false;
    std::unique_ptr<ReportPrint> reportPrint_;
    std::function<void(HWND)> sizingShown_;

    DesignState state_;
};

// Runs the messages of the thread until the window closes; returns WM_QUIT's code.
int RunMessageLoop(Form15Window& window);

}  // namespace kneebrace::win32
