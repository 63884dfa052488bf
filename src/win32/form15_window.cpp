#include "win32/form15_window.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "win32/fault_dialog.h"
#include "win32/look.h"
#include "win32/resource_ids.h"
#include "win32/sizing_dialog.h"
#include "win32/utf.h"
#include "window/input_marks.h"
#include "window/keyboard.h"

namespace kneebrace::win32 {

namespace {

using window::ControlKind;
using window::ControlRow;

constexpr wchar_t kClassName[] = L"kneebrace.Form15";
// A fixed frame: the controls sit at fixed positions, so the window neither resizes nor
// maximises.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;
// Control identifiers: the table's row plus this. Clear of IDOK and IDCANCEL, which
// the dialog manager sends for Enter and Escape.
constexpr int kFirstControlId = 1000;
constexpr UINT_PTR kEditSubclassId = 1;
// The size list's opened list, at 96 dpi.
constexpr int kListHeight = 240;
// The mark on a box the last run read in part, from its 0xRRGGBB.
constexpr COLORREF kMarkColour =
    RGB((window::kMarkColourRgb >> 16) & 0xFF, (window::kMarkColourRgb >> 8) & 0xFF,
        window::kMarkColourRgb & 0xFF);

bool IsEdit(ControlKind kind) {
    return kind == ControlKind::InputBox || kind == ControlKind::PropertiesBox ||
           kind == ControlKind::ReportBox;
}

struct Made {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

// The common control that shows a row of the table, with its styles.
Made ControlFor(const ControlRow& entry) {
    switch (entry.kind) {
        case ControlKind::PictureBox: return {L"STATIC", SS_OWNERDRAW, 0};
        case ControlKind::Frame: return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::Label: return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case ControlKind::InputBox: return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
        case ControlKind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX, 0};
        case ControlKind::SizeList:
            // No CBS_SORT: the list keeps the catalogue's order.
            return {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0};
        case ControlKind::PropertiesBox:
            return {L"EDIT", ES_MULTILINE | ES_READONLY, WS_EX_CLIENTEDGE};
        case ControlKind::ReportBox:
            // Report lines are longer than the box is wide; they scroll rather than wrap,
            // so each printed line stays one line.
            return {L"EDIT",
                    ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL |
                        WS_VSCROLL,
                    WS_EX_CLIENTEDGE};
        case ControlKind::PictureButton: return {L"BUTTON", BS_OWNERDRAW, 0};
    }
    return {L"STATIC", 0, 0};
}

// The order of creation, which is the Z order and so the order the dialog manager walks
// with Tab: the controls that take the focus in tab order, then the others, and the
// frames last, at the bottom, since they paint only their line and caption. A frame
// inside another comes before it: below the outer frame it would be painted over.
std::vector<std::size_t> CreationOrder() {
    const auto controls = window::Form15Controls();
    std::vector<std::size_t> order;
    for (const ControlRow* entry : window::FocusOrder())
        order.push_back(static_cast<std::size_t>(entry - controls.data()));
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (!window::TakesFocus(controls[i].kind) && controls[i].kind != ControlKind::Frame)
            order.push_back(i);
    // The table lists parents before their children; backwards, inner frames come first.
    for (std::size_t i = controls.size(); i-- > 0;)
        if (controls[i].kind == ControlKind::Frame) order.push_back(i);
    return order;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, kClassName, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KNEEBRACE_CALC),
                                             IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KNEEBRACE_CALC),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (RegisterClassExW(&wc) == 0) throw std::runtime_error("RegisterClassExW failed");
}

}  // namespace

FaultReporter DialogReporter() {
    return [](HWND owner, const window::FaultMessage& fault) { ShowFaultDialog(owner, fault); };
}

Form15Window::Form15Window(HINSTANCE instance, FaultReporter reportFault)
    : instance_(instance),
      reportFault_(std::move(reportFault)),
      markBrush_(CreateSolidBrush(kMarkColour)) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterWindowClass(instance_, &Form15Window::WindowProc);
    // The size comes with the DPI, once the window knows its monitor.
    HWND created = CreateWindowExW(kWindowExStyle, kClassName, Widen(window::kWindowTitle).c_str(),
                                   kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                                   nullptr, instance_, this);
    if (created == nullptr) {
        hwnd_ = nullptr;
        throw std::runtime_error("the window could not be created");
    }
}

