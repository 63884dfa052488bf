// kneebrace.exe: the knee-brace calculator's window on Windows. No command line and no
// settings: every value lives as long as the window, unless the user saves a project.
#include <windows.h>

#include <exception>

#include "win32/form15_window.h"
#include "win32/project_menu.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    try {
        kneebrace::win32::Form15Window window(instance);
        kneebrace::win32::ProjectMenu menu(window);
        ShowWindow(window.hwnd(), show);
        UpdateWindow(window.hwnd());
        return kneebrace::win32::RunMessageLoop(window);
    } catch (const std::exception&) {
        MessageBoxW(nullptr, L"无法创建程序窗口。", L"kneebrace", MB_OK | MB_ICONERROR);
        return 1;
    }
}
