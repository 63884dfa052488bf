// The calculator's one window in plain Win32: a view of the shared presenter. It creates
// the controls from the control table, reports their events to the presenter and does
// what the presenter tells it; what it decides itself is how Windows shows things: the
// picture buttons, the diagram, the blue captions, the box colours and the focus.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/design_state.h"
#include "win32/artwork.h"
#include "win32/report_print.h"
#include "window/control_table.h"
#include "window/form15_presenter.h"
#include "window/form15_view.h"

namespace kneebrace::win32 {

// Tells the user why a calculation was abandoned. Called while the inputs are still on
// screen, so that they can be corrected and Calculate pressed again.
using FaultReporter = std::function<void(HWND owner, const window::FaultMessage& fault)>;

// The program's reporter: the fault dialog with its "确定" button.
FaultReporter DialogReporter();

class Form15Window : private window::Form15View {
public:
    // Creates the window, hidden; the caller shows it.
    explicit Form15Window(HINSTANCE instance, FaultReporter reportFault = DialogReporter());
    ~Form15Window() override;
    Form15Window(const Form15Window&) = delete;
    Form15Window& operator=(const Form15Window&) = delete;

    // Null once the window has been closed.
    HWND hwnd() const { return hwnd_; }
    // The control of that name in the table; null for a name it does not have.
    HWND Control(std::string_view name) const;
    const DesignState& designState() const { return presenter_.state(); }
    UINT dpi() const { return dpi_; }
    // The report box's menu and the print command.
    ReportPrint& reportPrint() { return *reportPrint_; }
    // Called with the sizing dialog once it is on screen, while it runs modally: for
    // those that drive the dialog by message.
    void OnSizingDialogShown(std::function<void(HWND dialog)> hook) {
        sizingShown_ = std::move(hook);
    }

    // For the project commands, which put members into the window and take them out.
    window::Form15Presenter& presenter() { return presenter_; }
    // Puts a menu bar on the window (the client area keeps its size): its commands and
    // accelerators go to `onCommand`, which says whether the identifier was one of its
    // (the dialog manager's IDOK for Enter comes the same way), and closing the window, by its 关闭
    // button or its frame, or logging off first asks `mayClose`. A null menu takes the bar away
    // again.
    void AttachMenu(HMENU menu, HACCEL accelerators, std::function<bool(int id)> onCommand,
                    std::function<bool()> mayClose);

    // The window's share of the message loop: Ctrl+P, Tab and Shift+Tab, Enter, the arrow
    // keys in the option groups. True when the message has been handled.
    bool PreTranslate(MSG& msg);

private:
    // One row of the table on screen.
    struct Shown {
        HWND hwnd = nullptr;
        bool marked = false;   // an input box the last run read in part
        HICON icon = nullptr;  // a picture button's, at the DPI's size
    };

    // What the presenter asks of the window.
    std::string Text(std::string_view control) const override;
    void SetText(std::string_view control, std::string_view utf8) override;
    void ShowMark(std::string_view box, bool marked, std::string_view tooltip) override;
    void Enable(std::string_view control, bool enabled) override;
    bool Checked(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    void SelectSize(std::size_t place) override;
    void FocusAndSelectAll(std::string_view control) override;
    void ShowFault(const window::FaultMessage& fault) override;
    std::optional<std::string> RunSizingDialog(SizingView view) override;
    void ReportShown(const std::string& reportText, std::string_view size) override;
    void ReportStale(bool stale) override;
    void Close() override;
    // Whether the window may close now: `mayClose_` asks, unless Windows is ending the
    // session after it was answered.
    bool MayClose();

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void ApplyDpi(UINT dpi);
    SIZE FrameSize() const;  // the window's outer size for dpi_
    void SizeWindow(const RECT* suggested);

    void OnCommand(int id, int code, HWND control);
    void OnEnter();
    // The tab stop of the option group `row` belongs to follows its chosen option.
    void FollowChosenOption(const window::ControlRow& row);
    LRESULT ControlColour(UINT message, HDC dc, HWND control);

    // The table row of a control (the size list for its field); -1 for any other window.
    int IndexOf(HWND control) const;
    HFONT FontFor(double points) const;
    void SetTooltip(HWND tool, std::wstring text, bool add) const;

    HINSTANCE instance_;
    FaultReporter reportFault_;
    window::Form15Presenter presenter_{*this};
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    std::vector<Shown> shown_;  // in table order
    HWND sizeField_ = nullptr;  // the size list's edit field
    HWND tooltips_ = nullptr;
    HWND focusToRestore_ = nullptr;
    HBRUSH markBrush_ = nullptr;
    std::vector<std::pair<double, HFONT>> fonts_;  // by point size, for dpi_
    std::pair<HICON, HICON> windowIcons_{};        // title bar: large, small
    Picture diagram_;
    bool destroyedByOwner_ = false;
    bool created_ = false;  // WM_CREATE set the window up
    std::unique_ptr<ReportPrint> reportPrint_;
    bool reportStale_ = false;  // its text greyed, the note shown, printing off
    std::function<void(HWND)> sizingShown_;
    HACCEL accelerators_ = nullptr;
    std::function<bool(int)> onMenuCommand_;
    std::function<bool()> mayClose_;
    bool sessionEnding_ = false;  // WM_ENDSESSION said the session ends
};

// Runs the messages of the thread until the window closes; returns WM_QUIT's code.
int RunMessageLoop(Form15Window& window);

}  // namespace kneebrace::win32
