// Design strength of the beam's lower flange by grade and thickness band. Bands are
// closed at their upper end: a thickness on a boundary belongs to the thinner band.
#include <gtest/gtest.h>

#include "core/calculation_run.h"
#include "core/fault.h"
#include "core/steel_grade.h"

namespace kneebrace {
namespace {

struct BandCase {
    float thickness;
    float f;
};

TEST(SteelGrade, Q235Bands) {
    const BandCase cases[] = {{-5, 215}, {0, 215}, {12, 215}, {16, 215}, {16.5f, 205}, {40, 205},
                              {40.5f, 200}, {60, 200}, {60.1f, 190}, {100, 190}};
    for (const auto& c : cases) {
        DesignState s;
        s.flangeT = c.thickness;
        ApplyGradeQ235(s);
        EXPECT_EQ(s.fy, 235.0f);
        EXPECT_EQ(s.f, c.f) << "t = " << c.thickness;
    }
}

TEST(SteelGrade, Q345Bands) {
    const BandCase cases[] = {{12, 310}, {16, 310}, {16.5f, 295}, {35, 295}, {36, 265},
                              {50, 265}, {50.5f, 250}, {100, 250}};
    for (const auto& c : cases) {
        DesignState s;
        s.flangeT = c.thickness;
        ApplyGradeQ345(s);
        EXPECT_EQ(s.fy, 345.0f);
        EXPECT_EQ(s.f, c.f) << "t = " << c.thickness;
    }
}

TEST(SteelGrade, FlangeOver100mmHasNoDesignStrength) {
    for (auto apply : {ApplyGradeQ235, ApplyGradeQ345}) {
        DesignState s;
        s.fy = 1;
        s.f = 2;
        s.flangeT = 100.5f;
        try {
            apply(s);
            ADD_FAILURE() << "accepted a 100.5 mm flange";
        } catch (const CalculationFault& fault) {
            EXPECT_EQ(fault.kind(), FaultKind::FlangeTooThick);
        }
        EXPECT_EQ(s.fy, 1.0f);  // nothing written
        EXPECT_EQ(s.f, 2.0f);
    }
}

TEST(SteelGrade, ThickFlangeAfterAnotherGradeKeepsThatGradesValues) {
    // Q345 on 20 mm, then Q235 on 150 mm: the second run stops before the material
    // step instead of pairing Q235's fy with Q345's f.
    DesignState s = StartupDesignState();
    s.gradeCode = 2;
    InputTexts in = StartupInputTexts();
    in.Text1 = "500x200x6x20";
    RunCalculation(s, in);
    EXPECT_EQ(s.fy, 345.0f);
    EXPECT_EQ(s.f, 295.0f);
    s.gradeCode = 1;
    in.Text1 = "500x200x6x150";
    EXPECT_THROW(RunCalculation(s, in), CalculationFault);
    EXPECT_EQ(s.fy, 345.0f);
    EXPECT_EQ(s.f, 295.0f);
}

}  // namespace
}  // namespace kneebrace
