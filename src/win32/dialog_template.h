// The template of the dialogs built in code: an empty frame with its title and style.
// Their controls are made in WM_INITDIALOG, in pixels for the window's DPI, which a
// template's dialog units cannot give.
#pragma once

#include <windows.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace kneebrace::win32 {

inline std::vector<WORD> DialogTemplate(std::wstring_view title, DWORD style) {
    DLGTEMPLATE head{};
    head.style = style;
    constexpr std::size_t kHeadWords = sizeof(DLGTEMPLATE) / sizeof(WORD);
    // The head, no menu, the default class, the title and its terminating zero.
    std::vector<WORD> words(kHeadWords + 2 + title.size() + 1, 0);
    std::memcpy(words.data(), &head, sizeof(head));
    for (std::size_t i = 0; i < title.size(); ++i)
        words[kHeadWords + 2 + i] = static_cast<WORD>(title[i]);
    return words;
}

}  // namespace kneebrace::win32
