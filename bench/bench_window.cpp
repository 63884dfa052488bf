// How quickly the window answers: the time from main() to the first complete paint of
// the window, the time from a Calculate click until the new report has been painted,
// and the peak memory of the process (the sizing dialog's figures are
// bench_sizing_dialog's). Run offscreen (./dev bench sets it) or on a display.
//
//   bench_window                 all the figures
//   bench_window --first-paint   quit once the window is painted (for hyperfine, which
//                                then times the whole process including loading Qt)
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "qt/form15.h"
#include "qt/look.h"

#if defined(_WIN32)
#include <psapi.h>
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace {

double PeakMegabytes() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
    return -1;
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
#endif
}

// Notes the paint events of one widget.
class PaintSpy : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

double Milliseconds(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    bool firstPaintOnly = false;
    for (int i = 1; i < argc; ++i) firstPaintOnly |= std::strcmp(argv[i], "--first-paint") == 0;

    QApplication app(argc, argv);
    kneebrace::ApplyApplicationLook();
    kneebrace::Form15 window([](QWidget*, const QString&, const QString&) {});

    // The window and all its controls are painted in one pass; the first timer after the
    // window's own paint event runs once that pass is over.
    PaintSpy windowPaint;
    window.installEventFilter(&windowPaint);
    window.show();
    while (!windowPaint.painted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (sinceMain.elapsed() > 10000) {
            std::fprintf(stderr, "the window was never painted\n");
            return 1;
        }
    }
    QCoreApplication::processEvents();
    const double firstPaint = Milliseconds(sinceMain);
    window.removeEventFilter(&windowPaint);
    if (firstPaintOnly) return 0;

    auto* calculate = window.findChild<QToolButton*>(QStringLiteral("Command1"));
    auto* report = window.findChild<QPlainTextEdit*>(QStringLiteral("Text8"));
    PaintSpy reportPaint;
    report->viewport()->installEventFilter(&reportPaint);

    constexpr int kClicks = 200;
    std::vector<double> clicks, handlers;
    clicks.reserve(kClicks);
    handlers.reserve(kClicks);
    for (int i = 0; i < kClicks; ++i) {
        reportPaint.painted = false;
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(calculate, Qt::LeftButton);
        handlers.push_back(Milliseconds(t));  // the run and the new text in the box
        while (!reportPaint.painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        clicks.push_back(Milliseconds(t));
    }
    std::sort(clicks.begin(), clicks.end());
    std::sort(handlers.begin(), handlers.end());
    const int fault = report->toPlainText().startsWith(QStringLiteral("计算结果")) ? 1 : 0;

    std::printf("first paint (from main):          %8.1f ms   goal 150 ms\n", firstPaint);
    std::printf(
        "Calculate click to report painted: median %.3f ms, 95%% %.3f ms, max %.3f ms "
        "over %d clicks   goal 5 ms\n",
        clicks[kClicks / 2], clicks[kClicks * 95 / 100], clicks.back(), kClicks);
    std::printf("  of which the click handler:      median %.3f ms, 95%% %.3f ms\n",
                handlers[kClicks / 2], handlers[kClicks * 95 / 100]);

    std::printf("peak memory (resident):           %8.1f MB   goal 60 MB\n", PeakMegabytes());
    if (fault) std::fprintf(stderr, "the report was not shown: the figures are not valid\n");
    return fault;
}
