// The window's shared scenarios, the reference cases and a short random drive, played on
// the real Win32 window under wine through the Win32Probe: the same tables the fake and
// the Qt window run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_data.h"
#include "support/window_scenarios.h"
#include "win32_probe.h"

namespace {

using win32test::Win32Probe;
using windowtest::Lines;

class WindowScenario : public ::testing::TestWithParam<std::size_t> {};

TEST_P(WindowScenario, HoldsOnTheWin32Window) {
    const windowtest::Scenario& scenario = windowtest::WindowScenarios()[GetParam()];
    Win32Probe window;
    const std::vector<std::string> failures = windowtest::RunScenario(window, scenario);
    EXPECT_TRUE(failures.empty()) << windowtest::ScenarioName(scenario) << "\n" << Lines(failures);
}

INSTANTIATE_TEST_SUITE_P(All, WindowScenario,
                         ::testing::Range<std::size_t>(0, windowtest::WindowScenarios().size()),
                         [](const auto& info) { return windowtest::ScenarioTestName(info.param); });

// Every case whose picks the list offers, on a fresh window each.
class ReferenceCase : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ReferenceCase, ShowsTheExactReport) {
    const nlohmann::json& c = testsupport::ReferenceCases().at(GetParam());
    if (!windowtest::ReachableThroughWindow(c))
        GTEST_SKIP() << "picks a size the list does not offer";
    Win32Probe window;
    const std::vector<std::string> failures = windowtest::RunReferenceCase(window, c);
    EXPECT_TRUE(failures.empty()) << c.at("name").get<std::string>() << "\n" << Lines(failures);
}

INSTANTIATE_TEST_SUITE_P(All, ReferenceCase,
                         ::testing::Range<std::size_t>(0, testsupport::ReferenceCases().size()));

// A short seeded drive, a fresh window a seed; a failure names its seed and action, and
// win32_random_drive replays it.
TEST(Win32RandomDrive, AgreesWithTheEngine) {
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        Win32Probe window;
        EXPECT_EQ(Lines(windowtest::RandomDrive(window, seed, 200)), "");
    }
}

}  // namespace
