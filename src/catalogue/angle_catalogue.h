// The 53 hot-rolled equal-leg angle sizes a knee brace can be made of, and the pick of
// one of them into the design record.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/design_state.h"

namespace kneebrace {

struct AngleSection {
    std::string_view designation;  // "L" + leg width + "X" + thickness
    float A0;                      // mm², gross area
    float B2;                      // mm, leg width
    float T;                       // mm, thickness
    float ix;                      // mm, radius of gyration about x
    float iu;                      // mm, about u: the smallest, used as Imin
    float iv;                      // mm, about v: the largest
};

inline constexpr std::size_t kAngleCount = 53;

// The catalogue in the order the size list offers it, from L45X3 to L125X14.
const std::array<AngleSection, kAngleCount>& AngleCatalogue();

// The seven lines of the properties box, joined by CR LF, none after the last.
std::string AnglePropertiesText(std::string_view model, float A0, float ix, float iu, float iv,
                                float B2, float T);

// The place in the catalogue (and so in the size list) of the size named exactly
// `designation`, case and blanks counting; nullopt for a name no size has.
std::optional<std::size_t> FindAngle(std::string_view designation);

// The user picked `designation` in the size list. An exact match (case and blanks
// count) puts that size's values in force; any other text keeps the previous size's
// numbers. Either way angleModel takes the text and the properties text is rebuilt.
void SelectAngle(DesignState& s, std::string_view designation);

}  // namespace kneebrace
