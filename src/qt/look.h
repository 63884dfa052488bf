// The window's look, shared by the program, its tests and its benchmark: one style on
// every platform, the Song face at the sizes the layout was drawn for, Qt's own Chinese
// texts, and the twip grid the layout is measured in.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

#include "window/control_table.h"

namespace kneebrace {

// The window's default font: every control without a font of its own uses it. The
// layout's label and check-box widths were drawn for 宋体 9 pt.
inline constexpr double kWindowFontPoints = window::kWindowFontPoints;

// 宋体 at the given size. Windows has SimSun; Debian has no SimSun, so the Song (Ming)
// face of fonts-arphic-uming, which shares SimSun's grid, or Noto Serif CJK SC stands in.
// A bare "宋体" would fall back to a sans face with Japanese glyph forms.
QFont SongFont(double points);

// The engine's UTF-8 text as Qt's: the one place text crosses into the toolkit.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Twips (1/1440 inch) to device-independent pixels, 15 twips a pixel. The edges are
// rounded, not the sizes, so that controls that touch in twips still touch in pixels.
inline int TwipsToPixels(int twips) { return qRound(twips / 15.0); }
QRect TwipsRect(int left, int top, int width, int height);

// Style, application font and Qt's Chinese translation. Must run after the QApplication
// exists and before any widget does: a style sheet on the window cuts its children off
// from the window's font, so the font has to come from the application.
void ApplyApplicationLook();

}  // namespace kneebrace
