// kneebrace: the window of the knee-brace calculator. No command line and no settings:
// every value lives as long as the window, unless the user saves a project file.
#include <QApplication>

#include "qt/look.h"
#include "qt/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets desktops match the window to its desktop entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kneebrace.kneebrace"));
    kneebrace::ApplyApplicationLook();
    kneebrace::MainWindow window;
    window.show();
    return QApplication::exec();
}
