// Resource numbers shared by the resource script and the window's code.
#pragma once

// The program icon: the calculator, also shown on the Calculate button. The lowest
// icon number, so Explorer shows it for kneebrace.exe.
#define IDI_KNEEBRACE_CALC 1
#define IDI_KNEEBRACE_CLOSE 2
#define IDI_KNEEBRACE_SIZING 3

// The diagram as PNG, one rendering per display scale: 100 + the scale in percent.
#define IDR_DIAGRAM_100 200
#define IDR_DIAGRAM_125 225
#define IDR_DIAGRAM_150 250
#define IDR_DIAGRAM_175 275
#define IDR_DIAGRAM_200 300

#ifndef RC_INVOKED
namespace kneebrace::win32 {
constexpr int DiagramResourceId(int scale) { return 100 + scale; }
}  // namespace kneebrace::win32
#endif
