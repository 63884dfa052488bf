// The sizing dialog's content and its table's state as both front ends draw them: what
// is flagged red, what a faulted size shows, the order header clicks give with the
// selection kept, the colours, the rows scrolled into view, the columns' widths and the
// line above the table.
#include <gtest/gtest.h>

#include <algorithm>
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

// Seven sizes: L45X4 and L50X4 faulted; L50X3 the lightest passing; L45X5 (9.5 %) and
// L50X5 equal on check (1); L45X6 infinite there.
SizingView SortingView() {
    return ViewOf({
        Row("L45X3", 265, {1.02, 0, 0, 0, 0, 0, 0}),
        FaultRow("L45X4", 348, FaultKind::NonPositiveNetArea),
        Row("L45X5", 429, {0.095, 0, 0, 0, 0, 0, 0}),
        Row("L45X6", 507, {kInf, 0, 0, 0, 0, 0, 0}),
        Row("L50X3", 297, {0.102, 0, 0, 0, 0, 0, 0}),
        FaultRow("L50X4", 389, FaultKind::Overflow),
        Row("L50X5", 480, {0.095, 0, 0, 0, 0, 0, 0}),
    });
}

TEST(SizingTable, HeaderClicksSortToggleAndKeepTheSelection) {
    struct Case {
        const char* name;
        std::vector<std::size_t> clicks;
        std::size_t select;  // the view row selected before the clicks
        std::vector<std::size_t> order;
        SizingArrow arrow;  // on the last column clicked
    };
    const Case cases[] = {
        {"none: catalogue order", {}, 2, {0, 1, 2, 3, 4, 5, 6}, SizingArrow::None},
        {"size, faults last", {0}, 6, {0, 2, 3, 4, 6, 1, 5}, SizingArrow::Up},
        {"size twice turns round, faults still last",
         {0, 0},
         3,
         {6, 4, 3, 2, 0, 5, 1},
         SizingArrow::Down},
        {"three times is up again", {0, 0, 0}, 0, {0, 2, 3, 4, 6, 1, 5}, SizingArrow::Up},
        {"area, a number", {1}, 4, {0, 4, 2, 6, 3, 1, 5}, SizingArrow::Up},
        {"area down", {1, 1}, 4, {3, 6, 2, 4, 0, 5, 1}, SizingArrow::Down},
        {"check (1): 9.5 % before 10.2 %", {Check(1)}, 1, {2, 6, 4, 0, 3, 1, 5}, SizingArrow::Up},
        {"check (1) down", {Check(1), Check(1)}, 5, {3, 0, 4, 2, 6, 1, 5}, SizingArrow::Down},
        {"another column starts up",
         {Check(1), Check(1), 1},
         2,
         {0, 4, 2, 6, 3, 1, 5},
         SizingArrow::Up},
        {"verdict: pass, fail, fault",
         {kSizingConclusionColumn},
         0,
         {2, 4, 6, 0, 3, 1, 5},
         SizingArrow::Up},
        {"a click beside the columns",
         {kSizingColumnCount},
         2,
         {0, 1, 2, 3, 4, 5, 6},
         SizingArrow::None},
    };
    for (const Case& c : cases) {
        SizingTable table(SortingView());
        table.Select(table.PositionOf(c.select));
        for (std::size_t column : c.clicks) table.ClickHeader(column);
        std::vector<std::size_t> order;
        for (std::size_t p = 0; p < table.size(); ++p) order.push_back(table.ViewRowAt(p));
        EXPECT_EQ(order, c.order) << c.name;
        EXPECT_EQ(table.selected(), table.PositionOf(c.select)) << c.name;
        EXPECT_EQ(table.SelectedDesignation(), table.view().rows[c.select].designation) << c.name;
        for (std::size_t column = 0; column < kSizingColumnCount; ++column) {
            const bool last = !c.clicks.empty() && column == c.clicks.back();
            EXPECT_EQ(table.ArrowOn(column), last ? c.arrow : SizingArrow::None)
                << c.name << ", column " << column;
        }
    }
}

