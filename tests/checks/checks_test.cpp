// The seven checks at their limits, with the values worked by hand, and the report's
// structure.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "catalogue/angle_catalogue.h"
#include "checks/checks.h"
#include "core/calculation_run.h"
#include "core/fault.h"
#include "support/test_data.h"
#include "support/text_diff.h"

namespace kneebrace {
namespace {

// The last line of a section, without its indentation and CR LF.
std::string LastLine(const std::string& section) {
    const std::size_t end = section.size() - 2;
    const std::size_t start = section.rfind("\r\n", end - 1);
    return section.substr(start + 2 + 3, end - start - 2 - 3);
}

std::string Line(const std::string& section, int number) {
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) start = section.find("\r\n", start) + 2;
    return section.substr(start, section.find("\r\n", start) - start);
}

TEST(CheckSlenderness, LimitOf200OnTheRoundedValue) {
    struct Case {
        float L0;
        const char* verdict;
    };
    const Case cases[] = {
        {1131.4f, "长细比=125.7<=200，通过！"}, {1800.0f, "长细比=200<=200，通过！"},
        {1800.4f, "长细比=200<=200，通过！"},   // 200.044 rounds to 200
        {1800.5f, "长细比=200.1>200，失败！"},  // 200.056 rounds to 200.1
        {810.0f, "长细比=90<=200，通过！"},
    };
    for (const auto& c : cases) {
        DesignState s = StartupDesignState();  // Imin 9
        s.L0 = c.L0;
        CheckSlenderness(s);
        EXPECT_EQ(s.slenderVerdict, c.verdict) << c.L0;
        EXPECT_EQ(LastLine(s.slenderText), c.verdict);
    }
    DesignState s = StartupDesignState();
    s.L0 = 810;
    CheckSlenderness(s);
    EXPECT_EQ(
        s.slenderText,
        "(1).角钢的长细比计算：\r\n   长细比=L0/Imin\r\n     -L0：角钢的螺栓间的长度=810mm\r\n"
        "     -Imin：角钢的最小回转半径=9mm\r\n   长细比=90<=200，通过！\r\n");
}

TEST(CheckLocalStability, LimitGrowsWithSlendernessBetween30And100) {
    struct Case {
        float lambda;
        const char* designation;
        const char* boundedLine;
        const char* verdict;
    };
    const Case cases[] = {
        {125.7f, "L45X3", "     -λ：角钢的长细比=100", "实际宽厚比=14<=[宽厚比限值]=20,通过！"},
        {25, "L45X3", "     -λ：角钢的长细比=30", "实际宽厚比=14>[宽厚比限值]=13,失败！"},
        {40, "L45X3", "     -λ：角钢的长细比=40", "实际宽厚比=14<=[宽厚比限值]=14,通过！"},
        {57.5f, "L45X3", "     -λ：角钢的长细比=57.5", "实际宽厚比=14<=[宽厚比限值]=15.8,通过！"},
        {57.3f, "L45X3", "     -λ：角钢的长细比=57.3", "实际宽厚比=14<=[宽厚比限值]=15.7,通过！"},
        {29.9f, "L45X3", "     -λ：角钢的长细比=30", "实际宽厚比=14>[宽厚比限值]=13,失败！"},
        {100.1f, "L45X3", "     -λ：角钢的长细比=100", "实际宽厚比=14<=[宽厚比限值]=20,通过！"},
        {100, "L56X3", "     -λ：角钢的长细比=100", "实际宽厚比=17.66667<=[宽厚比限值]=20,通过！"},
        {60, "L63X4", "     -λ：角钢的长细比=60", "实际宽厚比=14.75<=[宽厚比限值]=16,通过！"},
        {60, "L70X4", "     -λ：角钢的长细比=60", "实际宽厚比=16.5>[宽厚比限值]=16,失败！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lambda);
        DesignState s = StartupDesignState();
        SelectAngle(s, c.designation);
        s.lambda = c.lambda;
        CheckLocalStability(s);
        EXPECT_EQ(s.lambda, c.lambda) << "the bound is local to this check";
        EXPECT_EQ(Line(s.localText, 4), c.boundedLine);
        EXPECT_EQ(s.localVerdict, c.verdict);
    }
}

TEST(CheckLocalStability, GradeOfTheBeamDoesNotEnter) {
    DesignState s = StartupDesignState();
    s.lambda = 78.3f;
    s.fy = 235;
    CheckLocalStability(s);
    const std::string q235 = s.localText;
    s.fy = 345;
    CheckLocalStability(s);
    EXPECT_EQ(s.localText, q235);
}

TEST(CheckStability, ColumnCurveOnBothSidesOfTheThreshold) {
    struct Case {
        float lambda;
        float lambdaN;
        const char* c4;
        const char* c5;
        float f2;
    };
    const Case cases[] = {
        {78.3f, 0.8418f, "0.6988344", "0.7175", 45.8f},
        {30, 0.3225f, "0.9359708", "0.6450", 38},
        {100, 1.0751f, "0.5549632", "0.7500", 55.1f},
        {150, 1.6127f, "0.3077721", "0.8250", 90.4f},
        {20, 0.215f, "0.9699538", "0.6300", 0},  // λn rounds onto 0.215: first formula
        {20.1f, 0.2161f, nullptr, "0.6302", 0},  // just above: second formula
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lambda);
        DesignState s = StartupDesignState();  // A0 265
        s.lambda = c.lambda;
        s.N = 6081.1f;
        CheckStability(s);
        EXPECT_EQ(s.lambdaN, c.lambdaN);
        if (c.c4) {
            EXPECT_EQ(Line(s.stabilityText, 5), std::string("     -c4：角钢稳定系数=") + c.c4);
        }
        EXPECT_EQ(Line(s.stabilityText, 10),
                  std::string("     -c5：角钢稳定计算折减系数=0.6+0.0015*λ=") + c.c5);
        if (c.f2 != 0) {
            EXPECT_EQ(s.f2, c.f2);
        }
    }
    // Either side of 0.215 the two formulas nearly agree; the first is 1 − 0.65 λn².
    DesignState at = StartupDesignState(), above = StartupDesignState();
    at.lambda = 20;
    above.lambda = 20.1f;
    at.N = above.N = 6081.1f;
    CheckStability(at);
    CheckStability(above);
    EXPECT_FLOAT_EQ(at.c4, 1 - 0.215f * 0.215f * 0.65f);
    EXPECT_LT(above.c4, at.c4);
    EXPECT_NEAR(above.c4, at.c4, 0.01);
}

TEST(CheckStability, LimitOf215OnTheRoundedStress) {
    // λ 30 with A0 265: A0 · c4 · c5 = 159.98, so N 34400 gives 215.03 and N 34412 gives 215.10.
    const std::pair<float, const char*> cases[] = {
        {34400, "角钢稳定强度f2=215N/mm2，<=215N/mm2 ,通过！"},
        {34412, "角钢稳定强度f2=215.1N/mm2，>215N/mm2 ,失败！"},
    };
    for (const auto& [n, verdict] : cases) {
        DesignState s = StartupDesignState();
        s.lambda = 30;
        s.N = n;
        CheckStability(s);
        EXPECT_EQ(s.stabilityVerdict, verdict);
    }
}

TEST(CheckBoltShear, CapacityOfOneShearPlane) {
    const std::pair<float, float> cases[] = {
        {20, 43982.3f}, {16, 28148.7f}, {12, 15833.6f}, {24, 63334.5f}, {0, 0}};
    for (const auto& [m, nv] : cases) {
        DesignState s;
        s.M = m;
        s.N = 10000;
        CheckBoltShear(s);
        EXPECT_EQ(s.Nv, nv) << "M = " << m;
    }
    DesignState s;
    s.M = 20;
    s.N = 10000;
    CheckBoltShear(s);
    EXPECT_EQ(s.boltShearVerdict, "螺栓抗剪承载力Nv=43982.3N，>=10000N,通过！");
    EXPECT_EQ(Line(s.boltShearText, 4), "     -d0：螺栓直径M=20mm");
}

// N equal to the rounded capacity passes; one unit in the last place more fails.
TEST(CapacityChecks, EqualityPassesOneUlpMoreFails) {
    struct Check {
        const char* name;
        void (*run)(DesignState&);
        std::string DesignState::*verdict;
        float capacity;
    };
    const Check checks[] = {
        {"bolt shear", CheckBoltShear, &DesignState::boltShearVerdict, 43982.3f},
        {"hole bearing", CheckHoleBearing, &DesignState::bearingVerdict, 18300},
        {"end shear", CheckEndShear, &DesignState::endShearVerdict, 22500},
    };
    for (const auto& c : checks) {
        SCOPED_TRACE(c.name);
        for (const bool above : {false, true}) {
            DesignState s = StartupDesignState();  // T 3
            s.M = 20;
            s.E2 = 30;
            s.N = above ? std::nextafter(c.capacity, 1e9f) : c.capacity;
            c.run(s);
            const std::string& verdict = s.*c.verdict;
            EXPECT_NE(verdict.find(above ? "失败！" : "通过！"), std::string::npos) << verdict;
        }
    }
}

TEST(CheckHoleBearing, CapacityOfTheHoleWall) {
    struct Case {
        float M, T, Nc;
    };
    const Case cases[] = {{20, 3, 18300}, {16, 5, 24400}, {12, 3, 10980}, {12.5f, 3, 11437.5f}};
    for (const auto& c : cases) {
        DesignState s;
        s.M = c.M;
        s.T = c.T;
        s.N = 20000;
        CheckHoleBearing(s);
        EXPECT_EQ(s.Nc, c.Nc);
    }
    DesignState s;
    s.M = 20;
    s.T = 3;
    s.N = 20000;
    CheckHoleBearing(s);
    EXPECT_EQ(s.bearingVerdict, "角钢孔壁抗压承载力Nc=18300N，<20000N,失败！");
    EXPECT_EQ(Line(s.bearingText, 2), "   Nc= d0*T2*fc ");
}

TEST(CheckEndShear, CapacityOfTheAngleEnd) {
    struct Case {
        float T, E2, Nv;
    };
    const Case cases[] = {{3, 30, 22500}, {4, 25, 25000}, {5, 35.5f, 44375}};
    for (const auto& c : cases) {
        DesignState s;
        s.T = c.T;
        s.E2 = c.E2;
        s.N = 9000;
        CheckEndShear(s);
        EXPECT_EQ(s.Nv, c.Nv);
    }
    DesignState s;
    s.T = 3;
    s.E2 = 30;
    s.N = 9000;
    CheckEndShear(s);
    EXPECT_EQ(s.endShearVerdict, "角钢端部抗剪承载力Nv=22500N，>=9000N,通过！");
    EXPECT_EQ(Line(s.endShearText, 4), "     -E2：角钢伸出长度=30mm");
}

TEST(CheckBraceStrength, ForceAndStressForBothArrangementsAndGrades) {
    struct Case {
        const char* name;
        std::int16_t grade, layout;
        float N, f1;
        const char* coeLine;
    };
    const Case cases[] = {
        {"both sides, Q235", 1, 1, 6081.1f, 33,
         "     -coe：隅撑布置方式：双侧=0.5，单侧=1，coe=0.5"},
        {"one side, Q235", 1, 2, 12162.2f, 65.9f,
         "     -coe：隅撑布置方式：双侧=0.5，单侧=1，coe=1"},
        {"both sides, Q345", 2, 1, 10623.9f, 57.6f,
         "     -coe：隅撑布置方式：双侧=0.5，单侧=1，coe=0.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DesignState s = StartupDesignState();
        s.gradeCode = c.grade;
        s.layoutCode = c.layout;
        RunCalculation(s, StartupInputTexts());
        EXPECT_EQ(s.An, 217.0f);
        EXPECT_EQ(s.N, c.N);
        EXPECT_EQ(s.f1, c.f1);
        EXPECT_EQ(Line(s.strengthText, 3), c.coeLine);
    }
    DesignState s = StartupDesignState();
    InputTexts in = StartupInputTexts();
    in.Text5 = "45度";
    RunCalculation(s, in);
    EXPECT_EQ(s.strengthVerdict, "角钢抗压强度f1=33N/mm2，<=215N/mm2 ,通过！");
    EXPECT_EQ(Line(s.strengthText, 4), "     -A：H钢下翼板面积=2400mm2");
    EXPECT_EQ(Line(s.strengthText, 7), "     -Ang：角钢与腹板夹角=45度");
}

TEST(BuildReportHeader, RestatesTheInputsAsTyped) {
    struct Case {
        const char* name;
        void (*edit)(DesignState&, InputTexts&);
        int line;
        const char* text;
    };
    const Case cases[] = {
        {"designation with blanks",
         [](DesignState&, InputTexts& in) { in.Text1 = "500 x 200 x 6 x 12"; }, 3,
         "H钢截面：500 x 200 x 6 x 12,材质Q235"},
        {"angle 45.0", [](DesignState&, InputTexts& in) { in.Text5 = "45.0"; }, 13,
         "角钢与H钢腹板的夹角=45度"},
        {"angle 30度", [](DesignState&, InputTexts& in) { in.Text5 = "30度"; }, 13,
         "角钢与H钢腹板的夹角=30度"},
        {"bolt 20", [](DesignState&, InputTexts& in) { in.Text6 = "20"; }, 16,
         "螺栓的直径M=20mm,普通Q235螺栓"},
        {"hole 22", [](DesignState&, InputTexts& in) { in.Text6 = "20"; }, 17,
         "螺栓孔的直径(默认为M+2)=22mm"},
        {"Q345", [](DesignState& s, InputTexts&) { ChooseGrade(s, 2); }, 3,
         "H钢截面：500x200x6x12,材质Q345"},
        {"one side", [](DesignState& s, InputTexts&) { ChooseLayout(s, 2); }, 14,
         "隅撑布置方式：单侧"},
        {"rule", [](DesignState&, InputTexts&) {}, 18, "===================================="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        c.edit(s, in);
        RunCalculation(s, in);
        EXPECT_EQ(Line(s.headerText, c.line), c.text);
    }
}

TEST(Report, StartupReportMatchesTheGoldenFile) {
    const std::string golden =
        testsupport::ReadFile(std::string(KNEEBRACE_TEST_DATA) + "/startup-report.txt");
    DesignState s = StartupDesignState();
    RunCalculation(s, StartupInputTexts());
    const std::string diff = testsupport::DescribeDifference(golden, s.reportText);
    EXPECT_TRUE(diff.empty()) << diff;
}

TEST(Report, HeaderThenSevenSectionsEachEndingInAVerdict) {
    DesignState s = StartupDesignState();
    RunCalculation(s, StartupInputTexts());
    const std::string* sections[] = {&s.slenderText,   &s.localText,     &s.strengthText,
                                     &s.stabilityText, &s.boltShearText, &s.bearingText,
                                     &s.endShearText};
    std::size_t at = s.headerText.size();
    EXPECT_EQ(s.reportText.substr(0, at), s.headerText);
    for (int i = 0; i < 7; ++i) {
        const std::string& section = *sections[i];
        EXPECT_EQ(section.rfind("(" + std::to_string(i + 1) + ").", 0), 0u);
        EXPECT_EQ(s.reportText.substr(at, section.size()), section);
        EXPECT_EQ(section.substr(section.size() - 2), "\r\n");
        const std::string last = LastLine(section);
        EXPECT_TRUE(last.find("通过！") != std::string::npos ||
                    last.find("失败！") != std::string::npos);
        at += section.size();
    }
    EXPECT_EQ(at, s.reportText.size());
}

TEST(Report, FaultInsideACheckKeepsTheReportAndLaterSections) {
    DesignState s = StartupDesignState();
    RunCalculation(s, StartupInputTexts());
    const DesignState before = s;
    SelectAngle(s, "L63X5");  // different sections (1) and (2) from here on
    InputTexts in = StartupInputTexts();
    in.Text5 = "1e-300";  // stores as 0 rad: check (3) divides by sin 0
    EXPECT_THROW(RunCalculation(s, in), CalculationFault);
    EXPECT_EQ(s.reportText, before.reportText);
    EXPECT_NE(s.slenderText, before.slenderText);
    EXPECT_NE(s.localText, before.localText);
    EXPECT_EQ(s.strengthText, before.strengthText);
    EXPECT_EQ(s.stabilityText, before.stabilityText);
    EXPECT_EQ(s.endShearText, before.endShearText);
    EXPECT_EQ(s.headerText, before.headerText);
}

}  // namespace
}  // namespace kneebrace
