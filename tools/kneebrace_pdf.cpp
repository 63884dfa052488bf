// kneebrace_pdf FILE: opens the window (offscreen is enough), presses Calculate and
// exports the calculation book to FILE through the window's own 导出 PDF… command, the
// file dialog answered with FILE.
// kneebrace_pdf --project PROJECT FILE: exports the book of the project file PROJECT,
// every member calculated afresh, through the same command's writer.
// A developer's tool for looking at the printed pages; the program itself takes no
// command line.
#include <cstdio>
#include <string_view>

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QToolButton>

#include "qt/form15.h"
#include "qt/look.h"
#include "qt/report_menu.h"
#include "window/project_file.h"
#include "window/report_book.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const bool project = args.size() == 4 && args[1] == QStringLiteral("--project");
    if (args.size() != 2 && !project) {
        std::fputs("usage: kneebrace_pdf FILE | kneebrace_pdf --project PROJECT FILE\n", stderr);
        return 2;
    }
    QString file = QFileInfo(args.back()).absoluteFilePath();
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

    if (project) {
        QFile in(args[2]);
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "kneebrace_pdf: cannot read %s\n", qPrintable(args[2]));
            return 1;
        }
        const QByteArray bytes = in.readAll();
        const kneebrace::window::ProjectReadResult read =
            kneebrace::window::ReadProject(std::string_view(bytes.constData(), bytes.size()));
        if (!read.project) {
            std::fprintf(stderr, "%s\n", read.message.c_str());
            return 1;
        }
        window.findChild<kneebrace::ReportMenu*>()->ExportBook(
            kneebrace::ProjectBook(*read.project), file.toStdString());
        if (failed || !QFileInfo::exists(file)) return 1;
        std::printf("%s\n", qPrintable(file));
        return 0;
    }

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
