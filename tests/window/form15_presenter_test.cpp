// The presenter's order of steps, seen through the fake view: what the window is told,
// and when. The scenarios that every window runs live in tests/support.
#include <gtest/gtest.h>

#include "core/calculation_run.h"
#include "support/fake_window.h"
#include "support/test_data.h"

namespace {

using windowtest::FakeProbe;

TEST(Form15Presenter, LoadsTheStartUpRecordAndFocusesTheDesignation) {
    FakeProbe w;
    EXPECT_EQ(w.Focus(), "Text1");
    EXPECT_EQ(w.Text("Text7"), w.Record().anglePropsText);
    EXPECT_FALSE(w.Printable());
    EXPECT_FALSE(w.Enabled("Text2"));
}

// A fault shows its message after the marks and keeps the report, which no longer matches
// the inputs: it is not printed.
TEST(Form15Presenter, FaultKeepsTheReportAndMarksComeFirst) {
    FakeProbe w;
    w.Click("Command1");
    const std::string report = w.Text("Text8");
    ASSERT_TRUE(report.starts_with(w.Record().reportText));  // the seven, then the section
    ASSERT_TRUE(w.Printable());
    w.Type("Text9", "35mm");
    w.Type("Text1", "500x200x6");
    w.Press("Text1", windowtest::Key::Enter);
    ASSERT_EQ(w.Faults().size(), 1U);
    EXPECT_EQ(w.Text("Text8"), report);
    EXPECT_TRUE(w.ReportStale());
    EXPECT_FALSE(w.Printable());
    EXPECT_TRUE(w.Marked("Text9"));
    w.Type("Text9", "35");
    EXPECT_FALSE(w.Marked("Text9"));
}

// A size typed and put back is not picked; one that names a size is, as a pick is.
TEST(Form15Presenter, TypedSizeIsPickedOrPutBack) {
    FakeProbe w;
    w.TypeSize("L63X5", true);
    EXPECT_EQ(w.Record().angleModel, "L63X5");
    w.TypeSize("L63X99", false);
    EXPECT_EQ(w.Text("Combo1"), "L63X5");
    EXPECT_EQ(w.Record().angleModel, "L63X5");
}

// An adopted row becomes the size in force and is calculated at once.
TEST(Form15Presenter, AdoptedSizeIsPickedAndCalculated) {
    FakeProbe w;
    ASSERT_TRUE(w.Sizing({.sortBy = {}, .adopt = true, .row = "L70X5"}));
    EXPECT_EQ(w.Text("Combo1"), "L70X5");
    EXPECT_TRUE(w.Text("Text8").starts_with(w.Record().reportText));
    EXPECT_NE(w.Text("Text8").find("L70X5"), std::string::npos);
    ASSERT_TRUE(w.Sizing({.sortBy = {}, .adopt = false, .row = {}}));
    EXPECT_EQ(w.Text("Combo1"), "L70X5");
}

// What the sizing table is to be built with: the section's switch and the purlin steel as
// last clicked, the web thickness as its box holds it, none of them needing a Calculate.
TEST(Form15Presenter, SupplementaryInputsFollowTheirControls) {
    FakeProbe w;
    const auto start = w.presenter().Supplementary();
    w.Click("Check2");
    w.Click("Option6");
    w.Type("Text10", "2.5");
    const auto now = w.presenter().Supplementary();
    EXPECT_EQ(now.on, !start.on);
    EXPECT_EQ(now.webText, "2.5");
    EXPECT_EQ(now.steelCode, 2);
    w.Click("Option5");
    EXPECT_EQ(w.presenter().Supplementary().steelCode, 1);
}

}  // namespace
