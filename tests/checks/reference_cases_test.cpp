// Every reference scenario: a sequence of option clicks, size picks and Calculate
// presses from the start-up state, with the exact report the box must show after
// each press (or the fault the press must raise) and the properties box at the end.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "core/fault.h"
#include "support/test_data.h"
#include "support/text_diff.h"

namespace kneebrace {
namespace {

using Json = nlohmann::json;

// The window's handlers, as they act on the record.
void ApplyStep(DesignState& s, const Json& step, const std::string& reportBox, std::string& fault) {
    const auto op = step.at("op").get<std::string>();
    if (op == "grade") {
        ChooseGrade(s, step.at("code").get<std::int16_t>());
    } else if (op == "layout") {
        ChooseLayout(s, step.at("code").get<std::int16_t>());
    } else if (op == "select") {
        SelectAngle(s, step.at("text").get<std::string>());
    } else if (op == "run") {
        const Json& in = step.at("inputs");
        const auto text = [&](const char* box) { return in.at(box).get<std::string>(); };
        const InputTexts texts{text("Text1"), text("Text2"), text("Text3"), text("Text4"),
                               text("Text5"), text("Text6"), text("Text9")};
        fault.clear();
        try {
            RunCalculation(s, texts);
        } catch (const CalculationFault& f) {
            fault = std::string(FaultKindName(f.kind()));
            EXPECT_EQ(s.reportText, reportBox) << "a fault must leave the report unchanged";
        }
    } else {
        FAIL() << "unknown step " << op;
    }
}

TEST(ReferenceCases, AllScenariosGiveTheirExactReports) {
    const Json& cases = testsupport::ReferenceCases();
    ASSERT_EQ(cases.size(), 240u);
    int runs = 0;
    for (const Json& c : cases) {
        SCOPED_TRACE(c.at("name").get<std::string>());
        DesignState s = StartupDesignState();
        s.reportText = "计算结果\r\n";  // the report box's text before the first run
        std::size_t expectIndex = 0;
        for (const Json& step : c.at("steps")) {
            std::string fault;
            const std::string before = s.reportText;
            ApplyStep(s, step, before, fault);
            if (step.at("op") != "run") continue;
            ++runs;
            const Json& expect = c.at("expect").at(expectIndex++);
            const std::string expectedFault =
                expect.at("fault").is_null() ? "" : expect.at("fault").get<std::string>();
            EXPECT_EQ(fault, expectedFault) << "run " << expectIndex;
            const std::string diff = testsupport::DescribeDifference(
                expect.at("report").get<std::string>(), s.reportText);
            EXPECT_TRUE(diff.empty()) << "run " << expectIndex << ": " << diff;
        }
        EXPECT_EQ(expectIndex, c.at("expect").size());
        const std::string diff = testsupport::DescribeDifference(
            c.at("anglePropsBox").get<std::string>(), s.anglePropsText);
        EXPECT_TRUE(diff.empty()) << "properties box: " << diff;
    }
    EXPECT_EQ(runs, 426);
}

}  // namespace
}  // namespace kneebrace
