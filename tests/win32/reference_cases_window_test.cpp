// The reference scenarios through the Win32 window: option clicks, size picks and
// input texts go in through the window's controls, Calculate is pressed, and the
// report box must hold the expected report byte for byte, CR LF included; a run that
// must fail shows its fault's message and leaves the report box as it was.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>

#include "catalogue/angle_catalogue.h"
#include "core/fault.h"
#include "support/test_data.h"
#include "support/text_diff.h"
#include "window_driver.h"

namespace {

using Json = nlohmann::json;

// The message title the window shows for a fault of the kind the data names.
std::string TitleOfKind(const std::string& kindName) {
    for (int k = 0;; ++k) {
        const auto kind = static_cast<kneebrace::FaultKind>(k);
        const std::string_view name = kneebrace::FaultKindName(kind);
        if (name == kindName) return std::string(kneebrace::FaultKindTitle(kind));
        if (name == "Unknown") return "unknown fault kind " + kindName;
    }
}

// Whether every size the scenario picks is one the list offers. A few scenarios hand
// the pick handler texts no list entry has (a trailing tab, lower case, nothing); the
// engine's own reference test covers those, a window cannot produce them.
bool PicksOnlyListEntries(const Json& c) {
    const auto catalogue = kneebrace::AngleCatalogue();
    for (const Json& step : c.at("steps")) {
        if (step.at("op").get<std::string>() != "select") continue;
        const auto text = step.at("text").get<std::string>();
        if (std::none_of(catalogue.begin(), catalogue.end(),
                         [&](const kneebrace::AngleSection& a) { return a.designation == text; }))
            return false;
    }
    return true;
}

// One step of a scenario, as a user would do it in the window.
void ApplyStep(win32test::WindowDriver& ui, const Json& step) {
    const auto op = step.at("op").get<std::string>();
    if (op == "grade") {
        ui.Click(step.at("code").get<int>() == 1 ? "Option1" : "Option2");
    } else if (op == "layout") {
        ui.Click(step.at("code").get<int>() == 1 ? "Option3" : "Option4");
    } else if (op == "select") {
        ui.Pick(step.at("text").get<std::string>());
    } else if (op == "run") {
        const Json& in = step.at("inputs");
        for (const char* box : {"Text1", "Text3", "Text4", "Text5", "Text6", "Text9"})
            ui.SetText(box, in.at(box).get<std::string>());
        // The gap box is locked until its check box is ticked.
        if (ui.Text("Text2") != in.at("Text2").get<std::string>()) {
            if (!IsWindowEnabled(ui.Get("Text2"))) ui.Click("Check1");
            ui.SetText("Text2", in.at("Text2").get<std::string>());
        }
        ui.Calculate();
    } else {
        FAIL() << "unknown step " << op;
    }
}

class ReferenceCasesThroughTheWindow : public ::testing::TestWithParam<int> {};

TEST_P(ReferenceCasesThroughTheWindow, ReportBoxShowsTheExactReport) {
    const Json& c = testsupport::ReferenceCases().at(static_cast<std::size_t>(GetParam()));
    SCOPED_TRACE(c.at("name").get<std::string>());
    if (!PicksOnlyListEntries(c)) GTEST_SKIP() << "picks a size the list does not offer";
    win32test::WindowDriver ui;
    std::size_t runs = 0;
    for (const Json& step : c.at("steps")) {
        const std::string before = ui.Report();
        const std::size_t faultsBefore = ui.faults().size();
        ApplyStep(ui, step);
        if (step.at("op").get<std::string>() != "run") continue;
        const Json& expect = c.at("expect").at(runs++);
        if (expect.at("fault").is_null()) {
            EXPECT_EQ(ui.faults().size(), faultsBefore) << "run " << runs;
        } else {
            ASSERT_EQ(ui.faults().size(), faultsBefore + 1) << "run " << runs;
            EXPECT_EQ(ui.faults().back().title, TitleOfKind(expect.at("fault").get<std::string>()));
            EXPECT_FALSE(ui.faults().back().text.empty());
            EXPECT_EQ(ui.Report(), before) << "a fault must leave the report box as it was";
        }
        const std::string diff =
            testsupport::DescribeDifference(expect.at("report").get<std::string>(), ui.Report());
        EXPECT_TRUE(diff.empty()) << "run " << runs << ": " << diff;
    }
    EXPECT_EQ(runs, c.at("expect").size());
    const std::string diff =
        testsupport::DescribeDifference(c.at("anglePropsBox").get<std::string>(), ui.Text("Text7"));
    EXPECT_TRUE(diff.empty()) << "properties box: " << diff;
}

INSTANTIATE_TEST_SUITE_P(AllCases, ReferenceCasesThroughTheWindow,
                         ::testing::Range(0,
                                          static_cast<int>(testsupport::ReferenceCases().size())));

}  // namespace