Form15Window::~Form15Window() {
    if (hwnd_ != nullptr) {
        destroyedByOwner_ = true;
        DestroyWindow(hwnd_);
    }
    for (const auto& [points, font] : fonts_) DeleteObject(font);
    if (calcIcon_ != nullptr) DestroyIcon(calcIcon_);
    if (closeIcon_ != nullptr) DestroyIcon(closeIcon_);
    if (sizingIcon_ != nullptr) DestroyIcon(sizingIcon_);
    for (HICON icon : windowIcons_)
        if (icon != nullptr) DestroyIcon(icon);
    DeleteObject(markBrush_);
}

HWND Form15Window::Control(std::string_view name) const {
    const ControlRow* entry = window::FindControl(name);
    if (entry == nullptr || controls_.empty()) return nullptr;
    return controls_[static_cast<std::size_t>(entry - window::Form15Controls().data())];
}

const ControlRow& Form15Window::EntryAt(std::size_t index) const {
    return window::Form15Controls()[index];
}

int Form15Window::IndexOf(HWND control) const {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    return it == controls_.end() ? -1 : static_cast<int>(it - controls_.begin());
}

HFONT Form15Window::FontFor(double points) const {
    const double wanted = points > 0 ? points : window::kWindowFontPoints;
    for (const auto& [size, font] : fonts_)
        if (size == wanted) return font;
    return nullptr;
}

std::string Form15Window::TextOf(std::string_view name) const {
    return Narrow(WindowText(Control(name)));
}

void Form15Window::SetText(std::string_view name, std::string_view utf8) const {
    SetWindowTextW(Control(name), Widen(utf8).c_str());
}

bool Form15Window::PreTranslate(MSG& msg) {
    if (hwnd_ == nullptr) return false;
    if (reportPrint_ != nullptr && reportPrint_->PreTranslate(msg)) return true;
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
        self->controls_.clear();
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
                CreateTooltips();
                ApplyDpi(dpi_);
                SizeWindow(nullptr);
                Load();
            } catch (const std::exception&) {
                return -1;
            }
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return ControlColour(message, reinterpret_cast<HDC>(wParam),
                                 reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
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
        case WM_DESTROY:
            // The only window: closing it ends the program, with nothing to ask or save.
            if (!destroyedByOwner_) PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Form15Window::CreateControls() {
    const auto controls = window::Form15Controls();
    controls_.assign(controls.size(), nullptr);
    marked_.assign(controls.size(), false);
    const ControlRow* previous = nullptr;
    for (const std::size_t i : CreationOrder()) {
        const ControlRow& entry = controls[i];
        const Made made = ControlFor(entry);
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | made.style;
        // Each control starts a group of its own but the second option of a pair, so
        // that the arrow keys move between the two options and nowhere else.
        const bool secondOption = entry.kind == ControlKind::OptionButton && previous != nullptr &&
                                  previous->kind == ControlKind::OptionButton &&
                                  previous->parent == entry.parent;
        if (!secondOption) style |= WS_GROUP;
        // Tab stops on the option chosen in each group only, as dialogs have it; the
        // arrow keys reach the other.
        if (window::TakesFocus(entry.kind) &&
            (entry.kind != ControlKind::OptionButton || entry.selectedAtStart))
            style |= WS_TABSTOP;
        if (entry.disabledAtStart) style |= WS_DISABLED;
        const std::wstring caption =
            entry.kind == ControlKind::SizeList ? std::wstring() : Widen(entry.caption);
        HWND control = CreateWindowExW(
            made.exStyle, made.windowClass, caption.c_str(), style, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance_, nullptr);
        if (control == nullptr) throw std::runtime_error("a control could not be created");
        controls_[i] = control;
        previous = &entry;

        switch (entry.kind) {
            case ControlKind::Frame:
                // Without a theme the caption takes the colour set in WM_CTLCOLORSTATIC. A
                // blank, not an empty string: an empty one can leave the theme on.
                SetWindowTheme(control, L" ", L" ");
                break;
            case ControlKind::OptionButton:
                if (entry.selectedAtStart) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
                break;
            case ControlKind::SizeList: {
                for (const AngleSection& row : AngleCatalogue())
                    SendMessageW(control, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(Widen(row.designation).c_str()));
                SendMessageW(control, CB_SETCURSEL, 0, 0);
                COMBOBOXINFO info{};
                info.cbSize = sizeof(info);
                if (GetComboBoxInfo(control, &info)) combo1Edit_ = info.hwndItem;
                if (combo1Edit_ != nullptr)
                    SetWindowSubclass(combo1Edit_, &Form15Window::EditProc, kEditSubclassId,
                                      reinterpret_cast<DWORD_PTR>(this));
                break;
            }
            case ControlKind::ReportBox:
                SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no 32 K limit
                break;
            default: break;
        }
        if (IsEdit(entry.kind))
            SetWindowSubclass(control, &Form15Window::EditProc, kEditSubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
    }
}

void Form15Window::CreateTooltips() {
    tooltips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
    if (tooltips_ == nullptr) return;
    const auto controls = window::Form15Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].tooltip.empty()) continue;
        std::wstring text = Widen(controls[i].tooltip);
        std::vector<HWND> tools{controls_[i]};
        // The pointer over the size list's field is over its edit child.
        if (controls[i].kind == ControlKind::SizeList && combo1Edit_ != nullptr)
            tools.push_back(combo1Edit_);
        for (HWND tool : tools) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            info.hwnd = hwnd_;
            info.uId = reinterpret_cast<UINT_PTR>(tool);
            info.lpszText = text.data();
            SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
}

