// The pictures compiled into the program: the diagram, decoded from the PNG rendered
// for the display scale nearest above the monitor's, and the icons at a pixel size.
// Each resource is named after the artwork it was rendered from, in capitals, so that a
// control table row's artwork finds it: "calc.svg" is the icon CALC, "diagram.svg" at
// 125 % the PNG DIAGRAM125.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "window/control_table.h"

namespace kneebrace::win32 {

// The diagram's size at 96 dpi; it is shown unscaled there.
inline constexpr int kDiagramWidth = window::kDiagramWidthPixels;
inline constexpr int kDiagramHeight = window::kDiagramHeightPixels;

// The resource rendered from `artwork`; `scale` in percent for the diagram, 0 for an icon.
std::wstring ArtworkResource(std::string_view artwork, int scale = 0);

// The renderings of the diagram, in percent of 96 dpi, smallest first.
inline constexpr int kDiagramScales[] = {100, 125, 150, 175, 200};

// The rendering to draw on a monitor of `dpi`: the smallest that is at least as large
// as the diagram is to be shown (drawn 1:1 or scaled down), else the largest.
int DiagramScaleFor(UINT dpi);

// A decoded picture: a top-down 32-bit DIB section.
class Picture {
public:
    Picture() = default;
    Picture(HBITMAP bitmap, SIZE size) : bitmap_(bitmap), size_(size) {}
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture();

    HBITMAP bitmap() const { return bitmap_; }
    SIZE size() const { return size_; }

private:
    HBITMAP bitmap_ = nullptr;
    SIZE size_{};
};

// The diagram's rendering for `scale` percent; empty if the resource cannot be decoded.
Picture LoadDiagram(HINSTANCE instance, std::string_view artwork, int scale);

// Draws `picture` into `target`, scaled with halftoning when the sizes differ.
void DrawPicture(HDC dc, const Picture& picture, const RECT& target);

// The picture box: a one-pixel sunken frame and the diagram from the top left of its
// inside, the size it has at 96 dpi times the monitor's scale.
void DrawDiagram(const DRAWITEMSTRUCT& item, const Picture& diagram, UINT dpi);

// An orange picture button: icon above caption, darker while pressed, its border darker
// with the focus and while pressed, and a dotted focus rectangle inside.
void DrawPictureButton(const DRAWITEMSTRUCT& item, HICON icon, std::string_view caption, HFONT font,
                       UINT dpi);

// The icon rendered from `artwork` at `pixels` square; the caller destroys it.
HICON LoadArtworkIcon(HINSTANCE instance, std::string_view artwork, int pixels);

}  // namespace kneebrace::win32
