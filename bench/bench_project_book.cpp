// A project's book of 50 members exported as a PDF, offscreen: what 导出工程计算书 PDF…
// costs after the file dialog. The content (every member calculated afresh and put into
// blocks) and the PDF (laid out, painted and written through the safe writer) are
// timed apart, so that a slow export says which half to look at.
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
    const Timestamp when{2026, 12, 7, 14, 30};
    for (auto _ : state) {
        if (WriteReportPdf(content, path, when)) {  // a fault: nothing written
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
