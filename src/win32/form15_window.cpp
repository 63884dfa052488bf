#include "win32/form15_window.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <stdexcept>

#include "catalogue/angle_catalogue.h"
#include "win32/fault_dialog.h"
#include "win32/look.h"
#include "win32/sizing_dialog.h"
#include "win32/utf.h"

namespace kneebrace::win32 {

namespace {

using window::ControlKind;
using window::ControlRow;

constexpr wchar_t kClassName[] = L"kneebrace.Form15";
// A fixed frame: the controls sit at fixed positions, so the window neither resizes nor
// maximises.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Control identifiers: the table's row plus this. Clear of IDOK and IDCANCEL, which
// the dialog manager sends for Enter and Escape.
constexpr int kFirstControlId = 1000;
constexpr UINT_PTR kEditSubclassId = 1;
constexpr int kListHeight = 240;  // the size list's opened list, at 96 dpi

// The common control that shows each kind of row, with its styles, in ControlKind's order.
struct Made {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};
constexpr Made kMade[] = {
    {L"STATIC", SS_OWNERDRAW, 0},                     // the picture box
    {L"BUTTON", BS_GROUPBOX, 0},                      // a frame
    {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0},  // a label
    {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},      // an input box
    {L"BUTTON", BS_AUTORADIOBUTTON, 0},               // an option
    {L"BUTTON", BS_AUTOCHECKBOX, 0},                  // the check box
    // No CBS_SORT: the list keeps the catalogue's order.
    {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0},
    {L"EDIT", ES_MULTILINE | ES_READONLY, WS_EX_CLIENTEDGE},  // the properties box
    // Report lines are longer than the box is wide; they scroll rather than wrap, so each
    // printed line stays one line.
    {L"EDIT",
     ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL,
     WS_EX_CLIENTEDGE},
    {L"BUTTON", BS_OWNERDRAW, 0},                     // a picture button
    {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0},  // the stale report's note
};
static_assert(std::size(kMade) == static_cast<std::size_t>(ControlKind::StaleNote) + 1);

std::size_t RowOf(const ControlRow& row) {
    return static_cast<std::size_t>(&row - window::Form15Controls().data());
}

// The order of creation, which is the Z order and so the order the dialog manager walks
// with Tab: the controls that take the focus in tab order, then the others, and the
// frames last, at the bottom, since they paint only their line and caption. A frame
// inside another comes before it: below the outer frame it would be painted over.
std::vector<std::size_t> CreationOrder() {
    const auto rows = window::Form15Controls();
    std::vector<std::size_t> order;
    for (const ControlRow* row : window::FocusOrder()) order.push_back(RowOf(*row));
    for (const ControlRow& row : rows)
        if (!window::TakesFocus(row.kind) && row.kind != ControlKind::Frame)
            order.push_back(RowOf(row));
    // The table lists parents before their children; backwards, inner frames come first.
    for (std::size_t i = rows.size(); i-- > 0;)
        if (rows[i].kind == ControlKind::Frame) order.push_back(i);
    return order;
}

// The program's icon is the Calculate button's: the calculator.
std::string_view ProgramArtwork() {
    for (const ControlRow& row : window::Form15Controls())
        if (row.command == window::Command::Calculate) return row.artwork;
    return {};
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, kClassName, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    if (RegisterClassExW(&wc) == 0) throw std::runtime_error("RegisterClassExW failed");
}

// The edit boxes. The multi-line ones let Tab move on, as the single-line ones do, and
// take no whole-text selection from it; every box selects all with Ctrl+A.
LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
            if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_MULTILINE) != 0)
                code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_HASSETSEL);
            return code;
        }
        case WM_CHAR:
            if (wParam == 1) {  // Ctrl+A
                SendMessageW(hwnd, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &EditProc, id); break;
        default: break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

FaultReporter DialogReporter() {
    return [](HWND owner, const window::FaultMessage& fault) { ShowFaultDialog(owner, fault); };
}

Form15Window::Form15Window(HINSTANCE instance, FaultReporter reportFault)
    : instance_(instance),
      reportFault_(std::move(reportFault)),
      markBrush_(CreateSolidBrush(ToColorRef(window::kMarkedBox))) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterWindowClass(instance_, &Form15Window::WindowProc);
    // The size comes with the DPI, once the window knows its monitor.
    if (CreateWindowExW(0, kClassName, Widen(window::kWindowTitle).c_str(), kWindowStyle,
                        CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance_,
                        this) == nullptr)
        throw std::runtime_error("the window could not be created");
}

