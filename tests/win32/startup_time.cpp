// How long the window takes to come up: from the program's entry to the window shown with
// every control painted, in milliseconds, printed once. Not a test (no pass or fail); run
// it a few times for a figure:
//   for i in $(seq 10); do wine64 win32_startup_time.exe; done | sort -n
#include <windows.h>

#include <cstdio>

#include "win32/form15_window.h"

int main() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    kneebrace::win32::Form15Window window(GetModuleHandleW(nullptr));
    ShowWindow(window.hwnd(), SW_SHOW);
    RedrawWindow(window.hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    LARGE_INTEGER painted{};
    QueryPerformanceCounter(&painted);
    std::printf("%.1f\n", 1000.0 * static_cast<double>(painted.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart));
    return 0;
}