void Form15Window::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    // New fonts first, old ones deleted once no control uses them.
    std::vector<std::pair<double, HFONT>> old = std::move(fonts_);
    fonts_.clear();
    std::vector<double> sizes{window::kWindowFontPoints};
    for (const ControlRow& entry : window::Form15Controls())
        if (entry.fontPoints > 0 &&
            std::find(sizes.begin(), sizes.end(), entry.fontPoints) == sizes.end())
            sizes.push_back(entry.fontPoints);
    for (const double points : sizes) fonts_.emplace_back(points, CreateSongFont(points, dpi_));

    const auto controls = window::Form15Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        HWND control = controls_[i];
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(controls[i].fontPoints)),
                     TRUE);
        const RECT r = PixelRect(window::OnClientArea(controls[i]), dpi_);
        int height = r.bottom - r.top;
        if (controls[i].kind == ControlKind::SizeList) height += ScaleFor(kListHeight, dpi_);
        SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (controls[i].kind == ControlKind::SizeList) {
            // The closed list's height follows its font; its item height brings it to
            // the table's height.
            RECT shown{};
            GetWindowRect(control, &shown);
            const LRESULT item =
                SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
            const LRESULT wanted = item + (r.bottom - r.top) - (shown.bottom - shown.top);
            if (item > 0 && wanted > 0)
                SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
        }
    }
    if (tooltips_ != nullptr) {
        SendMessageW(tooltips_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(0)), TRUE);
        // A width makes the tooltip honour the line breaks in its text.
        SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, ScaleFor(480, dpi_));
    }
    for (const auto& [points, font] : old) DeleteObject(font);

    const int iconSize = ScaleFor(32, dpi_);
    if (calcIcon_ != nullptr) DestroyIcon(calcIcon_);
    if (closeIcon_ != nullptr) DestroyIcon(closeIcon_);
    if (sizingIcon_ != nullptr) DestroyIcon(sizingIcon_);
    calcIcon_ = LoadIconAt(instance_, IDI_KNEEBRACE_CALC, iconSize);
    closeIcon_ = LoadIconAt(instance_, IDI_KNEEBRACE_CLOSE, iconSize);
    sizingIcon_ = LoadIconAt(instance_, IDI_KNEEBRACE_SIZING, iconSize);
    diagram_ = LoadDiagram(instance_, DiagramScaleFor(dpi_));

    // The title bar's and the task switcher's icons, at this DPI's sizes.
    HICON big = LoadIconAt(instance_, IDI_KNEEBRACE_CALC, GetSystemMetricsForDpi(SM_CXICON, dpi_));
    HICON small =
        LoadIconAt(instance_, IDI_KNEEBRACE_CALC, GetSystemMetricsForDpi(SM_CXSMICON, dpi_));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    if (windowIcons_[0] != nullptr) DestroyIcon(windowIcons_[0]);
    if (windowIcons_[1] != nullptr) DestroyIcon(windowIcons_[1]);
    windowIcons_ = {big, small};
    InvalidateRect(hwnd_, nullptr, TRUE);
}

