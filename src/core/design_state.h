// The one record of a calculation: options, angle section, inputs, derived geometry,
// material values, every intermediate of the seven checks and the report texts.
// Numbers are single precision because the report's digits depend on the rounding
// that happens where a value is stored; the two option codes are 16-bit integers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kneebrace {

struct DesignState {
    std::int16_t gradeCode = 0;   // steel grade of the H-beam: 1 = Q235, 2 = Q345
    std::int16_t layoutCode = 0;  // braces: 1 = both sides (双侧), 2 = one side (单侧)
    std::string angleModel;       // designation as picked in the size list
    std::string anglePropsText;   // properties box text, lines joined by CR LF
    float fy = 0;                 // N/mm², yield strength of the beam's lower flange
    float f = 0;                  // N/mm², design strength of the beam's lower flange
    std::vector<std::string> sectionParts;  // the designation split at "x"
    float H = 0;                            // mm, beam depth
    float B = 0;                            // mm, flange width
    float flangeT = 0;                      // mm, flange thickness (fourth number)
    float dim3 = 0;                         // mm, third number: validated, used by no check
    float Ang = 0;                          // rad, angle between brace and web
    float K2 = 0;                           // mm, hole distance at the lower flange
    float K3 = 0;                           // mm, hole distance in the purlin
    float E2 = 0;                           // mm, extension of the angle beyond its bolt
    float gap = 0;                          // mm, purlin to upper flange
    float L0 = 0;                           // mm, between bolts, rounded to 0.1
    float d0 = 0;                           // mm, bolt hole, M + 2
    float M = 0;                            // mm, bolt diameter
    float A0 = 0;                           // mm², gross area of the angle
    float An = 0;                           // mm², net area: one hole deducted
    float B2 = 0;                           // mm, leg width of the angle
    float T = 0;                            // mm, thickness of the angle
    float ix = 0;                           // mm, radius of gyration about x
    float iu = 0;                           // mm, radius of gyration about u (the smallest)
    float iv = 0;                           // mm, radius of gyration about v (the largest)
    float Imin = 0;                         // mm, smallest radius of gyration
    float coe = 0;                          // arrangement coefficient: 0.5 both sides, 1 one side
    float N = 0;                            // N, brace axial force, rounded to 0.1
    float f1 = 0;                           // N/mm², net-section stress, rounded to 0.1
    float f2 = 0;                           // N/mm², stability stress, rounded to 0.1
    float Nv = 0;                           // N, bolt shear capacity, then angle end shear capacity
    float Nc = 0;                           // N, hole-wall bearing capacity
    float boltNv = 0;                       // N, check (5)'s Nv, kept: printed nowhere
    float alpha1 = 0;                       // stability coefficients α1, α2, α3
    float alpha2 = 0;
    float alpha3 = 0;
    float lambdaN = 0;           // normalised slenderness λn, rounded to 0.0001
    float c4 = 0;                // stability coefficient
    std::string gradeText;       // ",材质Q235" or ",材质Q345"
    std::string layoutText;      // "双侧" or "单侧"
    std::string slenderVerdict;  // the pass or fail line of each check
    std::string localVerdict;
    std::string strengthVerdict;
    std::string stabilityVerdict;
    std::string boltShearVerdict;
    std::string bearingVerdict;
    std::string endShearVerdict;
    std::string reportText;   // the whole report as last shown
    std::string slenderText;  // report sections (1) to (7) and the header
    std::string localText;
    std::string strengthText;
    std::string stabilityText;
    std::string boltShearText;
    std::string bearingText;
    std::string endShearText;
    std::string headerText;
    float lambda = 0;      // slenderness L0 / Imin, rounded to 0.1
    float widthLimit = 0;  // width-thickness limit of the leg, rounded to 0.1
    float widthRatio = 0;  // actual width-thickness ratio (B2 - T) / T
};

// The option buttons: each writes its code and the matching report text together, so
// the two never disagree. Nothing is recomputed until the next run.
void ChooseGrade(DesignState& s, std::int16_t gradeCode);    // 1 = Q235, 2 = Q345
void ChooseLayout(DesignState& s, std::int16_t layoutCode);  // 1 = both sides, 2 = one side

// The record as the window holds it once it has opened: grade Q235, both sides, the
// section values of L45X3 and its properties text. The window and the tests both
// start from this.
DesignState StartupDesignState();

}  // namespace kneebrace
