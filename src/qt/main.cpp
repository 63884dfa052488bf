// kneebrace: the window of the knee-brace calculator. No command line, no settings, no
// files: every value lives as long as the window.
#include <QApplication>

#include "qt/form15.h"
#include "qt/look.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets desktops match the window to its desktop entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kneebrace.kneebrace"));
    kneebrace::ApplyApplicationLook();
    kneebrace::Form15 window;
    window.show();
    return QApplication::exec();
}
