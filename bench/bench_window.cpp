// How quickly the window answers: the time from main() to the first complete paint of
// the window, the time from a Calculate click until the new report has been painted,
// and the peak memory of the process (the sizing dialog's figures are
// bench_sizing_dialog's). Run offscreen (./dev bench sets it) or on a display.
//
//   bench_window                 all the figures
//   bench_window --first-paint   quit once the window is painted (bench_first_paint
//                                times the whole process, loading Qt included)
//   bench_window --first-paint --bare   the same for the baseline: the window's 28
//                                widgets, fonts and geometry, without its style sheet,
//                                translator or artwork
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "catalogue/angle_catalogue.h"
#include "qt/form15.h"
#include "qt/look.h"
#include "window/control_table.h"

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

// What any Qt window with these controls costs: one plain widget per row of the control
// table at its place, in its font and with its caption, the size list filled, the
// application font set, but no style sheet, no translator and no artwork.
QWidget* BareWindow() {
    using kneebrace::window::ControlKind;
    QApplication::setStyle(QStringLiteral("Fusion"));
    kneebrace::SetApplicationFont();
    auto* window = new QWidget;
    window->setFixedSize(kneebrace::ClientSize());
    for (const kneebrace::window::ControlRow& row : kneebrace::window::Form15Controls()) {
        QWidget* parent = row.parent.empty()
                              ? window
                              : window->findChild<QWidget*>(kneebrace::FromUtf8(row.parent));
        const QString caption = kneebrace::FromUtf8(row.caption);
        QWidget* w = nullptr;
        switch (row.kind) {
            case ControlKind::PictureBox: w = new QFrame(parent); break;
            case ControlKind::Frame: w = new QGroupBox(caption, parent); break;
            case ControlKind::Label: w = new QLabel(caption, parent); break;
            case ControlKind::StaleNote: {
                w = new QLabel(caption, parent);
                w->hide();  // the window shows it only over a stale report
                break;
            }
            case ControlKind::InputBox: w = new QLineEdit(caption, parent); break;
            case ControlKind::OptionButton: w = new QRadioButton(caption, parent); break;
            case ControlKind::CheckBox: w = new QCheckBox(caption, parent); break;
            case ControlKind::SizeList: {
                auto* combo = new QComboBox(parent);
                combo->setEditable(true);
                for (const kneebrace::AngleSection& a : kneebrace::AngleCatalogue())
                    combo->addItem(kneebrace::FromUtf8(a.designation));
                w = combo;
                break;
            }
            case ControlKind::PropertiesBox:
            case ControlKind::ReportBox: w = new QPlainTextEdit(caption, parent); break;
            case ControlKind::PictureButton: {
                auto* button = new QToolButton(parent);
                button->setText(caption);
                button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
                w = button;
                break;
            }
        }
        w->setObjectName(kneebrace::FromUtf8(row.name));
        w->setGeometry(kneebrace::PixelRect(row.rect));
        if (row.fontPoints > 0) w->setFont(kneebrace::SongFont(row.fontPoints));
    }
    return window;
}

double Milliseconds(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    bool firstPaintOnly = false;
    bool bare = false;
    for (int i = 1; i < argc; ++i) {
        firstPaintOnly |= std::strcmp(argv[i], "--first-paint") == 0;
        bare |= std::strcmp(argv[i], "--bare") == 0;
    }

    QApplication app(argc, argv);
    std::unique_ptr<QWidget> shown;
    if (bare) {
        shown.reset(BareWindow());
    } else {
        kneebrace::ApplyApplicationLook();
        shown =
            std::make_unique<kneebrace::Form15>([](QWidget*, const QString&, const QString&) {});
    }
    QWidget& window = *shown;

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
    if (bare) {
        std::printf("first paint of the bare window (from main): %8.1f ms\n", firstPaint);
        return 0;
    }

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