SIZE Form15Window::ClientSize() const {
    return SIZE{MulDiv(window::kClientWidthTwips, static_cast<int>(dpi_), 1440),
                MulDiv(window::kClientHeightTwips, static_cast<int>(dpi_), 1440)};
}

SIZE Form15Window::FrameSize() const {
    const SIZE client = ClientSize();
    RECT frame{0, 0, client.cx, client.cy};
    // The frame's own metrics are those of the DPI the system draws it for.
    UINT frameDpi = GetDpiForWindow(hwnd_);
    if (frameDpi == 0) frameDpi = dpi_;
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, frameDpi);
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
    const SIZE wanted = ClientSize();
    if (client.right != wanted.cx || client.bottom != wanted.cy) {
        frame.cx += wanted.cx - client.right;
        frame.cy += wanted.cy - client.bottom;
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

void Form15Window::Load() {
    state_ = window::LoadForm();
    SetText("Text7", state_.anglePropsText);
    // The focus starts in the designation, its text selected, ready to be typed over.
    HWND first = Control(window::StartFocus().name);
    SendMessageW(first, EM_SETSEL, 0, -1);
    SetFocus(first);
    focusToRestore_ = first;
}

void Form15Window::OnCommand(int id, int code, HWND control) {
    if (id == IDOK) {
        OnEnter();
        return;
    }
    const int index = IndexOf(control);
    if (index < 0 || id != kFirstControlId + index) return;
    const auto i = static_cast<std::size_t>(index);
    switch (EntryAt(i).kind) {
        case ControlKind::InputBox:
            // Any edit takes the mark away; the program never sets these boxes' texts.
            if (code == EN_CHANGE && marked_[i])
                ShowMark(window::BoxMark{EntryAt(i).name, false, {}});
            break;
        case ControlKind::OptionButton:
            if (code == BN_CLICKED) OptionClick(i);
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) Check1Click();
            break;
        case ControlKind::SizeList:
            if (code == CBN_SELCHANGE) Combo1Pick();
            else if (code == CBN_EDITCHANGE) typedSizePending_ = true;
            else if (code == CBN_KILLFOCUS) Combo1CommitTyped();
            break;
        case ControlKind::PictureButton:
            // An owner-drawn button reports a quick second click as a double click.
            if (code != BN_CLICKED && code != BN_DOUBLECLICKED) break;
            if (EntryAt(i).name == "Command1") Command1Click();
            else if (EntryAt(i).name == "Command2") Command2Click();
            else if (EntryAt(i).name == "Command3") Command3Click();
            break;
        default: break;
    }
}

// Enter, which the dialog manager turns into IDOK: in an input box it calculates, in the
// size list's field it settles the typed size, on a button it presses the button.
void Form15Window::OnEnter() {
    HWND focus = GetFocus();
    if (focus == nullptr) return;
    // The size list's field is a child of the list.
    const int index = IndexOf(focus == combo1Edit_ ? GetParent(focus) : focus);
    if (index < 0) return;
    const ControlRow& entry = EntryAt(static_cast<std::size_t>(index));
    switch (window::EnterIn(entry.kind)) {
        case window::EnterKey::Calculates: Command1Click(); break;
        case window::EnterKey::CommitsSize: Combo1CommitTyped(); break;
        case window::EnterKey::Ignored:
            // A button's own handling of Enter in a Windows dialog: it is pressed.
            if (entry.kind == ControlKind::PictureButton)
                OnCommand(kFirstControlId + index, BN_CLICKED, focus);
            break;
    }
}

