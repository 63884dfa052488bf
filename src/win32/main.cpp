// kneebrace.exe: the knee-brace calculator's window on Windows. No command line, no
// settings, no files: every value lives as long as the window.
#include <windows.h>

#include <exception>

#include "win32/form15_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    try {
        kneebrace::win32::Form15Window window(instance);
        ShowWindow(window.hwnd(), show);
        UpdateWindow(window.hwnd());
        return kneebrace::win32::RunMessageLoop(window);
    } catch (const std::exception&) {
        MessageBoxW(nullptr, L"无法创建程序窗口。", L"kneebrace", MB_OK | MB_ICONERROR);
        return 1;
    }
}
