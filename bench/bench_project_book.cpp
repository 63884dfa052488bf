// A project's book of 50 members exported as a PDF, offscreen: what 导出工程计算书 PDF…
// costs after the file dialog. The content (every member calculated afresh and put into
// blocks) and the PDF (laid out, painted and written through the safe writer) are
// timed apart, so that a slow export says which half to look at.
// bench_project_book --book=FILE writes the book once to FILE, dated as the runs date it,
// and times nothing: the file to compare, page by page and as text, before and after a
// change to the painting.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "fifty_members.h"
#include "qt/report_printer.h"
#include "window/report_book.h"

namespace {

using namespace kneebrace;

// The minute every book here is printed at, so that two files differ only by the painting.
const Timestamp kBenchDate{2026, 12, 7, 14, 30};

void BM_ProjectBookContent50(benchmark::State& state) {
    const window::Project p = window::FiftyMembers();
    for (auto _ : state) {
        const BookContent content = ProjectBook(p);
        benchmark::DoNotOptimize(&content);
    }
}
BENCHMARK(BM_ProjectBookContent50)->Unit(benchmark::kMillisecond);

void BM_ExportProjectBook50(benchmark::State& state) {
    const BookContent content = ProjectBook(window::FiftyMembers());
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("工程计算书.pdf"));
    for (auto _ : state) {
        if (WriteReportPdf(content, path, kBenchDate)) {  // a fault: nothing written
            state.SkipWithError("the book was not written");
            break;
        }
    }
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(BM_ExportProjectBook50)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString book = QStringLiteral("--book=");
    if (argc == 2 && QString::fromLocal8Bit(argv[1]).startsWith(book)) {
        const QString path = QString::fromLocal8Bit(argv[1]).mid(book.size());
        return WriteReportPdf(ProjectBook(window::FiftyMembers()), path, kBenchDate) ? 1 : 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
