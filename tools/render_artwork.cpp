// render_artwork ASSETS OUT: every picture the control table names, rendered by Qt's own
// SVG renderer at the size the window draws it on a screen of scale one. The Qt window's
// build runs it, so that the window's first paint draws finished pictures instead of
// parsing SVG and looking for a face for the drawing's labels. The drawing, which paints
// its own paper, is saved as OUT/<name>.ppm, which is read several times faster than a
// PNG; the button icons, on a transparent ground, as OUT/<name>.png.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStringList>

#include "window/control_table.h"
#include "window/look.h"

int main(int argc, char* argv[]) {
    using namespace kneebrace::window;
    QGuiApplication app(argc, argv);  // the build runs it offscreen
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: render_artwork ASSETS OUT\n", stderr);
        return 2;
    }
    for (const ControlRow& row : Form15Controls()) {
        if (row.artwork.empty()) continue;
        const QString svg = QString::fromUtf8(row.artwork.data(), qsizetype(row.artwork.size()));
        const QSize size = row.kind == ControlKind::PictureBox
                               ? QSize(kDiagramWidthPixels, kDiagramHeightPixels)
                               : QSize(kPictureButtonIconPixels, kPictureButtonIconPixels);
        const QImage image = QIcon(QDir(args[1]).filePath(svg)).pixmap(size, 1.0).toImage();
        const bool opaque = row.kind == ControlKind::PictureBox;
        const QString file =
            QDir(args[2]).filePath(QString(svg).replace(".svg", opaque ? ".ppm" : ".png"));
        if (image.size() != size || image.hasAlphaChannel() == opaque || !image.save(file)) {
            std::fprintf(stderr, "render_artwork: could not render %s (Qt's SVG plugins?)\n",
                         qPrintable(svg));
            return 1;
        }
    }
    return 0;
}
