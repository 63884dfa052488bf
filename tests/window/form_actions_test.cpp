// What the window's handlers do to the record, whichever toolkit draws the window.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "catalogue/angle_catalogue.h"
#include "core/fault.h"
#include "window/form_actions.h"

namespace {

using namespace kneebrace;
using namespace kneebrace::window;

TEST(FormActions, OptionsWriteTheirCodeAndTextAndLeaveTheOtherGroup) {
    struct Row {
        const char* option;
        int grade;
        int layout;
        const char* gradeText;
        const char* layoutText;
    };
    const Row rows[] = {
        {"Option2", 2, 1, ",材质Q345", "双侧"}, {"Option1", 1, 1, ",材质Q235", "双侧"},
        {"Option4", 1, 2, ",材质Q235", "单侧"}, {"Option3", 1, 1, ",材质Q235", "双侧"},
        {"Option5", 1, 1, ",材质Q235", "双侧"},  // not an option: nothing changes
    };
    DesignState s = LoadForm();
    s.gradeCode = 2;  // so that Option1 has something to put back
    s.gradeText = ",材质Q345";
    ClickOption(s, "Option1");
    for (const Row& r : rows) {
        ClickOption(s, r.option);
        EXPECT_EQ(s.gradeCode, r.grade) << r.option;
        EXPECT_EQ(s.layoutCode, r.layout) << r.option;
        EXPECT_EQ(s.gradeText, r.gradeText) << r.option;
        EXPECT_EQ(s.layoutText, r.layoutText) << r.option;
    }
}

TEST(FormActions, OnlyAClicksTwoValuesSwitchTheGapBox) {
    EXPECT_EQ(GapBoxEnabledAfter(CheckValue::Ticked), true);
    EXPECT_EQ(GapBoxEnabledAfter(CheckValue::Cleared), false);
    EXPECT_EQ(GapBoxEnabledAfter(CheckValue::Greyed), std::nullopt);
}

TEST(FormActions, ATypedSizeIsPickedOnlyWhenItNamesACatalogueSize) {
    struct Row {
        const char* typed;
        bool picks;
        const char* shown;
    };
    const Row rows[] = {{"L63X5", true, "L63X5"},   {"l63x5", false, "L45X3"},
                        {" L63X5", false, "L45X3"}, {"L63X", false, "L45X3"},
                        {"", false, "L45X3"},       {"L125X14", true, "L125X14"},
                        {"L63X5 ", false, "L45X3"}};
    const DesignState start = LoadForm();
    for (const Row& r : rows) {
        const TypedSize t = CommitTypedSize(start, r.typed);
        EXPECT_EQ(t.picks, r.picks) << r.typed;
        EXPECT_EQ(t.fieldText, r.shown) << r.typed;
    }
    // Once a size is picked, a wrong text gives way to that size, not the first one.
    DesignState picked = LoadForm();
    PickSize(picked, "L70X6");
    EXPECT_EQ(CommitTypedSize(picked, "L70").fieldText, "L70X6");
    for (const AngleSection& row : AngleCatalogue())
        if (row.designation == "L70X6") {
            EXPECT_EQ(picked.A0, row.A0);
        }
}

TEST(FormActions, CalculateShowsTheReportOrTheFaultAndKeepsTheOldReport) {
    DesignState s = LoadForm();
    InputTexts in = StartupInputTexts();
    EXPECT_EQ(Calculate(s, in), std::nullopt);
    const std::string report = s.reportText;
    EXPECT_NE(report.find("(7)."), std::string::npos);

    in.Text1 = "500x200x6";  // the fourth number is missing
    const auto fault = Calculate(s, in);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->title, FaultKindTitle(FaultKind::SubscriptOutOfRange));
    EXPECT_FALSE(fault->text.empty());
    EXPECT_EQ(s.reportText, report);
}

// Adopting a sizing row is a pick from the list, at its list place; a designation the
// list does not have changes nothing.
TEST(FormActions, AdoptingASizeIsAPickAtItsListPlace) {
    const std::pair<const char*, std::optional<std::size_t>> rows[] = {
        {"L45X3", 0}, {"L63X5", 13}, {"L125X14", 52}, {"l63x5", std::nullopt}, {"", std::nullopt}};
    for (const auto& [designation, place] : rows) {
        DesignState adopted = LoadForm();
        PickSize(adopted, "L70X6");  // the size in force, which an ignored adoption keeps
        DesignState picked = adopted;
        if (place) PickSize(picked, designation);
        EXPECT_EQ(AdoptSize(adopted, designation), place) << designation;
        EXPECT_EQ(adopted.angleModel, picked.angleModel) << designation;
        EXPECT_EQ(adopted.A0, picked.A0) << designation;
        EXPECT_EQ(adopted.anglePropsText, picked.anglePropsText) << designation;
    }
}