Form15Window::~Form15Window() {
    if (hwnd_ != nullptr) {
        destroyedByOwner_ = true;
        DestroyWindow(hwnd_);
    }
    for (const auto& [points, font] : fonts_) DeleteObject(font);
    for (HICON icon : {windowIcons_.first, windowIcons_.second})
        if (icon != nullptr) DestroyIcon(icon);
    DeleteObject(markBrush_);
}

HWND Form15Window::Control(std::string_view name) const {
    const ControlRow* row = window::FindControl(name);
    return row == nullptr || shown_.empty() ? nullptr : shown_[RowOf(*row)].hwnd;
}

int Form15Window::IndexOf(HWND control) const {
    if (control != nullptr && control == sizeField_) control = GetParent(control);
    const auto it = std::find_if(shown_.begin(), shown_.end(),
                                 [control](const Shown& row) { return row.hwnd == control; });
    return it == shown_.end() ? -1 : static_cast<int>(it - shown_.begin());
}

HFONT Form15Window::FontFor(double points) const {
    const double wanted = points > 0 ? points : window::kWindowFontPoints;
    for (const auto& [size, font] : fonts_)
        if (size == wanted) return font;
    return nullptr;
}

bool Form15Window::PreTranslate(MSG& msg) {
    if (hwnd_ == nullptr) return false;
    if (reportPrint_ != nullptr && reportPrint_->PreTranslate(msg)) return true;
    if (accelerators_ != nullptr && TranslateAcceleratorW(hwnd_, accelerators_, &msg) != 0)
        return true;
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

LRESULT CALLBACK Form15Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Form15Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Form15Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        // The picture buttons are gone with the window, and their icons with them.
        for (const Shown& row : self->shown_)
            if (row.icon != nullptr) DestroyIcon(row.icon);
        self->shown_.clear();
    }
    return result;
}

