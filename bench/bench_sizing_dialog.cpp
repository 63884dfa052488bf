// How quickly the sizing dialog opens, against a bare table dialog with the same cells.
// Three figures, taken in turns so that both dialogs see the same machine:
//   - the click on the sizing button until its dialog has been painted (the 53 runs, the
//     table's content, the dialog built, sized and painted), in the real window;
//   - the runs and the content alone (BuildSizingView);
//   - the baseline: a parentless QDialog holding a QTableWidget of the same texts, one
//     plain item per cell, no delegate, no style sheet, at the real dialog's size and
//     column widths, so that it paints as many cells.
// The dialog is on target when it takes no more than 1.2 times the baseline plus the
// runs. Each figure is given as elapsed time and as the processor time the program used
// meanwhile, which a machine busy with other work disturbs less. Run offscreen
// (./dev bench sets it) or on a display.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>
#include <vector>

#include "core/calculation_run.h"
#include "qt/form15.h"
#include "qt/look.h"
#include "window/sizing_view.h"

namespace {

using namespace kneebrace;

// Elapsed and processor time since start().
class Clock {
public:
    void start() {
        elapsed_.start();
        processor_ = std::clock();
    }
    double ElapsedMs() const { return static_cast<double>(elapsed_.nsecsElapsed()) / 1e6; }
    double ProcessorMs() const {
        return 1000.0 * static_cast<double>(std::clock() - processor_) / CLOCKS_PER_SEC;
    }

private:
    QElapsedTimer elapsed_;
    std::clock_t processor_ = 0;
};

struct Times {
    std::vector<double> elapsed, processor;
    void Note(const Clock& clock) {
        elapsed.push_back(clock.ElapsedMs());
        processor.push_back(clock.ProcessorMs());
    }
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

// Calls `painted` with the next dialog that paints, once its first paint pass is over:
// the first timer after the dialog's own paint event runs once its children are painted
// too.
class DialogPaintSpy : public QObject {
public:
    std::function<void(QDialog&)> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!painted || event->type() != QEvent::Paint) return false;
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog == nullptr) return false;
        QTimer::singleShot(0, dialog,
                           [dialog, then = std::exchange(painted, {})] { then(*dialog); });
        return false;
    }
};

// What the baseline copies from the real dialog, so that both paint as many cells: the
// dialog's size and its columns' widths.
struct Shape {
    QSize size;
    std::vector<int> widths;
};

// The baseline: what any table dialog of these cells costs in this Qt.
void RunBareTableDialog(const SizingView& view, const Shape& shape) {
    QDialog dialog;
    dialog.resize(shape.size);
    auto* table = new QTableWidget(static_cast<int>(view.rows.size()),
                                   static_cast<int>(kSizingColumnCount), &dialog);
    QStringList headers;
    for (const std::string& header : view.headers) headers.append(FromUtf8(header));
    table->setHorizontalHeaderLabels(headers);
    for (std::size_t r = 0; r < view.rows.size(); ++r)
        for (std::size_t c = 0; c < kSizingColumnCount; ++c)
            table->setItem(static_cast<int>(r), static_cast<int>(c),
                           new QTableWidgetItem(FromUtf8(view.rows[r].cells[c].text)));
    for (std::size_t c = 0; c < shape.widths.size(); ++c)
        table->horizontalHeader()->resizeSection(static_cast<int>(c), shape.widths[c]);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    dialog.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ApplyApplicationLook();
    Form15 window([](QWidget*, const QString&, const QString&) {});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    auto* sizing = window.findChild<QToolButton*>(QStringLiteral("Command2"));
    const SizingView view = BuildSizingView(StartupDesignState(), StartupInputTexts());

    Times dialog, bare, runs;
    Clock clock;
    DialogPaintSpy spy;
    qApp->installEventFilter(&spy);
    QTimer watchdog;  // a dialog that is never painted is closed, and the figures dropped
    watchdog.setSingleShot(true);
    bool lost = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        lost = true;
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) open->reject();
    });
    Shape shape;
    auto noteInto = [&](Times& times) {
        return [&times, &clock, &shape](QDialog& d) {
            times.Note(clock);
            if (shape.widths.empty()) {
                shape.size = d.size();
                if (auto* table = d.findChild<QTableView*>())
                    for (int c = 0; c < table->horizontalHeader()->count(); ++c)
                        shape.widths.push_back(table->horizontalHeader()->sectionSize(c));
            }
            d.reject();
        };
    };

    constexpr int kOpenings = 40;
    for (int i = 0; i < kOpenings && !lost; ++i) {
        watchdog.start(30000);  // generous: under valgrind too
        spy.painted = noteInto(dialog);
        clock.start();
        QTest::mouseClick(sizing, Qt::LeftButton);  // returns once the dialog has closed

        spy.painted = noteInto(bare);
        clock.start();
        RunBareTableDialog(view, shape);

        clock.start();
        const SizingView built = BuildSizingView(StartupDesignState(), StartupInputTexts());
        runs.Note(clock);
        if (built.rows.size() != view.rows.size()) lost = true;
    }
    watchdog.stop();
    if (lost || dialog.elapsed.size() != kOpenings || bare.elapsed.size() != kOpenings) {
        std::fprintf(stderr, "a dialog was not painted: no figures\n");
        return 1;
    }
    std::printf("medians over %d openings, ms          elapsed  processor\n", kOpenings);
    auto row = [](const char* what, const std::vector<double>& elapsed,
                  const std::vector<double>& processor) {
        std::printf("%-36s %8.3f %10.3f\n", what, Median(elapsed), Median(processor));
    };
    row("sizing click to dialog painted", dialog.elapsed, dialog.processor);
    row("  the 53 runs and the content", runs.elapsed, runs.processor);
    row("bare QTableWidget dialog, 53 x 11", bare.elapsed, bare.processor);
    const double target = 1.2 * Median(bare.elapsed) + Median(runs.elapsed);
    const double cpuTarget = 1.2 * Median(bare.processor) + Median(runs.processor);
    std::printf("%-36s %8.3f %10.3f\n", "target, 1.2 x bare + runs", target, cpuTarget);
    std::printf("%-36s %8.2f %10.2f\n", "dialog / (bare + runs)",
                Median(dialog.elapsed) / (Median(bare.elapsed) + Median(runs.elapsed)),
                Median(dialog.processor) / (Median(bare.processor) + Median(runs.processor)));
    return 0;
}
