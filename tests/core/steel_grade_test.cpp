// Design strength of the beam's lower flange by grade and thickness band. Bands are
// closed at their upper end: a thickness on a boundary belongs to the thinner band.
#include <gtest/gtest.h>

#include "core/calculation_run.h"
#include "core/fault.h"
#include "core/steel_grade.h"

namespace kneebrace {
namespace {

struct BandCase {
    void (*apply)(DesignState&);
    float thickness;
    float fy;
    float f;
};

TEST(SteelGrade, DesignStrengthByThicknessBand) {
    const BandCase cases[] = {
        {ApplyGradeQ235, -5, 235, 215},    {ApplyGradeQ235, 0, 235, 215},
        {ApplyGradeQ235, 12, 235, 215},    {ApplyGradeQ235, 16, 235, 215},
        {ApplyGradeQ235, 16.5f, 235, 205}, {ApplyGradeQ235, 40, 235, 205},
        {ApplyGradeQ235, 40.5f, 235, 200}, {ApplyGradeQ235, 60, 235, 200},
        {ApplyGradeQ235, 60.1f, 235, 190}, {ApplyGradeQ235, 100, 235, 190},
        {ApplyGradeQ345, 12, 345, 310},    {ApplyGradeQ345, 16, 345, 310},
        {ApplyGradeQ345, 16.5f, 345, 295}, {ApplyGradeQ345, 35, 345, 295},
        {ApplyGradeQ345, 36, 345, 265},    {ApplyGradeQ345, 50, 345, 265},
        {ApplyGradeQ345, 50.5f, 345, 250}, {ApplyGradeQ345, 100, 345, 250},
    };
    for (const auto& c : cases) {
        DesignState s;
        s.flangeT = c.thickness;
        c.apply(s);
        EXPECT_EQ(s.fy, c.fy);
        EXPECT_EQ(s.f, c.f) << "fy " << c.fy << ", t = " << c.thickness;
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
