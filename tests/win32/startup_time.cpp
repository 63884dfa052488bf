// How long the window takes to come up: from the program's entry to the window shown with
// every control painted, in milliseconds, printed once. With the argument "sizing", the
// time from a press of the sizing button to its dialog shown and painted instead (53
// runs of the engine included). Not a test (no pass or fail); run it a few times for a
// figure:
//   for i in $(seq 10); do wine64 win32_startup_time.exe; done | sort -n
//   for i in $(seq 10); do wine64 win32_startup_time.exe sizing; done | sort -n
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "win32/form15_window.h"

namespace {

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const bool sizing = argc > 1 && std::strcmp(argv[1], "sizing") == 0;
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    kneebrace::win32::Form15Window window(GetModuleHandleW(nullptr));
    ShowWindow(window.hwnd(), SW_SHOW);
    RedrawWindow(window.hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!sizing) {
        std::printf("%.1f\n", MillisecondsSince(start));
        return 0;
    }
    // The dialog calls back once it is on screen and painted; it is then cancelled.
    double opened = -1;
    window.OnSizingDialogShown([&](HWND dialog) {
        opened = MillisecondsSince(start);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    QueryPerformanceCounter(&start);
    SendMessageW(window.Control("Command2"), BM_CLICK, 0, 0);
    std::printf("%.1f\n", opened);
    return 0;
}
