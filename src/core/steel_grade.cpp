#include "core/steel_grade.h"

#include <string>

#include "core/fault.h"
#include "core/number_text.h"

namespace kneebrace {
namespace {

struct Band {
    float upToThickness;  // mm, band closed at its upper end: 16 belongs to the first band
    float f;              // N/mm²
};

// The design-strength tables stop at 100 mm. A thicker flange has no tabulated
// strength, and silently keeping an old (or zero) f would make every check pass.
void RejectThickFlange(const DesignState& s) {
    if (s.flangeT > 100) {
        throw CalculationFault(
            FaultKind::FlangeTooThick,
            "H钢翼缘厚度 " + ToText(s.flangeT) +
                "mm 超过 100mm，没有对应的钢材强度设计值，请检查截面（第4个数）。");
    }
}

template <std::size_t Count>
void ApplyBands(DesignState& s, float fy, const Band (&bands)[Count]) {
    RejectThickFlange(s);
    s.fy = fy;
    for (const Band& band : bands) {
        if (s.flangeT <= band.upToThickness) {
            s.f = band.f;
            return;
        }
    }
}

}  // namespace

void ApplyGradeQ235(DesignState& s) {
    static constexpr Band kBands[] = {{16, 215}, {40, 205}, {60, 200}, {100, 190}};
    ApplyBands(s, 235, kBands);
}

void ApplyGradeQ345(DesignState& s) {
    static constexpr Band kBands[] = {{16, 310}, {35, 295}, {50, 265}, {100, 250}};
    ApplyBands(s, 345, kBands);
}

}  // namespace kneebrace