TEST(SizingTable, OpensOnTheLightestElseTheFirstRow) {
    EXPECT_EQ(SizingTable(SortingView()).SelectedDesignation(), "L50X3");
    const SizingTable none(ViewOf(
        {Row("L45X3", 265, {1.5, 0, 0, 0, 0, 0, 0}), FaultRow("L45X4", 348, FaultKind::Overflow)}));
    EXPECT_EQ(none.selected(), 0u);
    EXPECT_EQ(none.MessageColour(), kSizingFailingText);
    EXPECT_EQ(SizingTable(SortingView()).MessageColour(), std::nullopt);
    const SizingTable empty(ViewOf({}));
    EXPECT_EQ(empty.selected(), std::nullopt);
    EXPECT_EQ(empty.SelectedDesignation(), "");
    EXPECT_EQ(empty.FirstRowShown(0, 18, true), 0u);
}

TEST(SizingTable, CellColoursFollowTheFiguresAndTheSelection) {
    struct Case {
        const char* name;
        std::size_t select, row, column;
        SizingCellLook look;
    };
    const std::optional<SizingColour> system;
    const Case cases[] = {
        {"a plain cell", 2, 6, 1, {system, system, false}},
        {"a failed check", 2, 0, Check(1), {kSizingFailingText, system, false}},
        {"a fault's verdict", 2, 1, kSizingConclusionColumn, {kSizingFailingText, system, false}},
        {"the lightest", 0, 4, 1, {system, kSizingLightestGround, true}},
        {"the lightest selected", 4, 4, 0, {system, kSizingLightestSelectedGround, true}},
        {"selected", 0, 0, 1, {system, kSizingSelectedGround, false}},
        {"selected and failed", 0, 0, Check(1), {kSizingFailingText, kSizingSelectedGround, false}},
    };
    for (const Case& c : cases) {
        SizingTable table(SortingView());
        table.ClickHeader(Check(1));  // positions are not view rows
        table.Select(table.PositionOf(c.select));
        const SizingCellLook look = table.LookOf(table.PositionOf(c.row), c.column);
        EXPECT_EQ(look.text, c.look.text) << c.name;
        EXPECT_EQ(look.ground, c.look.ground) << c.name;
        EXPECT_EQ(look.bold, c.look.bold) << c.name;
    }
}

TEST(SizingTable, SelectedRowScrolledIntoView) {
    const std::vector<SizingRow> rows(53, Row("L45X3", 265, {0.5, 0, 0, 0, 0, 0, 0}));
    struct Case {
        const char* name;
        std::size_t selected, top, perPage;
        bool centre;
        std::size_t first;
    };
    const Case cases[] = {
        {"centred", 30, 0, 18, true, 21},
        {"centred near the top", 5, 0, 18, true, 0},
        {"centred near the end stops at the last page", 50, 0, 18, true, 35},
        {"in view stays", 20, 10, 18, false, 10},
        {"above comes to the top", 3, 10, 18, false, 3},
        {"below comes to the bottom", 40, 10, 18, false, 23},
        {"a top past the last page", 52, 50, 18, false, 35},
        {"a taller table than the rows", 30, 0, 60, true, 0},
    };
    for (const Case& c : cases) {
        SizingTable table(ViewOf(rows));
        table.Select(c.selected);
        EXPECT_EQ(table.FirstRowShown(c.top, c.perPage, c.centre), c.first) << c.name;
    }
}

