// The calculation book leaving the window: the commands greyed until there is a report,
// the exported and the printed PDF read back with poppler's tools against the layout
// (pages, lines, embedded fonts, no line below 9 pt), a print range reaching the file,
// an unwritable path and a full disk.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "qt/form15.h"
#include "qt/look.h"
#include "qt/report_menu.h"
#include "qt/report_printer.h"
#include "small_disk.h"
#include "window/project_file.h"

using namespace kneebrace;

namespace {

// A window whose dialogs the test answers: the PDF goes to pdfPath, the printer prints
// to printPath (either dialog cancels while its path is empty), messages are recorded.
struct Fixture {
    QString pdfPath, printPath, suggested, docName;
    PageRange range{0, 0};  // asked for in the print dialog when it starts above 0
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
            docName = printer.docName();
            printer.setOutputFileName(printPath);
            if (range.first > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(range.first, range.last);
            }
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
    // The report box's text with the engine's CR LF: what printing and export are to give,
    // the supplementary section included.
    std::string shown() const {
        return window->findChild<QPlainTextEdit*>("Text8")
            ->toPlainText()
            .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
            .toStdString();
    }
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

// The words' heights on every page, as pdftotext boxes them; the footer's "第" alone.
struct WordHeights {
    double smallest = 1e9;
    double footer = 0;
};

WordHeights MeasureWords(const QString& pdf) {
    WordHeights heights;
    const QRegularExpression word(
        R"re(<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re");
    auto it = word.globalMatch(Run(PDFTOTEXT, {"-bbox", pdf, "-"}));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const double height = m.captured(2).toDouble() - m.captured(1).toDouble();
        heights.smallest = std::min(heights.smallest, height);
        if (m.captured(3) == "第") heights.footer = height;
    }
    return heights;
}

// The page's text as pdftotext reads it: the header, then the lines row by row (the
// cells of a table row joined), each run of blanks made one.
QStringList PageText(const BookPage& page) {
    std::vector<const BookLine*> lines;
    for (const BookLine& line : page.lines) lines.push_back(&line);
    std::stable_sort(lines.begin(), lines.end(), [](const BookLine* a, const BookLine* b) {
        return a->baseline < b->baseline || (a->baseline == b->baseline && a->x < b->x);
    });
    QStringList rows{QString::fromStdString(page.header.text)};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString text = QString::fromStdString(lines[i]->text);
        if (i > 0 && lines[i]->baseline == lines[i - 1]->baseline) {
            rows.last() += " " + text;
        } else {
            rows << text;
        }
    }
    return Squeezed(rows);
}

// Page for page as the layout laid it out, the pages the ranges select: the rows in
// order, none cut, then the footer with the time of printing (the diagram's own labels
// may come between the rows on a page that has it); every font embedded (pdffonts: emb
// yes, Unicode map); no text smaller than 9 pt, against the footer drawn at the report
// font's full size. Returns the book as laid out.
ReportBook CheckPdfHoldsBook(const QString& pdf, const BookContent& content,
                             const std::vector<PageRange>& ranges = {}) {
    QPdfWriter sameLayout(QStringLiteral("/dev/null"));
    sameLayout.setPageLayout(ReportPageLayout());
    ReportBook book =
        LayOutBook(sameLayout, content, ToTimestamp(QDateTime::currentDateTime()), ranges);
    const auto count = int(book.selected.size());
    [&] {
        QVERIFY(
            Run(PDFINFO, {pdf}).contains(QRegularExpression(QString("Pages: +%1\n").arg(count))));
        const QStringList pages = Run(PDFTOTEXT, {"-layout", pdf, "-"}).split('\f');
        QCOMPARE(pages.size(), count + 1);  // a form feed ends every page
        for (int i = 0; i < count; ++i) {
            const BookPage& page = book.pages[std::size_t(book.selected[std::size_t(i)] - 1)];
            const QStringList want =
                PageText(page)
                << QString("第 %1 页 共 %2 页 ").arg(page.number).arg(book.pages.size());
            QStringList got = Squeezed(pages[i].split('\n'));
            QVERIFY(got.last().contains(QRegularExpression("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$")));
            got.last().chop(16);  // the date and time
            if (page.diagrams.empty()) {
                QCOMPARE(got, want);
                continue;
            }
            qsizetype at = 0;
            for (const QString& line : want) {
                while (at < got.size() && got[at] != line) ++at;
                QVERIFY2(at < got.size(), qPrintable(line));
            }
        }
        const QStringList fonts = Run(PDFFONTS, {pdf}).trimmed().split('\n').mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& row : fonts)
            QVERIFY2(row.contains(QRegularExpression(" yes +\\w+ +yes ")), qPrintable(row));
        const WordHeights heights = MeasureWords(pdf);
        QVERIFY(heights.footer > 0);
        QVERIFY2(heights.smallest >= heights.footer * 9 / ReportFontPoints() * 0.999,
                 qPrintable(QString("%1 against %2").arg(heights.smallest).arg(heights.footer)));
    }();
    return book;
}

