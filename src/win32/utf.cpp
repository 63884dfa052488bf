#include "win32/utf.h"

#include <windows.h>

namespace kneebrace::win32 {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), length);
    return out;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

std::wstring ReadWindowText(HWND hwnd) {
    constexpr std::size_t kFirstTry = 8192;
    std::wstring text(kFirstTry, L'\0');
    auto length =
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
    if (length + 1 >= kFirstTry) {  // perhaps cut short
        text.assign(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
        length = static_cast<std::size_t>(
            GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
    }
    text.resize(length);
    return text;
}

}  // namespace kneebrace::win32
