// The calculation book leaving the window: the commands greyed until there is a report,
// the exported and the printed PDF read back with poppler's tools against the
// pagination, and an unwritable path.
#include <memory>
#include <string>

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "qt/form15.h"
#include "qt/look.h"
#include "qt/report_menu.h"
#include "qt/report_printer.h"

using namespace kneebrace;

namespace {

// A window whose dialogs the test answers: the PDF goes to pdfPath, the printer prints
// to printPath (either dialog cancels while its path is empty), messages are recorded.
struct Fixture {
    QString pdfPath, printPath, suggested;
    QStringList messages, dialogs;
    std::unique_ptr<Form15> window;

    Fixture() {
        ReportDialogs d;
        d.choosePdfFile = [this](QWidget*, const QString& s) {
            dialogs << "pdf";
            return suggested = s, pdfPath;
        };
        d.setUpPrinter = [this](QWidget*, QPrinter& printer, int) {
            dialogs << "print";
            printer.setOutputFileName(printPath);
            return !printPath.isEmpty();
        };
        d.report = [this](QWidget*, const QString& t, const QString& m) { messages << t + m; };
        window = std::make_unique<Form15>([](QWidget*, const QString&, const QString&) {}, d);
        window->show();
    }
    // Calculate, with another H section typed first when one is given.
    void calculate(const QString& section = {}) const {
        auto* box = window->findChild<QLineEdit*>("Text1");
        if (!section.isEmpty()) box->setText(section);
        QTest::mouseClick(window->findChild<QToolButton*>("Command1"), Qt::LeftButton);
    }
    void trigger(const char* command) const { window->findChild<QAction*>(command)->trigger(); }
};

QString Run(const char* tool, const QStringList& args) {
    QProcess p;
    p.start(QString::fromUtf8(tool), args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// pdftotext rebuilds blanks from glyph positions, so its runs of blanks need not match
// the report's: lines are compared with every run made one blank, empty lines left out.
QStringList Squeezed(const QStringList& lines) {
    QStringList kept;
    for (const QString& line : lines)
        if (!line.simplified().isEmpty()) kept << line.simplified();
    return kept;
}

// Page for page as the pagination laid it out: the lines in order, none cut, then the
// footer with the time of printing; every font embedded (pdffonts: emb yes, Unicode map).
void CheckPdfHoldsBook(const QString& pdf, const std::string& report) {
    QPdfWriter sameLayout(QStringLiteral("/dev/null"));
    sameLayout.setPageLayout(ReportPageLayout());
    const PrintedBook book = LayOutBook(sameLayout, report, QDateTime::currentDateTime());
    const auto count = int(book.pages.size());
    QVERIFY(Run(PDFINFO, {pdf}).contains(QRegularExpression(QString("Pages: +%1\n").arg(count))));
    const QStringList pages = Run(PDFTOTEXT, {"-layout", pdf, "-"}).split('\f');
    QCOMPARE(pages.size(), count + 1);  // a form feed ends every page
    for (const ReportPage& page : book.pages) {
        QStringList want;
        for (const std::string& line : page.lines) want << QString::fromStdString(line);
        want = Squeezed(want) << QString("第 %1 页 共 %2 页 ").arg(page.number).arg(count);
        QStringList got = Squeezed(pages[page.number - 1].split('\n'));
        QVERIFY(got.last().contains(QRegularExpression("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$")));
        got.last().chop(16);  // the date and time
        QCOMPARE(got, want);
    }
    const QStringList fonts = Run(PDFFONTS, {pdf}).trimmed().split('\n').mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString& row : fonts)
        QVERIFY2(row.contains(QRegularExpression(" yes +\\w+ +yes ")), qPrintable(row));
}

}  // namespace

class ReportPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyApplicationLook(); }

    // Greyed until Calculate has shown a report; a later fault keeps the report and the
    // commands. Enabled, their shortcuts reach them from any control.
    void commandsFollowTheReport_data() {
        QTest::addColumn<QStringList>("sections");  // one Calculate each
        QTest::addColumn<bool>("enabled");
        QTest::newRow("start-up text, a fault") << QStringList{"500x200x6"} << false;
        QTest::newRow("report") << QStringList{"500x200x6x12"} << true;
        QTest::newRow("report, then fault") << QStringList{"500x200x6x12", "500x200x6"} << true;
    }
    void commandsFollowTheReport() {
        QFETCH(QStringList, sections);
        QFETCH(bool, enabled);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        for (const QString& section : sections) f.calculate(section);
        QStringList shown;
        const auto menu = f.window->findChild<ReportMenu*>()->CreateContextMenu();
        for (const QAction* a : menu->actions())
            shown << a->text() + a->shortcut().toString() + (a->isEnabled() ? "+" : "-");
        const QString on = enabled ? "+" : "-";
        QCOMPARE(shown, (QStringList{"复制Ctrl+C-", "全选Ctrl+A+", "+", "打印计算书…Ctrl+P" + on,
                                     "导出 PDF…Ctrl+S" + on}));
        for (const char* focus : {"Text1", "Combo1", "Text8"}) {
            f.window->findChild<QWidget*>(focus)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        }
        const QStringList both{"pdf", "print"};
        QCOMPARE(f.dialogs, enabled ? both + both + both : QStringList{});
    }

    // The window's export: the default name in the documents folder, then the start-up
    // report; printing draws the same pages.
    void exportAndPrintGiveTheBook() {
        QTemporaryDir dir;
        Fixture f;
        f.pdfPath = dir.filePath("book.pdf");
        f.printPath = dir.filePath("printed.pdf");
        f.calculate();
        f.trigger("exportPdf");
        f.trigger("printReport");
        QCOMPARE(f.messages, QStringList{});
        const QRegularExpression name("^隅撑计算书-L45X3-20\\d{6}-\\d{4}\\.pdf$");
        QVERIFY2(QFileInfo(f.suggested).fileName().contains(name), qPrintable(f.suggested));
        CheckPdfHoldsBook(f.pdfPath, f.window->designState().reportText);
        CheckPdfHoldsBook(f.printPath, f.window->designState().reportText);
    }

    // A line far wider than the page shrinks with its page and is not cut.
    void wideLineIsNotCut() {
        std::string report = "(1).宽\r\n宽行";
        for (int i = 0; i < 60; ++i) report += " " + std::to_string(i);
        report += "\r\n短行\r\n";
        QTemporaryDir dir;
        QCOMPARE(WriteReportPdf(report, dir.filePath("x.pdf"), QDateTime::currentDateTime()),
                 QString());
        CheckPdfHoldsBook(dir.filePath("x.pdf"), report);
    }

    // A path that cannot be written gets a Chinese message naming it, and no file.
    void unwritablePathLeavesNothing_data() {
        QTest::addColumn<QString>("path");  // in an empty folder
        QTest::newRow("missing folder") << "no-such-folder/book.pdf";
        QTest::newRow("name of a folder") << ".";
    }
    void unwritablePathLeavesNothing() {
        QFETCH(QString, path);
        QTemporaryDir dir;
        Fixture f;
        f.pdfPath = dir.filePath(path);
        f.calculate();
        f.trigger("exportPdf");
        QCOMPARE(f.messages.size(), 1);
        const QString named =
            "无法导出 PDF文件“" + QDir::toNativeSeparators(f.pdfPath) + "”无法写入";
        QVERIFY2(f.messages[0].startsWith(named), qPrintable(f.messages[0]));
        QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    // A disk that fills up while the book is written, by export and by the print
    // dialog's print-to-file: the user is told, and the file already there keeps its
    // bytes; with room enough the book arrives whole. The disk is a small file system of
    // the test's own, which only root may mount.
    void fullDiskKeepsTheOldFile_data() {
        QTest::addColumn<int>("freeKiB");  // of 124; the start-up book takes about 48
        QTest::addColumn<QByteArray>("command");
        for (const int free : {0, 4, 24, 40, 124})
            for (const char* command : {"exportPdf", "printReport"})
                QTest::addRow("%d KiB free, %s", free, command) << free << QByteArray(command);
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(int, freeKiB);
        QFETCH(QByteArray, command);
        if (geteuid() != 0) QSKIP("mounting the small file system needs root");
        QTemporaryDir dir;
        QProcess mount;
        mount.start("mount", {"-t", "tmpfs", "-o", "size=128k", "tmpfs", dir.path()});
        if (!mount.waitForFinished() || mount.exitCode() != 0)
            QSKIP("this machine lets no file system be mounted here");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {dir.path()}); });
        const QByteArray old = "the engineer's earlier book";
        QFile book(dir.filePath("book.pdf"));
        QVERIFY(book.open(QIODevice::WriteOnly) && book.write(old) == old.size());
        book.close();

        QFile fill(dir.filePath("fill"));
        QVERIFY(fill.open(QIODevice::WriteOnly));
        QCOMPARE(fill.write(QByteArray((124 - freeKiB) * 1024, 'x')), (124 - freeKiB) * 1024);
        fill.close();
        Fixture f;
        f.pdfPath = f.printPath = book.fileName();
        f.calculate();
        f.trigger(command.constData());
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, (QStringList{"book.pdf", "fill"}));  // no temporary file left over
        if (freeKiB == 124) {
            QCOMPARE(f.messages, QStringList{});
            CheckPdfHoldsBook(book.fileName(), f.window->designState().reportText);
            return;
        }
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages[0].contains("无法写入"), qPrintable(f.messages[0]));
        QVERIFY(book.open(QIODevice::ReadOnly));
        QCOMPARE(book.readAll(), old);
    }
};

QTEST_MAIN(ReportPrintTest)
#include "report_print_test.moc"
