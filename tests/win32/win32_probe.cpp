#include "win32_probe.h"

#include <commctrl.h>

#include <optional>

#include "catalogue/angle_catalogue.h"
#include "win32/look.h"
#include "win32/sizing_dialog.h"
#include "win32/utf.h"

namespace win32test {

namespace {

using kneebrace::win32::Widen;

// A key pressed in a dialog, through the dialog manager as its modal loop passes it.
void DialogKey(HWND dialog, WPARAM key) {
    for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        MSG msg{GetFocus(), message, key, message == WM_KEYUP ? LPARAM{1} | (LPARAM{3} << 30) : 1,
                0,          {}};
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void MouseAt(HWND target, const RECT& r, bool twice) {
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(target, twice ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(target, WM_LBUTTONUP, 0, at);
}

// The sizing dialog answered as the user would: a header click, then a double click on
// the row named, 选用 for the row selected, or Esc.
void Answer(HWND dialog, const windowtest::SizingAnswer& answer) {
    HWND list = GetDlgItem(dialog, kneebrace::win32::kSizingListId);
    if (answer.sortBy) {
        RECT r{};
        Header_GetItemRect(ListView_GetHeader(list), static_cast<int>(*answer.sortBy), &r);
        MouseAt(ListView_GetHeader(list), r, false);
    }
    if (!answer.adopt) return DialogKey(dialog, VK_ESCAPE);
    if (answer.row.empty()) {
        SendMessageW(GetDlgItem(dialog, kneebrace::win32::kSizingAdoptId), BM_CLICK, 0, 0);
        return;
    }
    for (int at = 0; at < ListView_GetItemCount(list); ++at) {
        wchar_t text[64]{};
        ListView_GetItemText(list, at, 0, text, 64);
        if (Widen(answer.row) != text) continue;
        ListView_EnsureVisible(list, at, FALSE);
        RECT r{};
        ListView_GetItemRect(list, at, &r, LVIR_BOUNDS);
        return MouseAt(list, r, true);
    }
}

}  // namespace

COLORREF Background(HWND control) {
    const UINT message = IsWindowEnabled(control) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    HDC dc = GetDC(control);
    auto* brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(control), message,
                                                        reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(control)));
    LOGBRUSH info{};
    GetObjectW(brush, sizeof(info), &info);
    ReleaseDC(control, dc);
    return info.lbColor;
}

std::string TooltipOf(HWND control) {
    HWND tooltips = nullptr;
    for (HWND hwnd : win32test::ThreadWindows()) {
        wchar_t name[64]{};
        GetClassNameW(hwnd, name, 64);
        if (std::wstring_view(name) == TOOLTIPS_CLASSW) tooltips = hwnd;
    }
    wchar_t text[512]{};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    return kneebrace::win32::Narrow(text);
}

// The focus moves at once; what it has the window repaint waits for the next pump, as a
// user's quick keys would find it.
void Win32Probe::FocusOn(std::string_view control) {
    if (IsWindowEnabled(ui_.Get(control))) SetFocus(ui_.Get(control));
}

// The box's text replaced at once, as a paste over the whole text would: the box
// reports the change as it does for typing.
void Win32Probe::Type(std::string_view box, std::string_view utf8) {
    FocusOn(box);
    ui_.SetText(box, utf8);
}

void Win32Probe::Click(std::string_view control) {
    if (Enabled(control)) ui_.Click(control);
}

void Win32Probe::Press(std::string_view control, windowtest::Key key) {
    FocusOn(control);
    using windowtest::Key;
    if (key == Key::Space) ui_.Key(VK_SPACE);
    else if (key == Key::Tab || key == Key::BackTab) ui_.Key(VK_TAB, false, key == Key::BackTab);
    else ui_.Key(VK_RETURN, key == Key::KeypadEnter);
}

void Win32Probe::Pick(std::string_view designation) {
    if (!kneebrace::FindAngle(designation)) return;
    FocusOn("Combo1");
    ui_.Pick(designation);
}

// Typed over the field's whole text, as the edit control takes typing: the list hears of
// it as an edit of its field.
void Win32Probe::TypeSize(std::string_view utf8, bool enter) {
    FocusOn("Combo1");
    HWND combo = ui_.Get("Combo1");
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    SendMessageW(info.hwndItem, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Widen(utf8).c_str()));
    ui_.Key(enter ? VK_RETURN : VK_TAB);
}

bool Win32Probe::Sizing(const windowtest::SizingAnswer& answer) {
    const int before = ui_.sizingDialogsShown();
    ui_.onSizing = [&answer](HWND dialog) { Answer(dialog, answer); };
    Click("Command2");
    ui_.onSizing = nullptr;
    return ui_.sizingDialogsShown() > before;
}

bool Win32Probe::Enabled(std::string_view control) const {
    return IsWindowEnabled(ui_.Get(control)) != FALSE;
}

bool Win32Probe::Marked(std::string_view box) const {
    return Background(ui_.Get(box)) == kneebrace::win32::ToColorRef(kneebrace::window::kMarkedBox);
}

std::string Win32Probe::Tooltip(std::string_view box) const { return TooltipOf(ui_.Get(box)); }

bool Win32Probe::Printable() const { return ui_.window().reportPrint().CanPrint(); }

// The note shown and the text greyed go together; either alone reads as the opposite of
// what the note says, so that no expectation passes on half of it. A read-only box asks
// for its colours as a static control does.
bool Win32Probe::ReportStale() const {
    const bool note = (GetWindowLongPtrW(ui_.Get("Label8"), GWL_STYLE) & WS_VISIBLE) != 0;
    HWND report = ui_.Get("Text8");
    HDC dc = GetDC(report);
    SendMessageW(GetParent(report), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(report));
    const bool grey =
        GetTextColor(dc) == kneebrace::win32::ToColorRef(kneebrace::window::kStaleReport);
    ReleaseDC(report, dc);
    return note == grey ? note : !note;
}

const kneebrace::DesignState& Win32Probe::Record() const { return ui_.window().designState(); }

}  // namespace win32test
