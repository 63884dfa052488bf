// The sizing dialog's content as both front ends draw it: what is flagged red, what a
// faulted size shows, the order a header click gives and the line above the table.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/fault.h"
#include "window/sizing_view.h"

namespace kneebrace {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A row whose checks use the given ratios; a ratio above 1 fails, as a verdict would.
SizingRow Row(const char* designation, float A0, std::array<double, kCheckCount> uses) {
    SizingRow r;
    r.designation = designation;
    r.A0 = A0;
    r.massPerMetre = A0 * 0.00785;
    r.passesAll = true;
    for (std::size_t k = 0; k < kCheckCount; ++k) {
        r.checks[k] = {uses[k] <= 1, uses[k]};
        r.passesAll = r.passesAll && r.checks[k].passes;
    }
    return r;
}

SizingRow FaultRow(const char* designation, float A0, FaultKind kind) {
    SizingRow r;
    r.designation = designation;
    r.A0 = A0;
    r.massPerMetre = A0 * 0.00785;
    r.fault = kind;
    r.faultMessage = "message";
    return r;
}

SizingView ViewOf(const std::vector<SizingRow>& rows) {
    return MakeSizingView(StartupDesignState(), StartupInputTexts(), rows);
}

constexpr std::size_t Check(std::size_t n) { return kSizingFirstCheckColumn + n - 1; }

TEST(SizingView, FlagsExactlyTheFailingCells) {
    const SizingView view = ViewOf({
        Row("L45X3", 265, {0.4, 0.5, 0.1, 1.2, 0.3, 0.2, 0.1}),
        Row("L45X4", 348, {0.4, 0.5, 0.1, 0.9, 0.3, 0.2, 0.1}),
    });
    ASSERT_EQ(view.rows.size(), 2u);
    for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
        const bool failing = c == Check(4) || c == kSizingConclusionColumn;
        EXPECT_EQ(view.rows[0].cells[c].failing, failing) << "column " << c;
        EXPECT_FALSE(view.rows[1].cells[c].failing) << "column " << c;
    }
    EXPECT_EQ(view.rows[0].cells[kSizingConclusionColumn].text, "失败");
    EXPECT_EQ(view.rows[1].cells[kSizingConclusionColumn].text, "通过");
    EXPECT_EQ(view.rows[0].cells[Check(4)].text, "120.0%");
}

TEST(SizingView, UtilisationTexts) {
    struct Case {
        double use;
        const char* text;
    };
    const Case cases[] = {
        {0.4352, "43.5%"}, {0.0004, "0.0%"}, {1.0, "100.0%"},
        {2.5, "250.0%"},   {kInf, "无穷大"},  // a demand on no capacity
        {kNaN, "-"},                          // neither demand nor capacity
    };
    for (const Case& c : cases) {
        const SizingView view = ViewOf({Row("L45X3", 265, {c.use, 0, 0, 0, 0, 0, 0})});
        EXPECT_EQ(view.rows[0].cells[Check(1)].text, c.text) << c.use;
    }
}

TEST(SizingView, FaultRowShowsTheFaultsTitleAndNoRatios) {
    const SizingView view = ViewOf({FaultRow("L45X3", 265, FaultKind::NonPositiveNetArea),
                                    Row("L45X4", 348, {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1})});
    const SizingViewRow& row = view.rows[0];
    EXPECT_TRUE(row.fault);
    EXPECT_FALSE(row.passesAll);
    EXPECT_EQ(row.cells[kSizingConclusionColumn].text,
              FaultKindTitle(FaultKind::NonPositiveNetArea));
    EXPECT_TRUE(row.cells[kSizingConclusionColumn].failing);
    for (std::size_t n = 1; n <= kCheckCount; ++n) EXPECT_EQ(row.cells[Check(n)].text, "");
    EXPECT_EQ(row.cells[1].text, "265");  // the size itself is still shown
    EXPECT_EQ(view.lightest, 1u);
}

