#include "qt/report_menu.h"

#include <optional>
#include <utility>
#include <vector>

#include <QAction>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>

#include "qt/look.h"
#include "qt/report_printer.h"
#include "window/report_pages.h"

namespace kneebrace {

namespace {

// A command of the whole window: its shortcut works wherever the focus is, as long as
// the command is enabled.
QAction* WindowCommand(QWidget& window, const QString& text, const char* name,
                       const QKeySequence& keys) {
    auto* action = new QAction(text, &window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    window.addAction(action);
    return action;
}

// The user's documents folder, or the home folder where there is none yet.
QString DocumentsFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

}  // namespace

ReportDialogs SystemReportDialogs() {
    ReportDialogs dialogs;
    dialogs.choosePdfFile = [](QWidget* parent, const QString& suggestedPath) {
        const QFileInfo suggested(suggestedPath);
        QFileDialog dialog(parent, QStringLiteral("导出 PDF"), suggested.path(),
                           QStringLiteral("PDF 文件 (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        dialog.selectFile(suggested.fileName());
        if (dialog.exec() != QDialog::Accepted) return QString();
        return dialog.selectedFiles().value(0);
    };
    dialogs.setUpPrinter = [](QWidget* parent, QPrinter& printer, int pageCount) {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("打印计算书"));
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                          QAbstractPrintDialog::PrintShowPageSize);
        dialog.setMinMax(1, pageCount);
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.report = [](QWidget* parent, const QString& title, const QString& message) {
        QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
        // Chinese even where Qt's translation is not installed.
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
        box.exec();
    };
    return dialogs;
}

ReportMenu::ReportMenu(QWidget& window, QPlainTextEdit& reportBox, ReportDialogs dialogs)
    : QObject(&window), window_(window), reportBox_(reportBox), dialogs_(std::move(dialogs)) {
    print_ = WindowCommand(window, QStringLiteral("打印计算书…"), "printReport",
                           QKeySequence(Qt::CTRL | Qt::Key_P));
    export_ = WindowCommand(window, QStringLiteral("导出 PDF…"), "exportPdf",
                            QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(print_, &QAction::triggered, this, &ReportMenu::Print);
    connect(export_, &QAction::triggered, this, &ReportMenu::ExportPdf);

    reportBox_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&reportBox_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const std::unique_ptr<QMenu> menu = CreateContextMenu();
        // A scroll area reports the point on its viewport.
        menu->exec(reportBox_.viewport()->mapToGlobal(at));
    });
}

std::unique_ptr<QMenu> ReportMenu::CreateContextMenu() const {
    auto menu = std::make_unique<QMenu>();
    // A greyed command's tooltip says why it is greyed.
    menu->setToolTipsVisible(true);
    QAction* copy = menu->addAction(QStringLiteral("复制"), &reportBox_, &QPlainTextEdit::copy);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(reportBox_.textCursor().hasSelection());
    QAction* selectAll =
        menu->addAction(QStringLiteral("全选"), &reportBox_, &QPlainTextEdit::selectAll);
    selectAll->setShortcut(QKeySequence::SelectAll);
    menu->addSeparator();
    menu->addAction(print_);
    menu->addAction(export_);
    return menu;
}

void ReportMenu::ReportShown(BookMember member) {
    const bool shown = shown_.Show(std::move(member));
    print_->setEnabled(shown);
    export_->setEnabled(shown);
}

void ReportMenu::Print() {
    const Timestamp now = ToTimestamp(QDateTime::currentDateTime());
    if (shown_.Shown()) PrintBook(shown_.Content(now), shown_.FileName(now));
}

void ReportMenu::ExportPdf() {
    const Timestamp now = ToTimestamp(QDateTime::currentDateTime());
    if (shown_.Shown()) ExportBook(shown_.Content(now), shown_.FileName(now));
}

void ReportMenu::PrintBook(const BookContent& content, const std::string& fileName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    // The dialog offers the pages of the book on the printer it opens with.
    const ReportBook offered =
        LayOutBook(printer, content, ToTimestamp(QDateTime::currentDateTime()));
    if (offered.fault) {
        Complain(*offered.fault, false);
        return;
    }
    // Qt's print dialog proposes the document's name for printing to a file, its last
    // suffix replaced by ".pdf": the name the export proposes.
    printer.setDocName(FromUtf8(fileName));
    if (!dialogs_.setUpPrinter(&window_, printer, static_cast<int>(offered.pages.size()))) return;

    std::vector<PageRange> ranges;
    if (printer.printRange() == QPrinter::PageRange)
        ranges.push_back({printer.fromPage(), printer.toPage()});
    // The footers carry the time the pages were made, after the dialog.
    const Timestamp now = ToTimestamp(QDateTime::currentDateTime());
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        // Printing to a file: QPrinter would write the file in place, and a failure half
        // way would leave a truncated book where the user's file was. The export's
        // writer replaces the file only once the whole book is on the disk.
        const std::optional<BookFault> fault =
            WriteReportPdf(content, printer.outputFileName(), now, printer.pageLayout(), ranges);
        if (fault) Complain(*fault, false, printer.outputFileName());
        return;
    }
    // Laid out again for the paper and printer the user chose, and painted with the
    // texts shaped there.
    ShapedTexts texts(printer);
    const ReportBook book = LayOutBook(printer, content, now, ranges, &texts);
    if (book.fault) {
        Complain(*book.fault, false);
    } else if (!PaintBook(printer, book, &texts)) {
        Complain(BookFault::PrinterRefused, false);
    }
}

void ReportMenu::ExportBook(const BookContent& content, const std::string& fileName) {
    if (lastFolder_.isEmpty()) lastFolder_ = DocumentsFolder();
    const QString path =
        dialogs_.choosePdfFile(&window_, QDir(lastFolder_).filePath(FromUtf8(fileName)));
    if (path.isEmpty()) return;
    // The folder the user chose is where the next export starts, even if this one
    // fails: they will most likely mend the disk or the name and try there again.
    lastFolder_ = QFileInfo(path).absolutePath();
    const std::optional<BookFault> fault =
        WriteReportPdf(content, path, ToTimestamp(QDateTime::currentDateTime()));
    if (fault) Complain(*fault, true, path);
}

void ReportMenu::Complain(BookFault fault, bool exporting, const QString& path) const {
    const window::FaultMessage message =
        BookFaultMessage(fault, exporting, QDir::toNativeSeparators(path).toStdString());
    dialogs_.report(&window_, FromUtf8(message.title), FromUtf8(message.text));
}

}  // namespace kneebrace
