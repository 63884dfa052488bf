// qt_random_drive SEED ACTIONS: one long session on the Qt window, offscreen, of ACTIONS
// seeded random actions, each checked against a fresh engine run (./dev fuzz runs it
// under the sanitizers). The first disagreement is printed with the seed and the action
// that replay it; the exit status is 1 then, 2 for a wrong command line.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>

#include "qt/look.h"
#include "qt_probe.h"
#include "support/window_scenarios.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    bool seedRead = false;
    bool countRead = false;
    const unsigned seed = args.value(1).toUInt(&seedRead);
    const int actions = args.value(2).toInt(&countRead);
    if (args.size() != 3 || !seedRead || !countRead || actions <= 0) {
        std::fputs("usage: qt_random_drive SEED ACTIONS\n", stderr);
        return 2;
    }
    kneebrace::ApplyApplicationLook();
    windowtest::QtProbe window;
    const std::vector<std::string> failures = windowtest::RandomDrive(window, seed, actions);
    for (const std::string& failure : failures) std::fprintf(stderr, "%s\n", failure.c_str());
    std::printf("seed %u, %d actions: %s\n", seed, actions,
                failures.empty() ? "no fault" : "FAULT");
    return failures.empty() ? 0 : 1;
}