// The book the window prints for the member it shows: as typed, as run, as the box shows it.
BookContent WindowBook(Form15& window) {
    const std::string box = window.findChild<QPlainTextEdit*>("Text8")
                                ->toPlainText()
                                .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
                                .toStdString();
    // Without a project only the date is filled in: the day it prints.
    BookHeading heading;
    heading.date = DateText(ToTimestamp(QDateTime::currentDateTime()));
    return MemberBook(heading,
                      ShownMember(window.presenter().CurrentMember(), window.designState(), box));
}

// A check whose second line is far wider than the sheet.
std::string WideReport() {
    std::string report = "(1).宽\r\n宽行";
    for (int i = 0; i < 60; ++i) report += " " + std::to_string(i);
    return report + "\r\n短行\r\n";
}

}  // namespace

class ReportPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplyApplicationLook(); }

    // Greyed until Calculate has shown a report, and again once the inputs no longer match
    // it (a fault after a change keeps the report, greyed). Enabled, their shortcuts reach
    // them from any control.
    void commandsFollowTheReport_data() {
        QTest::addColumn<QStringList>("sections");  // one Calculate each
        QTest::addColumn<bool>("enabled");
        QTest::newRow("start-up text, a fault") << QStringList{"500x200x6"} << false;
        QTest::newRow("report") << QStringList{"500x200x6x12"} << true;
        QTest::newRow("report, then fault") << QStringList{"500x200x6x12", "500x200x6"} << false;
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
                                     "导出 PDF…Ctrl+E" + on}));
        // Greyed over a report that no longer matches, the command says what to do.
        const QString tip = menu->actions().at(3)->toolTip();
        QCOMPARE(tip.contains("请先按“计算”"), sections.size() > 1);
        for (const char* focus : {"Text1", "Combo1", "Text8"}) {
            f.window->findChild<QWidget*>(focus)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        }
        const QStringList both{"pdf", "print"};
        QCOMPARE(f.dialogs, enabled ? both + both + both : QStringList{});
    }

    // The window's export: the default name in the documents folder, then the start-up
    // report; printing draws the same pages, those asked for in the dialog (a range
    // past the end of the book prints up to its end).
    void exportAndPrintGiveTheBook_data() {
        QTest::addColumn<int>("first");  // of the range asked for; 0 for every page
        QTest::addColumn<int>("last");
        QTest::newRow("every page") << 0 << 0;
        QTest::newRow("a range past the end") << 2 << 5;
    }
    void exportAndPrintGiveTheBook() {
        QFETCH(int, first);
        QFETCH(int, last);
        QTemporaryDir dir;
        Fixture f;
        f.pdfPath = dir.filePath("book.pdf");
        f.printPath = dir.filePath("printed.pdf");
        f.range = {first, last};
        f.calculate();
        f.trigger("exportPdf");
        f.trigger("printReport");
        QCOMPARE(f.messages, QStringList{});
        const QRegularExpression name("^隅撑计算书-L45X3-20\\d{6}-\\d{4}\\.pdf$");
        QVERIFY2(QFileInfo(f.suggested).fileName().contains(name), qPrintable(f.suggested));
        QVERIFY(f.shown().find("补充验算（现行规范）") != std::string::npos);
        CheckPdfHoldsBook(f.pdfPath, WindowBook(*f.window));
        std::vector<PageRange> asked;
        if (first > 0) asked.push_back({first, last});
        CheckPdfHoldsBook(f.printPath, WindowBook(*f.window), asked);
    }

    // The example project's book through the menu's export: every member calculated
    // afresh, the cover and summary first, each member from a page of its own; the
    // second export starts in the folder the first went to, and printing to a file
    // proposes the export's name.
    void projectBookHoldsEveryMember() {
        QFile file(QStringLiteral(KNEEBRACE_EXAMPLES "/示例工程.kbproj"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const window::ProjectReadResult read =
            window::ReadProject(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        QVERIFY(read.project);
        QTemporaryDir dir;
        Fixture f;
        f.pdfPath = dir.filePath("工程 计算书.pdf");
        auto* menu = f.window->findChild<ReportMenu*>();
        const BookContent content = ProjectBook(*read.project);
        menu->ExportBook(content, "工程.pdf");
        QCOMPARE(f.messages, QStringList{});
        const ReportBook book = CheckPdfHoldsBook(f.pdfPath, content);
        QCOMPARE(book.pages.size(), std::size_t(10));
        const QString text = Run(PDFTOTEXT, {f.pdfPath, "-"});
        for (const char* expected :
             {"构件汇总", "YC-1 刚架梁1左端", "YC-2 刚架梁2左端", "YC-3 边跨刚架梁 单侧",
              "第(6)项及补充验算S1、S2、S4不满足要求"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // The member pages begin where the book's title line is: one per member.
        std::ptrdiff_t starts = 0;
        for (const BookPage& page : book.pages)
            starts += std::count_if(page.lines.begin(), page.lines.end(),
                                    [](const BookLine& l) { return l.text == "隅撑计算书"; });
        QCOMPARE(starts, std::ptrdiff_t(1 + read.project->members.size()));

        menu->ExportBook(content, "二.pdf");
        QCOMPARE(f.suggested, QDir(dir.path()).filePath("二.pdf"));
        f.printPath.clear();  // the print dialog is cancelled
        menu->PrintBook(content, "二.pdf");
        QCOMPARE(f.docName, QStringLiteral("二.pdf"));
    }

    // A device that refuses the next page (a printer gone in the middle of a job) makes
    // the painting fail rather than report a book that did not come out.
    void refusedPageFailsThePainting() {
        struct RefusingWriter : QPdfWriter {
            using QPdfWriter::QPdfWriter;
            bool newPage() override { return false; }
        };
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        RefusingWriter writer(&buffer);
        writer.setPageLayout(ReportPageLayout());
        std::string report;
        for (int i = 0; i < 200; ++i) report += "行 " + std::to_string(i) + "\r\n";
        const ReportBook book = LayOutBook(writer, ReportBlocks(report), {});
        QVERIFY(book.pages.size() > 1);
        QVERIFY(!PaintBook(writer, book));
    }

    // A long line wraps; the book keeps its size. The blanks after a designation, which
    // the reader accepts and the header prints, once shrank every page to 0.35 mm lines.
    void longLinesWrap_data() {
        QTest::addColumn<QString>("section");  // typed before Calculate; none: WideReport()
        QTest::newRow("a line far wider than the page") << QString();
        QTest::newRow("1,000 blanks after the designation")
            << QString("500x200x6x12") + QString(1000, ' ');
    }
    void longLinesWrap() {
        QFETCH(QString, section);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("x.pdf");
        BookContent book = ReportBlocks(WideReport());
        if (section.isEmpty()) {
            QCOMPARE(WriteReportPdf(book, pdf, ToTimestamp(QDateTime::currentDateTime())),
                     std::nullopt);
        } else {
            Fixture f;
            f.pdfPath = pdf;
            f.calculate(section);
            f.trigger("exportPdf");
            QCOMPARE(f.messages, QStringList{});
            book = WindowBook(*f.window);
        }
        CheckPdfHoldsBook(pdf, book);
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
        QTest::addColumn<int>("freeKiB");  // of 124; the start-up book takes about 88
        QTest::addColumn<QByteArray>("command");
        for (const int free : {0, 4, 24, 40, 124})
            for (const char* command : {"exportPdf", "printReport"})
                QTest::addRow("%d KiB free, %s", free, command) << free << QByteArray(command);
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(int, freeKiB);
        QFETCH(QByteArray, command);
        const windowtest::SmallDisk disk;
        if (*disk.whyNot() != '\0') QSKIP(disk.whyNot());
        const QByteArray old = "the engineer's earlier book";
        QVERIFY(disk.Put("book.pdf", old));
        QVERIFY(disk.Fill(freeKiB));
        QFile book(disk.filePath("book.pdf"));
        Fixture f;
        f.pdfPath = f.printPath = book.fileName();
        f.calculate();
        f.trigger(command.constData());
        const QStringList left = QDir(disk.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, (QStringList{"book.pdf", "fill"}));  // no temporary file left over
        if (freeKiB == 124) {
            QCOMPARE(f.messages, QStringList{});
            CheckPdfHoldsBook(book.fileName(), WindowBook(*f.window));
            return;
        }
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages[0].contains("无法写入"), qPrintable(f.messages[0]));
        QVERIFY(book.open(QIODevice::ReadOnly));
        QCOMPARE(book.readAll(), old);
    }

    // A text shaped once measures as the font's metrics measure it (the layout's widths
    // and hanging indents stay as they were) and its glyph runs print what drawing the
    // string prints: the same text for pdftotext, the same pixels (pdftoppm, from the
    // same poppler-utils), a character that the Song face lacks included.
    void shapedTextsMatchDrawnText_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("Chinese and Latin by turns") << QByteArray("角钢Omvarel书 L45X3，i=0.9 mm²");
        QTest::newRow("blanks only: an indent") << QByteArray("      ");
        QTest::newRow("trailing blanks") << QByteArray("N=5067.6N   ");
        QTest::newRow("Greek, symbols, a combining mark") << QByteArray("λ=86.2 ≤ [λ] α×β e\u0301");
        QTest::newRow("invalid UTF-8") << QByteArray("x\xff\xfe y");
    }
    void shapedTextsMatchDrawnText() {
        QFETCH(QByteArray, utf8);
        const std::string bytes = utf8.toStdString();
        const QString text = FromUtf8(bytes);  // as the book's texts reach the toolkit
        QTemporaryDir dir;
        QString words[2];
        QByteArray pixels[2];
        for (const bool shapedOnce : {false, true}) {
            const QString pdf = dir.filePath(shapedOnce ? "shaped.pdf" : "drawn.pdf");
            QPdfWriter writer(pdf);
            writer.setPageLayout(ReportPageLayout());
            ShapedTexts shaped(writer);
            const QFontMetricsF metrics(ReportPrintFont(), &writer);
            QCOMPARE(shaped.Width(bytes), metrics.horizontalAdvance(text));
            QPainter painter(&writer);
            painter.setFont(ReportPrintFont());
            if (shapedOnce) {
                shaped.Draw(painter, bytes, QPointF(300, 1000));
            } else {
                painter.drawText(QPointF(300, 1000), text);
            }
            painter.end();
            words[shapedOnce] = Run(PDFTOTEXT, {"-layout", pdf, "-"});
            Run(qPrintable(QString(PDFTOTEXT).replace("pdftotext", "pdftoppm")),
                {"-r", "300", "-gray", "-singlefile", pdf, pdf});
            QFile picture(pdf + ".pgm");
            QVERIFY(picture.open(QIODevice::ReadOnly));
            pixels[shapedOnce] = picture.readAll();
        }
        QCOMPARE(words[1], words[0]);
        QVERIFY(pixels[1] == pixels[0]);
        // Both drawings are of the text, not of nothing alike: its first character is read
        // back and the page has ink (past the picture's short header).
        if (!text.trimmed().isEmpty()) {
            QVERIFY(words[0].contains(text.trimmed().left(1)));
            const QByteArray page = pixels[0].mid(64);
            QVERIFY(std::any_of(page.begin(), page.end(),
                                [](char grey) { return static_cast<unsigned char>(grey) < 128; }));
        }
    }
};

QTEST_MAIN(ReportPrintTest)
#include "report_print_test.moc"
