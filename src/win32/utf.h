// The engine speaks UTF-8, Windows UTF-16: texts change form here and nowhere else.
#pragma once

#include <string>
#include <string_view>

namespace kneebrace::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace kneebrace::win32
