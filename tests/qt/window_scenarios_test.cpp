// The window's shared scenarios, the reference cases and a short random drive, played on
// the Qt window offscreen through the same probe interface as the fake and Win32 windows.
#include <string>
#include <vector>

#include <QtTest>

#include "qt/look.h"
#include "qt_probe.h"
#include "support/test_data.h"
#include "support/window_scenarios.h"

namespace {

QByteArray Lines(const std::vector<std::string>& failures) {
    std::string text;
    for (const std::string& f : failures) text += "\n" + f;
    return QByteArray::fromStdString(text);
}

}  // namespace

class WindowScenariosTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { kneebrace::ApplyApplicationLook(); }

    void scenario_data() {
        QTest::addColumn<int>("index");
        const auto scenarios = windowtest::WindowScenarios();
        for (std::size_t i = 0; i < scenarios.size(); ++i)
            QTest::newRow(std::string(windowtest::ScenarioName(scenarios[i])).c_str()) << int(i);
    }
    void scenario() {
        QFETCH(int, index);
        windowtest::QtProbe window;
        const auto failures =
            windowtest::RunScenario(window, windowtest::WindowScenarios()[std::size_t(index)]);
        QVERIFY2(failures.empty(), Lines(failures).constData());
    }

    // Every case whose steps a user can take in the window: the boxes typed, options
    // clicked, sizes picked in the list, Calculate pressed.
    void referenceCase_data() {
        QTest::addColumn<int>("index");
        const nlohmann::json& cases = testsupport::ReferenceCases();
        int reached = 0;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            if (!windowtest::ReachableThroughWindow(cases[i])) continue;
            ++reached;
            QTest::newRow(cases[i].at("name").get<std::string>().c_str()) << int(i);
        }
        QVERIFY(reached * 10 >= int(cases.size()) * 9);
    }
    void referenceCase() {
        QFETCH(int, index);
        windowtest::QtProbe window;
        const auto failures = windowtest::RunReferenceCase(
            window, testsupport::ReferenceCases().at(std::size_t(index)));
        QVERIFY2(failures.empty(), Lines(failures).constData());
    }

    // A short seeded drive; ./dev fuzz drives much longer under the sanitizers.
    void randomDrive_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {1U, 2U, 3U})
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }
    void randomDrive() {
        QFETCH(unsigned, seed);
        windowtest::QtProbe window;
        const auto failures = windowtest::RandomDrive(window, seed, 2000);
        QVERIFY2(failures.empty(), Lines(failures).constData());
    }
};

QTEST_MAIN(WindowScenariosTest)
#include "window_scenarios_test.moc"