// The sizing gives the table, or the very message Calculate gives for a fault no size
// can mend. A fault of the size in force alone (a bolt hole wider than L45X3) stops
// Calculate but not the table, where the other sizes show.
TEST(FormActions, OpeningTheSizingGivesTheTableOrCalculatesFault) {
    const std::pair<const char*, bool> bolts[] = {{"14", false}, {"100", false}, {"-14", true}};
    for (const auto& [bolt, faults] : bolts) {
        DesignState s = LoadForm();
        InputTexts in = StartupInputTexts();
        in.Text6 = bolt;
        const SizingOutcome outcome = OpenSizing(s, in);
        EXPECT_EQ(outcome.view.has_value(), !faults) << bolt;
        ASSERT_EQ(outcome.fault.has_value(), faults) << bolt;
        if (!faults) continue;
        const std::optional<FaultMessage> calculated = Calculate(s, in);
        ASSERT_TRUE(calculated.has_value());
        EXPECT_EQ(outcome.fault->title, calculated->title);
        EXPECT_EQ(outcome.fault->text, calculated->text);
    }
}

// With the section on, the web thickness is read strictly and first: anything but a
// positive number is refused naming the box, before the run stores anything. Off, the box
// is not read at all and the report box shows the seven alone.
TEST(FormActions, CalculateWithTheSectionReadsTheWebFirst) {
    struct Row {
        const char* web;
        bool on;
        bool refused;
    };
    const Row rows[] = {
        {"2", true, false},   {" 2.5 ", true, false}, {"", true, true},   {"abc", true, true},
        {"2mm", true, true},  {"0", true, true},      {"-0", true, true}, {"-1.5", true, true},
        {"1e39", true, true}, {"abc", false, false},
    };
    for (const Row& r : rows) {
        DesignState s = LoadForm();
        s.reportText = "earlier report";
        const Calculated out = Calculate(s, StartupInputTexts(), {r.on, r.web, 1});
        if (r.refused) {
            ASSERT_TRUE(out.fault.has_value()) << r.web;
            EXPECT_EQ(out.fault->title, "檩条腹板厚度无效") << r.web;
            EXPECT_NE(out.fault->text.find("檩条腹板厚 tp="), std::string::npos) << r.web;
            EXPECT_EQ(s.reportText, "earlier report") << r.web;
            EXPECT_EQ(s.L0, LoadForm().L0) << r.web;  // nothing stored
            EXPECT_EQ(out.reportBox, "") << r.web;
            continue;
        }
        ASSERT_FALSE(out.fault.has_value()) << r.web << ": " << out.fault->text;
        ASSERT_EQ(out.reportBox.compare(0, s.reportText.size(), s.reportText), 0) << r.web;
        const std::string section = out.reportBox.substr(s.reportText.size());
        EXPECT_EQ(section.find("补充验算（现行规范）") != std::string::npos, r.on) << r.web;
    }
}

// With the section on, sizing reads the web first, as Calculate does: a web it refuses
// gives Calculate's very message, even before a bad designation. Off, the web is not read.
TEST(FormActions, OpeningTheSizingWithTheSectionReadsTheWebFirst) {
    const std::tuple<SupplementaryInputs, const char*, std::size_t> rows[] = {
        {{true, "2", 1}, "500x200x6x12", kSizingColumnCountWithCodes},
        {{true, "0", 1}, "500x200x6x12", 0},  // 0: a fault
        {{true, "", 2}, "abc", 0},
        {{false, "abc", 1}, "500x200x6x12", kSizingColumnCount},
    };
    for (const auto& [codes, designation, columns] : rows) {
        InputTexts in = StartupInputTexts();
        in.Text1 = designation;
        const SizingOutcome outcome = OpenSizing(LoadForm(), in, codes);
        DesignState s = LoadForm();
        const std::optional<FaultMessage> fault = Calculate(s, in, codes).fault;
        EXPECT_EQ(outcome.view ? outcome.view->columnCount() : 0, columns) << codes.webText;
        if (columns != 0) continue;
        ASSERT_TRUE(outcome.fault && fault) << codes.webText;
        EXPECT_EQ(outcome.fault->text, fault->text) << codes.webText;
    }
}

}  // namespace