TEST(SizingTable, ColumnsFitTheirWidestTextAndTheArrowsRoom) {
    // Ten pixels a byte, eleven in bold: the lightest row's texts are the widest.
    const SizingMeasure measure = [](const std::string& text, bool bold) {
        return static_cast<int>(text.size()) * (bold ? 11 : 10);
    };
    const SizingRoom room{4, 20, 7};
    SizingTable table(SortingView());
    table.MeasureColumns(measure, room);
    const auto before = table.ColumnWidths();
    EXPECT_EQ(before[0], 6 * 10 + 20) << "型号 is wider than L50X3 in bold";
    EXPECT_EQ(before[Check(1)], 12 * 10 + 20) << "(1)长细比 is wider than 无穷大";
    EXPECT_EQ(before[1], 9 * 10 + 20) << "A0 (mm²)";
    const std::string fault(FaultKindTitle(FaultKind::NonPositiveNetArea));
    EXPECT_EQ(before[kSizingConclusionColumn],
              std::max(6 * 10 + 20, static_cast<int>(fault.size()) * 10 + 4) + 7)
        << "a fault's title against 结论, and the arrow's room before any sort";

    table.ClickHeader(1);
    const auto after = table.ColumnWidths();
    EXPECT_EQ(after[1], before[1] + 7);
    EXPECT_EQ(after[kSizingConclusionColumn], before[kSizingConclusionColumn] - 7);
    int sumBefore = 0, sumAfter = 0;
    for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
        sumBefore += before[c];
        sumAfter += after[c];
    }
    EXPECT_EQ(sumAfter, sumBefore) << "the table keeps its width";
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

