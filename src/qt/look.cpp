#include "qt/look.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QStringList>
#include <QTranslator>

namespace kneebrace {

namespace {

constexpr int kDpi = 96;

QString Css(window::Rgb c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red).arg(c.green).arg(c.blue);
}

}  // namespace

QFont SongFont(double points) {
    QFont font;
    // The first installed family wins; all glyphs then come from that one face.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

QRect PixelRect(const window::TwipRect& r) {
    // The edges are rounded, not the sizes, so that controls that touch still touch.
    const int x = window::TwipsToPixels(r.left, kDpi);
    const int y = window::TwipsToPixels(r.top, kDpi);
    return {x, y, window::TwipsToPixels(r.right(), kDpi) - x,
            window::TwipsToPixels(r.bottom(), kDpi) - y};
}

QSize ClientSize() {
    return PixelRect({0, 0, window::kClientWidthTwips, window::kClientHeightTwips}).size();
}

QString WindowStyleSheet() {
    using namespace window;
    return QStringLiteral(
               "QGroupBox { border: 1px solid %1; margin-top: 6px; }"
               "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
               " left: 6px; padding: 0 1px; color: %2; }"
               "QToolButton[picture=\"true\"] { background-color: %3;"
               " border: 1px solid %4; border-radius: 2px; }"
               "QToolButton[picture=\"true\"]:focus { border-color: %5; }"
               "QToolButton[picture=\"true\"]:pressed { background-color: %6; border-color: %7; }"
               "QPlainTextEdit#Text7 { color: %2; }"
               "QPlainTextEdit#Text8[stale=\"true\"] { color: %8; }"
               "QLabel#Label8 { color: %9; }")
        .arg(Css(kFrameBorder), Css(kCaptionBlue), Css(kPictureButtonFace),
             Css(kPictureButtonBorder), Css(kPictureButtonFocusBorder),
             Css(kPictureButtonPressedFace), Css(kPictureButtonPressedBorder), Css(kStaleReport),
             Css(kStaleNoteText));
}

QIcon Artwork(std::string_view file) {
    const QString svg = QStringLiteral(":/artwork/") + FromUtf8(file);
    if (qGuiApp->devicePixelRatio() != 1.0) return QIcon(svg);
    // On a screen of scale one the window draws the picture rendered when the program was
    // built: the same pixels, without parsing SVG and finding a face for the drawing's
    // Latin labels before the first paint. Told the format, Qt does not load every image
    // plugin to ask whether one of them reads it better than its own reader.
    for (const char* format : {"ppm", "png"}) {
        const QString path = QString(svg).replace(QLatin1String("svg"), QLatin1String(format));
        if (!QFile::exists(path)) continue;
        QImageReader picture(path, format);
        picture.setAutoDetectImageFormat(false);
        return QIcon(QPixmap::fromImage(picture.read()));
    }
    return QIcon(svg);
}

void SetApplicationFont() { QApplication::setFont(SongFont(kWindowFontPoints)); }

void ApplyApplicationLook() {
    // Fusion draws the same on Windows, on a Linux desktop and offscreen, so the fixed
    // layout looks alike everywhere.
    QApplication::setStyle(QStringLiteral("Fusion"));
    SetApplicationFont();

    // "确定"/"取消" in message boxes and Chinese context menus in the text boxes. The
    // translator lives as long as the application.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else delete translator;
}

}  // namespace kneebrace
