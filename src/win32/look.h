// The window's look in Win32 terms: twips to pixels for a monitor's DPI, the Song face
// at the table's sizes and the few colours the window states itself.
#pragma once

#include <windows.h>

#include "window/control_table.h"

namespace kneebrace::win32 {

inline constexpr COLORREF kCaptionBlue = RGB(0, 0, 255);  // frame captions, properties text
inline constexpr COLORREF kPictureButtonFace = RGB(255, 192, 128);
inline constexpr COLORREF kPictureButtonPressed = RGB(230, 170, 110);
inline constexpr COLORREF kPictureButtonBorder = RGB(160, 160, 160);
inline constexpr COLORREF kPictureButtonFocusBorder = RGB(64, 64, 64);

// Pixels for a length given at 96 dpi, on a monitor of `dpi`.
int ScaleFor(int pixelsAt96, UINT dpi);

// A twip rectangle in pixels. The edges are rounded, not the sizes, so that controls
// that touch in twips still touch in pixels.
RECT PixelRect(const window::TwipRect& twips, UINT dpi);

// 宋体 at `points` for a monitor of `dpi`, with the GB2312 character set: with the
// default set a font mapper may pick a face without Chinese glyphs.
HFONT CreateSongFont(double points, UINT dpi);

}  // namespace kneebrace::win32
