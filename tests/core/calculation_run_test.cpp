// The calculation run: inputs to numbers, brace geometry, and what every kind of fault
// leaves behind in the record.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "core/fault.h"

namespace kneebrace {
namespace {

TEST(RunCalculation, StartTextsGiveTheWorkedExample) {
    DesignState s = StartupDesignState();
    RunCalculation(s, StartupInputTexts());
    EXPECT_EQ(s.sectionParts, (std::vector<std::string>{"500", "200", "6", "12"}));
    EXPECT_EQ(s.H, 500.0f);
    EXPECT_EQ(s.B, 200.0f);
    EXPECT_EQ(s.dim3, 6.0f);
    EXPECT_EQ(s.flangeT, 12.0f);
    EXPECT_EQ(s.gap, 10.0f);
    EXPECT_EQ(s.K2, 50.0f);
    EXPECT_EQ(s.K3, 50.0f);
    EXPECT_EQ(s.Ang, 0.7853982f);
    EXPECT_EQ(s.M, 14.0f);
    EXPECT_EQ(s.d0, 16.0f);
    // (10 + 500 + 50 - 12 - 50) / cos 45° = 704.278 -> 704.3
    EXPECT_EQ(s.L0, 704.3f);
    EXPECT_EQ(s.E2, 35.0f);
    EXPECT_EQ(s.fy, 235.0f);
    EXPECT_EQ(s.f, 215.0f);
    EXPECT_EQ(s.coe, 0.5f);
    EXPECT_EQ(s.lambda, 78.3f);
    EXPECT_EQ(s.N, 6081.1f);
    // The angle's end shear capacity overwrites the bolt's: 2 × 3 × 35 × 125.
    EXPECT_EQ(s.Nv, 26250.0f);
}

TEST(RunCalculation, ReadsDesignationsAndBoxesAsTyped) {
    struct Case {
        const char* name;
        std::function<void(DesignState&, InputTexts&)> edit;
        std::function<void(const DesignState&)> verify;
    };
    const Case cases[] = {
        {"blanks around the pieces",
         [](DesignState&, InputTexts& in) { in.Text1 = " 500 x 200 x 6 x 12 "; },
         [](const DesignState& s) { EXPECT_EQ(s.L0, 704.3f); }},
        {"a fifth piece is ignored",
         [](DesignState&, InputTexts& in) { in.Text1 = "500x200x6x12xabc"; },
         [](const DesignState& s) {
             EXPECT_EQ(s.sectionParts.size(), 5u);
             EXPECT_EQ(s.flangeT, 12.0f);
         }},
        {"empty boxes read as 0",
         [](DesignState&, InputTexts& in) { in.Text2 = in.Text3 = in.Text4 = in.Text9 = ""; },
         [](const DesignState& s) {
             EXPECT_EQ(s.gap, 0.0f);
             EXPECT_EQ(s.E2, 0.0f);
             EXPECT_EQ(s.L0, 690.1f);  // 488 / cos 45° = 690.136
         }},
        {"an empty bolt box reads as 0", [](DesignState&, InputTexts& in) { in.Text6 = ""; },
         [](const DesignState& s) {
             EXPECT_EQ(s.M, 0.0f);
             EXPECT_EQ(s.d0, 2.0f);
             EXPECT_NE(s.boltShearVerdict.find("失败"), std::string::npos);
         }},
        {"45度 reads as 45", [](DesignState&, InputTexts& in) { in.Text5 = "45度"; },
         [](const DesignState& s) { EXPECT_EQ(s.Ang, 0.7853982f); }},
        {"full-width K2 reads as 50", [](DesignState&, InputTexts& in) { in.Text3 = "５０"; },
         [](const DesignState& s) {
             EXPECT_EQ(s.K2, 50.0f);
             EXPECT_EQ(s.L0, 704.3f);
         }},
        {"full-width designation",
         [](DesignState&, InputTexts& in) { in.Text1 = "５００x２００x６x１２"; },
         [](const DesignState& s) {
             EXPECT_EQ(s.B, 200.0f);
             EXPECT_EQ(s.L0, 704.3f);
             EXPECT_NE(s.headerText.find("H钢截面：５００x２００x６x１２,"), std::string::npos);
         }},
        {"full-width angle is restated as the number read",
         [](DesignState&, InputTexts& in) { in.Text5 = "　４５．０"; },
         [](const DesignState& s) {
             EXPECT_EQ(s.Ang, 0.7853982f);
             EXPECT_NE(s.headerText.find("夹角=45度"), std::string::npos);
         }},
        {"one side doubles the force", [](DesignState& s, InputTexts&) { ChooseLayout(s, 2); },
         [](const DesignState& s) {
             EXPECT_EQ(s.coe, 1.0f);
             EXPECT_EQ(s.N, 12162.2f);  // both sides: 6081.1
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        c.edit(s, in);
        RunCalculation(s, in);
        c.verify(s);
    }
}

TEST(RunCalculation, RepeatedRunGivesTheSameReport) {
    DesignState s = StartupDesignState();
    RunCalculation(s, StartupInputTexts());
    const std::string first = s.reportText;
    const std::string firstSection = s.slenderText;
    RunCalculation(s, StartupInputTexts());
    EXPECT_EQ(s.reportText, first);
    EXPECT_EQ(s.slenderText, firstSection);
}

// A fault after a complete run: the report stays, fields before the fault are new,
// fields after it keep the values of the complete run.
struct FaultCase {
    const char* name;
    std::function<void(InputTexts&)> edit;
    FaultKind kind;
    std::function<void(const DesignState& before, const DesignState& after)> verify;
};

class RunFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RunFaults, AbandonTheRunAndKeepTheReport) {
    const FaultCase& c = GetParam();
    DesignState s = StartupDesignState();
    InputTexts first = StartupInputTexts();
    first.Text1 = "400x150x8x10";
    first.Text2 = "20";
    RunCalculation(s, first);
    const DesignState before = s;

    InputTexts in = StartupInputTexts();
    c.edit(in);
    try {
        RunCalculation(s, in);
        FAIL() << "the run completed";
    } catch (const CalculationFault& f) {
        EXPECT_EQ(FaultKindName(f.kind()), FaultKindName(c.kind));
        EXPECT_FALSE(std::string(f.what()).empty());
    }
    EXPECT_EQ(s.reportText, before.reportText);
    EXPECT_EQ(s.headerText, before.headerText);
    c.verify(before, s);
}

const FaultCase kFaultCases[] = {
    {"empty designation", [](InputTexts& in) { in.Text1 = ""; }, FaultKind::SubscriptOutOfRange,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_TRUE(a.sectionParts.empty());
         EXPECT_EQ(a.H, b.H);
     }},
    {"two pieces", [](InputTexts& in) { in.Text1 = "500x200"; }, FaultKind::SubscriptOutOfRange,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.H, 500.0f);
         EXPECT_EQ(a.B, 200.0f);
         EXPECT_EQ(a.dim3, b.dim3);
         EXPECT_EQ(a.flangeT, b.flangeT);
     }},
    {"three pieces", [](InputTexts& in) { in.Text1 = "500x200x6"; }, FaultKind::SubscriptOutOfRange,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.dim3, 6.0f);
         EXPECT_EQ(a.flangeT, b.flangeT);
     }},
    {"empty piece", [](InputTexts& in) { in.Text1 = "500xx6x12"; }, FaultKind::TypeMismatch,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.H, 500.0f);
         EXPECT_EQ(a.B, b.B);
     }},
    {"capital X makes one piece", [](InputTexts& in) { in.Text1 = "500X200X6X12"; },
     FaultKind::TypeMismatch,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.sectionParts.size(), 1u);
         EXPECT_EQ(a.H, b.H);
     }},
    {"unit in a piece", [](InputTexts& in) { in.Text1 = "500x200x6x12mm"; },
     FaultKind::TypeMismatch,
     [](const DesignState& b, const DesignState& a) { EXPECT_EQ(a.flangeT, b.flangeT); }},
    {"depth beyond single", [](InputTexts& in) { in.Text1 = "1e39x200x6x12"; }, FaultKind::Overflow,
     [](const DesignState& b, const DesignState& a) { EXPECT_EQ(a.H, b.H); }},
    {"gap beyond single", [](InputTexts& in) { in.Text2 = "1e39"; }, FaultKind::Overflow,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.flangeT, 12.0f);
         EXPECT_EQ(a.gap, b.gap);
     }},
    {"E2 beyond single", [](InputTexts& in) { in.Text9 = "-1e39"; }, FaultKind::Overflow,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.L0, 704.3f);
         EXPECT_EQ(a.E2, b.E2);
     }},
    {"angle 0", [](InputTexts& in) { in.Text5 = "0"; }, FaultKind::AngleOutOfRange,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.K3, 50.0f);
         EXPECT_EQ(a.Ang, b.Ang);
     }},
    {"angle empty", [](InputTexts& in) { in.Text5 = ""; }, FaultKind::AngleOutOfRange,
     [](const DesignState& b, const DesignState& a) { EXPECT_EQ(a.Ang, b.Ang); }},
    {"angle 90", [](InputTexts& in) { in.Text5 = "90"; }, FaultKind::AngleOutOfRange,
     [](const DesignState& b, const DesignState& a) { EXPECT_EQ(a.Ang, b.Ang); }},
    {"angle negative", [](InputTexts& in) { in.Text5 = "-30"; }, FaultKind::AngleOutOfRange,
     [](const DesignState& b, const DesignState& a) { EXPECT_EQ(a.Ang, b.Ang); }},
    {"negative bolt", [](InputTexts& in) { in.Text6 = "-1"; }, FaultKind::NegativeBoltDiameter,
     [](const DesignState& b, const DesignState& a) {
         // Stored, then rejected: the step's own stores happen first.
         EXPECT_EQ(a.M, -1.0f);
         EXPECT_EQ(a.d0, 1.0f);
         EXPECT_EQ(a.L0, b.L0);
         EXPECT_EQ(a.E2, b.E2);
     }},
    {"bolt beyond single", [](InputTexts& in) { in.Text6 = "-1e39"; }, FaultKind::Overflow,
     [](const DesignState& b, const DesignState& a) { EXPECT_EQ(a.M, b.M); }},
    {"K2 larger than the rest", [](InputTexts& in) { in.Text3 = "2000"; },
     FaultKind::NonPositiveLength,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_LT(a.L0, 0.0f);
         EXPECT_EQ(a.E2, b.E2);
     }},
    {"length exactly 0", [](InputTexts& in) { in.Text3 = "548"; }, FaultKind::NonPositiveLength,
     [](const DesignState&, const DesignState& a) { EXPECT_EQ(a.L0, 0.0f); }},
    {"length that rounds to 0", [](InputTexts& in) { in.Text3 = "547.97"; },
     FaultKind::NonPositiveLength,
     [](const DesignState&, const DesignState& a) { EXPECT_EQ(a.L0, 0.0f); }},
    {"angle a hair below 90", [](InputTexts& in) { in.Text5 = "89.9999995"; },
     FaultKind::AngleOutOfRange,
     [](const DesignState& b, const DesignState& a) { EXPECT_EQ(a.Ang, b.Ang); }},
    {"flange over 100 mm",
     [](InputTexts& in) {
         in.Text1 = "500x200x6x120";
         in.Text9 = "40";
     },
     FaultKind::FlangeTooThick,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.flangeT, 120.0f);
         EXPECT_EQ(a.E2, 40.0f);  // read at the step before the material values
         EXPECT_EQ(a.fy, b.fy);
         EXPECT_EQ(a.f, b.f);
         EXPECT_EQ(a.coe, b.coe);
     }},
    {"hole takes the whole angle", [](InputTexts& in) { in.Text6 = "100"; },
     FaultKind::NonPositiveNetArea,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.An, 265.0f - 3.0f * 102.0f);
         EXPECT_EQ(a.N, b.N);
         EXPECT_EQ(a.strengthText, b.strengthText);
         // Checks (1) and (2) finished before the fault and hold this run's sections.
         EXPECT_NE(a.slenderText, b.slenderText);
     }},
    {"angle that stores as 0", [](InputTexts& in) { in.Text5 = "1e-300"; },
     FaultKind::DivisionByZero,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.Ang, 0.0f);
         EXPECT_EQ(a.N, b.N);
     }},
    // A zero flange width used to reach the force as 0/0; it is refused before.
    {"0/0 in the force",
     [](InputTexts& in) {
         in.Text1 = "500x0x6x12";
         in.Text5 = "1e-300";
     },
     FaultKind::NonPositiveSection,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.B, 0.0f);
         EXPECT_EQ(a.Ang, b.Ang);
         EXPECT_EQ(a.N, b.N);
     }},
    {"nonpositive section keeps all four numbers",
     [](InputTexts& in) {
         in.Text1 = "-400x-150x-8x-10";
         in.Text2 = "30";
     },
     FaultKind::NonPositiveSection,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.sectionParts.size(), 4u);
         EXPECT_EQ(a.H, -400.0f);
         EXPECT_EQ(a.B, -150.0f);
         EXPECT_EQ(a.dim3, -8.0f);
         EXPECT_EQ(a.flangeT, -10.0f);
         EXPECT_EQ(a.gap, b.gap);
     }},
    {"a missing piece comes before a zero depth", [](InputTexts& in) { in.Text1 = "0x200x6"; },
     FaultKind::SubscriptOutOfRange,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.H, 0.0f);
         EXPECT_EQ(a.flangeT, b.flangeT);
     }},
    {"an unreadable piece comes before a negative width",
     [](InputTexts& in) { in.Text1 = "500x-200x6x12mm"; }, FaultKind::TypeMismatch,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.B, -200.0f);
         EXPECT_EQ(a.flangeT, b.flangeT);
     }},
    // K3 = -50 would have shortened L0 from 704.3 to 562.9 and passed. Stored, then
    // refused: later boxes keep their old values.
    {"negative K3", [](InputTexts& in) { in.Text4 = "-50"; }, FaultKind::NegativeDimension,
     [](const DesignState& b, const DesignState& a) {
         EXPECT_EQ(a.K3, -50.0f);
         EXPECT_EQ(a.Ang, b.Ang);
         EXPECT_EQ(a.L0, b.L0);
     }},
};