void Form15Window::OptionClick(std::size_t index) {
    window::ClickOption(state_, EntryAt(index).name);
    // The tab stop follows the chosen option of the group.
    const auto controls = window::Form15Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].kind != ControlKind::OptionButton ||
            controls[i].parent != EntryAt(index).parent)
            continue;
        const LONG_PTR style = GetWindowLongPtrW(controls_[i], GWL_STYLE);
        const bool checked = SendMessageW(controls_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
        SetWindowLongPtrW(controls_[i], GWL_STYLE,
                          checked ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP}));
    }
}

void Form15Window::Check1Click() {
    window::CheckValue value = window::CheckValue::Greyed;
    const LRESULT state = SendMessageW(Control("Check1"), BM_GETCHECK, 0, 0);
    if (state == BST_UNCHECKED) value = window::CheckValue::Cleared;
    if (state == BST_CHECKED) value = window::CheckValue::Ticked;
    if (const std::optional<bool> enabled = window::GapBoxEnabledAfter(value)) {
        EnableWindow(Control("Text2"), *enabled ? TRUE : FALSE);
        InvalidateRect(Control("Text2"), nullptr, TRUE);
    }
}

void Form15Window::Combo1Pick() {
    HWND combo = Control("Combo1");
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    // The edit field still shows the previous text while this runs; the list has the
    // picked one.
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    window::PickSize(state_, Narrow(text));
    SetText("Text7", state_.anglePropsText);
    typedSizePending_ = false;
}

void Form15Window::Combo1CommitTyped() {
    if (!typedSizePending_) return;
    typedSizePending_ = false;
    HWND combo = Control("Combo1");
    const window::TypedSize typed = window::CommitTypedSize(state_, Narrow(WindowText(combo)));
    if (typed.picks) {
        window::PickSize(state_, typed.fieldText);
        SetText("Text7", state_.anglePropsText);
    }
    // The list selects the size in force and the field shows it.
    if (const std::optional<std::size_t> place = FindAngle(typed.fieldText))
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(*place), 0);
    SetWindowTextW(combo, Widen(typed.fieldText).c_str());
}

InputTexts Form15Window::ReadInputs() const {
    return {TextOf("Text1"), TextOf("Text2"), TextOf("Text3"), TextOf("Text4"),
            TextOf("Text5"), TextOf("Text6"), TextOf("Text9")};
}

void Form15Window::Command1Click() {
    const InputTexts in = ReadInputs();
    const std::optional<window::FaultMessage> fault = window::Calculate(state_, in);
    // Before the message: the user reads it with the marks in view.
    for (const window::BoxMark& mark : window::MarkUnreadInputs(in)) ShowMark(mark);
    if (fault) {
        // The report box keeps the last complete report; the inputs stay as typed.
        if (reportFault_) reportFault_(hwnd_, *fault);
        return;
    }
    // CR LF as the engine writes it: the edit control's own line break.
    SetText("Text8", state_.reportText);
    reportPrint_->ReportShown(state_.reportText);
}

// Every size against the boxes' texts; the row the user adopts becomes the size in
// force, exactly as a pick from the list, and is calculated at once.
void Form15Window::Command2Click() {
    const window::SizingOutcome outcome = window::OpenSizing(state_, ReadInputs());
    if (outcome.fault) {
        if (reportFault_) reportFault_(hwnd_, *outcome.fault);
        return;
    }
    if (!outcome.view) return;
    const std::optional<std::string> adopted =
        ShowSizingDialog(hwnd_, *outcome.view, dpi_, sizingShown_);
    if (adopted) AdoptSize(*adopted);
}

void Form15Window::AdoptSize(std::string_view designation) {
    const std::optional<std::size_t> place = window::AdoptSize(state_, designation);
    if (!place) return;
    // CB_SETCURSEL notifies nobody: the properties box is shown here, as after a pick.
    SendMessageW(Control("Combo1"), CB_SETCURSEL, static_cast<WPARAM>(*place), 0);
    SetText("Text7", state_.anglePropsText);
    typedSizePending_ = false;
    Command1Click();
}

void Form15Window::Command3Click() { DestroyWindow(hwnd_); }

