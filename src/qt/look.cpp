#include "qt/look.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace kneebrace {

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

QRect TwipsRect(int left, int top, int width, int height) {
    const int x = TwipsToPixels(left);
    const int y = TwipsToPixels(top);
    return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

void ApplyApplicationLook() {
    // Fusion draws the same on Windows, on a Linux desktop and offscreen, so the fixed
    // layout looks alike everywhere.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(SongFont(kWindowFontPoints));

    // "确定"/"取消" in message boxes and Chinese context menus in the text boxes. The
    // translator lives as long as the application.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else delete translator;
}

}  // namespace kneebrace
