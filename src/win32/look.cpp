#include "win32/look.h"

#include <cmath>

namespace kneebrace::win32 {

int ScaleFor(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); }

RECT PixelRect(const window::TwipRect& twips, UINT dpi) {
    const int d = static_cast<int>(dpi);
    return RECT{window::TwipsToPixels(twips.left, d), window::TwipsToPixels(twips.top, d),
                window::TwipsToPixels(twips.right(), d), window::TwipsToPixels(twips.bottom(), d)};
}

HFONT CreateSongFont(double points, UINT dpi) {
    // Character height in pixels: tenths of a point, 720 of them an inch.
    const int tenths = static_cast<int>(std::lround(points * 10));
    return CreateFontW(-MulDiv(tenths, static_cast<int>(dpi), 720), 0, 0, 0, FW_NORMAL, FALSE,
                       FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

}  // namespace kneebrace::win32
