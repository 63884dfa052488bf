// The window's shared scenarios, the reference cases and the random drive, played on the
// presenter over the fake view: the same tables the Qt and Win32 windows run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_window.h"
#include "support/test_data.h"
#include "support/window_scenarios.h"

namespace {

using windowtest::FakeProbe;
using windowtest::Lines;

class WindowScenario : public ::testing::TestWithParam<std::size_t> {};

TEST_P(WindowScenario, HoldsOnTheFakeWindow) {
    const windowtest::Scenario& scenario = windowtest::WindowScenarios()[GetParam()];
    FakeProbe window;
    const std::vector<std::string> failures = windowtest::RunScenario(window, scenario);
    EXPECT_TRUE(failures.empty()) << windowtest::ScenarioName(scenario) << "\n" << Lines(failures);
}

INSTANTIATE_TEST_SUITE_P(All, WindowScenario,
                         ::testing::Range<std::size_t>(0, windowtest::WindowScenarios().size()),
                         [](const auto& info) { return windowtest::ScenarioTestName(info.param); });

TEST(WindowReferenceCases, EveryReachableCaseThroughTheFakeWindow) {
    const nlohmann::json& cases = testsupport::ReferenceCases();
    std::size_t reached = 0;
    for (const nlohmann::json& c : cases) {
        if (!windowtest::ReachableThroughWindow(c)) continue;
        ++reached;
        FakeProbe window;
        const std::vector<std::string> failures = windowtest::RunReferenceCase(window, c);
        EXPECT_TRUE(failures.empty()) << c.at("name").get<std::string>() << "\n" << Lines(failures);
    }
    // Only the few cases that hand the pick a text no list entry has stay out.
    EXPECT_GE(reached * 10, cases.size() * 9);
}

// A few thousand actions, in-process; a failure names its seed and action to replay.
TEST(WindowRandomDrive, FakeWindowAgreesWithTheEngine) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        FakeProbe window;
        const std::vector<std::string> failures = windowtest::RandomDrive(window, seed, 800);
        EXPECT_TRUE(failures.empty()) << Lines(failures);
    }
}

}  // namespace
