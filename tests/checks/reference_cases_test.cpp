// Every reference scenario: a sequence of option clicks, size picks and Calculate
// presses from the start-up state, with the exact report the box must show after
// each press (or the fault the press must raise) and the properties box at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "core/fault.h"
#include "support/mini_json.h"
#include "support/text_diff.h"

namespace kneebrace {
namespace {

using testsupport::Json;

const Json& Cases() {
    static const Json doc = testsupport::ParseJson(
        testsupport::ReadFile(std::string(KNEEBRACE_TEST_DATA) + "/reference-cases.json"));
    return doc["cases"];
}

// The window's handlers, as they act on the record.
void ApplyStep(DesignState& s, const Json& step, const std::string& reportBox, std::string& fault) {
    const std::string& op = step["op"].string;
    if (op == "grade") {
        ChooseGrade(s, static_cast<std::int16_t>(step["code"].number));
    } else if (op == "layout") {
        ChooseLayout(s, static_cast<std::int16_t>(step["code"].number));
    } else if (op == "select") {
        SelectAngle(s, step["text"].string);
    } else if (op == "run") {
        const Json& in = step["inputs"];
        const InputTexts texts{in["Text1"].string, in["Text2"].string, in["Text3"].string,
                               in["Text4"].string, in["Text5"].string, in["Text6"].string,
                               in["Text9"].string};
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
    const Json& cases = Cases();
    ASSERT_EQ(cases.array.size(), 240u);
    int runs = 0;
    for (const Json& c : cases.array) {
        SCOPED_TRACE(c["name"].string);
        DesignState s = StartupDesignState();
        s.reportText = "计算结果\r\n";  // the report box's text before the first run
        std::size_t expectIndex = 0;
        for (const Json& step : c["steps"].array) {
            std::string fault;
            const std::string before = s.reportText;
            ApplyStep(s, step, before, fault);
            if (step["op"].string != "run") continue;
            ++runs;
            const Json& expect = c["expect"].array.at(expectIndex++);
            const std::string expectedFault =
                expect["fault"].isNull() ? "" : expect["fault"].string;
            EXPECT_EQ(fault, expectedFault) << "run " << expectIndex;
            const std::string diff =
                testsupport::DescribeDifference(expect["report"].string, s.reportText);
            EXPECT_TRUE(diff.empty()) << "run " << expectIndex << ": " << diff;
        }
        EXPECT_EQ(expectIndex, c["expect"].array.size());
        const std::string diff =
            testsupport::DescribeDifference(c["anglePropsBox"].string, s.anglePropsText);
        EXPECT_TRUE(diff.empty()) << "properties box: " << diff;
    }
    EXPECT_EQ(runs, 426);
}

}  // namespace
}  // namespace kneebrace
