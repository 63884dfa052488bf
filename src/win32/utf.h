// The engine speaks UTF-8, Windows UTF-16: texts change form here and nowhere else.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kneebrace::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A window's text, asked for with one message where it fits a generous buffer, as every
// box's text and report does: a message to a box passes each of its subclass procedures,
// and under wine each pass is a round trip to the server. A longer text is asked for its
// length first.
std::wstring ReadWindowText(HWND hwnd);

}  // namespace kneebrace::win32