TEST(SizingView, HeaderClickSortsNumericallyWithFaultsLast) {
    const SizingView view = ViewOf({
        Row("L45X3", 265, {1.02, 0, 0, 0, 0, 0, 0}),  // "102.0%"
        FaultRow("L45X4", 348, FaultKind::NonPositiveNetArea),
        Row("L45X5", 429, {0.095, 0, 0, 0, 0, 0, 0}),  // "9.5%": first as a number only
        Row("L45X6", 507, {kInf, 0, 0, 0, 0, 0, 0}),
        Row("L50X3", 297, {0.102, 0, 0, 0, 0, 0, 0}),  // "10.2%"
        FaultRow("L50X4", 389, FaultKind::Overflow),
        Row("L50X5", 480, {0.095, 0, 0, 0, 0, 0, 0}),  // equal to L45X5
    });
    struct Case {
        const char* name;
        std::size_t column;
        bool descending;
        std::vector<std::size_t> order;
    };
    const Case cases[] = {
        {"check (1) up", Check(1), false, {2, 6, 4, 0, 3, 1, 5}},
        {"check (1) down", Check(1), true, {3, 0, 4, 2, 6, 1, 5}},
        {"area up", 1, false, {0, 4, 2, 6, 3, 1, 5}},
        {"area down", 1, true, {3, 6, 2, 4, 0, 5, 1}},
        {"size down is catalogue order reversed", 0, true, {6, 4, 3, 2, 0, 5, 1}},
        {"conclusion up: pass before fail", kSizingConclusionColumn, false, {2, 4, 6, 0, 3, 1, 5}},
        {"column out of range keeps the order", kSizingColumnCount, false, {0, 1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SortedSizingRows(view, c.column, c.descending), c.order) << c.name;
    }
}

TEST(SizingView, MessageAboveTheTable) {
    const SizingView none = ViewOf({Row("L45X3", 265, {1.5, 0, 0, 0, 0, 0, 0}),
                                    FaultRow("L45X4", 348, FaultKind::NonPositiveNetArea)});
    EXPECT_FALSE(none.lightest.has_value());
    EXPECT_EQ(none.message, kSizingNonePasses);

    const SizingView some = ViewOf(
        {Row("L45X3", 265, {1.5, 0, 0, 0, 0, 0, 0}), Row("L45X4", 348, {0.5, 0, 0, 0, 0, 0, 0})});
    EXPECT_EQ(some.lightest, 1u);
    EXPECT_NE(some.message.find("L45X4"), std::string::npos) << some.message;
    EXPECT_EQ(some.message.find("L45X3"), std::string::npos) << some.message;
}

TEST(SizingView, InputsLineShowsWhatTheRunReads) {
    struct Case {
        const char* name;
        std::int16_t grade, layout;
        const char* angle;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"start-up", 1, 1, "45", {"500x200x6x12", "Q235", "间隙 10", "夹角 45度", "M14", "双侧"}},
        {"angle typed with its unit", 2, 2, "30.5度", {"Q345", "夹角 30.5度", "单侧"}},
    };
    for (const Case& c : cases) {
        DesignState s = StartupDesignState();
        ChooseGrade(s, c.grade);
        ChooseLayout(s, c.layout);
        InputTexts in = StartupInputTexts();
        in.Text5 = c.angle;
        const std::string line = SizingInputsLine(s, in);
        for (const std::string& piece : c.pieces) {
            EXPECT_NE(line.find(piece), std::string::npos) << c.name << ": " << line;
        }
        EXPECT_EQ(line.find('\n'), std::string::npos) << "one line";
    }
}

TEST(BuildSizingView, StartUpHighlightsTheLightestAndAFaultComesOut) {
    const SizingView view = BuildSizingView(StartupDesignState(), StartupInputTexts());
    ASSERT_EQ(view.rows.size(), 53u);
    ASSERT_TRUE(view.lightest.has_value());
    EXPECT_EQ(view.rows[*view.lightest].designation, "L45X3");  // the lightest size passes
    for (const std::string& header : view.headers) EXPECT_FALSE(header.empty());

    InputTexts in = StartupInputTexts();
    in.Text5 = "0";
    EXPECT_THROW(BuildSizingView(StartupDesignState(), in), CalculationFault);
}

}  // namespace
}  // namespace kneebrace
