// The sizing dialog's frame in Win32: its fonts for the monitor's DPI, its size from the
// table's, the inputs and message lines on top, the table taking what is left and the
// two buttons at the bottom right, the whole centred over the window.
#pragma once

#include <windows.h>

#include <string>

namespace kneebrace::win32 {

class SizingList;

// A text's width and a line's height in `font`, measured on `dc`.
int TextWidth(HDC dc, HFONT font, const std::wstring& text);
int LineHeight(HDC dc, HFONT font);

// A visible child control `id` of `dialog`; throws std::runtime_error when it cannot be
// made.
HWND MakeChild(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style,
               int id, DWORD exStyle = 0);

struct SizingControls {
    HWND dialog = nullptr;
    HWND inputs = nullptr;   // the inputs line
    HWND message = nullptr;  // the lightest size, or that none passes
    HWND adopt = nullptr;
    HWND cancel = nullptr;
};

class SizingLayout {
public:
    SizingLayout(const SizingControls& controls, SizingList& list, DWORD dialogStyle);
    SizingLayout(const SizingLayout&) = delete;
    SizingLayout& operator=(const SizingLayout&) = delete;
    ~SizingLayout();

    // Fonts and lengths for `dpi`, and the dialog at its smallest size: every column
    // in full, or the monitor's work area when that is smaller (the table then
    // scrolls sideways).
    void ApplyDpi(UINT dpi);
    // Centred over the window, inside the monitor's work area.
    void PlaceOverOwner() const;
    // The controls placed in the dialog's client area as it is now (WM_SIZE).
    void Place() const;
    // No smaller than ApplyDpi made it (WM_GETMINMAXINFO).
    void LimitTracking(MINMAXINFO& info) const;

private:
    SizingControls controls_;
    SizingList& list_;
    DWORD style_;
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
    HFONT bold_ = nullptr;
    int line_ = 0;          // a text line's height
    int messageLines_ = 1;  // the message's lines: one per item no size can mend
    SIZE minimumFrame_{};
};

}  // namespace kneebrace::win32
