// The report box's context menu and the window's two commands that send the calculation
// book out of the program: 打印计算书… (Ctrl+P) and 导出 PDF… (Ctrl+E), and the same
// two for any book (a project's) that the window hands them. Both stay greyed
// until the box shows a report; their shortcuts work wherever the focus is in the window.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <QObject>
#include <QString>

#include "window/report_book.h"
#include "window/report_pages.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace kneebrace {

// The dialogs the commands open, passed in so that tests can answer them.
struct ReportDialogs {
    // Asks where the PDF goes, starting from `suggestedPath`; empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& suggestedPath)> choosePdfFile;
    // Lets the user set up `printer`; true when they chose to print.
    std::function<bool(QWidget* parent, QPrinter& printer, int pageCount)> setUpPrinter;
    // Tells why the book did not leave the program: a short title and the message.
    std::function<void(QWidget* parent, const QString& title, const QString& message)> report;
};

// The program's dialogs: QFileDialog, QPrintDialog and a modal warning box.
ReportDialogs SystemReportDialogs();

// Installs the menu and the commands on the window. Lives as a child of the window.
class ReportMenu : public QObject {
    Q_OBJECT  // so that findChild and qobject_cast tell it from other objects

        public : ReportMenu(QWidget& window, QPlainTextEdit& reportBox, ReportDialogs dialogs);

    // The report box shows a new report: the commands act on its member from now on.
    void ReportShown(BookMember member);
    // Who signs the window's book: asked at each print and export.
    void SetHeadingSource(std::function<BookHeading()> source) {
        shown_.SetHeadingSource(std::move(source));
    }

    // The box's context menu as it would open now.
    std::unique_ptr<QMenu> CreateContextMenu() const;

    // 打印计算书…: the print dialog, then the book on the chosen printer.
    void Print();
    // 导出 PDF…: the file dialog, then the book as a PDF file.
    void ExportPdf();

    // The print dialog, then `book` on the chosen printer; print-to-file proposes
    // `fileName`, as the export does.
    void PrintBook(const BookContent& book, const std::string& fileName);
    // The file dialog, in the folder last used, proposing `fileName`; then `book` as a
    // PDF file.
    void ExportBook(const BookContent& book, const std::string& fileName);

private:
    // Tells the user why the book did not leave the program.
    void Complain(BookFault fault, bool exporting, const QString& path = {}) const;

    QWidget& window_;
    QPlainTextEdit& reportBox_;
    ReportDialogs dialogs_;
    QAction* print_ = nullptr;
    QAction* export_ = nullptr;
    ShownBook shown_;     // the member the report box shows
    QString lastFolder_;  // where the last PDF went, while the program runs
};

}  // namespace kneebrace
