// kneebrace_pdf FILE: opens the window (offscreen is enough), presses Calculate and
// exports the calculation book to FILE through the window's own 导出 PDF… command, the
// file dialog answered with FILE. A developer's tool for looking at the printed pages;
// the program itself takes no command line.
#include <cstdio>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QStringList>
#include <QToolButton>

#include "qt/form15.h"
#include "qt/look.h"
#include "qt/report_menu.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: kneebrace_pdf FILE\n", stderr);
        return 2;
    }
    QString file = QFileInfo(args[1]).absoluteFilePath();
    kneebrace::ApplyApplicationLook();

    bool failed = false;
    auto complain = [&failed](QWidget*, const QString& title, const QString& message) {
        failed = true;
        std::fprintf(stderr, "%s\n%s\n", qPrintable(title), qPrintable(message));
    };
    kneebrace::ReportDialogs dialogs;
    dialogs.choosePdfFile = [&file](QWidget*, const QString&) { return file; };
    dialogs.setUpPrinter = [](QWidget*, QPrinter&, int) { return false; };
    dialogs.report = complain;
    kneebrace::Form15 window(complain, dialogs);
    window.show();

    window.findChild<QToolButton*>(QStringLiteral("Command1"))->click();
    auto* exportPdf = window.findChild<QAction*>(QStringLiteral("exportPdf"));
    if (failed || exportPdf == nullptr || !exportPdf->isEnabled()) {
        std::fputs("kneebrace_pdf: Calculate gave no report to export\n", stderr);
        return 1;
    }
    exportPdf->trigger();
    if (failed || !QFileInfo::exists(file)) return 1;
    std::printf("%s\n", qPrintable(file));
    return 0;
}