LRESULT Form15Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            // No exception may cross the system's call into this procedure: a failure
            // fails the window's creation instead, which the constructor reports.
            try {
                dpi_ = GetDpiForWindow(hwnd_);
                if (dpi_ == 0) dpi_ = 96;
                CreateControls();
                reportPrint_ = std::make_unique<ReportPrint>(hwnd_, Control("Text8"), reportFault_);
                ApplyDpi(dpi_);
                SizeWindow(nullptr);
                presenter_.Load();
                created_ = true;
            } catch (const std::exception&) {
                return -1;
            }
            return 0;
        case WM_COMMAND:
            // A menu item or an accelerator: no control's window comes with it.
            if (lParam == 0 && onMenuCommand_ && onMenuCommand_(LOWORD(wParam))) return 0;
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return ControlColour(message, reinterpret_cast<HDC>(wParam),
                                 reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const int index = IndexOf(item.hwndItem);
            if (index < 0) return FALSE;
            const ControlRow& row = window::Form15Controls()[static_cast<std::size_t>(index)];
            if (row.kind == ControlKind::PictureButton)
                DrawPictureButton(item, shown_[static_cast<std::size_t>(index)].icon, row.caption,
                                  FontFor(row.fontPoints), dpi_);
            else DrawDiagram(item, diagram_, dpi_);
            return TRUE;
        }
        case WM_ACTIVATE:
            // The focus comes back to where it was when the window was left, for
            // instance after the fault message.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd_, focus)) focusToRestore_ = focus;
            } else if (focusToRestore_ != nullptr && IsWindow(focusToRestore_)) {
                SetFocus(focusToRestore_);
            }
            return 0;
        case WM_SETFOCUS:
            if (focusToRestore_ != nullptr && IsWindow(focusToRestore_)) SetFocus(focusToRestore_);
            return 0;
        case WM_GETMINMAXINFO: {
            // The window keeps its size even where it is larger than the screen; by
            // default Windows would cut it to the screen's size.
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE frame = FrameSize();
            info->ptMaxTrackSize.x = std::max(info->ptMaxTrackSize.x, frame.cx);
            info->ptMaxTrackSize.y = std::max(info->ptMaxTrackSize.y, frame.cy);
            return 0;
        }
        case WM_DPICHANGED:
            ApplyDpi(LOWORD(wParam));
            SizeWindow(reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            if (!MayClose()) return 0;
            break;
        case WM_QUERYENDSESSION:
            // Logging off or shutting down closes the window as its close box does: unsaved
            // changes are settled first, and 取消 or a failed save keeps Windows running.
            return MayClose() ? TRUE : FALSE;
        case WM_ENDSESSION:
            // The question was answered at WM_QUERYENDSESSION; the process ends now and
            // nothing may ask it again.
            if (wParam != FALSE) sessionEnding_ = true;
            return 0;
        case WM_DESTROY:
            // The only window: closing it ends the program (unsaved changes were settled
            // at WM_CLOSE). A window whose set-up failed ends nothing: its constructor
            // throws, and the message telling so must not meet a pending WM_QUIT.
            if (created_ && !destroyedByOwner_) PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Form15Window::CreateControls() {
    const auto rows = window::Form15Controls();
    shown_.assign(rows.size(), Shown{});
    tooltips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
    const ControlRow* previous = nullptr;
    for (const std::size_t i : CreationOrder()) {
        const ControlRow& row = rows[i];
        const Made& made = kMade[static_cast<std::size_t>(row.kind)];
        // The note beside the report is shown only while the report is stale.
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | made.style |
                      (row.kind == ControlKind::StaleNote ? 0 : WS_VISIBLE);
        // Each control starts a group of its own but the second option of a pair, so
        // that the arrow keys move between the two options and nowhere else.
        if (row.kind != ControlKind::OptionButton || previous == nullptr ||
            previous->kind != ControlKind::OptionButton || previous->parent != row.parent)
            style |= WS_GROUP;
        // Tab stops on the option chosen in each group only, as dialogs have it; the
        // arrow keys reach the other.
        if (window::TakesFocus(row.kind) &&
            (row.kind != ControlKind::OptionButton || row.selectedAtStart))
            style |= WS_TABSTOP;
        if (row.disabledAtStart) style |= WS_DISABLED;
        const std::wstring caption =
            row.kind == ControlKind::SizeList ? std::wstring() : Widen(row.caption);
        HWND control = CreateWindowExW(
            made.exStyle, made.windowClass, caption.c_str(), style, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance_, nullptr);
        if (control == nullptr) throw std::runtime_error("a control could not be created");
        shown_[i].hwnd = control;
        previous = &row;

        if (row.kind == ControlKind::Frame) {
            // Without a theme the caption takes the colour set in WM_CTLCOLORSTATIC. A
            // blank, not an empty string: an empty one can leave the theme on.
            SetWindowTheme(control, L" ", L" ");
        } else if ((row.kind == ControlKind::OptionButton || row.kind == ControlKind::CheckBox) &&
                   row.selectedAtStart) {
            SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
        } else if (row.kind == ControlKind::SizeList) {
            for (const AngleSection& size : AngleCatalogue())
                SendMessageW(control, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(Widen(size.designation).c_str()));
            SendMessageW(control, CB_SETCURSEL, 0, 0);
            COMBOBOXINFO info{};
            info.cbSize = sizeof(info);
            if (GetComboBoxInfo(control, &info)) sizeField_ = info.hwndItem;
            if (sizeField_ != nullptr) SetWindowSubclass(sizeField_, &EditProc, kEditSubclassId, 0);
        } else if (row.kind == ControlKind::ReportBox) {
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no 32 K limit
        }
        if (made.windowClass == std::wstring_view(L"EDIT"))
            SetWindowSubclass(control, &EditProc, kEditSubclassId, 0);
        if (!row.tooltip.empty()) {
            SetTooltip(control, Widen(row.tooltip), true);
            // The pointer over the size list's field is over its edit child.
            if (row.kind == ControlKind::SizeList && sizeField_ != nullptr)
                SetTooltip(sizeField_, Widen(row.tooltip), true);
        }
    }
}

void Form15Window::SetTooltip(HWND tool, std::wstring text, bool add) const {
    if (tooltips_ == nullptr) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text.data();
    SendMessageW(tooltips_, add ? TTM_ADDTOOLW : TTM_UPDATETIPTEXTW, 0,
                 reinterpret_cast<LPARAM>(&info));
}

void Form15Window::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    // New fonts first, old ones deleted once no control uses them.
    std::vector<std::pair<double, HFONT>> old = std::move(fonts_);
    fonts_.clear();
    const auto rows = window::Form15Controls();
    fonts_.emplace_back(window::kWindowFontPoints, CreateSongFont(window::kWindowFontPoints, dpi_));
    for (const ControlRow& row : rows)
        if (row.fontPoints > 0 && FontFor(row.fontPoints) == nullptr)
            fonts_.emplace_back(row.fontPoints, CreateSongFont(row.fontPoints, dpi_));

    const int iconPixels = ScaleFor(window::kPictureButtonIconPixels, dpi_);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlRow& row = rows[i];
        HWND control = shown_[i].hwnd;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(row.fontPoints)), TRUE);
        const RECT r = PixelRect(window::OnClientArea(row), dpi_);
        const int height = r.bottom - r.top;
        if (row.kind == ControlKind::SizeList) {
            SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left,
                         height + ScaleFor(kListHeight, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
            // The closed list's height follows its font; its item height brings it to
            // the table's height.
            RECT closed{};
            GetWindowRect(control, &closed);
            const LRESULT item =
                SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
            const LRESULT wanted = item + height - (closed.bottom - closed.top);
            if (item > 0 && wanted > 0)
                SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
        } else {
            SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (row.kind == ControlKind::PictureButton) {
            if (shown_[i].icon != nullptr) DestroyIcon(shown_[i].icon);
            shown_[i].icon = LoadArtworkIcon(instance_, row.artwork, iconPixels);
        } else if (row.kind == ControlKind::PictureBox) {
            diagram_ = LoadDiagram(instance_, row.artwork, DiagramScaleFor(dpi_));
        }
    }
    if (tooltips_ != nullptr) {
        SendMessageW(tooltips_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(0)), TRUE);
        // A width makes the tooltip honour the line breaks in its text.
        SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, ScaleFor(480, dpi_));
    }
    for (const auto& [points, font] : old) DeleteObject(font);

    // The title bar's and the task switcher's icons, at this DPI's sizes.
    const std::pair<HICON, HICON> icons{
        LoadArtworkIcon(instance_, ProgramArtwork(), GetSystemMetricsForDpi(SM_CXICON, dpi_)),
        LoadArtworkIcon(instance_, ProgramArtwork(), GetSystemMetricsForDpi(SM_CXSMICON, dpi_))};
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.first));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.second));
    for (HICON icon : {windowIcons_.first, windowIcons_.second})
        if (icon != nullptr) DestroyIcon(icon);
    windowIcons_ = icons;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

