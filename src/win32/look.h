// The window's look in Win32 terms: its colours and twips (window/look.h) as GDI takes
// them, lengths for a monitor's DPI, and the Song face at the table's sizes.
#pragma once

#include <windows.h>

#include "window/control_table.h"
#include "window/look.h"

namespace kneebrace::win32 {

constexpr COLORREF ToColorRef(window::Rgb colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// Pixels for a length given at 96 dpi, on a monitor of `dpi`.
int ScaleFor(int pixelsAt96, UINT dpi);

// A twip rectangle in pixels, edge by edge (see TwipsToPixels).
RECT PixelRect(const window::TwipRect& twips, UINT dpi);

// 宋体 at `points` for a monitor of `dpi`, with the GB2312 character set: with the
// default set a font mapper may pick a face without Chinese glyphs.
HFONT CreateSongFont(double points, UINT dpi);

}  // namespace kneebrace::win32
