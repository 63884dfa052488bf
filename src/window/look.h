// The window's own colours and its twip grid, stated once: both front ends paint from
// these, so the two windows cannot drift apart in a shade or a pixel.
#pragma once

namespace kneebrace::window {

struct Rgb {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kCaptionBlue{0, 0, 255};  // frame captions and the properties text
inline constexpr Rgb kFrameBorder{160, 160, 160};
inline constexpr Rgb kPictureButtonFace{255, 192, 128};
inline constexpr Rgb kPictureButtonPressedFace{230, 170, 110};
inline constexpr Rgb kPictureButtonBorder{160, 160, 160};
inline constexpr Rgb kPictureButtonFocusBorder{64, 64, 64};
inline constexpr Rgb kPictureButtonPressedBorder{90, 90, 90};
inline constexpr Rgb kMarkedBox{0xFF, 0xD7, 0xD7};   // a number box read in part
inline constexpr Rgb kStaleReport{128, 128, 128};    // the report's text once inputs changed
inline constexpr Rgb kStaleNoteText{192, 0, 0};      // the note that says so
inline constexpr int kPictureButtonIconPixels = 32;  // at 96 dpi

// A twip length on a screen of `dpi` dots per inch, rounded half away from zero (1440
// twips an inch: 15 twips a pixel at 96 dpi). Applied to edges, not sizes, so that
// controls that touch in twips still touch in pixels.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

}  // namespace kneebrace::window
