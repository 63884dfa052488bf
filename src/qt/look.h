// The window's look on Qt, shared by the program, its tests and its benchmark: one style
// on every platform, the Song face at the sizes the layout was drawn for, Qt's own
// Chinese texts, the shared colours and the twip grid on the screen.
#pragma once

#include <string_view>

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

#include "window/control_table.h"
#include "window/look.h"

namespace kneebrace {

// The window's default font: every control without a font of its own uses it.
inline constexpr double kWindowFontPoints = window::kWindowFontPoints;

// 宋体 at the given size. Windows has SimSun; Debian has no SimSun, so the Song (Ming)
// face of fonts-arphic-uming, which shares SimSun's grid, or Noto Serif CJK SC stands in.
// A bare "宋体" would fall back to a sans face with Japanese glyph forms.
QFont SongFont(double points);

// The engine's UTF-8 text as Qt's: the one place text crosses into the toolkit.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor Colour(window::Rgb c) { return {c.red, c.green, c.blue}; }

// A twip rectangle in device-independent pixels: Qt lays out at 96 of them an inch on
// every screen and scales the whole window for the screen's density.
QRect PixelRect(const window::TwipRect& r);
QSize ClientSize();

// The window's style sheet: frames with their caption on the line, blue captions and
// properties text, orange picture buttons. Fusion colours group boxes from the palette,
// which would turn every caption inside blue too, and colours on buttons only stick when
// a border is given as well.
QString WindowStyleSheet();

// A picture of the table's artwork ("calc.svg"), compiled into the program.
QIcon Artwork(std::string_view file);

// The application font alone: the window's default 宋体.
void SetApplicationFont();

// Style, application font and Qt's Chinese translation. Must run after the QApplication
// exists and before any widget does: a style sheet on the window cuts its children off
// from the window's font, so the font has to come from the application.
void ApplyApplicationLook();

}  // namespace kneebrace
