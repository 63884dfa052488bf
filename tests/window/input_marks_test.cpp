// Marks on the number boxes the run read only in part: which boxes, the value named in
// the tooltip, and the boxes left alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calculation_run.h"
#include "window/control_table.h"
#include "window/input_marks.h"

namespace {

using namespace kneebrace;
using namespace kneebrace::window;

struct MarkCase {
    const char* name;
    const char* box;
    const char* text;
    const char* tooltip;  // empty: not marked
};

std::string* Box(InputTexts& in, std::string_view box) {
    if (box == "Text2") return &in.Text2;
    if (box == "Text3") return &in.Text3;
    if (box == "Text4") return &in.Text4;
    if (box == "Text5") return &in.Text5;
    if (box == "Text6") return &in.Text6;
    if (box == "Text9") return &in.Text9;
    return nullptr;
}

class MarkUnreadInputsTest : public testing::TestWithParam<MarkCase> {};

TEST_P(MarkUnreadInputsTest, MarksOnlyTheBoxNotReadWhole) {
    const MarkCase& c = GetParam();
    InputTexts in = StartupInputTexts();
    *Box(in, c.box) = c.text;
    const std::vector<BoxMark> marks = MarkUnreadInputs(in);
    const char* const order[] = {"Text2", "Text3", "Text4", "Text5", "Text6", "Text9"};
    ASSERT_EQ(marks.size(), std::size(order));
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].box, order[i]);
        const bool expectMark = marks[i].box == c.box && *c.tooltip != '\0';
        EXPECT_EQ(marks[i].marked, expectMark) << marks[i].box;
        EXPECT_EQ(marks[i].tooltip, expectMark ? c.tooltip : "") << marks[i].box;
    }
}

const MarkCase kMarkCases[] = {
    {"AngleWithUnit", "Text5", "45度", "按 45 计算"},
    {"BoltNamedAsOnDrawings", "Text6", "M14", "按 0 计算"},
    {"EmptyK2", "Text3", "", "按 0 计算"},
    {"LettersInK3", "Text4", "abc", "按 0 计算"},
    {"E2WithUnit", "Text9", "35mm", "按 35 计算"},
    {"GapDecimalThenText", "Text2", "0.1间隙", "按 0.1 计算"},
    {"SevenDigitsOfTheStoredSingle", "Text3", "1.23456789abc", "按 1.234568 计算"},
    // The angle is used as read, not stored as a single: the report restates it so.
    {"AngleKeepsItsDigits", "Text5", "45.123456789度", "按 45.123456789 计算"},
    {"NegativeThenText", "Text6", "-3x", "按 -3 计算"},
    {"SecondNumberIgnored", "Text4", "50 mm 60", "按 50 计算"},
    // A full-width input method's digits are digits.
    {"FullWidthAngleWithUnit", "Text5", "４５度", "按 45 计算"},
    {"FullWidthK2", "Text3", "５０", ""},
    {"WholeNumber", "Text3", "80", ""},
    {"WholeDecimalAngle", "Text5", "27.5", ""},
    {"WholeWithExponent", "Text9", "3.5E1", ""},
    // A value the run cannot hold faults with a message naming the box: no mark.
    {"BeyondTheDoubleRange", "Text3", "1e999", ""},
    {"BeyondTheSingleRangeWithText", "Text4", "1e39abc", ""},
};

INSTANTIATE_TEST_SUITE_P(Boxes, MarkUnreadInputsTest, testing::ValuesIn(kMarkCases),
                         [](const testing::TestParamInfo<MarkCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(TooltipFor, TheMarkComesFirstAndTheBoxKeepsItsOwnHint) {
    const BoxMark marked{"Text4", true, "按 0 计算"};
    const BoxMark cleared{"Text4", false, {}};
    const std::string own(FindControl("Text4")->tooltip);
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(TooltipFor("Text4", &marked), "按 0 计算\n" + own);
    EXPECT_EQ(TooltipFor("Text4", &cleared), own);
    EXPECT_EQ(TooltipFor("Text4", nullptr), own);
    // The hint engineers know stays word for word, now on the second line.
    EXPECT_EQ(TooltipFor("Text4", &marked).find("\n<100\n"), std::string("按 0 计算").size());
    EXPECT_EQ(TooltipFor("NoSuchBox", &marked), "按 0 计算");
}

}  // namespace