// A number box the last run did not read whole: pale red, in every state (the locked gap
// box too), and a tooltip that starts with the value used.
void Form15Window::ShowMark(const window::BoxMark& mark) {
    const ControlRow* entry = window::FindControl(mark.box);
    if (entry == nullptr) return;
    const auto index = static_cast<std::size_t>(entry - window::Form15Controls().data());
    marked_[index] = mark.marked;
    InvalidateRect(controls_[index], nullptr, TRUE);
    if (tooltips_ == nullptr) return;
    std::wstring text = Widen(window::TooltipFor(mark.box, &mark));
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(controls_[index]);
    info.lpszText = text.data();
    SendMessageW(tooltips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT Form15Window::ControlColour(UINT message, HDC dc, HWND control) {
    const int index = IndexOf(control);
    if (index < 0)
        return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    const ControlRow& entry = EntryAt(static_cast<std::size_t>(index));
    const auto paint = [dc](int systemColour) {
        SetBkColor(dc, GetSysColor(systemColour));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(systemColour));
    };
    switch (entry.kind) {
        case ControlKind::Frame: SetTextColor(dc, kCaptionBlue); return paint(COLOR_BTNFACE);
        case ControlKind::PropertiesBox: SetTextColor(dc, kCaptionBlue); return paint(COLOR_WINDOW);
        case ControlKind::ReportBox:
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return paint(COLOR_WINDOW);
        case ControlKind::InputBox:
            if (marked_[static_cast<std::size_t>(index)]) {
                SetBkColor(dc, kMarkColour);
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

void Form15Window::DrawItem(const DRAWITEMSTRUCT& item) {
    const int index = IndexOf(item.hwndItem);
    if (index < 0) return;
    const ControlRow& entry = EntryAt(static_cast<std::size_t>(index));
    if (entry.kind == ControlKind::PictureButton) DrawPictureButton(item, entry);
    else if (entry.kind == ControlKind::PictureBox) DrawDiagram(item);
}

// The orange picture button: icon above caption, darker while pressed, a dark border
// and a dotted focus rectangle while it has the focus.
void Form15Window::DrawPictureButton(const DRAWITEMSTRUCT& item, const ControlRow& entry) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    HBRUSH face = CreateSolidBrush(pressed ? kPictureButtonPressed : kPictureButtonFace);
    FillRect(dc, &r, face);
    DeleteObject(face);
    HBRUSH border =
        CreateSolidBrush(pressed || focused ? kPictureButtonFocusBorder : kPictureButtonBorder);
    FrameRect(dc, &r, border);
    DeleteObject(border);

    const std::wstring caption = Widen(entry.caption);
    HGDIOBJ oldFont = SelectObject(dc, FontFor(entry.fontPoints));
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    const int icon = ScaleFor(32, dpi_);
    const int gap = ScaleFor(3, dpi_);
    const int shift = pressed ? 1 : 0;
    const int top = r.top + (r.bottom - r.top - icon - gap - text.cy) / 2 + shift;
    HICON picture = calcIcon_;
    if (entry.name == "Command2") picture = sizingIcon_;
    if (entry.name == "Command3") picture = closeIcon_;
    if (picture != nullptr)
        DrawIconEx(dc, r.left + (r.right - r.left - icon) / 2 + shift, top, picture, icon, icon, 0,
                   nullptr, DI_NORMAL);
    RECT textRect{r.left + shift, top + icon + gap, r.right + shift, top + icon + gap + text.cy};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    if (focused && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        const int inset = ScaleFor(3, dpi_);
        InflateRect(&r, -inset, -inset);
        DrawFocusRect(dc, &r);
    }
}

// The picture box: a one-pixel sunken frame and the drawing from the top left of its
// inside, the size it has at 96 dpi times the monitor's scale.
void Form15Window::DrawDiagram(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const RECT target{r.left, r.top, r.left + ScaleFor(kDiagramWidth, dpi_),
                      r.top + ScaleFor(kDiagramHeight, dpi_)};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    DrawPicture(dc, diagram_, target);
    RestoreDC(dc, saved);
}

// The edit boxes. The multi-line ones let Tab move on, as the single-line ones do, and
// take no whole-text selection from it; every box selects all with Ctrl+A.
LRESULT CALLBACK Form15Window::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self) {
    (void)self;
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
        case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &Form15Window::EditProc, id); break;
        default: break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
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