// A row sized with the section: the seven pass, the items use the given ratios (above 1
// fails), the row's largest and governing as given.
SizingRow CodesRow(std::array<double, kCodesItemCount> items, double largest, std::size_t governs) {
    SizingRow r = Row("L45X3", 265, {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
    CodesUse& use = r.currentCodes.emplace();
    for (std::size_t i = 0; i < kCodesItemCount; ++i) use.items[i] = {items[i] <= 1, items[i]};
    use.passes = std::all_of(items.begin(), items.end(), [](double u) { return u <= 1; });
    use.largestUse = largest;
    use.governing = governs;
    r.passesAll = use.passes;
    return r;
}

TEST(SizingView, SectionColumnsShowItsVerdictTheLargestUseAndWhatGoverns) {
    struct Case {
        std::array<double, kCodesItemCount> items;
        double largest;
        std::size_t governs;
        const char *verdict, *tip, *largestText, *governsText;
    };
    // clang-format off
    const Case cases[] = {
        {{.5, .5, .5, .5, .5, .5, .5}, 0.9, 3, "满足", "", "90.0%", "(4)"},
        {{1.5, .5, .5, .5, .5, .5, .5}, 1.5, 7, "不满足",
         "补充验算S1不满足要求：\nS1檩条腹板孔壁承压，利用率 150.0%", "150.0%", "S1"},
        {{.5, .5, kInf, .5, .5, .5, 1.2}, kInf, 9, "不满足",
         "补充验算S3、S7不满足要求：\nS3螺栓端距，利用率 无穷大\n"
         "S7螺栓孔边距（垂直内力方向），利用率 120.0%", "无穷大", "S3"},
        {{.5, .5, .5, .5, .5, .5, .5}, -kInf, 0, "满足", "", "-", "(1)"},  // every ratio NaN
    };
    // clang-format on
    for (const Case& c : cases) {
        const SizingTable table(MakeSizingView(StartupDesignState(), StartupInputTexts(),
                                               {CodesRow(c.items, c.largest, c.governs)},
                                               PurlinInputs{}));
        ASSERT_EQ(table.columnCount(), kSizingColumnCountWithCodes) << c.tip;
        EXPECT_EQ(table.TextAt(0, kSizingCodesColumn), c.verdict) << c.tip;
        EXPECT_EQ(table.TipAt(0, kSizingCodesColumn), c.tip);
        EXPECT_EQ(table.TextAt(0, kSizingLargestUseColumn), c.largestText) << c.tip;
        EXPECT_EQ(table.TextAt(0, kSizingGoverningColumn), c.governsText) << c.tip;
        EXPECT_FALSE(table.TipAt(0, kSizingGoverningColumn).empty()) << c.tip;
        // Red where the row fails: its verdicts, its largest figure and what governs it.
        const bool fails = *c.tip != '\0';
        EXPECT_EQ(table.TextAt(0, kSizingConclusionColumn), fails ? "失败" : "通过") << c.tip;
        for (std::size_t column = kSizingConclusionColumn; column < table.columnCount(); ++column)
            EXPECT_EQ(table.LookOf(0, column).text.has_value(), fails) << c.tip << ", " << column;
    }
}

TEST(SizingView, HeadersWithTheSectionSayTheFiguresAreUtilisation) {
    const SizingView off = ViewOf({});
    const SizingView on =
        MakeSizingView(StartupDesignState(), StartupInputTexts(), {}, PurlinInputs{});
    ASSERT_EQ(off.headerTips.size(), kSizingColumnCount);
    ASSERT_EQ(on.headerTips.size(), kSizingColumnCountWithCodes);
    for (std::size_t c = 0; c < kSizingColumnCount; ++c) {
        EXPECT_EQ(on.headers[c], off.headers[c]) << c;
        EXPECT_EQ(on.headerTips[c] == off.headerTips[c], c != kSizingConclusionColumn) << c;
    }
    EXPECT_NE(on.headerTips[kSizingLargestUseColumn].find("利用率＝需求/承载力"),
              std::string::npos);
    EXPECT_NE(on.inputsLine.find("，檩条腹板 tp=2 Q235"), std::string::npos) << on.inputsLine;
    EXPECT_EQ(off.inputsLine.find("檩条"), std::string::npos);
}

// Every size with the section: the lightest passing size passes it too; an item no angle
// can mend fails every row, the message a line for it saying what to change.
TEST(BuildSizingView, WithTheSection) {
    struct Case {
        const char *bolt, *E2;  // Text6, Text9
        double tp;
        const char* mend;      // the items no size can mend, a line each
        const char* lightest;  // "" when none passes
    };
    const Case cases[] = {
        {"14", "35", 2, "", "L45X3"},  // start-up: all pass on the lightest
        {"20", "50", 2, "", "L56X4"},  // B2 ≥ 2.4 d0 = 52.8; L56X3 fails (2)
        {"12", "35", 1, "S1", ""},     // a web of 1 mm with M12
        {"14", "25", 2, "S3", ""},     // E2 below 2 d0
        {"12", "20", 1, "S1\nS3", ""},
    };
    for (const Case& c : cases) {
        InputTexts in = StartupInputTexts();
        in.Text6 = c.bolt;
        in.Text9 = c.E2;
        const SizingView off = BuildSizingView(StartupDesignState(), in);
        const SizingView on = BuildSizingView(StartupDesignState(), in, PurlinInputs{c.tp, 1});
        for (std::size_t r = 0; r < on.rows.size(); ++r) {
            const bool codes = on.rows[r].cells[kSizingCodesColumn].text == "满足";
            EXPECT_EQ(on.rows[r].passesAll, off.rows[r].passesAll && codes) << c.E2 << ", " << r;
            EXPECT_TRUE(!*c.mend || on.rows[r].fault || !codes) << c.mend << ", " << r;
        }
        EXPECT_EQ(on.lightest ? on.rows[*on.lightest].designation : "", c.lightest) << c.bolt;
        EXPECT_EQ(SizingTable(on).MessageColour().has_value(), !on.lightest) << c.bolt;
        if (on.lightest) {
            EXPECT_EQ(on.message.rfind(
                          "通过全部七项验算和补充验算的最轻规格：" + std::string(c.lightest), 0),
                      0u)
                << on.message;
            continue;
        }
        // The lead, then a line per item, beginning with its label.
        std::string labels;
        for (std::size_t at = on.message.find('\n'); at != std::string::npos;
             at = on.message.find('\n', at + 1))
            labels.append(labels.empty() ? "" : "\n").append(on.message.substr(at + 1, 2));
        EXPECT_EQ(labels, c.mend) << on.message;
        EXPECT_NE(on.message.find(*c.mend && c.mend[1] == '1' ? "加厚檩条腹板" : "加大到不小于"),
                  std::string::npos)
            << on.message;
    }
}

}  // namespace
}  // namespace kneebrace