SIZE Form15Window::FrameSize() const {
    RECT frame = PixelRect({0, 0, window::kClientWidthTwips, window::kClientHeightTwips}, dpi_);
    // The frame's own metrics are those of the DPI the system draws it for.
    UINT frameDpi = GetDpiForWindow(hwnd_);
    if (frameDpi == 0) frameDpi = dpi_;
    AdjustWindowRectExForDpi(&frame, kWindowStyle, GetMenu(hwnd_) != nullptr ? TRUE : FALSE, 0,
                             frameDpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void Form15Window::SizeWindow(const RECT* suggested) {
    SIZE frame = FrameSize();
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (suggested == nullptr ? SWP_NOMOVE : 0);
    SetWindowPos(hwnd_, nullptr, suggested != nullptr ? suggested->left : 0,
                 suggested != nullptr ? suggested->top : 0, frame.cx, frame.cy, flags);
    // Should the frame have come out otherwise than computed, the client area still gets
    // its size.
    RECT client{};
    GetClientRect(hwnd_, &client);
    const RECT wanted =
        PixelRect({0, 0, window::kClientWidthTwips, window::kClientHeightTwips}, dpi_);
    if (client.right != wanted.right || client.bottom != wanted.bottom) {
        frame.cx += wanted.right - client.right;
        frame.cy += wanted.bottom - client.bottom;
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

// A control's notification, found by its row: the row's kind says what the event is,
// the presenter what it does.
void Form15Window::OnCommand(int id, int code, HWND control) {
    if (id == IDOK) {
        OnEnter();
        return;
    }
    const int index = IndexOf(control);
    if (index < 0 || id != kFirstControlId + index) return;
    const ControlRow& row = window::Form15Controls()[static_cast<std::size_t>(index)];
    switch (row.kind) {
        case ControlKind::InputBox:
            if (code == EN_CHANGE) presenter_.BoxEdited(row.name);
            break;
        case ControlKind::OptionButton:
            if (code != BN_CLICKED) break;
            FollowChosenOption(row);
            presenter_.Clicked(row.name);
            break;
        case ControlKind::CheckBox:
            if (code != BN_CLICKED) break;
            switch (SendMessageW(control, BM_GETCHECK, 0, 0)) {
                case BST_CHECKED: presenter_.Clicked(row.name, window::CheckValue::Ticked); break;
                case BST_UNCHECKED:
                    presenter_.Clicked(row.name, window::CheckValue::Cleared);
                    break;
                default: presenter_.Clicked(row.name, window::CheckValue::Greyed); break;
            }
            break;
        case ControlKind::SizeList:
            if (code == CBN_SELCHANGE) {
                const LRESULT place = SendMessageW(control, CB_GETCURSEL, 0, 0);
                if (place != CB_ERR) presenter_.SizePicked(static_cast<std::size_t>(place));
            } else if (code == CBN_EDITCHANGE) {
                presenter_.SizeFieldEdited();
            } else if (code == CBN_KILLFOCUS) {
                // The field's text stays selected when the focus leaves (the list's field
                // never hides its selection), and would look like a second focus.
                SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
                presenter_.SizeFieldFinished();
            }
            break;
        case ControlKind::PictureButton:
            // An owner-drawn button reports a quick second click as a double click.
            if (code == BN_CLICKED || code == BN_DOUBLECLICKED) presenter_.Pressed(row.name);
            break;
        default: break;
    }
}

// Enter, which the dialog manager turns into IDOK: the presenter decides what it does in
// a box or the size list; on a picture button it presses the button, as in any dialog.
void Form15Window::OnEnter() {
    const int index = IndexOf(GetFocus());
    if (index < 0) return;
    const ControlRow& row = window::Form15Controls()[static_cast<std::size_t>(index)];
    if (row.kind == ControlKind::PictureButton) presenter_.Pressed(row.name);
    else presenter_.EnterPressed(row.name);
}

LRESULT Form15Window::ControlColour(UINT message, HDC dc, HWND control) {
    const int index = IndexOf(control);
    const auto paint = [dc](int systemColour) {
        SetBkColor(dc, GetSysColor(systemColour));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(systemColour));
    };
    switch (index < 0 ? ControlKind::Label
                      : window::Form15Controls()[static_cast<std::size_t>(index)].kind) {
        case ControlKind::Frame:
            SetTextColor(dc, ToColorRef(window::kCaptionBlue));
            return paint(COLOR_BTNFACE);
        case ControlKind::PropertiesBox:
            SetTextColor(dc, ToColorRef(window::kCaptionBlue));
            return paint(COLOR_WINDOW);
        case ControlKind::ReportBox:
            SetTextColor(dc, reportStale_ ? ToColorRef(window::kStaleReport)
                                          : GetSysColor(COLOR_WINDOWTEXT));
            return paint(COLOR_WINDOW);
        case ControlKind::StaleNote:
            SetTextColor(dc, ToColorRef(window::kStaleNoteText));
            return paint(COLOR_BTNFACE);
        case ControlKind::InputBox:
            if (shown_[static_cast<std::size_t>(index)].marked) {
                SetBkColor(dc, ToColorRef(window::kMarkedBox));
                return reinterpret_cast<LRESULT>(markBrush_);
            }
            // A disabled box asks with WM_CTLCOLORSTATIC, an editable one with
            // WM_CTLCOLOREDIT: the button face while the gap cannot be edited, the window
            // colour while it can.
            return paint(message == WM_CTLCOLORSTATIC ? COLOR_BTNFACE : COLOR_WINDOW);
        default: break;
    }
    return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

std::string Form15Window::Text(std::string_view control) const {
    return Narrow(ReadWindowText(Control(control)));
}

// CR LF as the engine writes it: the edit control's own line break.
void Form15Window::SetText(std::string_view control, std::string_view utf8) {
    HWND box = Control(control);
    const std::wstring text = Widen(utf8);
    const ControlRow* row = window::FindControl(control);
    if (row == nullptr || row->kind != ControlKind::ReportBox) {
        SetWindowTextW(box, text.c_str());
        return;
    }
    // Taking a new text, the report box scrolls to its end and back to its start and
    // redraws both scroll bars at each step: eight times a report, each a round of
    // display queries to the server under wine, three times the cost of the text itself.
    // So the box draws nothing while the text goes in, as WM_SETREDRAW has it on Windows
    // (wine's leaves the box drawing), and is drawn once afterwards, scroll bars and all.
    // Hiding the box instead would take the focus from it.
    const LONG_PTR style = GetWindowLongPtrW(box, GWL_STYLE);
    const bool shown = (style & WS_VISIBLE) != 0;
    if (shown) SetWindowLongPtrW(box, GWL_STYLE, style & ~LONG_PTR{WS_VISIBLE});
    SetWindowTextW(box, text.c_str());
    if (!shown) return;
    SetWindowLongPtrW(box, GWL_STYLE, style);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// A number box the last run did not read whole: pale red, in every state (the locked gap
// box too), and a tooltip that starts with the value used.
void Form15Window::ShowMark(std::string_view box, bool marked, std::string_view tooltip) {
    Shown& shown = shown_[RowOf(*window::FindControl(box))];
    shown.marked = marked;
    InvalidateRect(shown.hwnd, nullptr, TRUE);
    SetTooltip(shown.hwnd, Widen(tooltip), false);
}

void Form15Window::Enable(std::string_view control, bool enabled) {
    EnableWindow(Control(control), enabled ? TRUE : FALSE);
    InvalidateRect(Control(control), nullptr, TRUE);
}

void Form15Window::FollowChosenOption(const ControlRow& row) {
    for (const ControlRow& other : window::Form15Controls()) {
        if (other.kind != ControlKind::OptionButton || other.parent != row.parent) continue;
        HWND option = shown_[RowOf(other)].hwnd;
        const LONG_PTR style = GetWindowLongPtrW(option, GWL_STYLE) & ~LONG_PTR{WS_TABSTOP};
        const bool chosen = SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SetWindowLongPtrW(option, GWL_STYLE, chosen ? (style | WS_TABSTOP) : style);
    }
}

bool Form15Window::Checked(std::string_view control) const {
    return SendMessageW(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// BM_SETCHECK notifies nobody. An automatic option button clears the others of its group
// only when clicked, so they are cleared here.
void Form15Window::SetChecked(std::string_view control, bool checked) {
    const ControlRow* row = window::FindControl(control);
    if (row == nullptr) return;
    if (row->kind == ControlKind::OptionButton && checked)
        for (const ControlRow& other : window::Form15Controls())
            if (other.kind == ControlKind::OptionButton && other.parent == row->parent)
                SendMessageW(shown_[RowOf(other)].hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(Control(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (row->kind == ControlKind::OptionButton) FollowChosenOption(*row);
}

// CB_SETCURSEL notifies nobody, and shows the entry in the field.
void Form15Window::SelectSize(std::size_t place) {
    SendMessageW(Control("Combo1"), CB_SETCURSEL, static_cast<WPARAM>(place), 0);
}

void Form15Window::FocusAndSelectAll(std::string_view control) {
    HWND hwnd = Control(control);
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
    SetFocus(hwnd);
    focusToRestore_ = hwnd;
}

void Form15Window::ShowFault(const window::FaultMessage& fault) {
    if (reportFault_) reportFault_(hwnd_, fault);
}

std::optional<std::string> Form15Window::RunSizingDialog(SizingView view) {
    return ShowSizingDialog(hwnd_, view, dpi_, sizingShown_);
}

void Form15Window::ReportShown(const std::string& reportText, std::string_view) {
    reportPrint_->ReportShown(
        ShownMember(presenter_.CurrentMember(), presenter_.state(), reportText));
}

// Printing is taken away by handing the printer no report, and given back the one shown.
void Form15Window::ReportStale(bool stale) {
    reportStale_ = stale;
    ShowWindow(Control("Label8"), stale ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(Control("Text8"), nullptr, TRUE);
    reportPrint_->ReportStale(stale);
}

bool Form15Window::MayClose() { return sessionEnding_ || !mayClose_ || mayClose_(); }

void Form15Window::Close() {
    if (!MayClose()) return;
    DestroyWindow(hwnd_);
}

void Form15Window::AttachMenu(HMENU menu, HACCEL accelerators, std::function<bool(int)> onCommand,
                              std::function<bool()> mayClose) {
    accelerators_ = accelerators;
    onMenuCommand_ = std::move(onCommand);
    mayClose_ = std::move(mayClose);
    SetMenu(hwnd_, menu);
    SizeWindow(nullptr);
}

int RunMessageLoop(Form15Window& window) {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace kneebrace::win32
