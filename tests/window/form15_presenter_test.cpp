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

// A fault shows its message after the marks, keeps the report and the print command.
TEST(Form15Presenter, FaultKeepsTheReportAndMarksComeFirst) {
    FakeProbe w;
    w.Click("Command1");
    const std::string report = w.Text("Text8");
    ASSERT_EQ(report, w.Record().reportText);
    ASSERT_TRUE(w.Printable());
    w.Type("Text9", "35mm");
    w.Type("Text1", "500x200x6");
    w.Press("Text1", windowtest::Key::Enter);
    ASSERT_EQ(w.Faults().size(), 1U);
    EXPECT_EQ(w.Text("Text8"), report);
    EXPECT_TRUE(w.Printable());
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
    EXPECT_EQ(w.Text("Text8"), w.Record().reportText);
    EXPECT_NE(w.Text("Text8").find("L70X5"), std::string::npos);
    ASSERT_TRUE(w.Sizing({.sortBy = {}, .adopt = false, .row = {}}));
    EXPECT_EQ(w.Text("Combo1"), "L70X5");
}

}  // namespace
