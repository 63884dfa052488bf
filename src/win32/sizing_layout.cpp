#include "win32/sizing_layout.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

#include "win32/look.h"
#include "win32/sizing_list.h"
#include "win32/utf.h"
#include "window/control_table.h"

namespace kneebrace::win32 {

namespace {

// Lengths at 96 dpi.
constexpr int kMargin = 10;
constexpr int kGap = 6;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;

// The work area of the monitor `window` is on; false when there is none to be had.
bool WorkArea(HWND window, RECT& work) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return false;
    work = monitor.rcWork;
    return true;
}

}  // namespace

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

HWND MakeChild(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style,
               int id, DWORD exStyle) {
    HWND control = CreateWindowExW(
        exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    if (control == nullptr) throw std::runtime_error("a control of the sizing dialog failed");
    return control;
}

int LineHeight(HDC dc, HFONT font) {
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    return metrics.tmHeight;
}

SizingLayout::SizingLayout(const SizingControls& controls, SizingList& list, DWORD dialogStyle)
    : controls_(controls), list_(list), style_(dialogStyle) {}

SizingLayout::~SizingLayout() {
    if (font_ != nullptr) DeleteObject(font_);
    if (bold_ != nullptr) DeleteObject(bold_);
}

void SizingLayout::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    HFONT oldFont = font_;
    HFONT oldBold = bold_;
    font_ = CreateSongFont(window::kWindowFontPoints, dpi_);
    LOGFONTW bold{};
    GetObjectW(font_, sizeof(bold), &bold);
    bold.lfWeight = FW_BOLD;
    bold_ = CreateFontIndirectW(&bold);
    for (HWND control : {controls_.inputs, controls_.message, controls_.adopt, controls_.cancel})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    list_.ApplyFonts(font_, bold_, dpi_);
    // Only now does no control use the old fonts.
    if (oldFont != nullptr) DeleteObject(oldFont);
    if (oldBold != nullptr) DeleteObject(oldBold);

    HDC dc = GetDC(controls_.dialog);
    line_ = LineHeight(dc, font_);
    int lineWidth = TextWidth(dc, font_, ReadWindowText(controls_.inputs));
    const std::wstring message = ReadWindowText(controls_.message);
    messageLines_ = 0;
    for (std::size_t from = 0; from <= message.size(); ++messageLines_) {
        const std::size_t end = std::min(message.find(L'\n', from), message.size());
        lineWidth = std::max(lineWidth, TextWidth(dc, font_, message.substr(from, end - from)));
        from = end + 1;
    }
    ReleaseDC(controls_.dialog, dc);

    const SIZE table = list_.PreferredSize();
    const int margin = ScaleFor(kMargin, dpi_);
    const int gap = ScaleFor(kGap, dpi_);
    const SIZE client{2 * margin + std::max(static_cast<int>(table.cx), lineWidth),
                      2 * margin + (1 + messageLines_) * line_ + 2 * gap + table.cy + gap +
                          ScaleFor(kButtonHeight, dpi_)};
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectExForDpi(&frame, style_, FALSE, 0, dpi_);
    minimumFrame_ = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    // Never larger than the screen: on a small one the table scrolls sideways.
    HWND anchor = GetWindow(controls_.dialog, GW_OWNER);
    if (RECT work{}; WorkArea(anchor != nullptr ? anchor : controls_.dialog, work)) {
        minimumFrame_.cx = std::min(minimumFrame_.cx, work.right - work.left);
        minimumFrame_.cy = std::min(minimumFrame_.cy, work.bottom - work.top);
    }
    SetWindowPos(controls_.dialog, nullptr, 0, 0, minimumFrame_.cx, minimumFrame_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Place();
}

void SizingLayout::PlaceOverOwner() const {
    HWND owner = GetWindow(controls_.dialog, GW_OWNER);
    RECT own{};
    RECT self{};
    if (owner == nullptr || !GetWindowRect(owner, &own)) return;
    GetWindowRect(controls_.dialog, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    int left = (own.left + own.right - width) / 2;
    int top = (own.top + own.bottom - height) / 2;
    if (RECT work{}; WorkArea(owner, work)) {
        left = std::max(std::min(left, static_cast<int>(work.right) - width),
                        static_cast<int>(work.left));
        top = std::max(std::min(top, static_cast<int>(work.bottom) - height),
                       static_cast<int>(work.top));
    }
    SetWindowPos(controls_.dialog, nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizingLayout::Place() const {
    if (font_ == nullptr) return;  // not laid out yet
    RECT client{};
    GetClientRect(controls_.dialog, &client);
    const int margin = ScaleFor(kMargin, dpi_);
    const int gap = ScaleFor(kGap, dpi_);
    const int buttonWidth = ScaleFor(kButtonWidth, dpi_);
    const int buttonHeight = ScaleFor(kButtonHeight, dpi_);
    const int width = client.right - 2 * margin;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(controls_.inputs, nullptr, margin, margin, width, line_, flags);
    SetWindowPos(controls_.message, nullptr, margin, margin + line_ + gap, width,
                 messageLines_ * line_, flags);
    const int tableTop = margin + (1 + messageLines_) * line_ + 2 * gap;
    const int buttonTop = client.bottom - margin - buttonHeight;
    SetWindowPos(list_.hwnd(), nullptr, margin, tableTop, width, buttonTop - gap - tableTop, flags);
    const int right = client.right - margin;
    SetWindowPos(controls_.cancel, nullptr, right - buttonWidth, buttonTop, buttonWidth,
                 buttonHeight, flags);
    SetWindowPos(controls_.adopt, nullptr, right - 2 * buttonWidth - gap, buttonTop, buttonWidth,
                 buttonHeight, flags);
}

void SizingLayout::LimitTracking(MINMAXINFO& info) const {
    if (minimumFrame_.cx > 0) info.ptMinTrackSize = POINT{minimumFrame_.cx, minimumFrame_.cy};
}

}  // namespace kneebrace::win32