INSTANTIATE_TEST_SUITE_P(AllKinds, RunFaults, ::testing::ValuesIn(kFaultCases),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

// Depth, flange width and flange thickness, in this order: the first that is not above
// zero is named with its value. The third number is not checked.
TEST(RunCalculation, NonPositiveSectionNamesTheFirstOfDepthWidthAndFlange) {
    struct Case {
        const char* designation;
        const char* named;  // the piece and its value as the message shows them
    };
    const Case cases[] = {
        {"-100x200x6x12", "（截面高度H）为 -100，"},
        {"-0x200x6x12", "（截面高度H）为 0，"},
        {"500x0x6x12", "（翼缘宽度B）为 0，"},
        {"500x-200x6x12", "（翼缘宽度B）为 -200，"},
        {"500x200x6x0", "（翼缘厚度）为 0，"},
        {"500x200x6x-0", "（翼缘厚度）为 0，"},
        {"500x200x6x-0.5", "（翼缘厚度）为 -0.5，"},
        {"500x200x6x-1e-50", "（翼缘厚度）为 0，"},  // stores as -0
        {"0x-1x0x-1", "（截面高度H）为 0，"},
        {"500x-1x0x-1", "（翼缘宽度B）为 -1，"},
        {"５００x－２００x６x１２", "（翼缘宽度B）为 -200，"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.designation);
        DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        in.Text1 = c.designation;
        try {
            RunCalculation(s, in);
            ADD_FAILURE() << "the run completed";
        } catch (const CalculationFault& f) {
            EXPECT_EQ(FaultKindName(f.kind()), "NonPositiveSection");
            EXPECT_NE(std::string(f.what()).find(c.named), std::string::npos) << f.what();
        }
    }
    // Small but positive dimensions and any third number give a report.
    for (const char* designation : {"500x200x0x12", "500x200x-1e38x12", "1e-45x1e-45x6x1e-45"}) {
        DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        in.Text1 = designation;
        EXPECT_NO_THROW(RunCalculation(s, in)) << designation;
        EXPECT_FALSE(s.reportText.empty()) << designation;
    }
}

// The force's 0/0 is still caught where the section cannot cause it: a record that has
// no design strength yet (no grade chosen) and an angle that stores as 0.
TEST(RunCalculation, ForceWithoutStrengthAtAngleZeroIsAnInvalidOperation) {
    DesignState s = StartupDesignState();
    s.gradeCode = 0;
    InputTexts in = StartupInputTexts();
    in.Text5 = "1e-300";
    try {
        RunCalculation(s, in);
        ADD_FAILURE() << "the run completed";
    } catch (const CalculationFault& f) {
        EXPECT_EQ(FaultKindName(f.kind()), "InvalidOperation");
    }
    EXPECT_EQ(s.f, 0.0f);
}

TEST(RunCalculation, NetAreaMustBePositive) {
    // L45X3: A0 265, T 3, so a hole of 265 / 3 = 88.33 mm takes the whole section.
    const std::pair<const char*, bool> cases[] = {{"86.3333333", false}, {"86.33333", true}};
    for (const auto& [bolt, completes] : cases) {
        DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        in.Text6 = bolt;
        if (completes) {
            RunCalculation(s, in);
            EXPECT_GT(s.An, 0.0f);
        } else {
            EXPECT_THROW(RunCalculation(s, in), CalculationFault);
            EXPECT_LT(s.An, 0.0f);
        }
    }
}

TEST(RunCalculation, OptionCodesOutsideOneAndTwoChangeNothing) {
    DesignState s = StartupDesignState();
    RunCalculation(s, StartupInputTexts());
    s.gradeCode = 3;
    s.layoutCode = 0;
    InputTexts in = StartupInputTexts();
    in.Text1 = "500x200x6x20";  // would give f 205 under Q235
    RunCalculation(s, in);
    EXPECT_EQ(s.f, 215.0f);
    EXPECT_EQ(s.coe, 0.5f);
}

// Gap, K2, K3, then E2: the first negative box is named, and a box that faults on its
// own (too large) before its sign is tested keeps that fault. -0 is not below zero.
TEST(RunCalculation, NegativeDimensionNamesTheFirstNegativeBoxInReadingOrder) {
    struct Case {
        std::function<void(InputTexts&)> edit;
        const char* named;  // nullptr: the run completes
        FaultKind kind = FaultKind::NegativeDimension;
    };
    const Case cases[] = {
        {[](InputTexts& in) { in.Text2 = "-1", in.Text9 = "-5"; }, "檩条与H钢上翼板间隙=-1mm"},
        {[](InputTexts& in) { in.Text3 = "-0.1", in.Text4 = "-50"; }, "孔距K2=-0.1mm"},
        {[](InputTexts& in) { in.Text4 = "-50", in.Text5 = "0"; }, "孔距K3=-50mm"},
        {[](InputTexts& in) { in.Text5 = "0", in.Text9 = "-5"; }, "与腹板夹角",
         FaultKind::AngleOutOfRange},
        {[](InputTexts& in) { in.Text2 = "-1e39"; }, "檩条与H钢上翼板间隙", FaultKind::Overflow},
        {[](InputTexts& in) { in.Text9 = "－３"; }, "伸出E2=-3mm"},  // full-width minus
        {[](InputTexts& in) { in.Text3 = "-0"; }, nullptr},
        {[](InputTexts& in) { in.Text9 = "-1e-50"; }, nullptr},  // stores as -0
        {[](InputTexts& in) { in.Text4 = "-"; }, nullptr},       // no digits: 0
    };
    for (const Case& c : cases) {
        DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        c.edit(in);
        SCOPED_TRACE(in.Text2 + " " + in.Text3 + " " + in.Text4 + " " + in.Text5 + " " + in.Text9);
        try {
            RunCalculation(s, in);
            EXPECT_EQ(c.named, nullptr) << "the run completed";
        } catch (const CalculationFault& f) {
            ASSERT_NE(c.named, nullptr) << f.what();
            EXPECT_EQ(FaultKindName(f.kind()), FaultKindName(c.kind));
            EXPECT_NE(std::string(f.what()).find(c.named), std::string::npos) << f.what();
        }
    }
}

// A message names the box and what to type in it, or the quantity that could not be
// computed and the inputs it comes from; never the programmer's words.
TEST(FaultMessages, NameTheBoxOrQuantityInAnEngineersWords) {
    const std::pair<std::function<void(InputTexts&)>, std::vector<const char*>> cases[] = {
        {[](InputTexts& in) { in.Text1 = "500X200X6X12"; }, {"用小写字母 x 分隔", "500x200x6x12"}},
        {[](InputTexts& in) { in.Text1 = "500×200×6×12"; }, {"用小写字母 x 分隔，不能用“×”"}},
        {[](InputTexts& in) { in.Text1 = "500*200*6*12"; }, {"用小写字母 x 分隔，不能用“*”"}},
        {[](InputTexts& in) { in.Text1 = "500x200x6x12mm"; },
         {"第4个数", "“12mm”", "500x200x6x12"}},
        {[](InputTexts& in) { in.Text2 = "1e39"; },
         {"檩条与H钢上翼板间隙", "请输入以毫米计的间隙"}},
        // Accepted where typed, a gap of 1e20 only breaks the stability check's divisor.
        {[](InputTexts& in) { in.Text2 = "1e20"; }, {"角钢稳定强度f2无法计算", "间隙", "L0过长"}},
        {[](InputTexts& in) { in.Text5 = "1e-300"; }, {"轴力N无法计算", "与腹板夹角"}},
        {[](InputTexts& in) { in.Text2 = "3e38", in.Text4 = "3e38"; },
         {"间隙+H+K3-翼缘厚-K2", "孔距K2、K3"}},
    };
    constexpr const char* kProgrammersWords[] = {"类型不匹配", "数值溢出", "除数为零", "单精度数"};
    for (const auto& [edit, pieces] : cases) {
        DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        edit(in);
        try {
            RunCalculation(s, in);
            ADD_FAILURE() << "the run completed";
        } catch (const CalculationFault& f) {
            const std::string message = f.what();
            for (const char* piece : pieces)
                EXPECT_NE(message.find(piece), std::string::npos) << message;
            for (const char* word : kProgrammersWords)
                EXPECT_EQ(message.find(word), std::string::npos) << message;
        }
    }
    for (int k = 0; k <= static_cast<int>(FaultKind::NegativeDimension); ++k) {
        const std::string title(FaultKindTitle(static_cast<FaultKind>(k)));
        EXPECT_NE(title, "计算错误");
        for (const char* word : kProgrammersWords)
            EXPECT_EQ(title.find(word), std::string::npos) << title;
    }
}

}  // namespace
}  // namespace kneebrace
